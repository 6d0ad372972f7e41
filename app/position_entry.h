// CoordinateEntry and PositionEntry: latitude and longitude entered as whole degrees, minutes
// and a hemisphere ("North"/"South", "East"/"West"), or as decimal degrees and a hemisphere.
#pragma once

#include <optional>

#include <QString>
#include <QWidget>

class QComboBox;

namespace keelmark {

class NumberEdit;

enum class Axis { Latitude, Longitude };

class CoordinateEntry : public QWidget {
  Q_OBJECT

 public:
  enum class Style { DegreesMinutes, DecimalDegrees };

  // `field` names the coordinate in messages ("Latitude", "Top left latitude" ...). A checked
  // entry keeps degrees within 0-90 (0-180) and minutes within 0-60.
  CoordinateEntry(Axis axis, Style style, bool checked, const QString& field,
                  QWidget* parent = nullptr);

  // Shows a coordinate (degrees, north and east positive): its absolute value split into
  // whole degrees and minutes (or shown whole), the hemisphere from its sign.
  void SetValue(double degrees);
  // The coordinate entered: degrees + minutes / 60, negated for South or West. The value last
  // shown when nothing has been changed since; nothing when a part is not a number.
  [[nodiscard]] std::optional<double> Value() const;
  // Why the entry cannot be taken (naming the part and its range); empty when it can.
  [[nodiscard]] QString Problem() const;
  // The part a problem lies in, to give it the focus.
  [[nodiscard]] QWidget* ProblemWidget() const;

  [[nodiscard]] NumberEdit* DegreesEdit() const { return degrees_; }
  [[nodiscard]] NumberEdit* MinutesEdit() const { return minutes_; }  // none for decimals
  [[nodiscard]] QComboBox* HemisphereBox() const { return hemisphere_; }

 signals:
  void Edited();

 private:
  [[nodiscard]] bool Unchanged() const;
  [[nodiscard]] double Limit() const;

  Axis axis_;
  Style style_;
  bool checked_;
  QString field_;
  NumberEdit* degrees_ = nullptr;
  NumberEdit* minutes_ = nullptr;
  QComboBox* hemisphere_ = nullptr;
  double shownValue_ = 0.0;
  QString shownDegrees_;
  QString shownMinutes_;
  int shownHemisphere_ = 0;
};

// A latitude row and a longitude row of degrees, minutes and hemisphere.
class PositionEntry : public QWidget {
  Q_OBJECT

 public:
  // Unchecked entries (a chart's corners) take any degrees and minutes. `prefix` goes before
  // the field names in messages ("Top left" gives "Top left latitude").
  explicit PositionEntry(bool checked = true, const QString& prefix = QString(),
                         QWidget* parent = nullptr);

  [[nodiscard]] CoordinateEntry* Latitude() const { return latitude_; }
  [[nodiscard]] CoordinateEntry* Longitude() const { return longitude_; }

 signals:
  void Edited();

 private:
  CoordinateEntry* latitude_;
  CoordinateEntry* longitude_;
};

}  // namespace keelmark

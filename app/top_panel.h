// CTopPanel: the band above the main list: the category tabs and the voyage summary (required
// speed and rpm, remaining distance, scheduled arrival).
#pragma once

#include <QWidget>

class QDateTimeEdit;
class QLineEdit;
class QTabBar;

namespace keelmark {

class CKeelmarkRouteXPDoc;

// The display format of the arrival picker: local time of the arrival.
inline constexpr const char* kLocalTimePickerFormat = "d MMM yyyy  HH:mm 'LT'";

class CTopPanel : public QWidget {
  Q_OBJECT

 public:
  explicit CTopPanel(QWidget* parent = nullptr);

  // The document the panel shows and changes; none leaves it blank.
  void Bind(CKeelmarkRouteXPDoc* doc);
  // Shows the document's category tab and works out the summary again.
  void Refresh();

  [[nodiscard]] QTabBar* Tabs() const { return tabs_; }
  [[nodiscard]] QDateTimeEdit* ArrivalPicker() const { return arrival_; }
  [[nodiscard]] QString RequiredSpeedText() const;
  [[nodiscard]] QString RemainingDistanceText() const;
  [[nodiscard]] QString RequiredRpmText() const;

 signals:
  // The category or the arrival was changed here: every view must show the document again.
  void DocumentChanged();
  // The scheduled arrival of the route was changed.
  void DocumentModified();

 private:
  void OnTabChosen(int index);
  void OnArrivalPicked(const QDateTime& picked);
  void ShowArrival(const QDateTime& arrival);

  CKeelmarkRouteXPDoc* doc_ = nullptr;
  QTabBar* tabs_;
  QLineEdit* speed_;
  QLineEdit* distance_;
  QLineEdit* rpm_;
  QDateTimeEdit* arrival_;
  bool refreshing_ = false;
};

}  // namespace keelmark

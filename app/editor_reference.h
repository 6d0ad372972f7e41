// The editors of the smaller reference records: CSheetReportingPoint, CSheetWarning,
// CSheetStorm and CSheetForecast.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/date_time_entry.h"
#include "app/property_sheet.h"
#include "records/forecast_area.h"
#include "records/position.h"
#include "records/storm.h"

namespace keelmark {

class CPagePortDocuments;
class CPageWaypointPosition;
class NavWarning;
class ReportingPoint;

class CSheetReportingPoint : public PropertySheet {
  Q_OBJECT

 public:
  struct Values {
    std::string action;
    std::int32_t completed = 0;
    double time = 0.0;  // day number of the last completion
    std::string note;
  };

  CSheetReportingPoint(const QString& caption, ReportingPoint& point, Prompter& prompter,
                       QWidget* parent = nullptr);

 protected:
  void CopyIn() override;
  void CopyBack() override;

 private:
  ReportingPoint& point_;
  Values values_;
  CPageWaypointPosition* position_;
  CPagePortDocuments* documents_;
};

class CSheetWarning : public PropertySheet {
  Q_OBJECT

 public:
  struct Values {
    std::string identifier;
    SlotTime issued;     // UTC
    SlotTime validTill;  // UTC
    std::string description;
    std::vector<CPosition2> outline;
    bool outlineChanged = false;
    std::int32_t openTraject = 1;  // 0 an enclosed surface, 1 a line or traject
    std::string filePath;
  };

  CSheetWarning(const QString& caption, NavWarning& warning, Prompter& prompter,
                QWidget* parent = nullptr);

 protected:
  void CopyIn() override;
  void CopyBack() override;

 private:
  NavWarning& warning_;
  Values values_;
};

class CSheetStorm : public PropertySheet {
  Q_OBJECT

 public:
  struct Values {
    std::string name;
    SlotTime time;  // UTC
    double latitude = 0.0;
    double longitude = 0.0;
    double course = 0.0;  // degrees true
    double speed = 0.0;   // knots
    std::int32_t pressure = 0;
    std::int32_t tendency = 0;
    std::int32_t maxWind = 0;
    std::int32_t eyeDiameter = 0;
    std::int32_t fieldRadius = 0;
  };

  CSheetStorm(const QString& caption, Storm& storm, Prompter& prompter,
              QWidget* parent = nullptr);

  // The values into a storm record.
  static void Apply(const Values& values, Storm& storm);

 protected:
  void CopyIn() override;
  void CopyBack() override;

 private:
  Storm& storm_;
  Values values_;
};

class CSheetForecast : public PropertySheet {
  Q_OBJECT

 public:
  // "Forecast Area"
  static const char* const kCaption;

  CSheetForecast(ForecastArea& area, Prompter& prompter, QWidget* parent = nullptr);

 protected:
  void CopyIn() override;
  void CopyBack() override;

 private:
  ForecastArea& area_;
  ForecastArea working_;  // the pages edit a copy, taken back on OK
  std::int32_t forecastCurrent_ = 0;  // 0 the average current, 1 the forecast's
};

}  // namespace keelmark

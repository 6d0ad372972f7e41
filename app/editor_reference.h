// The editors of the smaller reference records: CSheetReportingPoint, CSheetWarning,
// CSheetStorm and CSheetForecast.
#pragma once

#include <cstdint>

#include "app/date_time_entry.h"
#include "app/record_sheet.h"
#include "records/forecast_area.h"
#include "records/nav_warning.h"
#include "records/reporting_point.h"
#include "records/storm.h"

namespace keelmark {

class CSheetReportingPoint : public RecordSheet<ReportingPoint> {
  Q_OBJECT

 public:
  CSheetReportingPoint(const QString& caption, ReportingPoint& point, Prompter& prompter,
                       QWidget* parent = nullptr);
};

class CSheetWarning : public RecordSheet<NavWarning> {
  Q_OBJECT

 public:
  CSheetWarning(const QString& caption, NavWarning& warning, Prompter& prompter,
                QWidget* parent = nullptr);

 protected:
  void Opened() override;
  void Taking() override;

 private:
  SlotTime issued_;     // UTC
  SlotTime validTill_;  // UTC
  bool outlineChanged_ = false;
};

class CSheetStorm : public RecordSheet<Storm> {
  Q_OBJECT

 public:
  CSheetStorm(const QString& caption, Storm& storm, Prompter& prompter, QWidget* parent = nullptr);

 protected:
  void Opened() override;
  void Taking() override;

 private:
  SlotTime time_;  // UTC
};

class CSheetForecast : public RecordSheet<ForecastArea> {
  Q_OBJECT

 public:
  // "Forecast Area"
  static const char* const kCaption;

  CSheetForecast(ForecastArea& area, Prompter& prompter, QWidget* parent = nullptr);

 protected:
  void Opened() override;
  void Taking() override;

 private:
  std::int32_t forecastCurrent_ = 0;  // 0 the average current, 1 the forecast's
};

}  // namespace keelmark

#include "app/editor_reference.h"

#include <functional>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "app/document_dialog.h"
#include "app/list_buttons.h"
#include "app/page_documents.h"
#include "app/page_waypoint_position.h"
#include "app/position_entry.h"
#include "app/weather_fields.h"
#include "navigation/navigation.h"
#include "platform/qt_text.h"
#include "records/nav_warning.h"
#include "records/reporting_point.h"
#include "reports/text_file_choice.h"
#include "voyage/closest_approach.h"

namespace keelmark {

namespace {

// --- Reporting point. ---

class CPageReportingAction : public PropertyPage {
 public:
  explicit CPageReportingAction(ReportingPoint& point) : PropertyPage("Action") {
    TextRow(AddForm(), "Short description:", point.Action);
    QCheckBox* completed = BindCheck(point.Completed, "Report completed");
    // The record is stamped with the moment the box is ticked.
    connect(completed, &QCheckBox::clicked, this, [&point](bool checked) {
      if (checked) point.SetTime(CNavigation().UtcDayNumberNow());
    });
    Column()->addWidget(completed);
    Column()->addStretch(1);
  }
};

// --- Warning. ---

// The position dialog of a warning's outline: latitude and longitude with OK and Cancel.
class PositionDialog : public RecordSheet<CPosition2> {
 public:
  PositionDialog(QWidget* parent, Prompter& prompter, CPosition2& position)
      : RecordSheet("Position", position, prompter, parent) {
    AddPage(new Page(Working().Latitude, Working().Longitude));
    HideTabs();
  }

 private:
  class Page : public PropertyPage {
   public:
    Page(double& latitude, double& longitude) : PropertyPage("Position") {
      Column()->addWidget(BindPosition(latitude, longitude, new PositionEntry));
      Column()->addStretch(1);
    }
  };
};

bool EditPosition(QWidget* parent, Prompter& prompter, CPosition2& position) {
  PositionDialog dialog(parent, prompter, position);
  return dialog.Run();
}

class CPageWarningGeneral : public PropertyPage {
 public:
  CPageWarningGeneral(NavWarning& warning, SlotTime& issued, SlotTime& validTill)
      : PropertyPage("General") {
    QFormLayout* form = AddForm();
    TextRow(form, "Identifier:", warning.Name);
    AddRow(form, "Date of issue:", BindSlot(issued, TimeReading::Utc, "Date of issue"));
    AddRow(form, "Valid Till:", BindSlot(validTill, TimeReading::Utc, "Valid Till"));
    TextRow(form, "Description:", warning.Message.Description);
    Column()->addStretch(1);
  }
};

class CPageWarningPositions : public PropertyPage {
 public:
  CPageWarningPositions(NavWarning& warning, bool& changed, Prompter& prompter)
      : PropertyPage("Positions"), warning_(warning), changed_(changed), prompter_(prompter) {
    auto* group = new QGroupBox("List of positions", this);
    auto* row = new QHBoxLayout(group);
    list_ = new QTreeWidget(group);
    list_->setColumnCount(2);
    list_->setHeaderLabels({"Latitude", "Longitude"});
    list_->setRootIsDecorated(false);
    list_->setAccessibleName("List of positions");
    row->addWidget(list_, 1);
    auto* buttons = new QVBoxLayout;
    AddButtons(this, buttons,
               {{"Add", [this] { Add(); }}, {"Edit", [this] { Edit(); }}, {"Delete", [this] {
                                                                             Delete();
                                                                           }}});
    buttons->addStretch(1);
    row->addLayout(buttons);
    Column()->addWidget(group, 1);
    Column()->addWidget(BindRadio(warning.OpenTraject, {"Above positions form an enclosed surface",
                                                        "Above positions form a line or traject"}));
  }

 protected:
  void ShowFigures() override {
    list_->clear();
    for (const auto& position : warning_.Outline) {
      list_->addTopLevelItem(new QTreeWidgetItem(
          QStringList{ToQString(position->LatitudeText()), ToQString(position->LongitudeText())}));
    }
  }

 private:
  void Changed() {
    changed_ = true;
    ShowFigures();
  }
  void Add() {
    auto position = std::make_unique<CPosition2>();
    if (!EditPosition(this, prompter_, *position)) return;
    warning_.Outline.Add(std::move(position));
    Changed();
  }
  void Edit() {
    const std::optional<int> row = SelectedRow(*list_, prompter_);
    if (row && EditPosition(this, prompter_, *warning_.Outline.GetAt(*row))) Changed();
  }
  void Delete() {
    const std::optional<int> row = SelectedRow(*list_, prompter_);
    if (!row) return;
    warning_.Outline.Remove(warning_.Outline.GetAt(*row));
    Changed();
  }

  NavWarning& warning_;
  bool& changed_;
  Prompter& prompter_;
  QTreeWidget* list_;
};

class CPageWarningFile : public PropertyPage {
 public:
  CPageWarningFile(NavWarning& warning, Prompter& prompter) : PropertyPage("File") {
    AddText(
        "If required you can add a file (text, bitmap, document, etc) to this\nnavigational "
        "warning, containing additional information.\nLeave below field empty if you do "
        "not need to attach a file.");
    QLineEdit* path =
        PathRow(AddForm(), "Path to file:", warning.Message.FilePath, TextFileChoice(""), prompter);
    auto* open = new QPushButton("Click here to open this file", this);
    connect(open, &QPushButton::clicked, this,
            [path, &prompter] { OpenDocumentFile(ToStdString(path->text()), prompter); });
    Column()->addWidget(open, 0, Qt::AlignLeft);
    Column()->addStretch(1);
  }
};

// --- Storm. ---

class CPageStormPosition : public PropertyPage {
 public:
  CPageStormPosition(Storm& storm, SlotTime& time) : PropertyPage("Position") {
    QFormLayout* form = AddForm();
    TextRow(form, "Name / ID:", storm.Name);
    AddRow(form, "Position at ", BindSlot(time, TimeReading::Utc, "Position at"));
    AddRow(
        form, "Lattitude:",
        BindCoordinate(storm.Latitude,
                       new CoordinateEntry(Axis::Latitude, CoordinateEntry::Style::DecimalDegrees,
                                           true, "Latitude")));
    AddRow(
        form, "Longitude:",
        BindCoordinate(storm.Longitude,
                       new CoordinateEntry(Axis::Longitude, CoordinateEntry::Style::DecimalDegrees,
                                           true, "Longitude")));
    QFormLayout* movement = nullptr;
    AddGroup("Present movement", movement);
    NumberRow(movement, "Course:", storm.Course, "deg", NumberRange{0.0, 360.0});
    NumberRow(movement, "Speed:", storm.Speed, "kts");
    Column()->addStretch(1);
  }
};

class CPageStormEye : public PropertyPage {
 public:
  explicit CPageStormEye(Storm& storm) : PropertyPage("Eye") {
    QFormLayout* form = AddForm();
    auto* pressure = new QHBoxLayout;
    pressure->addWidget(BindWhole(storm.CentralPressure, "Air pressure"));
    pressure->addWidget(new QLabel("mb", this));
    pressure->addWidget(
        BindIndex(storm.PressureTendency, {"Increasing", "Constant", "Decreasing"}, "Tendency"));
    pressure->addStretch(1);
    form->addRow("Air pressure:", pressure);
    WholeRow(form, "Max. windspeed:", storm.MaxWind, "kts");
    WholeRow(form, "Diameter of eye:", storm.EyeDiameter, "nM");
    WholeRow(form, "Radius of storm field:", storm.FieldRadius, "nM");
    Column()->addStretch(1);
  }
};

class CPageStormTracking : public PropertyPage {
 public:
  explicit CPageStormTracking(std::function<Storm()> storm)
      : PropertyPage("Tracking"), storm_(std::move(storm)) {
    QFormLayout* form = AddForm();
    picker_ = new DateTimeEntry(TimeReading::Utc, "Select date and time", this);
    picker_->SetTime(ProcessClock().Now());
    AddRow(form, "Select date and time:", picker_);
    expected_ = new QLineEdit(this);
    expected_->setReadOnly(true);
    expected_->setAccessibleName("Expected position");
    expected_->setMinimumWidth(220);
    AddRow(form, "Expected position:", expected_);
    connect(picker_, &QDateTimeEdit::dateTimeChanged, this, [this] { ShowFigures(); });
    AddText(
        "Warning: this tracking module assumes the storm will continue\nin its present "
        "course and speed!\nFor calculating CPA and TCPA for the present voyage\nselect "
        "storm advisory from the graphics menu.");
    Column()->addStretch(1);
  }

 protected:
  void ShowFigures() override {
    const CPosition2 at = StormPositionAt(storm_(), CNavigation().LocalDayNumber(picker_->Time()));
    expected_->setText(ToQString(at.LatitudeText() + "  " + at.LongitudeText()));
  }

 private:
  std::function<Storm()> storm_;
  DateTimeEntry* picker_;
  QLineEdit* expected_;
};

// --- Forecast area. ---

class CPageForecastArea : public PropertyPage {
 public:
  explicit CPageForecastArea(ForecastArea& area) : PropertyPage("Area") {
    TextRow(AddForm(), "Name:", area.Name);
    // From the north-west corner till the south-east corner.
    Range("Latitude", Axis::Latitude, area.NorthWest.Latitude, area.SouthEast.Latitude);
    Range("Longitude:", Axis::Longitude, area.NorthWest.Longitude, area.SouthEast.Longitude);
    Column()->addStretch(1);
  }

 private:
  void Range(const char* title, Axis axis, double& from, double& till) {
    QFormLayout* form = nullptr;
    AddGroup(title, form);
    const QString field = FieldName(title);
    AddRow(form, "From:",
           BindCoordinate(from, new CoordinateEntry(axis, CoordinateEntry::Style::DecimalDegrees,
                                                    true, field + " from")));
    AddRow(form, "Till:",
           BindCoordinate(till, new CoordinateEntry(axis, CoordinateEntry::Style::DecimalDegrees,
                                                    true, field + " till")));
  }
};

class CPageForecastForecast : public WeatherPage {
 public:
  explicit CPageForecastForecast(ForecastArea& area) : WeatherPage("Forecast") {
    AddRow(AddForm(),
           "Date and time:", BindTime(area.ForecastTime, TimeReading::Utc, "Date and time"));
    WeatherConditions& weather = area.Weather;
    QFormLayout* wind = nullptr;
    AddGroup("Wind", wind);
    BindWeather(weather, WeatherField::WindDirection, wind, "Direction:");
    BindWeather(weather, WeatherField::WindSpeed, wind, "Speed:");
    QFormLayout* waves = nullptr;
    AddGroup("Waves", waves);
    BindWeather(weather, WeatherField::WaveHeight, waves, "Height:");
    QFormLayout* swell = nullptr;
    AddGroup("Swell", swell);
    BindWeather(weather, WeatherField::SwellDirection, swell, "Direction");
    BindWeather(weather, WeatherField::SwellHeight, swell, "Height");
    QFormLayout* conditions = nullptr;
    AddGroup("Weather", conditions);
    BindWeather(weather, WeatherField::Visibility, conditions, "Visibility:");
    TextRow(conditions, "Weather", weather.WeatherText);
    Column()->addStretch(1);
  }
};

class CPageForecastCurrent : public WeatherPage {
 public:
  CPageForecastCurrent(ForecastArea& area, std::int32_t& forecastCurrent) : WeatherPage("Current") {
    QFormLayout* form = nullptr;
    AddGroup("Forecast", form);
    BindWeather(area.Weather, WeatherField::CurrentSet, form, "Direction:");
    BindWeather(area.Weather, WeatherField::CurrentRate, form, "Speed:");
    Column()->addWidget(BindRadio(
        forecastCurrent,
        {"Use average current data for this season", "Use forecast current direction and speed"},
        {"Each time a positionfix is entered, Keelmark Route automatically calculates present "
         "current speed and direction. From these data average current flow is calculated for "
         "each season and positiongrid",
         "Manually entered current data will be used for all stretches of the voyage within "
         "the forecast area only when voyage properties are set to use forecast data instead "
         "of average data"}));
    Column()->addStretch(1);
  }
};

}  // namespace

// --- The sheets. ---

CSheetReportingPoint::CSheetReportingPoint(const QString& caption, ReportingPoint& point,
                                           Prompter& prompter, QWidget* parent)
    : RecordSheet(caption, point, prompter, parent) {
  AddPage(new CPageWaypointPosition(Working()));
  AddPage(new CPageReportingAction(Working()));
  AddPage(new CPagePortDocuments(Working().Documents, prompter));
  AddPage(new CPagePortNote(Working().Note));
}

CSheetWarning::CSheetWarning(const QString& caption, NavWarning& warning, Prompter& prompter,
                             QWidget* parent)
    : RecordSheet(caption, warning, prompter, parent) {
  AddPage(new CPageWarningGeneral(Working(), issued_, validTill_));
  AddPage(new CPageWarningPositions(Working(), outlineChanged_, prompter));
  AddPage(new CPageWarningFile(Working(), prompter));
}

void CSheetWarning::Opened() {
  issued_ = {Original().GetTime(), 0.0, std::nullopt};
  validTill_ = {Original().GetRequiredTime(), 0.0, std::nullopt};
  outlineChanged_ = false;
}

void CSheetWarning::Taking() {
  NavWarning& warning = Working();
  warning.SetTime(issued_.SlotFor(0.0));
  warning.SetRequiredTime(validTill_.SlotFor(0.0));
  if (outlineChanged_) warning.UpdateCentre();
}

CSheetStorm::CSheetStorm(const QString& caption, Storm& storm, Prompter& prompter, QWidget* parent)
    : RecordSheet(caption, storm, prompter, parent) {
  AddPage(new CPageStormPosition(Working(), time_));
  AddPage(new CPageStormEye(Working()));
  AddPage(new CPageStormTracking([this] {
    Storm edited = Working();
    edited.SetTime(time_.SlotFor(0.0));
    return edited;
  }));
}

void CSheetStorm::Opened() { time_ = {Original().GetTime(), 0.0, std::nullopt}; }

void CSheetStorm::Taking() { Working().SetTime(time_.SlotFor(0.0)); }

const char* const CSheetForecast::kCaption = "Forecast Area";

CSheetForecast::CSheetForecast(ForecastArea& area, Prompter& prompter, QWidget* parent)
    : RecordSheet(kCaption, area, prompter, parent) {
  AddPage(new CPageForecastArea(Working()));
  AddPage(new CPageForecastForecast(Working()));
  AddPage(new CPageForecastCurrent(Working(), forecastCurrent_));
}

void CSheetForecast::Opened() { forecastCurrent_ = Original().UseAverageCurrent ? 0 : 1; }

void CSheetForecast::Taking() {
  const std::int32_t opened = Original().UseAverageCurrent ? 0 : 1;
  if (forecastCurrent_ != opened) Working().UseAverageCurrent = forecastCurrent_ == 1 ? 0 : 1;
}

}  // namespace keelmark

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
#include "voyage/closest_approach.h"
#include "navigation/navigation.h"
#include "platform/qt_text.h"
#include "records/nav_warning.h"
#include "records/reporting_point.h"
#include "reports/text_file_choice.h"

namespace keelmark {

namespace {

// --- Reporting point. ---

class CPageReportingAction : public PropertyPage {
 public:
  explicit CPageReportingAction(CSheetReportingPoint::Values& values) : PropertyPage("Action") {
    TextRow(AddForm(), "Short description:", values.action);
    QCheckBox* completed = BindCheck(values.completed, "Report completed");
    // The record is stamped with the moment the box is ticked.
    connect(completed, &QCheckBox::clicked, this, [&values](bool checked) {
      if (checked) values.time = CNavigation().UtcDayNumberNow();
    });
    Column()->addWidget(completed);
    Column()->addStretch(1);
  }
};

// --- Warning. ---

// The position dialog of a warning's outline: latitude and longitude with OK and Cancel.
class PositionDialog : public PropertySheet {
 public:
  PositionDialog(QWidget* parent, Prompter& prompter, CPosition2& position)
      : PropertySheet("Position", prompter, parent), position_(position) {
    AddPage(new Page(latitude_, longitude_));
    HideTabs();
  }

 protected:
  void CopyIn() override {
    latitude_ = position_.GetLatitude();
    longitude_ = position_.GetLongitude();
  }
  void CopyBack() override {
    position_.SetLatitude(latitude_);
    position_.SetLongitude(longitude_);
  }

 private:
  class Page : public PropertyPage {
   public:
    Page(double& latitude, double& longitude) : PropertyPage("Position") {
      Column()->addWidget(BindPosition(latitude, longitude, new PositionEntry));
      Column()->addStretch(1);
    }
  };

  CPosition2& position_;
  double latitude_ = 0.0;
  double longitude_ = 0.0;
};

bool EditPosition(QWidget* parent, Prompter& prompter, CPosition2& position) {
  PositionDialog dialog(parent, prompter, position);
  return dialog.Run();
}

class CPageWarningGeneral : public PropertyPage {
 public:
  explicit CPageWarningGeneral(CSheetWarning::Values& values) : PropertyPage("General") {
    QFormLayout* form = AddForm();
    TextRow(form, "Identifier:", values.identifier);
    AddRow(form, "Date of issue:", BindSlot(values.issued, TimeReading::Utc, "Date of issue"));
    AddRow(form, "Valid Till:", BindSlot(values.validTill, TimeReading::Utc, "Valid Till"));
    TextRow(form, "Description:", values.description);
    Column()->addStretch(1);
  }
};

class CPageWarningPositions : public PropertyPage {
 public:
  CPageWarningPositions(CSheetWarning::Values& values, Prompter& prompter)
      : PropertyPage("Positions"), values_(values), prompter_(prompter) {
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
               {{"Add", [this] { Add(); }},
                {"Edit", [this] { Edit(); }},
                {"Delete", [this] { Delete(); }}});
    buttons->addStretch(1);
    row->addLayout(buttons);
    Column()->addWidget(group, 1);
    Column()->addWidget(BindRadio(values.openTraject,
                                  {"Above positions form an enclosed surface",
                                   "Above positions form a line or traject"}));
  }

 protected:
  void ShowFigures() override {
    list_->clear();
    for (const CPosition2& position : values_.outline) {
      list_->addTopLevelItem(new QTreeWidgetItem(
          QStringList{ToQString(position.LatitudeText()), ToQString(position.LongitudeText())}));
    }
  }

 private:
  void Changed() {
    values_.outlineChanged = true;
    ShowFigures();
  }
  void Add() {
    CPosition2 position;
    if (!EditPosition(this, prompter_, position)) return;
    values_.outline.push_back(position);
    Changed();
  }
  void Edit() {
    const std::optional<int> row = SelectedRow(*list_, prompter_);
    if (row && EditPosition(this, prompter_, values_.outline[*row])) Changed();
  }
  void Delete() {
    const std::optional<int> row = SelectedRow(*list_, prompter_);
    if (!row) return;
    values_.outline.erase(values_.outline.begin() + *row);
    Changed();
  }

  CSheetWarning::Values& values_;
  Prompter& prompter_;
  QTreeWidget* list_;
};

class CPageWarningFile : public PropertyPage {
 public:
  CPageWarningFile(CSheetWarning::Values& values, Prompter& prompter) : PropertyPage("File") {
    AddText("If required you can add a file (text, bitmap, document, etc) to this\nnavigational "
            "warning, containing additional information.\nLeave below field empty if you do "
            "not need to attach a file.");
    QLineEdit* path = PathRow(AddForm(), "Path to file:", values.filePath,
                              TextFileChoice(""), prompter);
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
  explicit CPageStormPosition(CSheetStorm::Values& values) : PropertyPage("Position") {
    QFormLayout* form = AddForm();
    TextRow(form, "Name / ID:", values.name);
    AddRow(form, "Position at ", BindSlot(values.time, TimeReading::Utc, "Position at"));
    AddRow(form, "Lattitude:",
           BindCoordinate(values.latitude,
                          new CoordinateEntry(Axis::Latitude,
                                              CoordinateEntry::Style::DecimalDegrees, true,
                                              "Latitude")));
    AddRow(form, "Longitude:",
           BindCoordinate(values.longitude,
                          new CoordinateEntry(Axis::Longitude,
                                              CoordinateEntry::Style::DecimalDegrees, true,
                                              "Longitude")));
    QFormLayout* movement = nullptr;
    AddGroup("Present movement", movement);
    NumberRow(movement, "Course:", values.course, "deg", NumberRange{0.0, 360.0});
    NumberRow(movement, "Speed:", values.speed, "kts");
    Column()->addStretch(1);
  }
};

class CPageStormEye : public PropertyPage {
 public:
  explicit CPageStormEye(CSheetStorm::Values& values) : PropertyPage("Eye") {
    QFormLayout* form = AddForm();
    auto* pressure = new QHBoxLayout;
    pressure->addWidget(BindWhole(values.pressure, "Air pressure"));
    pressure->addWidget(new QLabel("mb", this));
    pressure->addWidget(
        BindIndex(values.tendency, {"Increasing", "Constant", "Decreasing"}, "Tendency"));
    pressure->addStretch(1);
    form->addRow("Air pressure:", pressure);
    WholeRow(form, "Max. windspeed:", values.maxWind, "kts");
    WholeRow(form, "Diameter of eye:", values.eyeDiameter, "nM");
    WholeRow(form, "Radius of storm field:", values.fieldRadius, "nM");
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
    AddText("Warning: this tracking module assumes the storm will continue\nin its present "
            "course and speed!\nFor calculating CPA and TCPA for the present voyage\nselect "
            "storm advisory from the graphics menu.");
    Column()->addStretch(1);
  }

 protected:
  void ShowFigures() override {
    const CPosition2 at =
        StormPositionAt(storm_(), CNavigation().LocalDayNumber(picker_->Time()));
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
    AddRow(AddForm(), "Date and time:",
           BindTime(area.ForecastTime, TimeReading::Utc, "Date and time"));
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
  CPageForecastCurrent(ForecastArea& area, std::int32_t& forecastCurrent)
      : WeatherPage("Current") {
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
    : PropertySheet(caption, prompter, parent),
      point_(point),
      position_(new CPageWaypointPosition),
      documents_(new CPagePortDocuments(prompter)) {
  AddPage(position_);
  AddPage(new CPageReportingAction(values_));
  AddPage(documents_);
  AddPage(new CPagePortNote(values_.note));
}

void CSheetReportingPoint::CopyIn() {
  position_->CopyFrom(point_);
  values_ = {point_.Action, point_.Completed, point_.GetTime(), point_.Note};
  documents_->CopyFrom(point_.Documents);
}

void CSheetReportingPoint::CopyBack() {
  position_->CopyTo(point_);
  point_.Action = values_.action;
  point_.Completed = values_.completed;
  point_.SetTime(values_.time);
  point_.Note = values_.note;
  documents_->CopyTo(point_.Documents);
}

CSheetWarning::CSheetWarning(const QString& caption, NavWarning& warning, Prompter& prompter,
                             QWidget* parent)
    : PropertySheet(caption, prompter, parent), warning_(warning) {
  AddPage(new CPageWarningGeneral(values_));
  AddPage(new CPageWarningPositions(values_, prompter));
  AddPage(new CPageWarningFile(values_, prompter));
}

void CSheetWarning::CopyIn() {
  values_ = {};
  values_.identifier = warning_.GetName();
  values_.issued = {warning_.GetTime(), 0.0, std::nullopt};
  values_.validTill = {warning_.GetRequiredTime(), 0.0, std::nullopt};
  values_.description = warning_.Message.Description;
  for (const auto& position : warning_.Outline) values_.outline.push_back(*position);
  values_.openTraject = warning_.OpenTraject;
  values_.filePath = warning_.Message.FilePath;
}

void CSheetWarning::CopyBack() {
  warning_.SetName(values_.identifier);
  warning_.SetTime(values_.issued.SlotFor(0.0));
  warning_.SetRequiredTime(values_.validTill.SlotFor(0.0));
  warning_.Message.Description = values_.description;
  warning_.OpenTraject = values_.openTraject;
  warning_.Message.FilePath = values_.filePath;
  if (values_.outlineChanged) {
    warning_.Outline.RemoveAll();
    for (const CPosition2& position : values_.outline) {
      *warning_.AddOutlinePosition() = position;
    }
    warning_.UpdateCentre();
  }
}

CSheetStorm::CSheetStorm(const QString& caption, Storm& storm, Prompter& prompter,
                         QWidget* parent)
    : PropertySheet(caption, prompter, parent), storm_(storm) {
  AddPage(new CPageStormPosition(values_));
  AddPage(new CPageStormEye(values_));
  AddPage(new CPageStormTracking([this] {
    Storm edited = storm_;
    Apply(values_, edited);
    return edited;
  }));
}

void CSheetStorm::CopyIn() {
  values_ = {storm_.GetName(),
             {storm_.GetTime(), 0.0, std::nullopt},
             storm_.GetLatitude(),
             storm_.GetLongitude(),
             storm_.Course,
             storm_.Speed,
             storm_.CentralPressure,
             storm_.PressureTendency,
             storm_.MaxWind,
             storm_.EyeDiameter,
             storm_.FieldRadius};
}

void CSheetStorm::Apply(const Values& values, Storm& storm) {
  storm.SetName(values.name);
  storm.SetTime(values.time.SlotFor(0.0));
  storm.SetLatitude(values.latitude);
  storm.SetLongitude(values.longitude);
  storm.Course = values.course;
  storm.Speed = values.speed;
  storm.CentralPressure = values.pressure;
  storm.PressureTendency = values.tendency;
  storm.MaxWind = values.maxWind;
  storm.EyeDiameter = values.eyeDiameter;
  storm.FieldRadius = values.fieldRadius;
}

void CSheetStorm::CopyBack() { Apply(values_, storm_); }

const char* const CSheetForecast::kCaption = "Forecast Area";

CSheetForecast::CSheetForecast(ForecastArea& area, Prompter& prompter, QWidget* parent)
    : PropertySheet(kCaption, prompter, parent), area_(area), working_(area) {
  AddPage(new CPageForecastArea(working_));
  AddPage(new CPageForecastForecast(working_));
  AddPage(new CPageForecastCurrent(working_, forecastCurrent_));
}

void CSheetForecast::CopyIn() {
  working_ = area_;
  forecastCurrent_ = area_.UseAverageCurrent ? 0 : 1;
}

void CSheetForecast::CopyBack() {
  const std::int32_t opened = area_.UseAverageCurrent ? 0 : 1;
  if (forecastCurrent_ != opened) working_.UseAverageCurrent = forecastCurrent_ == 1 ? 0 : 1;
  area_ = working_;
}

}  // namespace keelmark

#include "app/editor_waypoint.h"

#include <QFormLayout>
#include <QLabel>

#include "app/page_waypoint_position.h"
#include "app/weather_fields.h"
#include "records/waypoint.h"

namespace keelmark {

namespace {

constexpr const char* kTowards = "When sailing TOWARDS this waypoint:";
constexpr WeatherField kWaypointWeatherFields[] = {
    WeatherField::WindSpeed,      WeatherField::WindDirection, WeatherField::SwellHeight,
    WeatherField::SwellDirection, WeatherField::WaveHeight,    WeatherField::AirPressure,
    WeatherField::AirTemperature, WeatherField::SeaTemperature};
constexpr WeatherField kCurrentFields[] = {WeatherField::CurrentSet, WeatherField::CurrentRate};

class CPageWaypointRoute : public PropertyPage {
 public:
  explicit CPageWaypointRoute(std::int32_t& greatCircle) : PropertyPage("Route") {
    Column()->addWidget(BindRadio(
        greatCircle,
        {"Proceed TOWARDS this waypoint via rhumbline",
         "Proceed TOWARDS this waypoint via greatcircle"},
        {"A rhumbline will result in a straight line between two points on a mercator chart. "
         "When sailing on this track the true compass course will be constant, however this "
         "track does not result in the shortest distance between two positions",
         "A greatcircle track results in the shortest distance between two positions. When "
         "sailing the track you will have to adjust your course continously as this track "
         "will resemble a curved line on a mercator chart"}));
    Column()->addStretch(1);
  }
};

class CPageWaypointSpeed : public PropertyPage {
 public:
  explicit CPageWaypointSpeed(Waypoint& waypoint) : PropertyPage("Speed") {
    RadioChoice* choice = BindRadio(
        waypoint.ManualSpeed, {"Allow Keelmark to calculate required speed", "Set speed at:"},
        {"Keelmark Route will calculate the most economical speed and engine rpm setting for "
         "each stretch of your voyage",
         "Keelmark Route will use the manually set groundspeed for this stretch of the "
         "voyage, and adjust speed and engine rpm on all other stretches in order to remain "
         "on schedule"});
    Column()->addWidget(choice);
    AddText("On the route TOWARDS this waypoint:");
    NumberRow(AddForm(), "Speed:", waypoint.GroundSpeed, "kts", NumberRange{0.0, 90.0});
    // The explanation goes below the speed.
    Column()->addWidget(choice->Explanation());
    Column()->addStretch(1);
  }
};

// The weather or the current of the leg: a choice between the voyage's values and those below.
class CPageWaypointWeather : public WeatherPage {
 public:
  CPageWaypointWeather(const char* caption, const QStringList& choices,
                       std::span<const WeatherField> fields, std::int32_t& manual,
                       WeatherConditions& weather)
      : WeatherPage(caption) {
    Column()->addWidget(BindRadio(manual, choices));
    QFormLayout* form = nullptr;
    AddGroup(kTowards, form);
    for (const WeatherField field : fields) BindWeather(weather, field, form);
    Column()->addStretch(1);
  }
};

}  // namespace

CSheetWaypoint::CSheetWaypoint(const QString& caption, Waypoint& waypoint, Prompter& prompter,
                               QWidget* parent)
    : RecordSheet(caption, waypoint, prompter, parent) {
  Waypoint& w = Working();
  AddPage(new CPageWaypointPosition(w));
  AddPage(new CPageWaypointRoute(w.GreatCircle));
  AddPage(new CPageWaypointSpeed(w));
  AddPage(new CPageWaypointWeather(
      "Weather",
      {"Use weather as set by voyage properties", "Manually set weather conditions below:"},
      kWaypointWeatherFields, manualWeather_, w.Weather));
  AddPage(new CPageWaypointWeather(
      "Current",
      {"Use average current as calculated by Keelmark Route", "Manually set current below"},
      kCurrentFields, manualCurrent_, w.Weather));
}

void CSheetWaypoint::Opened() {
  manualWeather_ = Original().UseVoyageWeather ? 0 : 1;
  manualCurrent_ = manualWeather_;
}

void CSheetWaypoint::Taking() {
  Waypoint& w = Working();
  const Waypoint& opened = Original();
  w.GreatCircle = w.GreatCircle == 1 ? 1 : 0;
  // Values set on a page whose choice is not "set by hand" are not taken.
  if (w.ManualSpeed != 1) {
    w.ManualSpeed = 0;
    w.GroundSpeed = opened.GroundSpeed;
  }
  w.UseVoyageWeather = manualWeather_ == 1 ? 0 : 1;
  if (manualWeather_ != 1) CopyWeatherFields(kWaypointWeatherFields, opened.Weather, w.Weather);
  if (manualCurrent_ != 1) CopyWeatherFields(kCurrentFields, opened.Weather, w.Weather);
}

bool EditWaypoint(QWidget* parent, Waypoint& waypoint, Prompter& prompter, const QString& caption) {
  CSheetWaypoint sheet(caption, waypoint, prompter, parent);
  return sheet.Run();
}

}  // namespace keelmark

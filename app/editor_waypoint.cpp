#include "app/editor_waypoint.h"

#include <QFormLayout>
#include <QLabel>

#include "app/page_waypoint_position.h"
#include "app/weather_fields.h"
#include "records/waypoint.h"

namespace keelmark {

namespace {

constexpr const char* kTowards = "When sailing TOWARDS this waypoint:";

}  // namespace

class CPageWaypointRoute : public PropertyPage {
 public:
  CPageWaypointRoute() : PropertyPage("Route") {
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

  std::int32_t greatCircle = 0;  // 0 rhumb line, 1 great circle
};

class CPageWaypointSpeed : public PropertyPage {
 public:
  CPageWaypointSpeed() : PropertyPage("Speed") {
    RadioChoice* choice = BindRadio(
        manual, {"Allow Keelmark to calculate required speed", "Set speed at:"},
        {"Keelmark Route will calculate the most economical speed and engine rpm setting for "
         "each stretch of your voyage",
         "Keelmark Route will use the manually set groundspeed for this stretch of the "
         "voyage, and adjust speed and engine rpm on all other stretches in order to remain "
         "on schedule"});
    Column()->addWidget(choice);
    AddText("On the route TOWARDS this waypoint:");
    NumberRow(AddForm(), "Speed:", speed, "kts", NumberRange{0.0, 90.0});
    // The explanation goes below the speed.
    Column()->addWidget(choice->Explanation());
    Column()->addStretch(1);
  }

  std::int32_t manual = 0;  // 0 calculated, 1 set by hand
  double speed = 0.0;       // knots
};

class CPageWaypointWeather : public WeatherPage {
 public:
  CPageWaypointWeather() : WeatherPage("Weather") {
    Column()->addWidget(BindRadio(manual, {"Use weather as set by voyage properties",
                                           "Manually set weather conditions below:"}));
    QFormLayout* form = nullptr;
    AddGroup(kTowards, form);
    for (WeatherField field :
         {WeatherField::WindSpeed, WeatherField::WindDirection, WeatherField::SwellHeight,
          WeatherField::SwellDirection, WeatherField::WaveHeight, WeatherField::AirPressure,
          WeatherField::AirTemperature, WeatherField::SeaTemperature}) {
      BindWeather(weather, field, form);
    }
    Column()->addStretch(1);
  }

  std::int32_t manual = 0;  // 0 the voyage's weather, 1 the values below
  WeatherConditions weather;
};

class CPageWaypointCurrent : public WeatherPage {
 public:
  CPageWaypointCurrent() : WeatherPage("Current") {
    Column()->addWidget(BindRadio(manual, {"Use average current as calculated by Keelmark Route",
                                           "Manually set current below"}));
    QFormLayout* form = nullptr;
    AddGroup(kTowards, form);
    BindWeather(weather, WeatherField::CurrentSet, form);
    BindWeather(weather, WeatherField::CurrentRate, form);
    Column()->addStretch(1);
  }

  std::int32_t manual = 0;  // 0 the average current, 1 the values below
  WeatherConditions weather;
};

CSheetWaypoint::CSheetWaypoint(const QString& caption, Waypoint& waypoint, Prompter& prompter,
                               QWidget* parent)
    : PropertySheet(caption, prompter, parent),
      waypoint_(waypoint),
      position_(new CPageWaypointPosition),
      route_(new CPageWaypointRoute),
      speed_(new CPageWaypointSpeed),
      weather_(new CPageWaypointWeather),
      current_(new CPageWaypointCurrent) {
  for (PropertyPage* page :
       std::initializer_list<PropertyPage*>{position_, route_, speed_, weather_, current_}) {
    AddPage(page);
  }
}

void CSheetWaypoint::CopyIn() {
  position_->CopyFrom(waypoint_);
  route_->greatCircle = waypoint_.GreatCircle;
  speed_->manual = waypoint_.ManualSpeed;
  speed_->speed = waypoint_.GroundSpeed;
  // One flag decides both the weather and the current of the leg.
  weather_->manual = waypoint_.UseVoyageWeather ? 0 : 1;
  weather_->weather = waypoint_.Weather;
  current_->manual = weather_->manual;
  current_->weather = waypoint_.Weather;
}

void CSheetWaypoint::CopyBack() {
  position_->CopyTo(waypoint_);
  waypoint_.GreatCircle = route_->greatCircle == 1 ? 1 : 0;
  if (speed_->manual == 1) {
    waypoint_.ManualSpeed = 1;
    waypoint_.GroundSpeed = speed_->speed;
  } else {
    waypoint_.ManualSpeed = 0;
  }
  WeatherConditions& weather = waypoint_.Weather;
  if (weather_->manual == 1) {
    waypoint_.UseVoyageWeather = 0;
    const WeatherConditions& set = weather_->weather;
    weather.WindSpeed = set.WindSpeed;
    weather.WindDirection = set.WindDirection;
    weather.SwellHeight = set.SwellHeight;
    weather.SwellDirection = set.SwellDirection;
    weather.WaveHeight = set.WaveHeight;
    weather.AirPressure = set.AirPressure;
    weather.AirTemperature = set.AirTemperature;
    weather.SeaTemperature = set.SeaTemperature;
  } else {
    waypoint_.UseVoyageWeather = 1;
  }
  if (current_->manual == 1) {
    weather.CurrentSet = current_->weather.CurrentSet;
    weather.CurrentRate = current_->weather.CurrentRate;
  }
}

bool EditWaypoint(QWidget* parent, Waypoint& waypoint, Prompter& prompter,
                  const QString& caption) {
  CSheetWaypoint sheet(caption, waypoint, prompter, parent);
  return sheet.Run();
}

}  // namespace keelmark

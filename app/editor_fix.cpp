#include "app/editor_fix.h"

#include <QFormLayout>
#include <QLabel>

#include "app/position_entry.h"
#include "app/weather_fields.h"
#include "app/zone_entry.h"
#include "document/keelmark_document.h"
#include "navigation/navigation.h"

namespace keelmark {

namespace {

constexpr double kZoneLimitHours = 13.0;

class CPageFixPosition : public PropertyPage {
 public:
  CPageFixPosition(FixEntry& entry, SlotTime& time) : PropertyPage("Position") {
    QFormLayout* form = AddForm();
    AddRow(form, "Time:", BindSlot(time, TimeReading::Local, "Time"));
    Column()->addWidget(BindPosition(entry.latitude, entry.longitude, new PositionEntry));
    QFormLayout* zone = AddForm();
    AddRow(zone, "Local time:",
           BindZone(entry.zoneOffset, new ZoneEntry("Local time", kZoneLimitHours,
                                                    ZoneEntry::Sign::FromCombo, "hrs")));
    Column()->addStretch(1);
  }
};

class CPageFixVessel : public PropertyPage {
 public:
  explicit CPageFixVessel(FixEntry& entry) : PropertyPage("Vessel") {
    AddText("Please enter steered true course at time of position fix");
    QFormLayout* form = AddForm();
    NumberRow(form, "Steered true course:", entry.steeredCourse, "deg", NumberRange{0.0, 360.0});
    NumberRow(form, "Engine setting:", entry.engineRpm, "rpm");
    NumberRow(form, "Draft forward", entry.draftForward, "mtr");
    NumberRow(form, "Draft aft", entry.draftAft, "mtr");
    Column()->addStretch(1);
  }
};

class CPageFixWeather : public WeatherPage {
 public:
  explicit CPageFixWeather(WeatherConditions& weather) : WeatherPage("Weather") {
    QFormLayout* form = AddForm();
    for (WeatherField field :
         {WeatherField::WindDirection, WeatherField::WindSpeed, WeatherField::SwellDirection,
          WeatherField::SwellHeight, WeatherField::WaveHeight, WeatherField::AirTemperature,
          WeatherField::SeaTemperature, WeatherField::AirPressure, WeatherField::Visibility}) {
      BindWeather(weather, field, form);
    }
    BindWeatherText(weather, form, "Weather:");
    Column()->addStretch(1);
  }
};

}  // namespace

CSheetFix::CSheetFix(const QString& caption, PositionFix& fix, CKeelmarkRouteXPDoc& document,
                     QWidget* parent)
    : PropertySheet(caption, document.GetPrompter(), parent), fix_(fix), document_(document) {
  AddPage(new CPageFixPosition(entry_, time_));
  AddPage(new CPageFixVessel(entry_));
  AddPage(new CPageFixWeather(entry_.weather));
}

void CSheetFix::CopyIn() {
  entry_ = OpeningEntry(fix_, document_.GetVessel());
  time_ = {fix_.GetTime(), fix_.GetZoneOffset(), std::nullopt};
}

bool CSheetFix::ConfirmValues() {
  if (!FixLiesAhead(time_.SlotFor(entry_.zoneOffset), CNavigation().UtcDayNumberNow())) {
    return true;
  }
  return GetPrompter().AskYesNo(std::string(kFixAheadMessage) + ".\nStore it all the same?",
                                MessageIcon::Question);
}

void CSheetFix::CopyBack() {
  entry_.time = time_.SlotFor(entry_.zoneOffset);
  document_.ConfirmPositionFix(fix_, entry_);
}

}  // namespace keelmark

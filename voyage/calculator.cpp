#include "voyage/calculator.h"

#include <algorithm>
#include <cmath>

#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "records/position_fix.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "voyage/vessel_model.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

constexpr const char* kEngineSettingFormat = "%3.0f rpm";
constexpr const char* kCourseFormat = "%#3.1f deg";
constexpr const char* kRouteDistanceFormat = "%#10.1f nM";
constexpr const char* kReduceDistanceFormat = "%#3.1f nM";
constexpr const char* kFuelPerDayFormat = "%#3.1f mT";
constexpr const char* kDraftFormat = "%#3.1f mtr";
constexpr const char* kWheelOverFormat = "%#2.1f nM";
constexpr const char* kVoyageFuelFormat = "%6.0f mT";
constexpr const char* kHeightFormat = "%#3.1f";

// Degrees to radians as the vessel model converts them (1/57.3).
constexpr double kRadiansPerDegree = 0.017452006980802792;
// nM of turning radius per knot per degree-per-minute of rate of turn.
constexpr double kTurningRadiusFactor = 0.95;
constexpr double kFeetPerMetre = 3.280839895013123;
constexpr double kHoursPerDay = 24.0;

DegMinEntry LatitudeEntry(const CPosition2& p) {
  return {p.LatitudeDegrees(), p.LatitudeMinutes(), p.LatitudeSouth()};
}

DegMinEntry LongitudeEntry(const CPosition2& p) {
  return {p.LongitudeDegrees(), p.LongitudeMinutes(), p.LongitudeWest()};
}

// A squatted draft as the bar shows it: whole metres within the bar's range; a draft that is
// no number sits at the bottom.
int DraftBar(double draft) {
  if (!(draft >= kDraftBarLowest)) return kDraftBarLowest;
  if (draft >= kDraftBarHighest) return kDraftBarHighest;
  return static_cast<int>(draft);
}

}  // namespace

CVessel2 CalculatorVessel(const SettingsStore& store, bool& loaded) {
  return CalculatorVessel(store, CVessel2::FilePath(store), loaded);
}

CVessel2 CalculatorVessel(const SettingsStore& store, const std::string& path, bool& loaded) {
  CVessel2 vessel;
  vessel.ReadIdentity(store);
  loaded = vessel.LoadFile(path).Ok();
  return vessel;
}

DegMinPosition EntryOf(const CPosition2& position) {
  return {LatitudeEntry(position), LongitudeEntry(position)};
}

CPosition2 PositionOf(const DegMinPosition& entry) {
  CPosition2 position;
  position.SetLatitudeDegMin(entry.latitude.degrees, entry.latitude.minutes,
                             entry.latitude.hemisphere);
  position.SetLongitudeDegMin(entry.longitude.degrees, entry.longitude.minutes,
                              entry.longitude.hemisphere);
  return position;
}

int EngineSliderPosition(const CVessel2& vessel) {
  const double top = std::max(vessel.maxRpm, 0);
  const double position = vessel.maxRpm - vessel.calibrationRpm;
  if (!std::isfinite(position)) return static_cast<int>(top);
  return static_cast<int>(std::clamp(position, 0.0, top));
}

int EngineSettingAt(const CVessel2& vessel, int position) {
  return vessel.maxRpm - std::clamp(position, 0, std::max(vessel.maxRpm, 0));
}

int MoveEngineSlider(CVessel2& vessel, int position) {
  const int setting = EngineSettingAt(vessel, position);
  vessel.calibrationRpm = setting;
  return setting;
}

std::string EngineSettingText(double rpm) { return FormatNumber(kEngineSettingFormat, rpm); }

DistancesResult CalculateDistances(const DistancesInput& input) {
  const CNavigation navigation;
  const CPosition2 departure = PositionOf(input.departure);
  const CPosition2 arrival = PositionOf(input.arrival);
  const bool greatCircle = input.track == Track::GreatCircle;
  DistancesResult result;
  result.course = navigation.Course(departure, arrival, greatCircle);
  result.distance = navigation.Distance(departure, arrival, greatCircle);
  result.courseText = FormatNumber(kCourseFormat, result.course);
  result.distanceText = FormatNumber(kRouteDistanceFormat, result.distance);
  return result;
}

DeadReckoningResult CalculateDeadReckoning(const DeadReckoningInput& input) {
  const CNavigation navigation;
  const double hours =
      (navigation.LocalDayNumber(input.resultTime) - navigation.LocalDayNumber(input.startTime)) *
      kHoursPerDay;
  DeadReckoningResult result;
  navigation.DeadReckonFrom(PositionOf(input.start), result.position, input.course,
                            hours * input.speed);
  result.latitudeText = result.position.LatitudeText();
  result.longitudeText = result.position.LongitudeText();
  return result;
}

SpeedResult CalculateSpeed(const CVessel2& vessel, const SpeedInput& input) {
  const double rpm = vessel.calibrationRpm;
  const double heading = vessel.calibrationHeading;
  const double windDirection = input.windSide == WindSide::OnTheStern ? heading + 180.0 : heading;
  const double resistance =
      VesselModel(vessel).HullResistanceAt(rpm) +
      VesselModel(vessel).AirResistance(rpm, heading, windDirection, input.windSpeed) +
      VesselModel(vessel).WaveResistance(input.swellHeight, rpm);
  SpeedResult result;
  // Without revolutions every resistance term is 0 / 0; the ship simply does not move.
  result.logSpeed = rpm == 0.0 ? 0.0 : VesselModel(vessel).LogSpeed(rpm, resistance);
  result.reduceDistance = VesselModel(vessel).ManoeuvringDistance(rpm, resistance);
  if (result.reduceDistance < 0.0) result.reduceDistance = 0.0;
  result.fuel = VesselModel(vessel).FuelConsumption(rpm, kHoursPerDay);
  result.logSpeedText = FormatNumber(kKnotsFormat, result.logSpeed);
  result.reduceDistanceText = FormatNumber(kReduceDistanceFormat, result.reduceDistance);
  result.fuelText = FormatNumber(kFuelPerDayFormat, result.fuel);
  return result;
}

SquatResult CalculateSquat(CVessel2& vessel, const SquatInput& input) {
  vessel.mctc = input.etm;
  vessel.lcb = input.lcb;
  vessel.lcf = input.lcf;
  SquatResult result;
  result.speed = VesselModel(vessel).TheoreticalSpeed(vessel.calibrationRpm);
  result.draftAft = input.draftAft;
  result.draftForward = input.draftForward;
  VesselModel(vessel).Squat(input.water == Water::Deep, result.speed, result.draftAft,
                            result.draftForward);
  result.aftBar = DraftBar(result.draftAft);
  result.forwardBar = DraftBar(result.draftForward);
  result.speedText = FormatNumber(kKnotsFormat, result.speed);
  result.draftForwardText = FormatNumber(kDraftFormat, result.draftForward);
  result.draftAftText = FormatNumber(kDraftFormat, result.draftAft);
  return result;
}

WheelOverResult CalculateWheelOver(const CVessel2& vessel, const WheelOverInput& input) {
  const CNavigation navigation;
  // The water tracks that make good the present and the required ground course in the current.
  double presentHeading = input.presentCourse;
  double presentSpeed = VesselModel(vessel).TheoreticalSpeed(input.rpm);
  navigation.SubtractVectors(presentHeading, presentSpeed, input.currentDirection,
                             input.currentSpeed);
  double requiredHeading = input.requiredCourse;
  double requiredSpeed = presentSpeed;
  navigation.SubtractVectors(requiredHeading, requiredSpeed, input.currentDirection,
                             input.currentSpeed);
  double change = std::fabs(presentHeading - requiredHeading);
  if (change > 180.0) change = 360.0 - change;
  WheelOverResult result;
  result.distance = std::tan(change * 0.5 * kRadiansPerDegree) * kTurningRadiusFactor *
                    requiredSpeed / input.rateOfTurn;
  result.distanceText = FormatNumber(kWheelOverFormat, result.distance);
  return result;
}

bool StartFromDeparture(const Voyage& voyage, EtaInput& input) {
  if (voyage.GetCount() < 2) return false;
  const Waypoint& first = *voyage.GetFirst();
  input.distance = TotalDistance(voyage);
  input.localTimeChange = voyage.GetLast()->GetZoneHours() - first.GetZoneHours();
  input.startTime = first.GetLocalTime();
  return true;
}

bool StartFromLatestFix(const Voyage& voyage, const PositionFix& latestFix, EtaInput& input) {
  if (voyage.GetCount() < 2) return false;
  input.distance = RemainingDistance(voyage, latestFix);
  input.localTimeChange = voyage.GetLast()->GetZoneHours() - latestFix.GetZoneHours();
  input.startTime = latestFix.GetLocalTime();
  return true;
}

double MeanRouteResistance(const Voyage& voyage) {
  if (voyage.GetCount() < 2) return 0.0;
  double weighted = 0.0;
  for (const auto& waypoint : voyage) {
    const double term = waypoint->LegDistance / waypoint->GroundSpeed * waypoint->Resistance;
    if (std::isfinite(term)) weighted += term;
  }
  const double hours =
      (voyage.GetLast()->GetScheduledTime() - voyage.GetFirst()->GetTime()) * kHoursPerDay;
  return weighted / hours;
}

EtaResult CalculateEta(CVessel2& vessel, const Voyage& voyage, const EtaInput& input) {
  vessel.draftForward = input.draftForward;
  vessel.draftAft = input.draftAft;
  const double rpm = input.rpm;
  const double resistance = MeanRouteResistance(voyage);
  const CNavigation navigation;
  EtaResult result;
  result.speed = VesselModel(vessel).LogSpeed(rpm, resistance);
  result.hours =
      VesselModel(vessel).ManoeuvringTime(rpm) / 60.0 +
      (input.distance - VesselModel(vessel).ManoeuvringDistance(rpm, resistance)) / result.speed;
  result.eta = navigation.TimeFromDayNumber(navigation.LocalDayNumber(input.startTime) +
                                            result.hours / kHoursPerDay +
                                            input.localTimeChange / kHoursPerDay);
  result.fuel = VesselModel(vessel).FuelConsumption(rpm, result.hours);
  result.speedText = FormatNumber(kKnotsFormat, result.speed);
  result.etaText = FormatUtc(result.eta, kLocalDateTimeFormat);
  result.fuelText = FormatNumber(kVoyageFuelFormat, result.fuel);
  return result;
}

HeightResult CalculateHeight(CVessel2& vessel, const HeightInput& input) {
  vessel.draftForward = input.draftForward;
  vessel.draftAft = input.draftAft;
  const double fraction = input.position * 0.01;  // 0 aft, 1 forward
  HeightResult result;
  result.eye = VesselModel(vessel).EyeHeight(fraction);
  result.mast = VesselModel(vessel).AirDraft(fraction);
  result.deck = vessel.depthMoulded - VesselModel(vessel).DraftAt(fraction);
  result.eyeMetres = FormatNumber(kHeightFormat, result.eye);
  result.eyeFeet = FormatNumber(kHeightFormat, result.eye * kFeetPerMetre);
  result.mastMetres = FormatNumber(kHeightFormat, result.mast);
  result.mastFeet = FormatNumber(kHeightFormat, result.mast * kFeetPerMetre);
  result.deckMetres = FormatNumber(kHeightFormat, result.deck);
  result.deckFeet = FormatNumber(kHeightFormat, result.deck * kFeetPerMetre);
  return result;
}

CalculatorInputs OpeningInputs(const PositionFix& latestFix, const CVessel2& vessel) {
  const TimeValue now = ProcessClock().Now();
  CalculatorInputs inputs;
  inputs.engineSliderPosition = EngineSliderPosition(vessel);
  const int rpm = EngineSettingAt(vessel, inputs.engineSliderPosition);

  inputs.distances.departure = EntryOf(latestFix);
  inputs.distances.arrival = EntryOf(CPosition2());

  inputs.deadReckoning.startTime = latestFix.GetTimeValue();
  inputs.deadReckoning.start = EntryOf(latestFix);
  inputs.deadReckoning.course = latestFix.CourseMadeGood;
  inputs.deadReckoning.speed = latestFix.SpeedMadeGood;
  inputs.deadReckoning.resultTime = now;

  inputs.squat.draftForward = vessel.draftForward;
  inputs.squat.draftAft = vessel.draftAft;
  inputs.squat.lcb = vessel.lcb;
  inputs.squat.lcf = vessel.lcf;
  inputs.squat.etm = vessel.mctc;

  inputs.wheelOver.rpm = rpm;
  inputs.wheelOver.presentCourse = latestFix.CourseMadeGood;
  inputs.wheelOver.currentDirection = latestFix.Weather.CurrentSet;
  inputs.wheelOver.currentSpeed = latestFix.Weather.CurrentRate;

  inputs.eta.rpm = rpm;
  inputs.eta.draftForward = vessel.draftForward;
  inputs.eta.draftAft = vessel.draftAft;
  inputs.eta.startTime = now;

  inputs.height.draftForward = vessel.draftForward;
  inputs.height.draftAft = vessel.draftAft;
  return inputs;
}

}  // namespace keelmark

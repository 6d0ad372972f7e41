// The navigation calculator: each page's computation, from the page's inputs to the texts it
// shows, with the same navigation math and vessel model as the voyage calculation.
//
// The sheet works on its own copy of the vessel (CalculatorVessel). The Speed, Squat, Wheel
// over Point and ETA pages share that copy's calibrationRpm as the engine setting; the pages
// that write into the copy (Squat: ETM, LCB, LCF; ETA and Height: the drafts) take it by
// non-const reference. Positions are decimal degrees, distances nM, speeds knots, courses
// degrees true, drafts and heights metres, times time values (seconds since 1970). Every
// number that is not finite is shown as "NA".
#pragma once

#include <string>

#include "navigation/time_value.h"
#include "records/position.h"

namespace keelmark {

class CVessel2;
class PositionFix;
class SettingsStore;
class Voyage;

// The vessel file loaded into the sheet's own copy; when it cannot be loaded, `loaded` is false,
// the copy keeps the defaults and the sheet shows kDefaultShipMessage.
inline constexpr const char* kDefaultShipMessage =
    "Did not succeed in loading the vessel datafile\ncalculation will use a default ship!";
[[nodiscard]] CVessel2 CalculatorVessel(const SettingsStore& store, bool& loaded);
// The same from the vessel file at `path`: the path the store names, resolved where the
// program keeps its data files.
[[nodiscard]] CVessel2 CalculatorVessel(const SettingsStore& store, const std::string& path,
                                        bool& loaded);

// --- Coordinates as the pages take them ---

struct DegMinEntry {
  int degrees = 0;  // whole degrees, 0-90 (latitude) or 0-180 (longitude)
  double minutes = 0.0;
  int hemisphere = 0;  // 1: south (west), 0: north (east)
};
struct DegMinPosition {
  DegMinEntry latitude;
  DegMinEntry longitude;
};
[[nodiscard]] DegMinPosition EntryOf(const CPosition2& position);
[[nodiscard]] CPosition2 PositionOf(const DegMinPosition& entry);

// --- Engine-setting slider (Speed, Squat, Wheel over Point, ETA) ---
// Range 0 to maxRpm with the maximum at the top: the setting is maxRpm - position.

// Where the slider opens: maxRpm - calibrationRpm truncated, kept in the slider's range; an
// engine setting that is no number opens the slider at the bottom (0 rpm).
[[nodiscard]] int EngineSliderPosition(const CVessel2& vessel);
// The engine setting (rpm) at a slider position; a position outside the range counts as the
// nearer end.
[[nodiscard]] int EngineSettingAt(const CVessel2& vessel, int position);
// Moving the slider: the vessel copy's calibrationRpm becomes the setting, which is returned.
int MoveEngineSlider(CVessel2& vessel, int position);
// "%3.0f rpm".
[[nodiscard]] std::string EngineSettingText(double rpm);

// --- Distances ---

// The track list, in list order; the enumerators are the list indexes.
enum class Track : int { GreatCircle = 0, RhumbLine = 1 };
inline constexpr const char* kTrackEntries[] = {"Greatcircle", "Rhumbline"};

struct DistancesInput {
  DegMinPosition departure;
  DegMinPosition arrival;
  Track track = Track::GreatCircle;
};
struct DistancesResult {
  double course = 0.0;       // initial course, degrees true
  double distance = 0.0;     // nM
  std::string courseText;    // "%#3.1f deg"
  std::string distanceText;  // "%#10.1f nM"
};
// Course and distance from departure to arrival by the chosen track.
[[nodiscard]] DistancesResult CalculateDistances(const DistancesInput& input);

// --- Dead Reckoning ---

struct DeadReckoningInput {
  TimeValue startTime = 0;  // "Date and Time:" of the start position
  DegMinPosition start;
  double course = 0.0;       // degrees true
  double speed = 0.0;        // knots
  TimeValue resultTime = 0;  // "Date and time:" of the result; before the start runs backwards
};
struct DeadReckoningResult {
  CPosition2 position;        // the reckoned position
  std::string latitudeText;   // CPosition2::LatitudeText
  std::string longitudeText;  // CPosition2::LongitudeText
};
// The start run along a rhumb line on the course at the speed from start time to result time.
[[nodiscard]] DeadReckoningResult CalculateDeadReckoning(const DeadReckoningInput& input);

// --- Speed ---

enum class WindSide : int { OnTheHead = 0, OnTheStern = 1 };
inline constexpr const char* kWindSideEntries[] = {"On the head", "On the stern"};

// The page's wave height field enters nothing: the wave term takes the swell, as it does in
// the voyage calculation. Its "Max. Draft:" shows the vessel copy's draftAft.
struct SpeedInput {
  double windSpeed = 0.0;  // knots, on the head or on the stern of calibrationHeading
  WindSide windSide = WindSide::OnTheHead;
  double swellHeight = 0.0;  // m
};
struct SpeedResult {
  double logSpeed = 0.0;           // knots; 0 at an engine setting of 0
  double reduceDistance = 0.0;     // nM to reduce to manoeuvring speed, at least 0
  double fuel = 0.0;               // t per day
  std::string logSpeedText;        // "%#3.1f kts"
  std::string reduceDistanceText;  // "%#3.1f nM"
  std::string fuelText;            // "%#3.1f mT"
};
// Log speed, distance for reducing and fuel per day at the vessel's calibrationRpm, with the
// hull, air and wave terms.
[[nodiscard]] SpeedResult CalculateSpeed(const CVessel2& vessel, const SpeedInput& input);

// --- Squat ---

enum class Water : int { Deep = 0, Shallow = 1 };
inline constexpr const char* kWaterEntries[] = {"Deep water", "Shallow water"};

// The draft bars' range, whole metres.
inline constexpr int kDraftBarLowest = 2;
inline constexpr int kDraftBarHighest = 20;

struct SquatInput {
  double draftForward = 0.0;  // m, stopped
  double draftAft = 0.0;      // m, stopped
  double lcb = 0.0;           // m
  double lcf = 0.0;           // m
  double etm = 0.0;           // t·m/cm
  Water water = Water::Deep;
};
struct SquatResult {
  double speed = 0.0;                // knots, the propeller speed at calibrationRpm
  double draftForward = 0.0;         // m, squatted
  double draftAft = 0.0;             // m, squatted
  int forwardBar = kDraftBarLowest;  // squatted drafts truncated, within the bars' range
  int aftBar = kDraftBarLowest;
  std::string speedText;         // "%#3.1f kts"
  std::string draftForwardText;  // "%#3.1f mtr"
  std::string draftAftText;      // "%#3.1f mtr"
};
// Stores ETM, LCB and LCF into the vessel copy (mctc, lcb, lcf), then squats the stopped
// drafts at the propeller speed of calibrationRpm.
[[nodiscard]] SquatResult CalculateSquat(CVessel2& vessel, const SquatInput& input);

// --- Wheel over Point ---

struct WheelOverInput {
  int rpm = 0;                    // the page's engine setting
  double presentCourse = 0.0;     // "Original grnd course", degrees true
  double requiredCourse = 0.0;    // degrees true
  double currentDirection = 0.0;  // degrees true, towards
  double currentSpeed = 0.0;      // knots
  double rateOfTurn = 20.0;       // degrees per minute
};
struct WheelOverResult {
  double distance = 0.0;     // nM before the new track at which to put the wheel over
  std::string distanceText;  // "%#2.1f nM"
};
[[nodiscard]] WheelOverResult CalculateWheelOver(const CVessel2& vessel,
                                                 const WheelOverInput& input);

// --- ETA ---

struct EtaInput {
  int rpm = 0;                   // the page's engine setting
  double distance = 0.0;         // nM
  double draftForward = 0.0;     // m
  double draftAft = 0.0;         // m
  double localTimeChange = 0.0;  // hours the clocks change on the way
  TimeValue startTime = 0;       // local time value at the start
};
// The "Departure" button: the route's total distance, the zone change from the first to the
// last waypoint and the departure's local time. False, with the input unchanged, when the
// route has fewer than two waypoints.
bool StartFromDeparture(const Voyage& voyage, EtaInput& input);
// The "Latest Fix" button: the distance remaining from the fix, the zone change from the fix
// to the last waypoint and the fix's local time. False as above.
bool StartFromLatestFix(const Voyage& voyage, const PositionFix& latestFix, EtaInput& input);

// The route's resistance figure weighted by the time on each leg: the sum of leg distance /
// ground speed x resistance over the waypoints, divided by the hours from the departure to
// the scheduled arrival. Terms that are no number, such as the first waypoint's 0 / 0 before a
// calculation has filled its leg, are left out. 0 for fewer than two waypoints.
[[nodiscard]] double MeanRouteResistance(const Voyage& voyage);

struct EtaResult {
  double speed = 0.0;       // knots through the water
  double hours = 0.0;       // h, with the manoeuvring allowances
  TimeValue eta = kNoTime;  // local time value at the destination
  double fuel = 0.0;        // t
  std::string speedText;    // "%#3.1f kts"
  std::string etaText;      // "%d %b %H:%M LT"
  std::string fuelText;     // "%6.0f mT"
};
// Stores the drafts into the vessel copy, then the ETA at the page's rpm under the route's mean
// resistance. An engine setting of 0 gives no ETA ("NA").
[[nodiscard]] EtaResult CalculateEta(CVessel2& vessel, const Voyage& voyage, const EtaInput& input);

// --- Height ---

// The position slider: 0 aft to 100 forward, opening at mid-length.
inline constexpr int kHeightSliderHighest = 100;
inline constexpr int kHeightSliderOpening = 50;

struct HeightInput {
  double draftForward = 0.0;  // m
  double draftAft = 0.0;      // m
  int position = kHeightSliderOpening;
};
struct HeightResult {
  double eye = 0.0;                  // m above the water
  double mast = 0.0;                 // m
  double deck = 0.0;                 // m, moulded depth less the draft
  std::string eyeMetres, eyeFeet;    // "%#3.1f"
  std::string mastMetres, mastFeet;  // "%#3.1f"
  std::string deckMetres, deckFeet;  // "%#3.1f"
};
// Stores the drafts into the vessel copy, then the heights at the slider's place on the ship.
[[nodiscard]] HeightResult CalculateHeight(CVessel2& vessel, const HeightInput& input);

// --- Opening values ---

struct CalculatorInputs {
  DistancesInput distances;
  DeadReckoningInput deadReckoning;
  SpeedInput speed;
  SquatInput squat;
  WheelOverInput wheelOver;
  EtaInput eta;
  HeightInput height;
  int engineSliderPosition = 0;
};
// What the pages open with. From the latest fix (a default fix when the history is empty): the
// departure of Distances and the start of Dead Reckoning with the fix's time, course and speed
// made good; the Wheel over Point's current and present ground course. From the vessel copy:
// the engine setting, the Squat page's hydrostatics and stopped drafts, and the drafts of ETA
// and Height. The Distances arrival opens at 45N 005E on the first track entry; the Dead
// Reckoning result time and the ETA start time open at the present time, the ETA distance at 0.
[[nodiscard]] CalculatorInputs OpeningInputs(const PositionFix& latestFix, const CVessel2& vessel);

}  // namespace keelmark

#include "voyage/average_weather.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "navigation/nearest_position.h"
#include "records/meteo_list.h"
#include "records/position_fix.h"
#include "records/voyage.h"
#include "voyage/meteo_grid.h"

namespace keelmark {
namespace {

// A grid record takes the observations of every position up to this far from it, nM.
constexpr double kGridRadiusNm = 300.0;

// An imported record's seasons are merged in the order of these months, so that Latest ends
// with the September-December values.
constexpr int kImportMonths[] = {1, 5, 7, 11};

// The calendar month (1-12) of a day number; none when it has no time value.
std::optional<int> MonthOf(double dayNumber) {
  const TimeValue t = CNavigation().TimeFromDayNumber(dayNumber);
  if (t == kNoTime) return std::nullopt;
  return UtcFields(t).month + 1;
}

// q = month / 3, at most 3: January-February, March-May, June-August, September-December.
template <typename Record>
auto& SeasonBlockOf(Record& record, int month) {
  switch (std::clamp(month / 3, 0, 3)) {
    case 0:
      return record.JanFeb;
    case 1:
      return record.MarMay;
    case 2:
      return record.JunAug;
    default:
      return record.SepDec;
  }
}

bool HasFinitePosition(const CPosition2& position) {
  return std::isfinite(position.GetLatitude()) && std::isfinite(position.GetLongitude());
}

// Copies an observation into a block; the block keeps the layout it was read in.
void CopyObservation(const WeatherConditions& from, WeatherConditions& to) {
  const bool olderLayout = to.OlderLayout;
  to = from;
  to.OlderLayout = olderLayout;
}

// The target's and the source's vectors (direction in degrees, magnitude), each weighted by
// its number of observations, added by rhumb line and divided by the total number.
void MergeVector(const CNavigation& navigation, double& targetDirection, double& targetMagnitude,
                 double sourceDirection, double sourceMagnitude, double targetCount,
                 double sourceCount) {
  double direction = targetDirection;
  double sum = targetCount * targetMagnitude;
  navigation.AddVectors(direction, sum, sourceDirection, sourceCount * sourceMagnitude);
  targetDirection = direction;
  targetMagnitude = sum / (targetCount + sourceCount);
}

// The grid record nearest the position when it lies within the grid radius, else a new record
// at the position (with the position's zone offset and empty blocks) appended to the list.
MeteoObservation* GridRecordFor(MeteoGrid& grid, const CPosition2& position) {
  MeteoObservation* nearest = grid.Nearest(position);
  if (nearest && CNavigation().Distance(position, *nearest, true) <= kGridRadiusNm) {
    return nearest;
  }
  auto record = std::make_unique<MeteoObservation>();
  record->SetLatitude(position.GetLatitude());
  record->SetLongitude(position.GetLongitude());
  record->SetZoneOffset(position.GetZoneOffset());
  return grid.Add(std::move(record));
}

}  // namespace

WeatherConditions& SeasonBlock(MeteoObservation& record, int month) {
  return SeasonBlockOf(record, month);
}

const WeatherConditions& SeasonBlock(const MeteoObservation& record, int month) {
  return SeasonBlockOf(record, month);
}

void MergeObservation(MeteoObservation& record, const WeatherConditions& source,
                      WeatherConditions& target) {
  // A copy: the source may be one of the record's own blocks.
  const WeatherConditions s = source;
  const CNavigation navigation;
  // The source counts at least once; a negative count read from a damaged file counts as none
  // rather than turning the means upside down.
  const std::int64_t sourceCount = std::max<std::int32_t>(s.ObservationCount, 1);
  const std::int64_t targetCount = std::max<std::int32_t>(target.ObservationCount, 0);
  const double cs = static_cast<double>(sourceCount);
  const double ct = static_cast<double>(targetCount);
  const double n = cs + ct;

  for (auto field : {&WeatherConditions::SeaTemperature, &WeatherConditions::AirTemperature,
                     &WeatherConditions::AirPressure, &WeatherConditions::AuxValue}) {
    target.*field = (ct * (target.*field) + cs * (s.*field)) / n;
  }
  // No current was estimated, or no swell observed: the average stays as it is.
  if (s.CurrentRate > 0.0) {
    MergeVector(navigation, target.CurrentSet, target.CurrentRate, s.CurrentSet, s.CurrentRate, ct,
                cs);
  }
  if (s.SwellHeight > 0.0) {
    MergeVector(navigation, target.SwellDirection, target.SwellHeight, s.SwellDirection,
                s.SwellHeight, ct, cs);
  }
  // A calm observation counts: it lowers the mean wind.
  MergeVector(navigation, target.WindDirection, target.WindSpeed, s.WindDirection, s.WindSpeed, ct,
              cs);
  // Waves and visibility take the source as one observation whatever its count.
  target.WaveHeight = (ct * target.WaveHeight + s.WaveHeight) / (ct + 1.0);
  target.Visibility = (ct * target.Visibility + s.Visibility) / (ct + 1.0);
  target.ObservationCount = static_cast<std::int32_t>(
      std::min<std::int64_t>(sourceCount + targetCount, std::numeric_limits<std::int32_t>::max()));

  CopyObservation(s, record.Latest);
  record.SetTime(navigation.UtcDayNumberNow());
}

MeteoObservation* AddFixObservation(MeteoList& list, const PositionFix& fix) {
  const std::optional<int> month = MonthOf(fix.GetTime());
  if (!month || !HasFinitePosition(fix)) return nullptr;
  MeteoGrid grid(list);
  MeteoObservation* record = GridRecordFor(grid, fix);
  MergeObservation(*record, fix.Weather, SeasonBlock(*record, *month));
  return record;
}

MeteoObservation* MergeRecord(MeteoList& list, const MeteoObservation& imported, int seasons) {
  MeteoGrid grid(list);
  return MergeRecord(grid, imported, seasons);
}

MeteoObservation* MergeRecord(MeteoGrid& grid, const MeteoObservation& imported, int seasons) {
  if (!HasFinitePosition(imported)) return nullptr;
  MeteoObservation* record = GridRecordFor(grid, imported);
  const int count = std::clamp(seasons, 0, static_cast<int>(std::size(kImportMonths)));
  for (int i = 0; i < count; ++i) {
    const int month = kImportMonths[i];
    MergeObservation(*record, SeasonBlock(imported, month), SeasonBlock(*record, month));
  }
  return record;
}

void ApplyAverageWeather(Voyage& voyage, const MeteoList& list) {
  const bool useLatest = voyage.UseForecastAreas != 0;
  if (list.IsEmpty()) return;
  // Every recalculation runs this for every waypoint against the whole grid.
  std::vector<const MeteoObservation*> records;
  records.reserve(static_cast<std::size_t>(list.GetCount()));
  for (const auto& record : list) records.push_back(record.get());
  const NearestPositionFinder finder({records.begin(), records.end()});
  for (const auto& waypoint : voyage) {
    if (waypoint->UseVoyageWeather == 0) continue;
    const MeteoObservation* nearest =
        records[static_cast<std::size_t>(finder.NearestIndex(*waypoint))];
    if (useLatest) {
      CopyObservation(nearest->Latest, waypoint->Weather);
      continue;
    }
    const std::optional<int> month =
        MonthOf(waypoint->GetScheduledTime() + waypoint->GetZoneOffset());
    if (month) CopyObservation(SeasonBlock(*nearest, *month), waypoint->Weather);
  }
}

}  // namespace keelmark

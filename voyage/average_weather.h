// Average weather: the observed weather and current merged per grid position and season into
// the MeteoList, and handed on to the waypoints before the voyage is calculated.
//
// A grid record serves every position within 300 nM (great circle) of it. Its four season
// blocks are chosen by calendar month (UTC fields of the day number plus, for waypoints, their
// zone offset); its Latest block holds the last observation merged in, and its Time the day
// number of that merge.
#pragma once

namespace keelmark {

class MeteoGrid;
class MeteoList;
class MeteoObservation;
class PositionFix;
class Voyage;
class WeatherConditions;

// The season block of a calendar month (1-12): January-February, March-May, June-August,
// September-December. Months below 1 count as January, above 12 as December.
[[nodiscard]] WeatherConditions& SeasonBlock(MeteoObservation& record, int month);
[[nodiscard]] const WeatherConditions& SeasonBlock(const MeteoObservation& record, int month);

// Averages source into target (a block of record), weighting each by its number of
// observations (the source counts at least once): scalars as weighted means, wind, current and
// swell as vector means, the current only when the source has a rate and the swell only when it
// has a height; wave height and visibility count the source once. The record's Latest block
// then takes the source's values and the record's Time becomes today's day number.
void MergeObservation(MeteoObservation& record, const WeatherConditions& source,
                      WeatherConditions& target);

// Merges a confirmed fix's weather and estimated current into the season block (month of the
// fix's Time) of the grid record nearest it, or of a new record at the fix's position when
// none lies within 300 nM. The record merged into; none, and the list unchanged, when the fix
// has no finite position or no time value.
MeteoObservation* AddFixObservation(MeteoList& list, const PositionFix& fix);

// Merges an imported grid record season by season into the nearest record within 300 nM, or
// into a new record at its position. Latest ends up with the imported September-December
// values. The record merged into; none, and the list unchanged, when the imported record has
// no finite position.
// An import line may carry only the first seasons (January-February first, then March-May,
// June-August, September-December): seasons merges that many, so that the blocks a line did not
// carry are not averaged with empty observations; Latest then ends with the last one merged.
MeteoObservation* MergeRecord(MeteoList& list, const MeteoObservation& imported, int seasons = 4);
// The same into the grid's list: many merges in a row search an index of the grid instead of
// the whole list each time.
MeteoObservation* MergeRecord(MeteoGrid& grid, const MeteoObservation& imported, int seasons = 4);

// Gives every waypoint whose UseVoyageWeather is set the weather and current of its nearest
// grid record (no distance limit): the Latest block when the voyage uses forecast areas,
// otherwise the season block of the waypoint's ETA (ScheduledTime plus zone offset). Waypoints
// with the flag cleared keep their own weather, and so does a waypoint whose ETA has no time
// value in season mode. An empty list changes nothing.
void ApplyAverageWeather(Voyage& voyage, const MeteoList& list);

}  // namespace keelmark

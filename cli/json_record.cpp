#include "cli/json_record.h"

#include "records/chart.h"
#include "records/port.h"
#include "records/voyage.h"
#include "records/weather_conditions.h"

namespace keelmark::cli {

// The stored pressure alone tells the two layouts apart; one that would read back as the other
// layout would shift every field after it.
void CompleteFromJson(const Json& /*object*/, WeatherConditions& weather) {
  const double limit = WeatherConditions::kOlderLayoutLimit;
  if (weather.OlderLayout && !(weather.AirPressure <= limit)) {
    throw CommandError("an older-layout weather block needs an AirPressure of at most 8000");
  }
  if (!weather.OlderLayout && weather.AirPressure + WeatherConditions::kPressureMark <= limit) {
    throw CommandError(
        "AirPressure must be above -1000, or the block reads back as the older layout");
  }
}

void CompleteFromJson(const Json& /*object*/, Voyage& voyage) {
  if (voyage.Version <= 3 && !voyage.Note.empty()) {
    throw CommandError("a voyage of version 3 or lower has no note");
  }
}

// A chart left without them takes what the program stores for a new chart: the "Version 4" tag
// and the name as its own copy.
void CompleteFromJson(const Json& object, Chart& chart) {
  if (!object.contains("LayoutTag")) chart.LayoutTag = Chart::kLayoutTag;
  if (!object.contains("StoredName")) chart.StoredName = chart.Name;
}

// A port left without it takes the mark that the program stores, 1000 (the newer layout).
void CompleteFromJson(const Json& object, Port& port) {
  if (!object.contains("LayoutMark")) port.LayoutMark = Port::kLayoutMark;
}

}  // namespace keelmark::cli

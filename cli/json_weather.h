// JSON form of a WeatherConditions block, embedded by every record that carries one.
#pragma once

#include "cli/json_fields.h"

namespace keelmark {
class WeatherConditions;
}

namespace keelmark::cli {

// An object with every stored field of the block under its own name, and "OlderLayout": true
// for a block loaded in the older layout (built back the same way).
[[nodiscard]] Json WeatherToJson(const WeatherConditions& weather);

// Sets the fields that the object names; the others keep their values. A pressure that would
// read back in the other layout raises CommandError.
void WeatherFromJson(const Json& object, WeatherConditions& weather);

}  // namespace keelmark::cli

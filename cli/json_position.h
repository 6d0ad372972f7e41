// JSON form of the CPosition2 fields, shared by every located record's dump and build.
#pragma once

#include "cli/json_fields.h"

namespace keelmark {
class CPosition2;
}

namespace keelmark::cli {

// An object with the stored position fields under their own names: Name, Latitude, Longitude,
// ZoneOffset, Time, ScheduledTime, RequiredTime, Spare. A derived record adds its members to it.
[[nodiscard]] Json PositionToJson(const CPosition2& position);

// Sets the stored position fields that the object names; the others keep their values.
void PositionFromJson(const Json& object, CPosition2& position);

}  // namespace keelmark::cli

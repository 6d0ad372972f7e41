#include "cli/json_position.h"

#include "records/position.h"

namespace keelmark::cli {

Json PositionToJson(const CPosition2& position) {
  return Json{{"Name", position.Name},
              {"Latitude", JsonNumber(position.Latitude)},
              {"Longitude", JsonNumber(position.Longitude)},
              {"ZoneOffset", JsonNumber(position.ZoneOffset)},
              {"Time", JsonNumber(position.Time)},
              {"ScheduledTime", JsonNumber(position.ScheduledTime)},
              {"RequiredTime", JsonNumber(position.RequiredTime)},
              {"Spare", JsonNumber(position.Spare)}};
}

void PositionFromJson(const Json& object, CPosition2& position) {
  ReadMember(object, "Name", position.Name);
  ReadMember(object, "Latitude", position.Latitude);
  ReadMember(object, "Longitude", position.Longitude);
  ReadMember(object, "ZoneOffset", position.ZoneOffset);
  ReadMember(object, "Time", position.Time);
  ReadMember(object, "ScheduledTime", position.ScheduledTime);
  ReadMember(object, "RequiredTime", position.RequiredTime);
  ReadMember(object, "Spare", position.Spare);
}

}  // namespace keelmark::cli

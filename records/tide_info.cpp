#include "records/tide_info.h"

#include "navigation/clock.h"
#include "records/archive.h"

namespace keelmark {

CTideInfo::CTideInfo() : TideTime(ProcessClock().Now()) {}

void CTideInfo::Serialize(Archive& archive) {
  for (double& value : LeadingValues) archive.Io(value);
  archive.IoTime(TideTime);
  for (double& value : TrailingValues) archive.Io(value);
}

}  // namespace keelmark

#include "records/storm.h"

#include "records/archive.h"

namespace keelmark {

void Storm::Serialize(Archive& archive) {
  CPosition2::Serialize(archive);
  archive.Io(Course);
  archive.Io(Speed);
  archive.Io(MaxWind);
  archive.Io(CentralPressure);
  archive.Io(EyeDiameter);
  archive.Io(FieldRadius);
  archive.Io(PressureTendency);
}

}  // namespace keelmark

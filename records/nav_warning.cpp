#include "records/nav_warning.h"

#include <memory>

#include "records/archive.h"

namespace keelmark {

void NavWarning::Serialize(Archive& archive) {
  CPosition2::Serialize(archive);
  archive.Io(WarningSpare);
  Outline.SerializeRecords(archive);
  archive.Io(OpenTraject);
  Message.Serialize(archive);
}

CPosition2* NavWarning::AddOutlinePosition() { return Outline.Add(std::make_unique<CPosition2>()); }

CPosition2* NavWarning::GetOutlinePosition(int index) const {
  if (index < 0 || index >= Outline.GetCount()) return nullptr;
  return Outline.GetAt(index);
}

bool NavWarning::RemoveOutlinePosition(const CPosition2* position) {
  return Outline.Remove(position);
}

void NavWarning::UpdateCentre() {
  if (Outline.IsEmpty()) return;
  double latitudeSum = 0.0;
  double longitudeSum = 0.0;
  for (const auto& position : Outline) {
    latitudeSum += position->GetLatitude();
    longitudeSum += position->GetLongitude();
  }
  const double count = Outline.GetCount();
  SetLatitude(latitudeSum / count);
  SetLongitude(longitudeSum / count);
}

}  // namespace keelmark

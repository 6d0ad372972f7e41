#include "records/chart.h"

#include "navigation/clock.h"
#include "records/archive.h"

namespace keelmark {
Chart::Chart() : IssueTime(ProcessClock().Now()), Edition(IssueTime) {}

void Chart::Serialize(Archive& archive) {
  if (archive.IsStoring()) {
    LayoutTag = kLayoutTag;
    std::string nameCopy = Name;
    SerializeFields(archive, nameCopy);
    return;
  }
  SerializeFields(archive, StoredName);
  ApplyNameRules();
}

void Chart::SerializeAsStored(Archive& archive) { SerializeFields(archive, StoredName); }

void Chart::SerializeFields(Archive& archive, std::string& nameCopy) {
  CPosition2::Serialize(archive);
  archive.Io(IsChart);
  archive.Io(ChartText1);
  archive.Io(LayoutTag);
  archive.Io(nameCopy);
  archive.Io(Number);
  archive.Io(AltName);
  archive.Io(Publisher);
  archive.IoTime(IssueTime);
  archive.IoTime(Edition);
  archive.Io(Scale);
  archive.Io(ScaleLatitude);
  if (!HasNewerLayout()) return;
  archive.Io(BitmapPath);
  archive.Io(LatitudeExtent);
  archive.Io(LongitudeExtent);
}

void Chart::ApplyNameRules() {
  if (Name.empty() || Name == kDefaultName) SetName(StoredName);
  if (Name.empty()) SetName(AltName);
}

}  // namespace keelmark

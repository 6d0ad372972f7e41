#include "records/position_fix.h"

#include "records/archive.h"
#include "records/report_numbers.h"

namespace keelmark {

void PositionFix::Serialize(Archive& archive) { SerializeFields(archive, StoreLayout::Current); }

void PositionFix::SerializeAsStored(Archive& archive) {
  SerializeFields(archive, StoreLayout::AsLoaded);
}

void PositionFix::SerializeFields(Archive& archive, StoreLayout layout) {
  CPosition2::Serialize(archive);
  Weather.Serialize(archive, layout);
  archive.Io(CourseMadeGood);
  archive.Io(SpeedMadeGood);
  archive.Io(SteeredCourse);
  archive.Io(LogSpeed);
  archive.Io(FixSpare);
  archive.Io(EngineRpm);
  archive.Io(DraftAft);
}

std::string PositionFix::ReportCourse() const { return ReportCourseGroup(CourseMadeGood); }

std::string PositionFix::ReportSpeed() const { return ReportSpeedGroup(SpeedMadeGood); }

std::string PositionFix::ReportTime() const { return ReportTimeGroupOf(Time) + "/"; }

}  // namespace keelmark

#include "records/waypoint.h"

#include "records/archive.h"
#include "records/report_numbers.h"

namespace keelmark {

void Waypoint::Serialize(Archive& archive) { SerializeFields(archive, StoreLayout::Current); }

void Waypoint::SerializeAsStored(Archive& archive) {
  SerializeFields(archive, StoreLayout::AsLoaded);
}

void Waypoint::SerializeFields(Archive& archive, StoreLayout layout) {
  CPosition2::Serialize(archive);
  Weather.Serialize(archive, layout);
  archive.Io(ManualSpeed);
  archive.Io(GreatCircle);
  archive.Io(GroundSpeed);
  archive.Io(Spare2);
  archive.Io(Spare1);
  archive.Io(UseVoyageWeather);
}

// "L/", the sailing and the speed group: what both route lines begin with.
std::string Waypoint::LegHead() const {
  return std::string("L/") + (GreatCircle ? "GC/" : "RL/") + ReportSpeedGroup(GroundSpeed);
}

std::string Waypoint::RouteLine() const {
  return LegHead() + ReportLatitude() + ReportLongitude() + Name + "/" + ReportTimeGroupSlash() +
         "/";
}

std::string Waypoint::RouteLineWithTimeFirst() const {
  return LegHead() + ReportLatitude() + ReportLongitude() + ReportTimeGroupSlash() + Name + "//";
}

}  // namespace keelmark

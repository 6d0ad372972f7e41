// Voyage: the planned route, its waypoints in route order (first the departure, last the
// arrival) with the voyage's own settings.
#pragma once

#include <cstdint>
#include <string>

#include "records/field_visitor.h"
#include "records/record_list.h"
#include "records/waypoint.h"

namespace keelmark {

class Voyage : public RecordList<Waypoint> {
 public:
  // Storing: Version (when > 3), VoyageNumber, ConstantRpm, the waypoints as a list, Note (when
  // Version > 3). Loading deletes the waypoints first, reads Version only when the one in memory
  // is above 3, and reads Note only when the version just read is above 3. The route document
  // sets Version to 4 before both directions, so its files always carry the version.
  void Serialize(Archive& archive);
  // Both directions, as a route document holds the voyage whatever Version is in memory: the
  // version field always, the note when that version is above 3, and each waypoint's weather in
  // the layout it was loaded in. Dump and build of files use it.
  void SerializeAsStored(Archive& archive);

  std::int32_t Version = 4;           // layout version of the stored voyage
  std::string Note;                   // the voyage's notes page (stored when Version > 3)
  std::int32_t UseForecastAreas = 0;  // 1: weather from forecast areas, 0: average weather;
                                      // never stored
  std::string VoyageNumber;           // "Voyage number"
  std::int32_t ConstantRpm = 1;       // 1: engine rpm constant, 0: ground speed constant

  static constexpr std::int32_t kCurrentVersion = 4;

 protected:
  [[nodiscard]] std::size_t MinimumRecordBytes() const override {
    return Waypoint::kMinimumStoredBytes;
  }

 private:
  [[nodiscard]] bool CarriesVersion() const { return Version > 3; }
  void SerializeFields(Archive& archive, bool versionField, StoreLayout layout);
};

// The stored settings, then the waypoints.
template <RecordOf<Voyage> VoyageRecord, typename Visitor>
void VisitFields(VoyageRecord& v, Visitor&& visit) {
  visit("Version", v.Version);
  visit("VoyageNumber", v.VoyageNumber);
  visit("ConstantRpm", v.ConstantRpm);
  visit("Note", v.Note);
  visit("Waypoints", FieldsOfBase<RecordList<Waypoint>>(v));
}

}  // namespace keelmark

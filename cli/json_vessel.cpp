// JSON forms of the vessel records for keelmark dump and build.
#include "cli/command_line.h"
#include "cli/file_types.h"
#include "records/vessel.h"

namespace keelmark::cli {
namespace {

constexpr const char* kHydrostaticTable = "hydrostaticTable";

// The stored fields of the vessel in file order, each with its name; dump and build are two
// visitors over this one list. The hydrostatic table follows them.
template <typename Vessel, typename Visit>
void VisitStoredFields(Vessel& v, Visit&& visit) {
  visit("calibrationHeading", v.calibrationHeading);
  visit("containerTiers", v.containerTiers);
  visit("depthMoulded", v.depthMoulded);
  visit("lengthPP", v.lengthPP);
  visit("breadth", v.breadth);
  visit("spareValue", v.spareValue);
  visit("draftForward", v.draftForward);
  visit("draftAft", v.draftAft);
  visit("airCoefficient", v.airCoefficient);
  visit("hullCoefficient", v.hullCoefficient);
  visit("fullAheadMinutes", v.fullAheadMinutes);
  visit("manoeuvringMinutes", v.manoeuvringMinutes);
  visit("manoeuvringDistance", v.manoeuvringDistance);
  visit("minutesPerRpm", v.minutesPerRpm);
  visit("maxFuelPerDay", v.maxFuelPerDay);
  visit("maxPower", v.maxPower);
  visit("initialDisplacement", v.initialDisplacement);
  visit("propellerDiameter", v.propellerDiameter);
  visit("propellerPitch", v.propellerPitch);
  visit("manoeuvringRpm", v.manoeuvringRpm);
  visit("maxRpm", v.maxRpm);
  visit("name", v.name);
  visit("mastTopToKeel", v.mastTopToKeel);
  visit("eyeToKeel", v.eyeToKeel);
  visit("calibrationRpm", v.calibrationRpm);
  visit("referenceDraft", v.referenceDraft);
  visit("referenceDisplacement", v.referenceDisplacement);
  visit("displacement", v.displacement);
  visit("auxValue", v.auxValue);
  visit("mctc", v.mctc);
  visit("lcb", v.lcb);
  visit("lcf", v.lcf);
  visit("waveCoefficient", v.waveCoefficient);
  visit("hydroConstant", v.hydroConstant);
}

struct FieldWriter {
  Json& object;
  void operator()(const char* key, double value) const { object[key] = JsonNumber(value); }
  void operator()(const char* key, std::int32_t value) const { object[key] = value; }
  void operator()(const char* key, const std::string& value) const { object[key] = value; }
};

struct FieldReader {
  const Json& object;
  template <typename Field>
  void operator()(const char* key, Field& field) const {
    ReadMember(object, key, field);
  }
};

Json VesselToJson(const CVessel2& vessel) {
  Json object = Json::object();
  VisitStoredFields(vessel, FieldWriter{object});
  Json rows = Json::array();
  for (const CVessel2::HydrostaticRow& row : vessel.hydrostaticTable) {
    Json values = Json::array();
    for (const double value : row) values.push_back(JsonNumber(value));
    rows.push_back(std::move(values));
  }
  object[kHydrostaticTable] = std::move(rows);
  return object;
}

void VesselFromJson(const Json& object, CVessel2& vessel) {
  VisitStoredFields(vessel, FieldReader{object});
  const Json* rows = ArrayMember(object, kHydrostaticTable);
  if (!rows) return;
  vessel.hydrostaticTable.clear();
  for (const Json& values : *rows) {
    const std::string what = std::string("each row of \"") + kHydrostaticTable + "\"";
    if (!values.is_array() || values.size() != std::tuple_size_v<CVessel2::HydrostaticRow>) {
      throw CommandError(what + " must be an array of 7 numbers");
    }
    CVessel2::HydrostaticRow row{};
    for (std::size_t i = 0; i < row.size(); ++i) {
      // Read as a member of its own, so that a wrong value is reported under the table's name.
      ReadMember(Json{{kHydrostaticTable, values[i]}}, kHydrostaticTable, row[i]);
    }
    vessel.hydrostaticTable.push_back(row);
  }
}

}  // namespace

void AddVesselFileTypes(std::vector<FileType>& types) {
  types.push_back({"vessel",
                   [](Archive& archive) {
                     CVessel2 vessel;
                     vessel.Serialize(archive);
                     return VesselToJson(vessel);
                   },
                   [](const Json& content, Archive& archive) {
                     CVessel2 vessel;
                     VesselFromJson(content, vessel);
                     vessel.Serialize(archive);
                   }});
}

}  // namespace keelmark::cli

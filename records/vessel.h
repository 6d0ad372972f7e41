// CVessel2: the own ship's particulars, as the vessel file and the settings keep them. The
// vessel lives in its own data file ("vessel.dat"); its call sign and IMO number live in the
// settings instead. What the ship does with them is VesselModel's (voyage/vessel_model.h).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "records/archive_file.h"
#include "records/field_visitor.h"

namespace keelmark {

class Archive;
class SettingsStore;

class CVessel2 {
 public:
  // One row of the hydrostatic table: seven values, carried through the file unchanged.
  using HydrostaticRow = std::array<double, 7>;

  CVessel2();
  virtual ~CVessel2() = default;
  CVessel2(const CVessel2&) = default;
  CVessel2& operator=(const CVessel2&) = default;

  // The "vessel.dat" layout (lcg, imoNumber and callSign are not in it). A load replaces the
  // hydrostatic table; a file that ends early raises ArchiveError.
  virtual void Serialize(Archive& archive);

  // Call sign and IMO number from and to the settings section "Vessel".
  void ReadIdentity(const SettingsStore& store);
  void WriteIdentity(SettingsStore& store) const;
  // The vessel file's path: setting "Path"/"vesseldata".
  [[nodiscard]] static std::string FilePath(const SettingsStore& store);

  // Reads the record from the file at path. When the file cannot be opened or is damaged the
  // record keeps its values and the result says why.
  [[nodiscard]] LoadResult LoadFile(const std::string& path);
  // Writes the record to path, whole or not at all.
  [[nodiscard]] bool SaveFile(const std::string& path, std::string* error = nullptr) const;
  // LoadFile from the configured path, after reading the identity from the settings. Asking
  // the user for another file when this fails is the document's part.
  [[nodiscard]] LoadResult Load(const SettingsStore& store);
  // Writes the identity to the settings and the record to the configured path.
  [[nodiscard]] bool Save(SettingsStore& store, std::string* error = nullptr) const;

  // --- Fields, in the order they are declared. ---
  double lcg = 0.0;                        // longitudinal centre of gravity, m; not stored
  std::string imoNumber;                   // kept in the settings
  std::string callSign;                    // kept in the settings
  double hydroConstant = 1000.0;           // carried, not used
  double waveCoefficient = 0.1;            // wave resistance coefficient
  double mctc = 200.0;                     // moment to change trim 1 cm, t·m/cm
  double lcf = 1.0;                        // longitudinal centre of flotation, m
  double lcb = 1.0;                        // longitudinal centre of buoyancy, m
  double displacement = 73272.0;           // at the present draft, t
  double auxValue = 8.0;                   // carried, not used
  double referenceDisplacement = 80950.0;  // t; carried, not used
  double referenceDraft = 14.0;            // m; carried, not used
  double calibrationRpm = 63.0;            // engine setting of the latest condition, rpm
  double eyeToKeel = 45.0;                 // height of eye above keel, m
  double mastTopToKeel = 60.0;             // mast top above keel, m
  double calibrationHeading = 0.0;         // heading of the latest condition, degrees true
  std::int32_t containerTiers = 3;         // deck cargo height in tiers of 2.4 m
  double depthMoulded = 24.15;             // m
  double lengthPP = 247.0;                 // length between perpendiculars, m
  double breadth = 32.26;                  // maximum breadth, m
  double spareValue = 21.0;                // carried, not used
  double draftForward = 12.75;             // m
  double draftAft = 12.85;                 // m
  double airCoefficient = 0.03;            // air resistance coefficient
  double hullCoefficient = 0.3;            // hull resistance coefficient
  std::int32_t fullAheadMinutes = 30;      // time at full ahead, minutes
  std::int32_t manoeuvringMinutes = 15;    // time for manoeuvring, minutes
  std::int32_t manoeuvringDistance = 3;    // distance for manoeuvring, nM
  double minutesPerRpm = 2.0;              // time to reduce 1 rpm, minutes
  double maxFuelPerDay = 150.0;            // fuel per day at maxRpm, t
  double maxPower = 65880.0;               // kW; shown and stored only
  double initialDisplacement = 73272.0;    // what displacement starts from, t
  double propellerDiameter = 8.0;          // m
  double propellerPitch = 7.9;             // m
  std::int32_t manoeuvringRpm = 63;        // full ahead manoeuvring, rpm
  std::int32_t maxRpm = 106;               // rpm
  std::string name = "mv Brineholt";
  std::vector<HydrostaticRow> hydrostaticTable;  // carried, not used
};

// The fields of the vessel file in file order, then the hydrostatic table (the call sign and
// IMO number live in the settings and are not among them).
template <RecordOf<CVessel2> Vessel, typename Visitor>
void VisitFields(Vessel& v, Visitor&& visit) {
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
  visit("hydrostaticTable", v.hydrostaticTable);
}

}  // namespace keelmark

#include "records/vessel.h"

#include "records/archive.h"
#include "records/settings_store.h"

namespace keelmark {

CVessel2::CVessel2() {
  displacement = initialDisplacement;
  calibrationRpm = manoeuvringRpm;
}

void CVessel2::Serialize(Archive& archive) {
  archive.Io(calibrationHeading);
  archive.Io(containerTiers);
  for (double* field : {&depthMoulded, &lengthPP, &breadth, &spareValue, &draftForward, &draftAft,
                        &airCoefficient, &hullCoefficient}) {
    archive.Io(*field);
  }
  archive.Io(fullAheadMinutes);
  archive.Io(manoeuvringMinutes);
  archive.Io(manoeuvringDistance);
  for (double* field : {&minutesPerRpm, &maxFuelPerDay, &maxPower, &initialDisplacement,
                        &propellerDiameter, &propellerPitch}) {
    archive.Io(*field);
  }
  archive.Io(manoeuvringRpm);
  archive.Io(maxRpm);
  archive.Io(name);
  for (double* field :
       {&mastTopToKeel, &eyeToKeel, &calibrationRpm, &referenceDraft, &referenceDisplacement,
        &displacement, &auxValue, &mctc, &lcb, &lcf, &waveCoefficient, &hydroConstant}) {
    archive.Io(*field);
  }
  if (archive.IsLoading()) {
    hydrostaticTable.clear();
    const std::int32_t rows = archive.ReadCount(sizeof(HydrostaticRow));
    hydrostaticTable.resize(static_cast<std::size_t>(rows));
  } else {
    archive.WriteI32(static_cast<std::int32_t>(hydrostaticTable.size()));
  }
  for (HydrostaticRow& row : hydrostaticTable) {
    for (double& value : row) archive.Io(value);
  }
}

void CVessel2::ReadIdentity(const SettingsStore& store) {
  callSign = store.Read(setting::kCallSign);
  imoNumber = store.Read(setting::kIMONumber);
}

void CVessel2::WriteIdentity(SettingsStore& store) const {
  store.Write(setting::kCallSign, callSign);
  store.Write(setting::kIMONumber, imoNumber);
}

std::string CVessel2::FilePath(const SettingsStore& store) {
  return store.Read(setting::kVesselPath);
}

LoadResult CVessel2::LoadFile(const std::string& path) {
  // Loaded into a copy, so that a damaged file leaves this record as it was.
  CVessel2 loaded(*this);
  LoadResult result = LoadArchiveFile(path, [&](Archive& archive) { loaded.Serialize(archive); });
  if (result.Ok()) *this = std::move(loaded);
  return result;
}

bool CVessel2::SaveFile(const std::string& path, std::string* error) const {
  CVessel2 stored(*this);
  return StoreArchiveFile(
      path, [&](Archive& archive) { stored.Serialize(archive); }, error);
}

LoadResult CVessel2::Load(const SettingsStore& store) {
  ReadIdentity(store);
  return LoadFile(FilePath(store));
}

bool CVessel2::Save(SettingsStore& store, std::string* error) const {
  WriteIdentity(store);
  return SaveFile(FilePath(store), error);
}

}  // namespace keelmark

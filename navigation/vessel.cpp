#include "navigation/vessel.h"

#include <cmath>

#include "records/archive.h"
#include "records/settings_store.h"

namespace keelmark {
namespace {

constexpr double kPerMetreInMiles = 0.0005399568034557236;  // 1/1852
constexpr double kKnotInMetresPerSecond = 0.5144444444444445;
constexpr double kPerHourInSeconds = 1.0 / 3600.0;
constexpr double kRadiansPerDegree = 0.017452006980802792;  // 1/57.3, the model's own factor
constexpr double kTierHeight = 2.4;                          // m
constexpr double kSuperstructureLength = 20.0;               // m

// The speed of the water past the hull, m/s, where the model takes knots × 1852 / 3600.
double MetresPerSecond(double knots) { return knots * 1852.0 * kPerHourInSeconds; }

// The factor by which the resistance figure x stretches the distance through the water.
double Stretch(double x) { return x * 0.1 + 1.0; }

}  // namespace

CVessel2::CVessel2() {
  displacement = initialDisplacement;
  calibrationRpm = manoeuvringRpm;
}

void CVessel2::Serialize(Archive& archive) {
  archive.Io(calibrationHeading);
  archive.Io(containerTiers);
  for (double* field : {&depthMoulded, &lengthPP, &breadth, &spareValue, &draftForward,
                        &draftAft, &airCoefficient, &hullCoefficient}) {
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
  for (double* field : {&mastTopToKeel, &eyeToKeel, &calibrationRpm, &referenceDraft,
                        &referenceDisplacement, &displacement, &auxValue, &mctc, &lcb, &lcf,
                        &waveCoefficient, &hydroConstant}) {
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
  return StoreArchiveFile(path, [&](Archive& archive) { stored.Serialize(archive); }, error);
}

LoadResult CVessel2::Load(const SettingsStore& store) {
  ReadIdentity(store);
  return LoadFile(FilePath(store));
}

bool CVessel2::Save(SettingsStore& store, std::string* error) const {
  WriteIdentity(store);
  return SaveFile(FilePath(store), error);
}

double CVessel2::TheoreticalSpeed(double rpm) const {
  return rpm * propellerPitch * kPerMetreInMiles * 60.0;
}

double CVessel2::TheoreticalRpm(double speed) const {
  return speed * 1852.0 * (1.0 / 60.0) / propellerPitch;
}

double CVessel2::LogSpeed(double rpm, double x) const {
  return TheoreticalSpeed(rpm) / Stretch(x);
}

double CVessel2::RpmForLogSpeed(double speed, double x) const {
  return TheoreticalRpm(speed * Stretch(x));
}

double CVessel2::LegRevolutions(double distance, double x) const {
  return Stretch(x) * distance / (propellerPitch * kPerMetreInMiles);
}

double CVessel2::PropellerPower(double rpm) const {
  const double v = TheoreticalSpeed(rpm) * kKnotInMetresPerSecond;
  return 0.5 * (v * v) * propellerPitch * (propellerDiameter * propellerDiameter) * 1.57 *
         1025.0 * (rpm / 60.0);
}

double CVessel2::FuelConsumption(double rpm, double hours) const {
  return PropellerPower(rpm) * (maxFuelPerDay / PropellerPower(maxRpm)) * (hours / 24.0);
}

double CVessel2::ManoeuvringTime(double rpm) const {
  return (rpm - manoeuvringRpm) * minutesPerRpm + fullAheadMinutes + manoeuvringMinutes;
}

double CVessel2::ManoeuvringDistance(double rpm, double x) const {
  const double manoeuvringSpeed = LogSpeed(manoeuvringRpm, x);
  return (rpm - manoeuvringRpm) * minutesPerRpm * ((manoeuvringSpeed + LogSpeed(rpm, x)) * 0.5) /
             60.0 +
         fullAheadMinutes * manoeuvringSpeed / 60.0 + manoeuvringDistance;
}

double CVessel2::ManoeuvringRevolutions(double rpm) const {
  return ManoeuvringTime(rpm) * (manoeuvringRpm + rpm) * 0.5;
}

double CVessel2::DraftAt(double fraction) const {
  return (draftAft - draftForward) * (0.5 - fraction) + (draftForward + draftAft) * 0.5;
}

double CVessel2::DeckHeight() const {
  return depthMoulded - DraftAt(0.5) + containerTiers * kTierHeight;
}

double CVessel2::EyeHeight(double fraction) const { return eyeToKeel - DraftAt(fraction); }

double CVessel2::AirDraft(double fraction) const { return mastTopToKeel - DraftAt(fraction); }

double CVessel2::WindageArea() const {
  return DeckHeight() * (lengthPP - kSuperstructureLength) +
         EyeHeight(0.5) * kSuperstructureLength;
}

double CVessel2::Displacement() const { return displacement; }

double CVessel2::Squat(bool openWater, double speed, double& draftAftM,
                       double& draftForwardM) const {
  // The model applies its coefficient to metres per second, not to knots.
  const double v = speed * kKnotInMetresPerSecond;
  const double blockCoefficient =
      Displacement() / (((draftAftM + draftForwardM) * 0.5) * breadth * lengthPP);
  double sinkage = blockCoefficient * v * v * 0.01;
  if (!openWater) sinkage *= 2.0;
  if (mctc == 0.0) {
    draftAftM += sinkage;
    draftForwardM += sinkage;
  } else {
    const double trim = (lcf - lcb) * (breadth * lengthPP * sinkage * 0.4) / mctc * 0.01 * 0.5;
    draftAftM += sinkage + trim;
    draftForwardM += sinkage - trim;
  }
  return sinkage;
}

double CVessel2::WettedArea(double draftA, double draftB) const {
  const double t = (draftA + draftB) * 0.5;
  return (2.0 * t * breadth + breadth * lengthPP + 2.0 * t * lengthPP) * 0.7;
}

double CVessel2::AirResistance(double rpm, double heading, double windDirection,
                               double windSpeed) const {
  const double relative = heading - windDirection;  // degrees, not reduced
  const double along = std::cos(relative * kRadiansPerDegree) * windSpeed;
  const bool headWind = std::fabs(relative) < 90.0 || std::fabs(relative) > 270.0;
  const double headWindComponent = headWind ? std::fabs(along) : -std::fabs(along);
  const double v = (headWindComponent + TheoreticalSpeed(rpm)) * kKnotInMetresPerSecond;
  const double force = WindageArea() * airCoefficient * std::fabs(v * v * v);
  return force / PropellerPower(rpm) * 10.0;
}

double CVessel2::HullResistance(double wettedArea, double rpm) const {
  const double v = MetresPerSecond(TheoreticalSpeed(rpm));
  return v * (hullCoefficient * wettedArea * (v * v)) / PropellerPower(rpm) * 10.0;
}

double CVessel2::HullResistanceAt(double rpm) const {
  double aft = draftAft;
  double forward = draftForward;
  Squat(true, TheoreticalSpeed(rpm), aft, forward);
  return HullResistance(WettedArea(forward, aft), rpm);
}

double CVessel2::WaveResistance(double height, double rpm) const {
  if (height <= 0.0 || rpm <= 0.0) return 0.0;
  const double v = MetresPerSecond(TheoreticalSpeed(rpm));
  // Waves met per hour, for a wave length of twice the height.
  const double perHour = 3600.0 / ((2.0 * height) / v);
  return perHour * (height / lengthPP) * waveCoefficient;
}

double CVessel2::CalibrationLogSpeed() const {
  return LogSpeed(calibrationRpm, HullResistanceAt(calibrationRpm));
}

double CVessel2::CalibrationLogSpeedInHeadWind(double windSpeed) const {
  return LogSpeed(calibrationRpm,
                  AirResistance(calibrationRpm, calibrationHeading, calibrationHeading,
                                windSpeed) +
                      HullResistanceAt(calibrationRpm));
}

double CVessel2::LogSpeedInWaves(double height, double rpm) const {
  return LogSpeed(rpm, WaveResistance(height, rpm) + HullResistanceAt(rpm));
}

double CVessel2::SlipPercent(double rpm, double logSpeed) const {
  return (1.0 - logSpeed / TheoreticalSpeed(rpm)) * 100.0;
}

}  // namespace keelmark

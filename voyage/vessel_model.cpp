#include "voyage/vessel_model.h"

#include <cmath>

namespace keelmark {
namespace {

constexpr double kPerMetreInMiles = 0.0005399568034557236;  // 1/1852
constexpr double kKnotInMetresPerSecond = 0.5144444444444445;
constexpr double kPerHourInSeconds = 1.0 / 3600.0;
constexpr double kRadiansPerDegree = 0.017452006980802792;  // 1/57.3, the model's own factor
constexpr double kTierHeight = 2.4;                         // m
constexpr double kSuperstructureLength = 20.0;              // m

// The speed of the water past the hull, m/s, where the model takes knots × 1852 / 3600.
double MetresPerSecond(double knots) { return knots * 1852.0 * kPerHourInSeconds; }

// The factor by which the resistance figure x stretches the distance through the water.
double Stretch(double x) { return x * 0.1 + 1.0; }

}  // namespace

double VesselModel::TheoreticalSpeed(double rpm) const {
  return rpm * vessel_.propellerPitch * kPerMetreInMiles * 60.0;
}

double VesselModel::TheoreticalRpm(double speed) const {
  return speed * 1852.0 * (1.0 / 60.0) / vessel_.propellerPitch;
}

double VesselModel::LogSpeed(double rpm, double x) const {
  return TheoreticalSpeed(rpm) / Stretch(x);
}

double VesselModel::RpmForLogSpeed(double speed, double x) const {
  return TheoreticalRpm(speed * Stretch(x));
}

double VesselModel::LegRevolutions(double distance, double x) const {
  return Stretch(x) * distance / (vessel_.propellerPitch * kPerMetreInMiles);
}

double VesselModel::PropellerPower(double rpm) const {
  const double v = TheoreticalSpeed(rpm) * kKnotInMetresPerSecond;
  return 0.5 * (v * v) * vessel_.propellerPitch *
         (vessel_.propellerDiameter * vessel_.propellerDiameter) * 1.57 * 1025.0 * (rpm / 60.0);
}

double VesselModel::FuelConsumption(double rpm, double hours) const {
  return PropellerPower(rpm) * (vessel_.maxFuelPerDay / PropellerPower(vessel_.maxRpm)) *
         (hours / 24.0);
}

double VesselModel::ManoeuvringTime(double rpm) const {
  return (rpm - vessel_.manoeuvringRpm) * vessel_.minutesPerRpm + vessel_.fullAheadMinutes +
         vessel_.manoeuvringMinutes;
}

double VesselModel::ManoeuvringDistance(double rpm, double x) const {
  const double manoeuvringSpeed = LogSpeed(vessel_.manoeuvringRpm, x);
  return (rpm - vessel_.manoeuvringRpm) * vessel_.minutesPerRpm *
             ((manoeuvringSpeed + LogSpeed(rpm, x)) * 0.5) / 60.0 +
         vessel_.fullAheadMinutes * manoeuvringSpeed / 60.0 + vessel_.manoeuvringDistance;
}

double VesselModel::ManoeuvringRevolutions(double rpm) const {
  return ManoeuvringTime(rpm) * (vessel_.manoeuvringRpm + rpm) * 0.5;
}

double VesselModel::DraftAt(double fraction) const {
  return (vessel_.draftAft - vessel_.draftForward) * (0.5 - fraction) +
         (vessel_.draftForward + vessel_.draftAft) * 0.5;
}

double VesselModel::DeckHeight() const {
  return vessel_.depthMoulded - DraftAt(0.5) + vessel_.containerTiers * kTierHeight;
}

double VesselModel::EyeHeight(double fraction) const {
  return vessel_.eyeToKeel - DraftAt(fraction);
}

double VesselModel::AirDraft(double fraction) const {
  return vessel_.mastTopToKeel - DraftAt(fraction);
}

double VesselModel::WindageArea() const {
  return DeckHeight() * (vessel_.lengthPP - kSuperstructureLength) +
         EyeHeight(0.5) * kSuperstructureLength;
}

double VesselModel::Displacement() const { return vessel_.displacement; }

double VesselModel::Squat(bool openWater, double speed, double& draftAftM,
                          double& draftForwardM) const {
  // The model applies its coefficient to metres per second, not to knots.
  const double v = speed * kKnotInMetresPerSecond;
  const double blockCoefficient =
      Displacement() / (((draftAftM + draftForwardM) * 0.5) * vessel_.breadth * vessel_.lengthPP);
  double sinkage = blockCoefficient * v * v * 0.01;
  if (!openWater) sinkage *= 2.0;
  if (vessel_.mctc == 0.0) {
    draftAftM += sinkage;
    draftForwardM += sinkage;
  } else {
    const double trim = (vessel_.lcf - vessel_.lcb) *
                        (vessel_.breadth * vessel_.lengthPP * sinkage * 0.4) / vessel_.mctc * 0.01 *
                        0.5;
    draftAftM += sinkage + trim;
    draftForwardM += sinkage - trim;
  }
  return sinkage;
}

double VesselModel::WettedArea(double draftA, double draftB) const {
  const double t = (draftA + draftB) * 0.5;
  return (2.0 * t * vessel_.breadth + vessel_.breadth * vessel_.lengthPP +
          2.0 * t * vessel_.lengthPP) *
         0.7;
}

double VesselModel::AirResistance(double rpm, double heading, double windDirection,
                                  double windSpeed) const {
  const double relative = heading - windDirection;  // degrees, not reduced
  const double along = std::cos(relative * kRadiansPerDegree) * windSpeed;
  const bool headWind = std::fabs(relative) < 90.0 || std::fabs(relative) > 270.0;
  const double headWindComponent = headWind ? std::fabs(along) : -std::fabs(along);
  const double v = (headWindComponent + TheoreticalSpeed(rpm)) * kKnotInMetresPerSecond;
  const double force = WindageArea() * vessel_.airCoefficient * std::fabs(v * v * v);
  return force / PropellerPower(rpm) * 10.0;
}

double VesselModel::HullResistance(double wettedArea, double rpm) const {
  const double v = MetresPerSecond(TheoreticalSpeed(rpm));
  return v * (vessel_.hullCoefficient * wettedArea * (v * v)) / PropellerPower(rpm) * 10.0;
}

double VesselModel::HullResistanceAt(double rpm) const {
  double aft = vessel_.draftAft;
  double forward = vessel_.draftForward;
  Squat(true, TheoreticalSpeed(rpm), aft, forward);
  return HullResistance(WettedArea(forward, aft), rpm);
}

double VesselModel::WaveResistance(double height, double rpm) const {
  if (height <= 0.0 || rpm <= 0.0) return 0.0;
  const double v = MetresPerSecond(TheoreticalSpeed(rpm));
  // Waves met per hour, for a wave length of twice the height.
  const double perHour = 3600.0 / ((2.0 * height) / v);
  return perHour * (height / vessel_.lengthPP) * vessel_.waveCoefficient;
}

double VesselModel::CalibrationLogSpeed() const {
  return LogSpeed(vessel_.calibrationRpm, HullResistanceAt(vessel_.calibrationRpm));
}

double VesselModel::CalibrationLogSpeedInHeadWind(double windSpeed) const {
  return LogSpeed(vessel_.calibrationRpm,
                  AirResistance(vessel_.calibrationRpm, vessel_.calibrationHeading,
                                vessel_.calibrationHeading, windSpeed) +
                      HullResistanceAt(vessel_.calibrationRpm));
}

double VesselModel::LogSpeedInWaves(double height, double rpm) const {
  return LogSpeed(rpm, WaveResistance(height, rpm) + HullResistanceAt(rpm));
}

double VesselModel::SlipPercent(double rpm, double logSpeed) const {
  return (1.0 - logSpeed / TheoreticalSpeed(rpm)) * 100.0;
}

}  // namespace keelmark

// VesselModel: the own ship's performance model over its particulars (CVessel2).
//
// The model turns an engine setting (rpm) and the weather into a speed through the water and
// back: the propeller-pitch speed reduced by the resistance figure X, a dimensionless sum of
// hull, air and wave terms, as speed = pitch speed / (X × 0.1 + 1). rpm are engine revolutions
// per minute, speeds knots.
//
// Divisions by zero (a zero pitch, length, draft or power) are not guarded: they give infinite
// or undefined results, which the texts show as "NA".
#pragma once

#include "records/vessel.h"

namespace keelmark {

class VesselModel {
 public:
  // Reads the vessel it is given, which must outlive the model.
  explicit VesselModel(const CVessel2& vessel) : vessel_(vessel) {}

  // Propeller speed at rpm with no slip, knots.
  [[nodiscard]] double TheoreticalSpeed(double rpm) const;
  // rpm whose propeller speed is speed (knots).
  [[nodiscard]] double TheoreticalRpm(double speed) const;
  // Speed through the water at rpm under resistance figure x, knots.
  [[nodiscard]] double LogSpeed(double rpm, double x) const;
  // The rpm that gives speed through the water `speed` (knots) under resistance figure x: the
  // inverse of LogSpeed.
  [[nodiscard]] double RpmForLogSpeed(double speed, double x) const;
  // Propeller revolutions to sail `distance` nM through the water under resistance figure x.
  [[nodiscard]] double LegRevolutions(double distance, double x) const;
  // A power figure at rpm; only its ratios are used.
  [[nodiscard]] double PropellerPower(double rpm) const;
  // Fuel burnt in `hours` at rpm, tonnes: maxFuelPerDay scaled by the power relative to maxRpm.
  [[nodiscard]] double FuelConsumption(double rpm, double hours) const;

  // Allowances for reducing from sea rpm to full ahead manoeuvring and manoeuvring.
  [[nodiscard]] double ManoeuvringTime(double rpm) const;                // minutes
  [[nodiscard]] double ManoeuvringDistance(double rpm, double x) const;  // nM
  [[nodiscard]] double ManoeuvringRevolutions(double rpm) const;         // revolutions

  // Draft at a fraction of the length from aft (0) to forward (1), metres.
  [[nodiscard]] double DraftAt(double fraction) const;
  // Height of the top of the deck cargo above the water, metres.
  [[nodiscard]] double DeckHeight() const;
  // Height of eye and of the mast top above the water at a fraction of the length, metres.
  [[nodiscard]] double EyeHeight(double fraction) const;
  [[nodiscard]] double AirDraft(double fraction) const;
  // Lateral windage area, m²: the deck cargo block plus a 20 m superstructure at eye height.
  [[nodiscard]] double WindageArea() const;
  // Displacement at the present draft, tonnes.
  [[nodiscard]] double Displacement() const;

  // Sinkage at `speed` knots, metres, doubled in confined water; the drafts (metres) are
  // deepened by it and by the trim it causes (no trim when mctc is 0).
  double Squat(bool openWater, double speed, double& draftAftM, double& draftForwardM) const;
  // Wetted hull area at two drafts (metres), m².
  [[nodiscard]] double WettedArea(double draftA, double draftB) const;

  // Resistance terms, each to be added into the resistance figure X.
  // Wind from windDirection (degrees true) at windSpeed knots on a ship heading `heading`
  // (degrees true) at rpm.
  [[nodiscard]] double AirResistance(double rpm, double heading, double windDirection,
                                     double windSpeed) const;
  // Hull friction of wettedArea (m²) at rpm.
  [[nodiscard]] double HullResistance(double wettedArea, double rpm) const;
  // Hull friction at the vessel's drafts deepened by the squat at rpm's propeller speed.
  [[nodiscard]] double HullResistanceAt(double rpm) const;
  // Waves or swell of `height` metres met from ahead; 0 without waves or without rpm.
  [[nodiscard]] double WaveResistance(double height, double rpm) const;

  // What the calibration pages of the vessel editor show, at calibrationRpm:
  // log speed with the hull term only, and with a head wind of windSpeed knots as well.
  [[nodiscard]] double CalibrationLogSpeed() const;
  [[nodiscard]] double CalibrationLogSpeedInHeadWind(double windSpeed) const;
  // Log speed at rpm in waves of `height` metres (the hull term included).
  [[nodiscard]] double LogSpeedInWaves(double height, double rpm) const;
  // Propeller slip, percent, of a log speed (knots) at rpm.
  [[nodiscard]] double SlipPercent(double rpm, double logSpeed) const;

 private:
  const CVessel2& vessel_;
};

}  // namespace keelmark

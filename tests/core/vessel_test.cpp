#include "records/vessel.h"
#include "voyage/vessel_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>

#include "navigation/text_format.h"
#include "records/archive.h"
#include "records/settings_store.h"
#include "tests/core/archive_bytes.h"

namespace keelmark {
namespace {

using test::ReadTestData;

Archive::Bytes Stored(CVessel2 vessel) {
  return test::Stored([&](Archive& a) { vessel.Serialize(a); });
}

CVessel2 Loaded(const Archive::Bytes& bytes) {
  CVessel2 vessel;
  test::LoadAll(bytes, [&](Archive& a) { vessel.Serialize(a); });
  return vessel;
}

// --- The vessel.dat layout ---------------------------------------------------------------

TEST(VesselLayout, NewVesselIsTheGolden257Bytes) {
  const Archive::Bytes golden = ReadTestData("default_vessel.bin");
  ASSERT_EQ(golden.size(), 257u);
  EXPECT_EQ(Stored(CVessel2()), golden);
}

TEST(VesselLayout, RowCountsReplaceTheRowsAndAnAbsurdOneIsRefused) {
  Archive::Bytes bytes = ReadTestData("default_vessel.bin");
  CVessel2 vessel;
  vessel.hydrostaticTable.assign(5, CVessel2::HydrostaticRow{});
  Archive none = Archive::ForLoading(bytes);
  vessel.Serialize(none);
  EXPECT_TRUE(vessel.hydrostaticTable.empty());
  const std::size_t countAt = bytes.size() - 4;
  bytes[countAt] = bytes[countAt + 1] = bytes[countAt + 2] = bytes[countAt + 3] = 0xFF;  // -1
  EXPECT_TRUE(Loaded(bytes).hydrostaticTable.empty());
  bytes[countAt + 3] = 0x7F;  // 0x7FFFFFFF rows
  Archive huge = Archive::ForLoading(bytes);
  EXPECT_THROW(vessel.Serialize(huge), ArchiveError);
}

// --- The file and the settings -----------------------------------------------------------

class VesselFileTest : public testing::Test {
 protected:
  void SetUp() override { store_.Write(setting::kVesselPath, path_); }

  test::ScratchDirectory scratch_;
  std::string path_ = scratch_.PathOf("my vessel.dat");  // a space in the name
  MemorySettingsStore store_;
};

TEST_F(VesselFileTest, SaveAndLoadKeepEveryStoredFieldAndTheIdentityInTheSettings) {
  CVessel2 saved = Loaded(ReadTestData("sample_vessel.bin"));
  saved.callSign = "PDXY";
  saved.imoNumber = "9234567";
  saved.lcg = 3.5;
  std::string error;
  ASSERT_TRUE(saved.Save(store_, &error)) << error;
  EXPECT_EQ(store_.ReadText("Vessel", "CallSign", ""), "PDXY");
  EXPECT_EQ(store_.ReadText("Vessel", "IMONumber", ""), "9234567");

  CVessel2 loaded;
  ASSERT_TRUE(loaded.Load(store_).Ok());
  EXPECT_EQ(loaded.imoNumber, "9234567");
  EXPECT_EQ(loaded.lcg, 0.0);  // not persistent
  EXPECT_EQ(Stored(loaded), ReadTestData("sample_vessel.bin"));
}

TEST_F(VesselFileTest, MissingOrDamagedFileKeepsTheRecordAsItWas) {
  CVessel2 vessel;
  vessel.name = "kept";
  EXPECT_EQ(vessel.Load(store_).status, LoadStatus::CannotOpen);
  EXPECT_EQ(vessel.name, "kept");

  Archive::Bytes bytes = ReadTestData("sample_vessel.bin");
  bytes.resize(200);  // ends inside the doubles after the name
  std::ofstream(path_, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  const LoadResult result = vessel.Load(store_);
  EXPECT_EQ(result.status, LoadStatus::Damaged);
  EXPECT_EQ(vessel.name, "kept");
  EXPECT_EQ(vessel.lengthPP, 247.0);
}

TEST_F(VesselFileTest, AnEmptyPathIsNotReplacedByTheDefaultName) {
  store_.Write(setting::kVesselPath, "");
  EXPECT_EQ(CVessel2::FilePath(store_), "");
  CVessel2 vessel;
  EXPECT_FALSE(vessel.Save(store_));
  EXPECT_EQ(vessel.Load(store_).status, LoadStatus::CannotOpen);
}

// --- The performance model ---------------------------------------------------------------

// (Squat, deep and shallow, with and without the hydrostatics: calculator_test.cpp.)

TEST(VesselModel, AirTermByWindDirection) {
  const CVessel2 vessel;
  const VesselModel model(vessel);
  // (Head against following wind: calculator_test.cpp.) The relative angle is not reduced: 350 - 10
  // = 340 degrees is still a head wind.
  EXPECT_DOUBLE_EQ(model.AirResistance(80, 350.0, 10.0, 20.0),
                   model.AirResistance(80, 10.0, 350.0, 20.0));
  EXPECT_GT(model.AirResistance(80, 350.0, 10.0, 20.0), model.AirResistance(80, 90.0, 0.0, 0.0));
  // A following wind faster than the ship still resists.
  EXPECT_GT(model.AirResistance(20, 0.0, 180.0, 60.0), 0.0);
}

// RpmForLogSpeed undoes LogSpeed, whatever the vessel and the resistance figure (it once
// divided the speed by the hull coefficient and gave 3 1/3 times the rpm needed).
TEST(VesselModel, RpmForLogSpeedIsTheInverseOfLogSpeed) {
  const struct {
    double speed, x, pitch, hullCoefficient;  // knots, resistance figure, m, -
  } cases[] = {{14.5, 0.0, 7.9, 0.3}, {14.5, 1.37, 7.9, 0.3},  {0.0, 2.0, 7.9, 0.3},
               {8.25, 7.5, 9.4, 1.0}, {30.0, 12.0, 7.9, 0.01}, {-3.0, 0.8, 6.2, 0.3},
               {17.0, -4.0, 7.9, 0.0}};
  for (const auto& c : cases) {
    CVessel2 v;
    v.propellerPitch = c.pitch;
    v.hullCoefficient = c.hullCoefficient;
    const double rpm = VesselModel(v).RpmForLogSpeed(c.speed, c.x);
    EXPECT_NEAR(VesselModel(v).LogSpeed(rpm, c.x), c.speed, 1e-9) << c.speed << " " << c.x;
  }
}

// Zero divisors give infinite or undefined values, which texts show as "NA".
TEST(VesselModel, ZeroDivisorsGiveNonFiniteResultsShownAsNA) {
  CVessel2 noPitch;
  noPitch.propellerPitch = 0.0;
  CVessel2 noLength;
  noLength.lengthPP = 0.0;
  CVessel2 noMaxRpm;
  noMaxRpm.maxRpm = 0;
  CVessel2 noDraft;
  noDraft.draftAft = noDraft.draftForward = 0.0;
  const CVessel2 v;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  double aft = 0.0, forward = 0.0;
  const double results[] = {
      VesselModel(noPitch).TheoreticalRpm(12.0),
      VesselModel(noPitch).RpmForLogSpeed(12.0, 1.0),
      VesselModel(noPitch).HullResistanceAt(80),
      VesselModel(noLength).WaveResistance(3.0, 80),
      VesselModel(noMaxRpm).FuelConsumption(80, 24.0),
      VesselModel(noDraft).Squat(true, 0.0, aft, forward),
      VesselModel(v).LogSpeed(80, -10.0),
      VesselModel(v).ManoeuvringTime(nan),
      VesselModel(v).ManoeuvringDistance(80, -10.0),
      VesselModel(v).WaveResistance(nan, 80),
  };
  for (std::size_t i = 0; i < std::size(results); ++i) {
    EXPECT_FALSE(std::isfinite(results[i])) << "case " << i;
    EXPECT_EQ(FormatNumber("%#3.1f kts", results[i]), "NA") << "case " << i;
  }
  EXPECT_TRUE(std::isnan(aft) && std::isnan(forward));
}

}  // namespace
}  // namespace keelmark

// A document for tests: a scratch data folder, the clock on the example's day (6 December 2026
// 12:00 UTC), the settings in memory and scripted answers.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "records/archive_file.h"
#include "tests/core/test_files.h"

namespace keelmark::test {

inline constexpr const char* kExampleRoute = "atlantic-westbound.q3v";

class DocumentFixture : public testing::Test {
 protected:
  DocumentFixture() : clock_(TimeFromUtcFields({126, 11, 6, 12, 0, 0, 0})), scope_(clock_) {}

  // Every data file present and empty, and a default vessel.
  void WriteEmptyDataFiles() const {
    for (const char* name :
         {"voyage.dat", "hurricane.dat", "meteo.dat", "warning.dat", "port.dat", "forecast.dat"}) {
      EXPECT_TRUE(WriteFileAtomically(PathOf(name), std::string(4, '\0')));
    }
    CVessel2 vessel;
    EXPECT_TRUE(StoreArchiveFile(PathOf("vessel.dat"), [&](Archive& a) { vessel.Serialize(a); }));
  }

  // Every file of the example data set, with its route.
  void CopyExampleData() const { CopyExamples(folder_); }

  [[nodiscard]] std::string PathOf(const std::string& name) const { return folder_.PathOf(name); }
  [[nodiscard]] std::unique_ptr<CKeelmarkRouteXPDoc> Open() {
    return std::make_unique<CKeelmarkRouteXPDoc>(store_, prompter_, folder_.PathOf(""));
  }

  FixedClock clock_;
  ScopedProcessClock scope_;
  ScratchDirectory folder_;
  MemorySettingsStore store_;
  ScriptedPrompter prompter_;
};

}  // namespace keelmark::test

// Each data file is read once per open and stored only when what the records would store is not
// what was read: an unchanged file is neither read again by opening a route document nor
// rewritten on closing, while a change in memory, a change on the disk and a file in an older
// layout still are.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>

#include "document/keelmark_document.h"
#include "records/port_list.h"
#include "records/storm.h"
#include "records/storm_list.h"
#include "tests/core/document_fixture.h"

namespace keelmark {
namespace {

namespace fs = std::filesystem;

constexpr const char* kDataFiles[] = {"vessel.dat",  "voyage.dat", "hurricane.dat", "meteo.dat",
                                      "warning.dat", "port.dat",   "forecast.dat"};

class DataFileReadsTest : public test::DocumentFixture {
 protected:
  DataFileReadsTest() { CopyExampleData(); }

  // Each data file's stamp: a store, even of the same bytes, gives a new one.
  std::map<std::string, FileStamp> Stamps() const {
    std::map<std::string, FileStamp> stamps;
    for (const char* name : kDataFiles) stamps[name] = StampOf(PathOf(name)).value_or(FileStamp{});
    return stamps;
  }
  std::string RoutePath() const { return PathOf(test::kExampleRoute); }
};

TEST_F(DataFileReadsTest, OpeningAndClosingWithoutAChangeWritesNothing) {
  const auto before = Stamps();
  std::map<std::string, std::string> bytes;
  for (const char* name : kDataFiles) bytes[name] = test::FileText(PathOf(name));
  {
    auto doc = Open();
    ASSERT_TRUE(doc->OpenRouteDocument(RoutePath()).Ok());
    ASSERT_TRUE(doc->SaveRouteDocument(RoutePath()));
    EXPECT_TRUE(doc->Close());
  }
  EXPECT_EQ(Stamps(), before);
  for (const char* name : kDataFiles) EXPECT_EQ(test::FileText(PathOf(name)), bytes[name]) << name;
  EXPECT_TRUE(prompter_.Messages().empty());
}

// A change to one list in memory stores that file, and only that one.
struct ChangeCase {
  const char* file;
  std::function<void(CKeelmarkRouteXPDoc&)> change;
};

class ChangedInMemory : public DataFileReadsTest, public testing::WithParamInterface<ChangeCase> {};

TEST_P(ChangedInMemory, IsStoredAndNothingElse) {
  const auto before = Stamps();
  {
    auto doc = Open();
    GetParam().change(*doc);
    EXPECT_TRUE(doc->Close());
  }
  const auto after = Stamps();
  for (const char* name : kDataFiles) {
    if (std::string(name) == GetParam().file) {
      EXPECT_NE(after.at(name), before.at(name)) << name;
    } else {
      EXPECT_EQ(after.at(name), before.at(name)) << name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ChangedInMemory,
    testing::Values(
        ChangeCase{
            "hurricane.dat",
            [](CKeelmarkRouteXPDoc& doc) { doc.GetStorms().Add(std::make_unique<Storm>()); }},
        ChangeCase{
            "meteo.dat",
            [](CKeelmarkRouteXPDoc& doc) { doc.GetMeteo().GetLast()->JunAug.WindSpeed += 0.5; }},
        ChangeCase{"vessel.dat", [](CKeelmarkRouteXPDoc& doc) { doc.GetVessel().breadth += 1.0; }},
        ChangeCase{"voyage.dat",
                   [](CKeelmarkRouteXPDoc& doc) { doc.GetHistory().GetFirst()->SetName("Moved"); }},
        ChangeCase{"port.dat", [](CKeelmarkRouteXPDoc& doc) { doc.GetPorts().RemoveAll(); }}),
    [](const testing::TestParamInfo<ChangeCase>& row) {
      std::string name = row.param.file;
      return name.substr(0, name.find('.'));
    });

TEST_F(DataFileReadsTest, AFileReadInAnOlderLayoutIsStoredInTheCurrentOne) {
  // One port as the older program wrote it (no layout mark, fewer fields).
  Archive::Bytes older = {1, 0, 0, 0};
  const Archive::Bytes port = test::ReadTestData("port_older_layout.bin");
  older.insert(older.end(), port.begin(), port.end());
  ASSERT_TRUE(WriteFileAtomically(PathOf("port.dat"), std::string(older.begin(), older.end())));
  { auto doc = Open(); }
  const auto stored = ReadWholeFile(PathOf("port.dat"));
  ASSERT_TRUE(stored);
  EXPECT_GT(stored->size(), older.size());
  PortList reread;
  ASSERT_TRUE(LoadArchiveFile(PathOf("port.dat"), [&](Archive& a) { reread.Serialize(a); }).Ok());
  ASSERT_EQ(reread.GetCount(), 1);
  EXPECT_EQ(reread.GetFirst()->LayoutMark, 1000);
}

TEST_F(DataFileReadsTest, OpeningARouteDocumentDoesNotReadAnUnchangedFileAgain) {
  auto doc = Open();
  const int ports = doc->GetPorts().GetCount();
  ASSERT_GT(ports, 0);
  // The port file's bytes are spoilt in place, its length and time kept: only a second read
  // would notice.
  const std::string path = PathOf("port.dat");
  const auto time = fs::last_write_time(path);
  const auto size = fs::file_size(path);
  {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.write(std::string(static_cast<std::size_t>(size), '\xFF').data(),
               static_cast<std::streamsize>(size));
  }
  fs::last_write_time(path, time);
  ASSERT_TRUE(doc->OpenRouteDocument(RoutePath()).Ok());
  EXPECT_EQ(doc->GetPorts().GetCount(), ports);
  EXPECT_TRUE(prompter_.Messages().empty());
  doc->Discard();
}

TEST_F(DataFileReadsTest, OpeningARouteDocumentReadsAFileChangedOnTheDiskOrInMemory) {
  auto doc = Open();
  // Changed on the disk: one storm where the example has others.
  StormList one;
  one.Add(std::make_unique<Storm>())->SetName("Newcomer");
  ASSERT_TRUE(StoreArchiveFile(PathOf("hurricane.dat"), [&](Archive& a) { one.Serialize(a); }));
  // Changed in memory: the read drops what was not stored, as it always has.
  const int warnings = doc->GetWarnings().GetCount();
  doc->GetWarnings().RemoveAll();
  ASSERT_TRUE(doc->OpenRouteDocument(RoutePath()).Ok());
  ASSERT_EQ(doc->GetStorms().GetCount(), 1);
  EXPECT_EQ(doc->GetStorms().GetFirst()->GetName(), "Newcomer");
  EXPECT_EQ(doc->GetWarnings().GetCount(), warnings);
  doc->Discard();
}

}  // namespace
}  // namespace keelmark

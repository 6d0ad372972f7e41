// Files and times for tests: the checked-in test data and its tables, file texts, ISO times and
// a scratch folder of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "navigation/calendar.h"
#include "navigation/navigation.h"
#include "records/archive.h"
#include "records/archive_file.h"
#include "records/position.h"

namespace keelmark::test {

// The bytes of a file in tests/data.
inline Archive::Bytes ReadTestData(const std::string& name) {
  std::ifstream in(std::string(KEELMARK_TEST_DATA) + "/" + name, std::ios::binary);
  EXPECT_TRUE(in.good()) << "missing test data " << name;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The rows of a tab-separated table in tests/data; blank lines and lines opening with '#' are
// passed over.
inline std::vector<std::vector<std::string>> ReadTable(const std::string& name) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream in(std::string(KEELMARK_TEST_DATA) + "/" + name);
  EXPECT_TRUE(in.good()) << "missing test data " << name;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    rows.emplace_back();
    for (std::size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
      tab = line.find('\t', start);
      rows.back().push_back(line.substr(start, tab - start));
    }
  }
  return rows;
}

// A record of the given class at a place and time.
template <typename Record = CPosition2>
Record At(double latitude, double longitude, double time = 0.0) {
  Record record;
  record.SetLatitude(latitude);
  record.SetLongitude(longitude);
  record.SetTime(time);
  return record;
}

// A record of the list's class at a place, added to the list; named when a name is given.
template <typename Record, typename List>
Record* AddAt(List& list, double latitude, double longitude) {
  auto record = std::make_unique<Record>();
  record->SetLatitude(latitude);
  record->SetLongitude(longitude);
  return list.Add(std::move(record));
}
template <typename Record, typename List>
Record* AddAt(List& list, double latitude, double longitude, const std::string& name) {
  Record* record = AddAt<Record>(list, latitude, longitude);
  record->SetName(name);
  return record;
}

// The text of a file, or "<unreadable>".
inline std::string FileText(const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  return bytes ? std::string(bytes->begin(), bytes->end()) : "<unreadable>";
}

// The time of an ISO 8601 UTC text, and its day number.
inline TimeValue UtcTime(const char* iso) {
  TimeValue t = 0;
  EXPECT_TRUE(ParseIsoUtc(iso, t)) << iso;
  return t;
}
inline double DayOf(const char* iso) { return CNavigation().LocalDayNumber(UtcTime(iso)); }

// An empty folder named after the running test and this process, removed with its content
// when the object goes.
class ScratchDirectory {
 public:
  ScratchDirectory()
      : path_(std::filesystem::temp_directory_path() /
              ("keelmark-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name())) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  [[nodiscard]] std::string PathOf(const std::string& name) const {
    return (path_ / name).string();
  }

 private:
  std::filesystem::path path_;
};

// Copies every file of the example data set into the folder.
inline void CopyExamples(const ScratchDirectory& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(KEELMARK_EXAMPLES)) {
    if (entry.is_regular_file()) {
      std::filesystem::copy_file(entry.path(), folder.PathOf(entry.path().filename().string()));
    }
  }
}

}  // namespace keelmark::test

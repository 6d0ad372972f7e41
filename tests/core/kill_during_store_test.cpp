// A store killed at any moment leaves the complete old file or the complete new one: a helper
// stores two large contents in turn while this test kills it at random moments.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "records/archive_file.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

constexpr std::size_t kBytes = 4 << 20;  // larger than any write the system does at once
constexpr int kKills = 60;

TEST(KillDuringStoreTest, TheFileIsAlwaysTheWholeOldOrTheWholeNewContent) {
  test::ScratchDirectory folder;
  const std::string path = folder.PathOf("meteo.dat");
  const std::string a(kBytes, 'A');
  const std::string b(kBytes, 'B');
  ASSERT_TRUE(WriteFileAtomically(path, a));
  std::mt19937 random(20261206);
  std::uniform_int_distribution<int> delayMicroseconds(0, 150000);
  const std::string size = std::to_string(kBytes);
  int sawA = 0, sawB = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  for (int kill = 0; kill < kKills; ++kill) {
    ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "after " << kill << " kills";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::execl(KEELMARK_STORE_FOREVER, KEELMARK_STORE_FOREVER, path.c_str(), size.c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the helper ended by itself, status " << status;
    const auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes) << "after " << kill << " kills";
    const std::string content(bytes->begin(), bytes->end());
    ASSERT_TRUE(content == a || content == b)
        << "after " << kill << " kills: " << content.size() << " bytes";
    (content == a ? sawA : sawB)++;
  }
  // Both contents were seen: the kills did land in the middle of the stores.
  EXPECT_GT(sawA, 0);
  EXPECT_GT(sawB, 0);
}

}  // namespace
}  // namespace keelmark

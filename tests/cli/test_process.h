// A program the test starts and ends: the socat line of the GPS tests, the keelmark process that
// reads it, and the mail servers.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

extern char** environ;

namespace keelmark::cli::test {

// A program started by the test, its output written to a file when one is named, and ended by
// the test when it has not ended by itself.
class Process {
 public:
  explicit Process(const std::vector<std::string>& args, const std::string& output = "") {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (!output.empty()) {
      ::posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT, 0600);
      ::posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    started_ = ::posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) == 0;
    ::posix_spawn_file_actions_destroy(&actions);
  }
  ~Process() {
    if (!started_ || Done()) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  [[nodiscard]] bool Started() const { return started_; }
  // Whether it has ended; its exit status is then kept.
  bool Done() {
    if (started_ && status_ < 0 && ::waitpid(pid_, &status_, WNOHANG) == 0) status_ = -1;
    return status_ >= 0;
  }
  [[nodiscard]] bool EndedWell() const { return WIFEXITED(status_) && WEXITSTATUS(status_) == 0; }

 private:
  pid_t pid_ = 0;
  bool started_ = false;
  int status_ = -1;
};

}  // namespace keelmark::cli::test

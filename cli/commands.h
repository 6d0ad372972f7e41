// The keelmark subcommands. Each takes the words after its name and writes its JSON to out.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "records/settings_store.h"

namespace keelmark::cli {

struct CommandContext {
  std::ostream& out;
  std::ostream& err;
  std::string settingsPath;  // --settings, empty when not given

  // The settings file of --settings, or without it a store in memory that holds only the
  // defaults and keeps nothing; opened on first use. CommandError when the file exists but
  // cannot be read.
  SettingsStore& Settings();
  // Writes what the command put into the settings; CommandError when that fails.
  void SyncSettings();
  std::unique_ptr<SettingsStore> settings = nullptr;
};

using Words = std::vector<std::string>;

int RunNav(const Words& args, CommandContext& context);
int RunTime(const Words& args, CommandContext& context);
int RunDump(const Words& args, CommandContext& context);
int RunBuild(const Words& args, CommandContext& context);
int RunPlan(const Words& args, CommandContext& context);
int RunCpa(const Words& args, CommandContext& context);
int RunFix(const Words& args, CommandContext& context);
int RunPerformance(const Words& args, CommandContext& context);
int RunSettings(const Words& args, CommandContext& context);
int RunList(const Words& args, CommandContext& context);
int RunMeteo(const Words& args, CommandContext& context);
int RunBackup(const Words& args, CommandContext& context);
int RunReport(const Words& args, CommandContext& context);
int RunSchedule(const Words& args, CommandContext& context);
int RunPrint(const Words& args, CommandContext& context);
int RunRoute(const Words& args, CommandContext& context);
int RunGps(const Words& args, CommandContext& context);
int RunMail(const Words& args, CommandContext& context);

// One JSON object on one line; doubles at full round-trip precision.
void PrintJson(std::ostream& out, const nlohmann::json& value);

}  // namespace keelmark::cli

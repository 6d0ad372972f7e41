// The keelmark subcommands. Each takes the words after its name and writes its JSON to out.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace keelmark::cli {

struct CommandContext {
  std::ostream& out;
  std::ostream& err;
  std::string settingsPath;  // --settings, empty when not given
};

using Words = std::vector<std::string>;

int RunNav(const Words& args, CommandContext& context);
int RunTime(const Words& args, CommandContext& context);
int RunDump(const Words& args, CommandContext& context);
int RunBuild(const Words& args, CommandContext& context);

// One JSON object on one line; doubles at full round-trip precision.
void PrintJson(std::ostream& out, const nlohmann::json& value);

}  // namespace keelmark::cli

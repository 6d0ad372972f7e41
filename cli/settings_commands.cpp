// keelmark settings ...: the settings store of --settings, and the CommandContext's access to it.
#include "cli/command_line.h"
#include "cli/commands.h"
#include "records/ini_settings_store.h"

namespace keelmark::cli {

SettingsStore& CommandContext::Settings() {
  if (!settings) {
    if (settingsPath.empty()) {
      settings = std::make_unique<MemorySettingsStore>();
    } else {
      auto file = std::make_unique<IniSettingsStore>(settingsPath);
      if (!file->LoadError().empty()) throw CommandError(file->LoadError());
      settings = std::move(file);
    }
  }
  return *settings;
}

void CommandContext::SyncSettings() {
  std::string error;
  if (settings && !settings->Sync(&error)) throw CommandError(error);
}

int RunSettings(const Words& args, CommandContext& context) {
  const CommandLine line(args, {}, {});
  const std::string& what = line.PositionalAt(0, "show or set");
  SettingsStore& store = context.Settings();
  if (what == "show") {
    // Every setting the program knows, by section, as the program would read it.
    nlohmann::json sections = nlohmann::json::object();
    for (const SettingInfo& info : kSettingTable) {
      nlohmann::json& section = sections[std::string(info.section)];
      const std::string key(info.key);
      if (info.type == SettingType::Int) {
        section[key] = store.ReadInt(info.section, info.key, info.intDefault);
      } else {
        section[key] = store.ReadText(info.section, info.key, info.textDefault);
      }
    }
    PrintJson(context.out, sections);
    return 0;
  }
  if (what == "set") {
    const std::string& section = line.PositionalAt(1, "SECTION");
    const std::string& key = line.PositionalAt(2, "KEY");
    const std::string& value = line.PositionalAt(3, "VALUE");
    const SettingInfo* info = FindSetting(section, key);
    if (!info) throw CommandError("no setting " + section + "/" + key);
    if (info->type == SettingType::Int) {
      const auto number = ParseSettingsInt(value);
      if (!number)
        throw CommandError(section + "/" + key + " takes a whole number, not '" + value + "'");
      if (*number < info->intMinimum || *number > info->intMaximum) {
        throw CommandError(section + "/" + key + " must lie in " +
                           std::to_string(info->intMinimum) + ".." +
                           std::to_string(info->intMaximum) + ", not " + value);
      }
      store.WriteInt(section, key, *number);
    } else {
      store.WriteText(section, key, value);
    }
    context.SyncSettings();
    return 0;
  }
  throw UsageError("unknown settings command '" + what + "'");
}

}  // namespace keelmark::cli

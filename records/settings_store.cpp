#include "records/settings_store.h"

#include <charconv>

namespace keelmark {

std::optional<std::int32_t> ParseSettingsInt(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const char* const end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value, 10);
  if (error != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::int32_t SettingsStore::ReadInt(std::string_view section, std::string_view key,
                                    std::int32_t defaultValue) const {
  const auto text = Lookup(section, key);
  if (!text) return defaultValue;
  return ParseSettingsInt(*text).value_or(defaultValue);
}

std::string SettingsStore::ReadText(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  auto text = Lookup(section, key);
  return text ? std::move(*text) : std::string(defaultValue);
}

void SettingsStore::WriteInt(std::string_view section, std::string_view key, std::int32_t value) {
  Put(section, key, std::to_string(value));
}

void SettingsStore::WriteText(std::string_view section, std::string_view key,
                              const std::string& text) {
  Put(section, key, text);
}

std::int32_t SettingsStore::Read(const IntSetting& setting) const {
  return ReadInt(setting.section, setting.key, setting.defaultValue);
}

std::string SettingsStore::Read(const TextSetting& setting) const {
  return ReadText(setting.section, setting.key, setting.defaultValue);
}

void SettingsStore::Write(const IntSetting& setting, std::int32_t value) {
  WriteInt(setting.section, setting.key, value);
}

void SettingsStore::Write(const TextSetting& setting, const std::string& text) {
  WriteText(setting.section, setting.key, text);
}

std::optional<std::string> MemorySettingsStore::Lookup(std::string_view section,
                                                       std::string_view key) const {
  const auto s = sections_.find(section);
  if (s == sections_.end()) return std::nullopt;
  const auto k = s->second.find(key);
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

void MemorySettingsStore::Put(std::string_view section, std::string_view key,
                              const std::string& text) {
  auto s = sections_.find(section);
  if (s == sections_.end()) s = sections_.emplace(std::string(section), Section{}).first;
  s->second.insert_or_assign(std::string(key), text);
}

}  // namespace keelmark

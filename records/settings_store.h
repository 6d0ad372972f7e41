// SettingsStore: the per-user store of integers and texts by section and key.
//
// Every value is held as text (integers in decimal), the way an INI file holds them, so that
// every store answers the same for the same content: a missing key reads as the caller's
// default, a key that exists with an empty text reads as the empty text, and an integer key
// whose text is not a 32-bit decimal number reads as the default.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "records/settings_keys.h"

namespace keelmark {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The stored text of section/key, or nothing when the key is missing.
  [[nodiscard]] virtual std::optional<std::string> Lookup(std::string_view section,
                                                          std::string_view key) const = 0;
  // Sets section/key to the text (UTF-8).
  virtual void Put(std::string_view section, std::string_view key, const std::string& text) = 0;
  // Makes what was put permanent; false, and error (when given) says why, when that failed.
  [[nodiscard]] virtual bool Sync(std::string* error = nullptr) = 0;

  [[nodiscard]] std::int32_t ReadInt(std::string_view section, std::string_view key,
                                     std::int32_t defaultValue) const;
  [[nodiscard]] std::string ReadText(std::string_view section, std::string_view key,
                                     std::string_view defaultValue) const;
  void WriteInt(std::string_view section, std::string_view key, std::int32_t value);
  void WriteText(std::string_view section, std::string_view key, const std::string& text);

  // The keys of the settings table, with their own defaults.
  [[nodiscard]] std::int32_t Read(const IntSetting& setting) const;
  [[nodiscard]] std::string Read(const TextSetting& setting) const;
  void Write(const IntSetting& setting, std::int32_t value);
  void Write(const TextSetting& setting, const std::string& text);
};

// The whole text as a 32-bit decimal integer with an optional '-' sign, or nothing.
[[nodiscard]] std::optional<std::int32_t> ParseSettingsInt(std::string_view text);

// A store that lives in memory only: the tests' store, and the command line's when no
// settings file is given.
class MemorySettingsStore : public SettingsStore {
 public:
  using Section = std::map<std::string, std::string, std::less<>>;
  using Sections = std::map<std::string, Section, std::less<>>;

  [[nodiscard]] std::optional<std::string> Lookup(std::string_view section,
                                                  std::string_view key) const override;
  void Put(std::string_view section, std::string_view key, const std::string& text) override;
  [[nodiscard]] bool Sync(std::string* /*error*/ = nullptr) override { return true; }

  // Everything held, section by section.
  [[nodiscard]] const Sections& Content() const { return sections_; }

 private:
  Sections sections_;
};

}  // namespace keelmark

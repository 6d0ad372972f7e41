// IniSettingsStore: a SettingsStore over one INI file, written and read the way the desktop
// program's own settings file is (Qt's INI format), so that both read the same file alike.
//
// Sections and keys are percent-escaped ("[Keelmark%20Route]"); a text is written with
// backslash escapes for quotes, backslashes and control characters, in double quotes when it
// holds ',', ';' or '=' or starts or ends with a space, with an extra '@' when it starts with
// '@', and inside "@String(...)" when it holds a NUL character. Reading also accepts comments
// (';'), unquoted lists ("a, b" reads as "a,b"), CR LF line ends and a UTF-8 byte order mark.
#pragma once

#include <string>

#include "records/settings_store.h"

namespace keelmark {

class IniSettingsStore : public SettingsStore {
 public:
  // Reads the file when it exists. A file that exists but cannot be read leaves the store
  // empty and makes every Sync fail, so that nothing is written over it.
  explicit IniSettingsStore(std::string path);
  // Syncs what was put; a failure here goes unreported, so callers that care call Sync.
  ~IniSettingsStore() override;
  IniSettingsStore(const IniSettingsStore&) = delete;
  IniSettingsStore& operator=(const IniSettingsStore&) = delete;

  [[nodiscard]] std::optional<std::string> Lookup(std::string_view section,
                                                  std::string_view key) const override;
  void Put(std::string_view section, std::string_view key, const std::string& text) override;
  // Writes the whole file (through a temporary file) when something was put since the last
  // Sync; nothing is written otherwise.
  [[nodiscard]] bool Sync(std::string* error = nullptr) override;

  [[nodiscard]] const std::string& Path() const { return path_; }
  // Why the file could not be read, or empty.
  [[nodiscard]] const std::string& LoadError() const { return loadError_; }

  // A text as it stands after "key=" in the file, and back.
  [[nodiscard]] static std::string EscapeValue(const std::string& text);
  [[nodiscard]] static std::string UnescapeValue(std::string_view raw);
  // A section or key name as it stands in the file, and back.
  [[nodiscard]] static std::string EscapeKey(std::string_view name);
  [[nodiscard]] static std::string UnescapeKey(std::string_view escaped);
  [[nodiscard]] static std::string KeyAsStored(std::string_view escaped);

  // The file's text into the values (what a load does once the bytes are read), and the
  // values as the file's text.
  void Parse(std::string_view content);
  [[nodiscard]] std::string Format() const;

 private:
  std::string path_;
  std::string loadError_;
  // The values as they stand in the file, by unescaped section ("" for keys outside any
  // section) and key.
  MemorySettingsStore raw_;
  bool dirty_ = false;
};

}  // namespace keelmark

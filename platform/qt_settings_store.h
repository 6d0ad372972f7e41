// QtSettingsStore: the SettingsStore of the desktop program, over QSettings in INI format.
//
// The per-user store lives in the standard per-user config folder under the organisation
// "Brineholt Productions" and the application "Keelmark Route"; a store on an explicit .ini
// path serves the tests and a settings file chosen by hand.
#pragma once

#include <memory>
#include <string>

#include "records/settings_store.h"

class QSettings;

namespace keelmark {

class QtSettingsStore : public SettingsStore {
 public:
  // The per-user store.
  QtSettingsStore();
  // The INI file at this path.
  explicit QtSettingsStore(const std::string& iniPath);
  ~QtSettingsStore() override;
  QtSettingsStore(const QtSettingsStore&) = delete;
  QtSettingsStore& operator=(const QtSettingsStore&) = delete;

  [[nodiscard]] std::optional<std::string> Lookup(std::string_view section,
                                                  std::string_view key) const override;
  void Put(std::string_view section, std::string_view key, const std::string& text) override;
  [[nodiscard]] bool Sync(std::string* error = nullptr) override;

  // Where the values are kept.
  [[nodiscard]] std::string FileName() const;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace keelmark

// DocumentSession: the document a command works on, opened the way the program opens it:
// the data files of --data-dir (through the settings' "Path" keys), and a route document when
// one is named. The data files are stored back when the session ends, as the program does,
// unless the session only reads (DataAccess::ReadOnly: nothing asked, set aside or stored); the
// settings are read but never changed (a command is no place to forget a data file's path).
#pragma once

#include <memory>
#include <string>

#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "document/keelmark_document.h"
#include "records/settings_store.h"

namespace keelmark::cli {

class DocumentSession {
 public:
  // CommandError when the route document cannot be read. The voyage is brought up to date from
  // `start` once the route document has been read.
  DocumentSession(CommandContext& context, const std::string& dataFolder,
                  const std::string& routePath = "", DataAccess access = DataAccess::ReadWrite,
                  VoyageStart start = VoyageStart::AsRead);
  ~DocumentSession();
  DocumentSession(const DocumentSession&) = delete;
  DocumentSession& operator=(const DocumentSession&) = delete;

  [[nodiscard]] CKeelmarkRouteXPDoc& Document() { return *document_; }
  [[nodiscard]] CliPrompter& Prompter() { return prompter_; }
  // Stores the data files and settings now; CommandError when any store failed (each failure
  // has had its message). Without it the destructor stores them, unless the command is being
  // left by an exception: then nothing is stored.
  void Close();

 private:
  // Reads the command's settings; what the document writes stays in memory.
  class ReadOnlySettings : public SettingsStore {
   public:
    explicit ReadOnlySettings(const SettingsStore& base) : base_(base) {}
    [[nodiscard]] std::optional<std::string> Lookup(std::string_view section,
                                                    std::string_view key) const override;
    void Put(std::string_view section, std::string_view key, const std::string& text) override {
      written_.Put(section, key, text);
    }
    [[nodiscard]] bool Sync(std::string* /*error*/ = nullptr) override { return true; }

   private:
    const SettingsStore& base_;
    MemorySettingsStore written_;
  };

  CommandContext& context_;
  CliPrompter prompter_;
  ReadOnlySettings settings_;
  std::unique_ptr<CKeelmarkRouteXPDoc> document_;
};

// Stores the data files; CommandError when the document had to report a failure doing so.
void CloseSession(DocumentSession& session);

}  // namespace keelmark::cli

// DocumentSession: the document a command works on, opened the way the program opens it:
// the data files of --data-dir (through the settings' "Path" keys), and a route document when
// one is named. The data files are stored back when the session ends, as the program does.
#pragma once

#include <memory>
#include <string>

#include "cli/cli_prompter.h"
#include "cli/commands.h"
#include "records/keelmark_document.h"

namespace keelmark::cli {

class DocumentSession {
 public:
  // CommandError when the route document cannot be read.
  DocumentSession(CommandContext& context, const std::string& dataFolder,
                  const std::string& routePath = "");
  ~DocumentSession();
  DocumentSession(const DocumentSession&) = delete;
  DocumentSession& operator=(const DocumentSession&) = delete;

  [[nodiscard]] CKeelmarkRouteXPDoc& Document() { return *document_; }
  [[nodiscard]] CliPrompter& Prompter() { return prompter_; }
  // Stores the data files and settings now (the destructor does it otherwise).
  void Close();

 private:
  CommandContext& context_;
  CliPrompter prompter_;
  std::unique_ptr<CKeelmarkRouteXPDoc> document_;
};

}  // namespace keelmark::cli

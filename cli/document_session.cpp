#include "cli/document_session.h"

#include <exception>
#include <filesystem>

#include "cli/command_line.h"

namespace keelmark::cli {

DocumentSession::DocumentSession(CommandContext& context, const std::string& dataFolder,
                                 const std::string& routePath, DataAccess access, VoyageStart start)
    : context_(context), prompter_(context.err), settings_(context.Settings()) {
  std::error_code ec;
  if (!dataFolder.empty() && !std::filesystem::is_directory(dataFolder, ec)) {
    // Nothing would be found there and nothing could be stored: refuse before touching a file.
    throw CommandError("--data-dir: " + dataFolder + " is not a folder");
  }
  document_ = std::make_unique<CKeelmarkRouteXPDoc>(settings_, prompter_, dataFolder, access);
  if (routePath.empty()) return;
  // The data files were read a moment ago and nothing has touched them since.
  const LoadResult result =
      document_->OpenRouteDocument(routePath, start, DataFilesInMemory::AsLastReadOrStored);
  if (!result.Ok()) {
    throw CommandError(routePath + ": " +
                       (result.status == LoadStatus::Damaged ? "damaged route document: "
                                                             : "cannot open the route document: ") +
                       result.detail);
  }
}

std::optional<std::string> DocumentSession::ReadOnlySettings::Lookup(std::string_view section,
                                                                     std::string_view key) const {
  if (auto written = written_.Lookup(section, key)) return written;
  return base_.Lookup(section, key);
}

DocumentSession::~DocumentSession() {
  if (!document_) return;
  // A command refused part way (an exception on its way out) stores nothing; otherwise the
  // files are stored as the program stores them, and a failure has had its messages.
  if (std::uncaught_exceptions() > 0) {
    document_->Discard();
  } else {
    (void)document_->Close();
  }
}

void DocumentSession::Close() {
  if (!document_) return;
  const bool stored = document_->Close();
  document_.reset();
  if (!stored) throw CommandError("not everything could be stored; see the messages above");
}

void CloseSession(DocumentSession& session) {
  const std::size_t shown = session.Prompter().Messages().size();
  session.Close();
  if (session.Prompter().Messages().size() != shown) {
    throw CommandError("the data files could not all be stored");
  }
}

}  // namespace keelmark::cli

#include "cli/document_session.h"

#include "cli/command_line.h"

namespace keelmark::cli {

DocumentSession::DocumentSession(CommandContext& context, const std::string& dataFolder,
                                 const std::string& routePath)
    : context_(context), prompter_(context.err), settings_(context.Settings()) {
  document_ = std::make_unique<CKeelmarkRouteXPDoc>(settings_, prompter_, dataFolder);
  if (routePath.empty()) return;
  const LoadResult result = document_->OpenRouteDocument(routePath);
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

DocumentSession::~DocumentSession() { Close(); }

void DocumentSession::Close() {
  if (!document_) return;
  document_->Close();
  document_.reset();
}

void CloseSession(DocumentSession& session) {
  const std::size_t shown = session.Prompter().Messages().size();
  session.Close();
  if (session.Prompter().Messages().size() != shown) {
    throw CommandError("the data files could not all be stored");
  }
}

}  // namespace keelmark::cli

#include "cli/document_session.h"

#include "cli/command_line.h"

namespace keelmark::cli {

DocumentSession::DocumentSession(CommandContext& context, const std::string& dataFolder,
                                 const std::string& routePath)
    : context_(context), prompter_(context.err) {
  document_ = std::make_unique<CKeelmarkRouteXPDoc>(context.Settings(), prompter_, dataFolder);
  if (routePath.empty()) return;
  const LoadResult result = document_->OpenRouteDocument(routePath);
  if (!result.Ok()) {
    throw CommandError(routePath + ": " +
                       (result.status == LoadStatus::Damaged ? "damaged route document: "
                                                             : "cannot open the route document: ") +
                       result.detail);
  }
}

DocumentSession::~DocumentSession() { Close(); }

void DocumentSession::Close() {
  if (!document_) return;
  document_->Close();
  document_.reset();
}

}  // namespace keelmark::cli

#include "cli/json_audit.h"

namespace keelmark::cli {
namespace {

// The audit of the build running now; commands run one at a time on one thread.
JsonReadAudit* current = nullptr;

}  // namespace

JsonReadAudit::JsonReadAudit() : previous_(current) { current = this; }

JsonReadAudit::~JsonReadAudit() { current = previous_; }

void JsonReadAudit::NoteRead(const nlohmann::json& object, const char* key) {
  if (current) current->read_.emplace(&object, key);
}

void JsonReadAudit::NoteLossy(const char* key) {
  if (current) current->lossy_.insert(key);
}

std::vector<std::string> JsonReadAudit::Unread(const nlohmann::json& root) const {
  std::vector<std::string> unread;
  CollectUnread(root, "", unread);
  return unread;
}

void JsonReadAudit::CollectUnread(const nlohmann::json& node, const std::string& path,
                                  std::vector<std::string>& unread) const {
  if (node.is_array()) {
    for (std::size_t i = 0; i < node.size(); ++i) {
      CollectUnread(node[i], path + "[" + std::to_string(i) + "]", unread);
    }
    return;
  }
  if (!node.is_object()) return;
  for (auto it = node.begin(); it != node.end(); ++it) {
    const std::string member = path.empty() ? it.key() : path + "." + it.key();
    if (!read_.count({&node, it.key()})) {
      unread.push_back(member);
    } else {
      CollectUnread(*it, member, unread);
    }
  }
}

}  // namespace keelmark::cli

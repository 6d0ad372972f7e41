// JsonReadAudit: what a build read of its JSON input, so that a member it does not know (a
// misspelt key) is refused instead of silently left out, and a text that the file cannot hold
// whole is reported.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace keelmark::cli {

class JsonReadAudit {
 public:
  // Becomes the audit that the member readers report to, for its lifetime.
  JsonReadAudit();
  ~JsonReadAudit();
  JsonReadAudit(const JsonReadAudit&) = delete;
  JsonReadAudit& operator=(const JsonReadAudit&) = delete;

  // Called by the member readers: the member `key` of `object` was looked up; its text (when
  // it is one) has characters the file cannot hold.
  static void NoteRead(const nlohmann::json& object, const char* key);
  static void NoteLossy(const char* key);

  // Every member of every object under root that nobody looked up, as paths like
  // "records[2].Lattitude", in document order.
  [[nodiscard]] std::vector<std::string> Unread(const nlohmann::json& root) const;
  // The keys whose texts lose characters, each once.
  [[nodiscard]] const std::set<std::string>& Lossy() const { return lossy_; }

 private:
  void CollectUnread(const nlohmann::json& node, const std::string& path,
                     std::vector<std::string>& unread) const;

  JsonReadAudit* previous_;
  std::set<std::pair<const nlohmann::json*, std::string>> read_;
  std::set<std::string> lossy_;
};

}  // namespace keelmark::cli

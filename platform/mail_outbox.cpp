#include "platform/mail_outbox.h"

#include <algorithm>
#include <fstream>

#include "records/archive_file.h"

namespace keelmark {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kWaiting = ".eml";
constexpr std::string_view kSending = ".eml.sending";
// The header lines a listing reads; a message's own header is far shorter.
constexpr std::size_t kHeaderBytes = 65536;

bool EndsWith(const std::string& text, std::string_view end) {
  return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string HeadOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string head(kHeaderBytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, in.gcount())));
  return head;
}

}  // namespace

std::optional<fs::path> MailOutbox::Keep(std::string_view text, const std::string& stem,
                                         std::string& error) const {
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec) {
    error = "cannot make the outbox folder " + folder_.string() + ": " + ec.message();
    return std::nullopt;
  }
  for (int n = 1; n < 100; ++n) {
    const fs::path file =
        folder_ / (stem + (n == 1 ? "" : "-" + std::to_string(n)) + std::string(kWaiting));
    if (fs::exists(fs::symlink_status(file, ec))) continue;
    if (!WriteFileAtomically(file.string(), text, &error)) return std::nullopt;
    return file;
  }
  error = "the outbox " + folder_.string() + " holds too many messages named " + stem;
  return std::nullopt;
}

std::vector<MailOutbox::Entry> MailOutbox::List() const {
  std::vector<Entry> entries;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const bool uncertain = EndsWith(name, kSending);
    if (!uncertain && !EndsWith(name, kWaiting)) continue;
    if (!it->is_regular_file(ec)) continue;
    entries.push_back({it->path(), uncertain, it->file_size(ec), SummarizeMailText(HeadOf(*it))});
  }
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.file.filename() < b.file.filename(); });
  return entries;
}

std::size_t MailOutbox::Waiting() const {
  const std::vector<Entry> entries = List();
  return static_cast<std::size_t>(
      std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return !e.uncertain; }));
}

SmtpResult MailOutbox::SendKept(const fs::path& file, const Sender& send) const {
  fs::path claimed = file;
  claimed += ".sending";
  std::error_code ec;
  fs::rename(file, claimed, ec);
  if (ec) {
    if (!fs::exists(file)) return {SmtpVerdict::kAccepted, "sent meanwhile by another sender"};
    return {SmtpVerdict::kUnreachable, "cannot take " + file.string() + ": " + ec.message()};
  }
  SyncFolderOf(file.string());
  std::string error;
  const std::optional<Archive::Bytes> bytes =
      ReadWholeFile(claimed.string(), kLargestDataFile, &error);
  SmtpResult result{SmtpVerdict::kRefused, error};
  if (bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    result = send(text, SummarizeMailText(text));
  }
  if (result.verdict == SmtpVerdict::kAccepted) {
    fs::remove(claimed, ec);
  } else {
    fs::rename(claimed, file, ec);
  }
  SyncFolderOf(file.string());
  return result;
}

}  // namespace keelmark

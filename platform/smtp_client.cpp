#include "platform/smtp_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace keelmark {
namespace {

struct Upload {
  std::string_view text;
  std::size_t sent = 0;
};

std::size_t ReadUpload(char* buffer, std::size_t size, std::size_t count, void* data) {
  auto* upload = static_cast<Upload*>(data);
  const std::size_t n = std::min(size * count, upload->text.size() - upload->sent);
  std::memcpy(buffer, upload->text.data() + upload->sent, n);
  upload->sent += n;
  return n;
}

// The server's last reply (all its lines), which says why it refused; what the client sends,
// the password among it, is never kept.
struct Answer {
  std::string reply;
  bool complete = true;  // the last line read ended the reply ("250 ...", not "250-...")
};

int KeepAnswer(CURL* /*handle*/, curl_infotype type, char* data, std::size_t size, void* kept) {
  if (type != CURLINFO_HEADER_IN) return 0;
  auto* answer = static_cast<Answer*>(kept);
  std::string line(data, size);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  answer->reply = answer->complete ? line : answer->reply + " " + line;
  answer->complete = line.size() < 4 || line[3] != '-';
  return 0;
}

void StartCurl() {
  static const CURLcode started = curl_global_init(CURL_GLOBAL_DEFAULT);
  (void)started;
}

}  // namespace

SmtpResult SendSmtp(const SmtpAccount& account, const std::string& from,
                    const std::vector<std::string>& to, std::string_view text) {
  StartCurl();
  const std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(),
                                                                 &curl_easy_cleanup);
  if (!curl) return {SmtpVerdict::kUnreachable, "the mail library could not start"};
  std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> recipients(nullptr,
                                                                         &curl_slist_free_all);
  for (const std::string& address : to) {
    if (curl_slist* list = curl_slist_append(recipients.get(), ("<" + address + ">").c_str())) {
      (void)recipients.release();
      recipients.reset(list);
    }
  }
  const bool literalV6 = account.server.find(':') != std::string::npos;
  const std::string host = literalV6 ? "[" + account.server + "]" : account.server;
  const std::string url = std::string(account.tls == 2 ? "smtps://" : "smtp://") + host + ":" +
                          std::to_string(account.port);
  const std::string mailFrom = "<" + from + ">";
  Upload upload{text};
  Answer answer;
  char error[CURL_ERROR_SIZE] = {};
  const long timeout = std::max(1, account.timeoutSeconds);
  CURL* h = curl.get();
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  if (account.tls == 1) curl_easy_setopt(h, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  if (!account.user.empty()) {
    curl_easy_setopt(h, CURLOPT_USERNAME, account.user.c_str());
    curl_easy_setopt(h, CURLOPT_PASSWORD, account.password.c_str());
  }
  curl_easy_setopt(h, CURLOPT_MAIL_FROM, mailFrom.c_str());
  curl_easy_setopt(h, CURLOPT_MAIL_RCPT, recipients.get());
  curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(h, CURLOPT_READFUNCTION, &ReadUpload);
  curl_easy_setopt(h, CURLOPT_READDATA, &upload);
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, error);
  // A server that takes the connection and then says nothing is given up on as well.
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, timeout);
  curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeout);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, timeout);
  curl_easy_setopt(h, CURLOPT_VERBOSE, 1L);  // feeds KeepAnswer; nothing is printed
  curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, &KeepAnswer);
  curl_easy_setopt(h, CURLOPT_DEBUGDATA, &answer);

  const CURLcode code = curl_easy_perform(h);
  long reply = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &reply);
  if (code == CURLE_OK) return {SmtpVerdict::kAccepted, answer.reply};
  const std::string what = error[0] ? std::string(error) : curl_easy_strerror(code);
  const std::string where = account.server + ":" + std::to_string(account.port);
  // A reply of 400 or more is the server's refusal, whatever the library calls the error.
  if (reply >= 400) {
    return {SmtpVerdict::kRefused, "the mail server " + where + " refused the message: " +
                                       (answer.reply.empty() ? what : answer.reply)};
  }
  return {SmtpVerdict::kUnreachable, "the mail server " + where + " cannot be reached: " + what};
}

}  // namespace keelmark

// The mail transports the options choose between (section "Mail"): SMTP, which keeps a message
// it cannot deliver in the outbox for a later attempt; the desktop's mail program; and the
// outbox folder alone, for a ship's own mail system to collect.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "document/mail_transport.h"
#include "records/settings_store.h"

namespace keelmark {

// The values of the Mail/Transport setting.
enum class MailTransportChoice { kSmtp = 0, kDesktopMail = 1, kOutboxOnly = 2 };
[[nodiscard]] MailTransportChoice ChosenMailTransport(const SettingsStore& settings);

// Asks the user for the SMTP password when it is not remembered; nothing when cancelled.
using PasswordQuestion = std::function<std::optional<std::string>()>;

// The transport the options choose, read afresh at each Send (the settings must outlive it).
// SMTP keeps a message it cannot deliver in the outbox (MailStatus::kQueued with the reason in
// the detail); it asks for the password at most once in the transport's life.
[[nodiscard]] std::unique_ptr<MailTransport> MakeMailTransport(const SettingsStore& settings,
                                                               PasswordQuestion askPassword);

// The outbox folder: the OutboxFolder setting, a relative one (and an empty one as "outbox")
// taken inside the program's per-user data folder.
[[nodiscard]] std::filesystem::path OutboxFolder(const SettingsStore& settings);

struct OutboxFlush {
  std::size_t sent = 0;
  std::size_t waiting = 0;
  std::string lastError;
};
// Sends the waiting messages over SMTP (when SMTP is the transport; otherwise lastError says
// so), oldest first; each one leaves the outbox once the server accepted it, never twice. The
// password is asked only when a message waits. A server that cannot be reached ends the
// attempt; a message the server refuses waits on while the next ones are tried.
[[nodiscard]] OutboxFlush FlushOutbox(const SettingsStore& settings, PasswordQuestion askPassword);

// How many messages wait in the outbox (those whose sending was cut short are not counted).
[[nodiscard]] std::size_t OutboxWaiting(const SettingsStore& settings);

}  // namespace keelmark

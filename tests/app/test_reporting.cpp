// Reporting, Send message and the commands that mail or exchange data, driven as a user drives
// them, with a transport that answers as the test says. With KEELMARK_SCREENSHOTS set to a
// folder, the Reporting and Send message dialogs are saved there.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QtTest>
#include <atomic>

#include "app/exchange_commands.h"
#include "app/reporting_dialog.h"
#include "app/send_message_dialog.h"
#include "records/settings_keys.h"
#include "tests/app/desktop_spy.h"
#include "tests/app/editor_test_support.h"

namespace keelmark::test {
namespace {

// The transport's answers and what it was given.
struct FakeMail {
  MailOutcome answer{MailStatus::kSent, ""};
  std::vector<MailMessage> sent;
  std::size_t waiting = 0;
  std::atomic<int> flushes = 0;  // counted on the outbox's worker thread

  MailBackend Backend() {
    class Transport final : public MailTransport {
     public:
      explicit Transport(FakeMail& mail) : mail_(mail) {}
      MailOutcome Send(const MailMessage& message) override {
        mail_.sent.push_back(message);
        return mail_.answer;
      }
      FakeMail& mail_;
    };
    return {[this](const SettingsStore&, PasswordQuestion) {
              return std::make_unique<Transport>(*this);
            },
            [this](const SettingsStore&, PasswordQuestion) {
              ++flushes;
              return OutboxFlush{0, waiting, ""};
            },
            [this](const SettingsStore&) { return waiting; }};
  }
};

void SaveScreenshot(QWidget& dialog, const QString& name) {
  const QString folder = qEnvironmentVariable("KEELMARK_SCREENSHOTS");
  QVERIFY(dialog.minimumSizeHint().width() <= dialog.width());
  if (folder.isEmpty()) return;
  QDir().mkpath(folder);
  QVERIFY(dialog.grab().save(QDir(folder).filePath(name + ".png")));
}

}  // namespace

class TestReporting : public QObject {
  Q_OBJECT

  ExampleClock clock_;

 private slots:
  // What the user is told after OK, and whether the dialog closes with its message kept.
  void sendMessageOutcome() {
    const std::tuple<QString, MailStatus, QString, bool> cases[] = {
        {"ops@example.org", MailStatus::kSent, kMessageSent, true},
        {"ops@example.org", MailStatus::kQueued, QString(kMessageQueued) + "\nserver down", true},
        {"ops@example.org", MailStatus::kHandedOver, kMessageHandedOver, true},
        {"ops@example.org", MailStatus::kFailed, QString(kMessageNotSent) + "\nserver down", false},
        {"  ", MailStatus::kSent, kNoValidAddress, false}};
    for (const auto& [to, status, told, closed] : cases) {
      FakeMail mail;
      mail.answer = {status, "server down"};
      MemorySettingsStore store;
      ScriptedPrompter prompter;
      MailSession session(store, mail.Backend(), nullptr);
      bool stayedOpen = false;
      OnNext<CSendMessageDialog>([&](CSendMessageDialog& dialog) {
        PressOk(dialog);
        stayedOpen = dialog.isVisible();
      });
      const std::optional<MailOutcome> outcome =
          RunSendMessage(session, prompter, {to.toStdString(), "S", "text", ""}, nullptr);
      QCOMPARE(QString::fromStdString(prompter.Messages().back().text), told);
      QCOMPARE(outcome.has_value(), closed);
      QCOMPARE(stayedOpen, !closed);
      QCOMPARE(mail.sent.size(), std::size_t(to.trimmed().isEmpty() ? 0 : 1));
    }
  }

  // View writes the chosen message and hands the file to the desktop; Email puts its text in
  // the message; Print offers the printer; the special forms are refused; Save to file writes
  // the chosen file.
  void reportingButtons() {
    FakeMail mail;
    ExampleFrame window({}, true, mail.Backend());
    DesktopSpy desktop;
    QString body;
    bool printOffered = false;
    const QString saved = window.Folder().Path("amver.txt");
    window.Prompter().QueueFile(saved.toStdString());
    OnNext<CReportingDialog>([&](CReportingDialog& dialog) {
      SaveScreenshot(dialog, "reporting");
      Choose(Field<QComboBox>(&dialog, "System"), 2);
      Choose(Field<QComboBox>(&dialog, "Report"), 1);
      Click(ButtonText(&dialog, "View"));
      OnNext<CSendMessageDialog>([&](CSendMessageDialog& send) {
        SaveScreenshot(send, "send-message");
        body = Field<QPlainTextEdit>(&send, "Message")->toPlainText();
      });
      Click(ButtonText(&dialog, "Email"));
      OnNext<QPrintDialog>([&](QPrintDialog&) { printOffered = true; });
      Click(ButtonText(&dialog, "Print"));
      Choose(Field<QComboBox>(&dialog, "System"), 6);
      Choose(Field<QComboBox>(&dialog, "Report"), 0);
      Click(ButtonText(&dialog, "Save to file"));
      QCOMPARE(window.LastMessage(), QString("This report requires special form"));
      Choose(Field<QComboBox>(&dialog, "System"), 0);
      Click(ButtonText(&dialog, "Save to file"));
      PressOk(dialog);
    });
    window.Trigger("actionReporting");
    QCOMPARE(desktop.opened.size(), 1);
    const QByteArray report = FileBytes(desktop.opened[0].toLocalFile());
    QVERIFY(report.startsWith("AUSREP/PR//\r\n"));
    QCOMPARE(body, QString::fromLatin1(report).replace("\r\n", "\n"));
    QVERIFY(printOffered);
    QVERIFY(FileBytes(saved).startsWith("AMVER/SP//\r\n"));
    QVERIFY(mail.sent.empty());  // nothing went without OK in Send message
  }

  // The fixed follow-up texts only after the transport accepted; an empty address setting is
  // named.
  void addressedCommands() {
    const std::tuple<const char*, QString, MailStatus, QString> cases[] = {
        {"actionReportBug", "", MailStatus(0), QString(kNoAddressSet).arg("Support address")},
        {"actionReportBug", "help@example.org", MailStatus::kSent, kBugReportSent},
        {"actionReportBug", "help@example.org", MailStatus::kQueued, kMessageQueued},
        {"actionMeteoRequest", "update@example.org", MailStatus::kSent, kUpdateRequested},
        {"actionMeteoRequest", "update@example.org", MailStatus::kFailed, kUpdateRequestFailed}};
    for (const auto& [action, address, status, told] : cases) {
      FakeMail mail;
      mail.answer = {status, ""};
      ExampleFrame window({}, true, mail.Backend());
      window.Store().Write(setting::kSupportAddress, address.toStdString());
      window.Store().Write(setting::kUpdateServiceAddress, address.toStdString());
      if (!address.isEmpty()) OnNext<CSendMessageDialog>(PressOk);
      window.Trigger(action);
      QVERIFY2(window.LastMessage().startsWith(told), qPrintable(window.LastMessage()));
      if (!address.isEmpty()) QCOMPARE(mail.sent.at(0).to, address.toStdString());
    }
  }

  // The exported meteo file goes to the meteo data address, attached with its name and size.
  void meteoExportIsOfferedByMail() {
    FakeMail mail;
    ExampleFrame window({}, true, mail.Backend());
    window.Store().Write(setting::kMeteoDataAddress, "meteo@example.org");
    window.Prompter().QueueFile(window.Folder().Path("meteo.csv").toStdString());
    window.Prompter().QueueAnswer(true);
    QString attachment;
    OnNext<CSendMessageDialog>([&](CSendMessageDialog& dialog) {
      SaveScreenshot(dialog, "send-message-attachment");
      attachment = Field<QLabel>(&dialog, "Attachment")->text();
      PressOk(dialog);
    });
    window.Trigger("actionMeteoExport");
    QVERIFY2(attachment.startsWith("meteo.csv (") && attachment.endsWith(" kB)"),
             qPrintable(attachment));
    QCOMPARE(mail.sent.at(0).body, std::string(kMeteoExportBody));
    QVERIFY(QString::fromStdString(mail.sent.at(0).subject).endsWith(" meteo export"));
  }

  // At start the outbox is tried and the status bar says how many messages wait.
  void outboxIsTriedAtStartAndShown() {
    FakeMail mail;
    mail.waiting = 3;
    ExampleFrame window({}, true, mail.Backend());
    QTRY_COMPARE(mail.flushes.load(), 1);
    auto* pane = window.Frame().statusBar()->findChild<QLabel*>("outboxPane");
    QTRY_COMPARE(pane->text(), QString("3 messages wait in the outbox"));
    QVERIFY(pane->isVisible());
    // Only the start and the timer try it: the status bar going back to "Ready" does not.
    QStatusTipEvent cleared{QString()};
    QApplication::sendEvent(&window.Frame(), &cleared);
    QTest::qWait(100);
    QCOMPARE(mail.flushes.load(), 1);
  }

  // The Mail page stores the transport, security, a password to remember, outbox and addresses;
  // Run Now writes the backup of the Backup page's lists at once.
  void mailPageAndRunNow() {
    EditorFixture fixture;
    DriveOptions(fixture,
                 "Mail/Send mail by=0; Security=2; Timeout=30; Remember password; "
                 "Password=secret; Send waiting messages every=15; "
                 "Support address=help@example.org; "
                 "Backup/Port data; Folder to export to=saved; Run Now");
    const SettingsStore& store = fixture.Store();
    QCOMPARE(store.Read(setting::kMailTransport), 0);
    QCOMPARE(store.Read(setting::kSmtpTls), 2);
    QCOMPARE(store.Read(setting::kSmtpTimeout), 30);
    QCOMPARE(store.Read(setting::kOutboxRetryMinutes), 15);
    QCOMPARE(store.Read(setting::kSupportAddress), std::string("help@example.org"));
    QCOMPARE(store.Read(setting::kSmtpPassword), std::string("secret"));
    QVERIFY(QFile::exists(fixture.Folder().Path("saved/ports-2026-12-06.csv")));
    QVERIFY(fixture.Messages().back().startsWith("Backup written to "));
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestReporting)
#include "moc_desktop_spy.cpp"
#include "test_reporting.moc"

#include "app/exchange_commands.h"

#include <QFileInfo>
#include <QString>

#include "app/export_list_dialog.h"
#include "app/mail_session.h"
#include "app/options_sheet.h"
#include "app/send_message_dialog.h"
#include "document/keelmark_document.h"
#include "platform/qt_text.h"
#include "records/settings_keys.h"
#include "reports/category_table.h"
#include "reports/list_export.h"
#include "reports/meteo_exchange.h"

namespace keelmark {
namespace {

// The address of the setting, or nothing after saying which setting to fill in.
std::optional<std::string> AddressOf(CKeelmarkRouteXPDoc& doc, const TextSetting& key) {
  const std::string address = ToStdString(ToQString(doc.GetStore().Read(key)).trimmed());
  if (!address.empty()) return address;
  doc.GetPrompter().Message(
      ToStdString(
          QString::fromLatin1(kNoAddressSet).arg(QString::fromLatin1(MailAddressName(key)))),
      MessageIcon::Exclamation);
  return std::nullopt;
}

}  // namespace

void ExportListCommand(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent) {
  const std::optional<ListDestination> destination = CExportListDialog::Ask(parent);
  if (!destination) return;
  const Category category = doc.GetCategory();
  doc.UpdateForList(category);
  const Table table = FillCategory(doc, category);
  switch (*destination) {
    case ListDestination::TextFile:
    case ListDestination::SeparatedValues:
      ExportList(table,
                 *destination == ListDestination::TextFile ? ListFormat::Text
                                                           : ListFormat::SeparatedValues,
                 doc.GetSettings().convChar, doc.GetPrompter());
      return;
    case ListDestination::Email: {
      MailMessage message;
      message.body = ListText(table, kTextSeparator, "\n");
      (void)RunSendMessage(mail, doc.GetPrompter(), message, parent);
      return;
    }
  }
}

void MeteoExportCommand(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent) {
  Prompter& prompter = doc.GetPrompter();
  const std::optional<std::string> path =
      ExportMeteoData(doc.GetMeteo(), doc.GetSettings().convChar, prompter);
  if (!path || !prompter.AskYesNo(kSendFileQuestion, MessageIcon::Question)) return;
  const std::optional<std::string> to = AddressOf(doc, setting::kMeteoDataAddress);
  if (!to) return;
  (void)RunSendMessage(mail, prompter,
                       {*to, doc.GetVessel().name + kMeteoExportSubject, kMeteoExportBody, *path},
                       parent);
}

bool MeteoImportCommand(CKeelmarkRouteXPDoc& doc) {
  const std::optional<MeteoImportResult> result =
      ImportMeteoData(doc.GetMeteo(), doc.GetSettings().convChar, doc.GetPrompter());
  return result && result->merged > 0;
}

void MeteoRequestCommand(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent) {
  const std::optional<std::string> to = AddressOf(doc, setting::kUpdateServiceAddress);
  if (!to) return;
  const std::optional<MailOutcome> outcome = RunSendMessage(
      mail, doc.GetPrompter(), {*to, kUpdateRequest, kUpdateRequest, ""}, parent, true);
  // Queued or handed over: the dialog has said so; the update is not requested yet.
  if (!outcome) {
    doc.GetPrompter().Message(kUpdateRequestFailed, MessageIcon::Exclamation);
  } else if (outcome->status == MailStatus::kSent) {
    doc.GetPrompter().Message(kUpdateRequested, MessageIcon::Information);
  }
}

void ReportBugCommand(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent) {
  const std::optional<std::string> to = AddressOf(doc, setting::kSupportAddress);
  if (!to) return;
  const std::optional<MailOutcome> outcome =
      RunSendMessage(mail, doc.GetPrompter(), {*to, kBugReportSubject, "", ""}, parent, true);
  if (outcome && outcome->status == MailStatus::kSent) {
    doc.GetPrompter().Message(kBugReportSent, MessageIcon::Information);
  }
}

void SendDocumentCommand(CKeelmarkRouteXPDoc& doc, MailSession& mail, const QString& routeFile,
                         QWidget* parent) {
  MailMessage message;
  message.subject = ToStdString(QFileInfo(routeFile).fileName());
  message.attachmentPath = ToStdString(routeFile);
  (void)RunSendMessage(mail, doc.GetPrompter(), message, parent);
}

}  // namespace keelmark

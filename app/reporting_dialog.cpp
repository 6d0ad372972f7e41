#include "app/reporting_dialog.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/mail_session.h"
#include "app/send_message_dialog.h"
#include "document/keelmark_document.h"
#include "platform/qt_text.h"
#include "platform/sheet_printer.h"
#include "reports/text_printout.h"

namespace keelmark {
namespace {

QStringList Names(const auto& names) {
  QStringList list;
  for (const char* name : names) list << QString::fromLatin1(name);
  return list;
}

}  // namespace

const char* const CReportingDialog::kCaption = "Reporting";

CReportingDialog::CReportingDialog(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      mail_(mail),
      sources_{doc.GetRoute(), doc.GetVessel(), doc.GetPresentPosition()},
      reportFile_(ReportFilePath(
          doc.GetStore(), ToStdString(QDir(ToQString(doc.ResolvePath("."))).absolutePath()))),
      system_(new QComboBox(this)),
      kind_(new QComboBox(this)) {
  setWindowTitle(QString::fromLatin1(kCaption));
  setObjectName(QStringLiteral("reportingDialog"));
  system_->addItems(Names(kReportSystemNames));
  system_->setAccessibleName(QStringLiteral("System"));
  kind_->addItems(Names(kReportKindNames));
  kind_->setAccessibleName(QStringLiteral("Report"));

  auto* create = new QGroupBox(tr("Create report"), this);
  auto* createForm = new QFormLayout(create);
  createForm->addRow(tr("System"), system_);
  createForm->addRow(tr("Report"), kind_);
  auto* view = new QPushButton(tr("View"), create);
  createForm->addRow(QString(), view);

  auto* routing = new QGroupBox(tr("Routing"), this);
  auto* routingColumn = new QVBoxLayout(routing);
  auto* save = new QPushButton(tr("Save to file"), routing);
  auto* print = new QPushButton(tr("Print"), routing);
  auto* email = new QPushButton(tr("Email"), routing);
  for (QPushButton* button : {save, print, email}) routingColumn->addWidget(button);
  routingColumn->addStretch(1);

  auto* groups = new QHBoxLayout;
  groups->addWidget(create, 1);
  groups->addWidget(routing);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  auto* column = new QVBoxLayout(this);
  column->addLayout(groups);
  column->addWidget(buttons);

  connect(view, &QPushButton::clicked, this, &CReportingDialog::OnView);
  connect(print, &QPushButton::clicked, this, &CReportingDialog::OnPrint);
  connect(email, &QPushButton::clicked, this, &CReportingDialog::OnEmail);
  connect(save, &QPushButton::clicked, this, &CReportingDialog::OnSave);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  // The buttons act on a click only; Enter in a list is no View.
  for (QPushButton* button : {view, save, print, email}) button->setAutoDefault(false);
}

ReportSystem CReportingDialog::System() const {
  return static_cast<ReportSystem>(std::max(0, system_->currentIndex()));
}

ReportKind CReportingDialog::Kind() const {
  return static_cast<ReportKind>(std::max(0, kind_->currentIndex()));
}

void CReportingDialog::WriteReportFile() {
  // A file that cannot be written is not reported: the step that follows says what it finds.
  const ShipReportWrite write = WriteShipReport(System(), Kind(), sources_, reportFile_);
  if (write.refusal) doc_.GetPrompter().Message(write.refusal->text, write.refusal->icon);
}

std::optional<std::string> CReportingDialog::ReportText() {
  std::optional<std::string> text = ReadShipReportForMail(reportFile_);
  if (!text) {
    doc_.GetPrompter().Message(
        ToStdString(QString::fromLatin1(kCannotReadReport).arg(ToQString(reportFile_))),
        MessageIcon::Exclamation);
  }
  return text;
}

void CReportingDialog::OnView() {
  WriteReportFile();
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(reportFile_)))) {
    doc_.GetPrompter().Message(
        ToStdString(QString::fromLatin1(kCannotOpenReport).arg(ToQString(reportFile_))),
        MessageIcon::Exclamation);
  }
}

void CReportingDialog::OnPrint() {
  WriteReportFile();
  const std::optional<std::string> text = ReportText();
  if (!text) return;
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(
      QString::fromLatin1(ShipReportFileName(System(), Kind()).value_or("Report").c_str()));
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  PrintPrintout(TextPrintout(*text), printer);
}

void CReportingDialog::OnEmail() {
  WriteReportFile();
  const std::optional<std::string> text = ReportText();
  if (!text) return;
  MailMessage message;
  message.body = *text;
  (void)RunSendMessage(mail_, doc_.GetPrompter(), message, this);
}

void CReportingDialog::OnSave() { SaveShipReport(System(), Kind(), sources_, doc_.GetPrompter()); }

void RunReporting(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent) {
  if (doc.GetRoute().GetCount() < 2) {
    doc.GetPrompter().Message(kNoActiveVoyage.text, kNoActiveVoyage.icon);
    return;
  }
  CReportingDialog dialog(doc, mail, parent);
  dialog.exec();
}

}  // namespace keelmark

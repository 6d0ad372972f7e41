#include "app/send_message_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>

#include "app/mail_session.h"
#include "document/prompter.h"
#include "platform/qt_text.h"

namespace keelmark {
namespace {

// "report.txt (1.2 kB)"; a file that is not there says so.
QString AttachmentText(const std::string& path) {
  const QFileInfo file(ToQString(path));
  if (!file.isFile() || !file.isReadable()) {
    return QObject::tr("%1 (cannot be read)").arg(file.fileName());
  }
  return QStringLiteral("%1 (%2)").arg(
      file.fileName(), QLocale::c().formattedDataSize(file.size(), 1, QLocale::DataSizeSIFormat));
}

}  // namespace

const char* const CSendMessageDialog::kCaption = "Send message";

CSendMessageDialog::CSendMessageDialog(MailSession& session, Prompter& prompter,
                                       const MailMessage& message, QWidget* parent)
    : QDialog(parent),
      session_(session),
      prompter_(prompter),
      attachment_(message.attachmentPath),
      to_(new QLineEdit(ToQString(message.to), this)),
      subject_(new QLineEdit(ToQString(message.subject), this)),
      body_(new QPlainTextEdit(ToQString(message.body), this)),
      attachmentLabel_(new QLabel(this)) {
  setWindowTitle(QString::fromLatin1(kCaption));
  setObjectName(QStringLiteral("sendMessageDialog"));
  to_->setAccessibleName(QStringLiteral("To address"));
  subject_->setAccessibleName(QStringLiteral("Subject"));
  body_->setAccessibleName(QStringLiteral("Message"));
  attachmentLabel_->setAccessibleName(QStringLiteral("Attachment"));
  attachmentLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Reports line up in columns: the text is shown as it will be read.
  body_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  body_->setLineWrapMode(QPlainTextEdit::NoWrap);

  auto* form = new QFormLayout(this);
  form->addRow(tr("To address:"), to_);
  form->addRow(tr("Subject:"), subject_);
  if (!attachment_.empty()) {
    attachmentLabel_->setText(AttachmentText(attachment_));
    form->addRow(tr("Attachment:"), attachmentLabel_);
  } else {
    attachmentLabel_->hide();
  }
  form->addRow(body_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &CSendMessageDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  form->addRow(buttons);
  resize(560, 420);
  (message.to.empty() ? to_ : static_cast<QWidget*>(body_))->setFocus();
}

MailMessage CSendMessageDialog::Message() const {
  return {ToStdString(to_->text().trimmed()), ToStdString(subject_->text()),
          ToStdString(body_->toPlainText()), attachment_};
}

void CSendMessageDialog::accept() {
  const MailMessage message = Message();
  if (message.to.empty()) {
    prompter_.Message(kNoValidAddress, MessageIcon::Stop);
    to_->setFocus();
    return;
  }
  outcome_ = session_.Transport()->Send(message);
  session_.NoteOutbox();
  switch (outcome_.status) {
    case MailStatus::kSent:
      if (!quietWhenSent_) prompter_.Message(kMessageSent, MessageIcon::Information);
      break;
    case MailStatus::kQueued: {
      std::string text = kMessageQueued;
      if (!outcome_.detail.empty()) text += "\n" + outcome_.detail;
      prompter_.Message(text, MessageIcon::Information);
      break;
    }
    case MailStatus::kHandedOver:
      prompter_.Message(kMessageHandedOver, MessageIcon::Information);
      break;
    case MailStatus::kFailed:
      // The dialog stays open with everything typed, to correct and send again or cancel.
      prompter_.Message(std::string(kMessageNotSent) + "\n" + outcome_.detail, MessageIcon::Stop);
      return;
  }
  QDialog::accept();
}

std::optional<MailOutcome> RunSendMessage(MailSession& session, Prompter& prompter,
                                          const MailMessage& message, QWidget* parent,
                                          bool quietWhenSent) {
  CSendMessageDialog dialog(session, prompter, message, parent);
  dialog.SetQuietWhenSent(quietWhenSent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Outcome();
}

}  // namespace keelmark

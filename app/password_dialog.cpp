#include "app/password_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "platform/qt_text.h"

namespace keelmark {

const char* const CPasswordDialog::kCaption = "Mail server password";

CPasswordDialog::CPasswordDialog(const QString& account, QWidget* parent)
    : QDialog(parent), password_(new QLineEdit(this)) {
  setWindowTitle(QString::fromLatin1(kCaption));
  setObjectName(QStringLiteral("passwordDialog"));
  password_->setEchoMode(QLineEdit::Password);
  password_->setAccessibleName(QStringLiteral("Password"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* form = new QFormLayout(this);
  form->addRow(new QLabel(tr("The password for %1 is used until the program ends.\n"
                             "Tick \"Remember password\" on the Mail page of Tools > Options "
                             "to keep it.")
                              .arg(account),
                          this));
  form->addRow(tr("Password:"), password_);
  form->addRow(buttons);
}

std::optional<std::string> CPasswordDialog::Ask(const QString& account, QWidget* parent) {
  CPasswordDialog dialog(account, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return ToStdString(dialog.password_->text());
}

}  // namespace keelmark

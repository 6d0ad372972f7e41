// CPasswordDialog: asks for the mail server's password when the options do not remember it.
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace keelmark {

class CPasswordDialog : public QDialog {
  Q_OBJECT

 public:
  // account: the user and server the password is for ("mate@smtp.example.org").
  CPasswordDialog(const QString& account, QWidget* parent = nullptr);

  // "Mail server password"
  static const char* const kCaption;

  // The password typed, or nothing when cancelled.
  [[nodiscard]] static std::optional<std::string> Ask(const QString& account, QWidget* parent);

 private:
  QLineEdit* password_;
};

}  // namespace keelmark

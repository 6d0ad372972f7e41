#include "app/qt_prompter.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

#include "platform/qt_text.h"

namespace keelmark {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return QMessageBox::NoIcon;
    case MessageIcon::Stop:
      return QMessageBox::Critical;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

int ShowBox(QWidget* parent, const std::string& text, MessageIcon icon,
            QMessageBox::StandardButtons buttons) {
  QMessageBox box(BoxIcon(icon), QString::fromLatin1(kProgramTitle), ToQString(text), buttons,
                  parent);
  return box.exec();
}

}  // namespace

QStringList NameFilters(const std::string& filter) {
  // Pairs of description and patterns; the list ends with an empty pair ("||").
  const QStringList parts = ToQString(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    if (description.isEmpty()) break;
    QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
    for (QString& pattern : patterns) {
      pattern = pattern.trimmed();
      if (pattern == QStringLiteral("*.*")) pattern = QStringLiteral("*");
    }
    // The dialog reads the patterns from the parentheses of the description.
    const qsizetype open = description.lastIndexOf(u'(');
    if (open > 0 && description.endsWith(u')')) description = description.left(open).trimmed();
    filters.append(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
  }
  return filters;
}

void QtPrompter::Message(const std::string& text, MessageIcon icon) {
  ShowBox(parent_, text, icon, QMessageBox::Ok);
}

bool QtPrompter::AskYesNo(const std::string& text, MessageIcon icon) {
  return ShowBox(parent_, text, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::optional<std::string> QtPrompter::ChooseOpenFile(const FileChoice& choice) {
  return ChooseFile(choice, false);
}

std::optional<std::string> QtPrompter::ChooseSaveFile(const FileChoice& choice) {
  return ChooseFile(choice, true);
}

std::optional<std::string> QtPrompter::ChooseFile(const FileChoice& choice, bool save) {
  QFileDialog dialog(parent_, QString(), QDir::currentPath());
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters(NameFilters(choice.filter));
  dialog.setDefaultSuffix(ToQString(choice.defaultExtension));
  if (!choice.initialName.empty()) dialog.selectFile(ToQString(choice.initialName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToStdString(dialog.selectedFiles().constFirst());
}

}  // namespace keelmark

#include "app/help_commands.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include "app/about_box.h"
#include "document/keelmark_document.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_text.h"
#include "records/settings_keys.h"

namespace keelmark {

void OpenHomepage(CKeelmarkRouteXPDoc& doc) {
  Prompter& prompter = doc.GetPrompter();
  const QString address = ToQString(doc.GetStore().Read(setting::kHomepage)).trimmed();
  if (address.isEmpty()) {
    prompter.Message(kNoHomepage, MessageIcon::Information);
    return;
  }
  // "www.example.org" is taken as a web address; a local file or a mail address is not one.
  const QUrl url = QUrl::fromUserInput(address);
  const bool web = url.isValid() && (url.scheme() == QLatin1String("http") ||
                                     url.scheme() == QLatin1String("https"));
  if (!web) {
    prompter.Message(ToStdString(QString::fromLatin1(kBadHomepage).arg(address)),
                     MessageIcon::Exclamation);
    return;
  }
  if (!QDesktopServices::openUrl(url)) {
    prompter.Message(ToStdString(QString::fromLatin1(kCannotOpenHomepage).arg(address)),
                     MessageIcon::Exclamation);
  }
}

void ShowAbout(QWidget* parent, CKeelmarkRouteXPDoc& doc) {
  const QString dataFolder = QDir(ToQString(doc.ResolvePath("."))).absolutePath();
  const auto* store = dynamic_cast<const QtSettingsStore*>(&doc.GetStore());
  const QString settingsFile =
      store ? ToQString(store->FileName()) : QObject::tr("kept for this session only");
  CAboutBox about(dataFolder, settingsFile, parent);
  about.exec();
}

}  // namespace keelmark

#include "app/recent_file_list.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>

#include "platform/qt_text.h"
#include "records/settings_store.h"

namespace keelmark {
namespace {

constexpr const char* kRecentSection = "Recent File List";
constexpr const char* kRecentKey = "File%1";

std::string KeyOf(int number) { return ToStdString(QString::fromLatin1(kRecentKey).arg(number)); }

}  // namespace

RecentFileList::RecentFileList(SettingsStore& store, QMenu& menu, QAction* before, QObject* parent)
    : QObject(parent), store_(store) {
  separator_ = menu.insertSeparator(before);
  for (int i = 0; i < kRecentFileCount; ++i) {
    auto* entry = new QAction(&menu);
    entry->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
    entry->setVisible(false);
    connect(entry, &QAction::triggered, this, &RecentFileList::OnEntryTriggered);
    menu.insertAction(before, entry);
    entries_.append(entry);
  }
  Load();
}

void RecentFileList::OnEntryTriggered() {
  if (const auto* entry = qobject_cast<QAction*>(sender())) {
    emit OpenRequested(entry->data().toString());
  }
}

void RecentFileList::Load() {
  files_.clear();
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const QString path = ToQString(store_.ReadText(kRecentSection, KeyOf(i), ""));
    if (!path.isEmpty() && !files_.contains(path)) files_.append(path);
  }
  Show();
}

void RecentFileList::Store() {
  for (int i = 1; i <= kRecentFileCount; ++i) {
    store_.WriteText(kRecentSection, KeyOf(i), ToStdString(files_.value(i - 1)));
  }
  // A failure here shows at the end, when the settings are written again.
  (void)store_.Sync();
}

void RecentFileList::Add(const QString& path) {
  files_.removeAll(path);
  files_.prepend(path);
  while (files_.size() > kRecentFileCount) files_.removeLast();
  Store();
  Show();
}

void RecentFileList::Remove(const QString& path) {
  if (files_.removeAll(path) == 0) return;
  Store();
  Show();
}

void RecentFileList::Show() {
  for (int i = 0; i < entries_.size(); ++i) {
    QAction* entry = entries_[i];
    const bool used = i < files_.size();
    entry->setVisible(used);
    if (!used) continue;
    const QString& path = files_[i];
    entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    entry->setData(path);
    entry->setStatusTip(path);
  }
  separator_->setVisible(!files_.isEmpty());
}

}  // namespace keelmark

// RecentFileList: the route documents the File menu remembers, latest first, kept in the settings
// store under "Recent File List" and shown as numbered entries in the menu.
#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

namespace keelmark {

class SettingsStore;

// The most route documents the File menu remembers.
inline constexpr int kRecentFileCount = 4;

class RecentFileList : public QObject {
  Q_OBJECT

 public:
  // Adds the entries (hidden while unused) to the menu before `before`, after a separator of
  // their own, and reads the list from the store.
  RecentFileList(SettingsStore& store, QMenu& menu, QAction* before, QObject* parent);

  [[nodiscard]] const QStringList& Files() const { return files_; }
  // The path goes to the top; the list is stored at once.
  void Add(const QString& path);
  void Remove(const QString& path);

 signals:
  // An entry was chosen.
  void OpenRequested(const QString& path);

 private:
  void Load();
  void Store();
  void Show();
  void OnEntryTriggered();

  SettingsStore& store_;
  QAction* separator_ = nullptr;
  QList<QAction*> entries_;
  QStringList files_;
};

}  // namespace keelmark

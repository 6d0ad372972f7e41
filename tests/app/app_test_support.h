// What the desktop program's tests share: a copy of the example data, a main window on it with
// scripted answers, and helpers that answer modal dialogs and read the list.
#pragma once

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/main_frame.h"
#include "app/route_view.h"
#include "app/top_panel.h"
#include "document/keelmark_document.h"
#include "document/prompter.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "platform/qt_settings_store.h"

namespace keelmark::test {

inline constexpr const char* kExampleRoute = "atlantic-westbound.q3v";

// The example voyage's day, 2026-12-06 12:00 UTC: the ship is under way in mid-Atlantic.
inline TimeValue ExampleNow() { return TimeFromUtcFields({126, 11, 6, 12, 0, 0, 0}); }

// The example's present time for the whole test program, and the standard paths of a test
// (never the user's own settings): a member of each main-window test.
struct ExampleClock {
  ExampleClock() { QStandardPaths::setTestModeEnabled(true); }
  FixedClock clock{ExampleNow()};
  ScopedProcessClock use{clock};
};

// A copy of the example data files in a temporary folder, and a settings file of its own.
class ExampleFolder {
 public:
  ExampleFolder() {
    const QDir examples(QStringLiteral(KEELMARK_EXAMPLES));
    for (const QString& name : examples.entryList(QDir::Files)) {
      QFile::copy(examples.filePath(name), dir_.filePath(name));
    }
  }
  [[nodiscard]] QString Path(const QString& name) const { return dir_.filePath(name); }
  [[nodiscard]] QString RoutePath() const { return Path(QString::fromLatin1(kExampleRoute)); }
  [[nodiscard]] std::string Folder() const { return dir_.path().toStdString(); }
  [[nodiscard]] std::string SettingsFile() const {
    return Path(QStringLiteral("settings.ini")).toStdString();
  }

 private:
  QTemporaryDir dir_;
};

// A main window on an example folder (its own when none is given), as the program starts it
// with the route on the command line, but with scripted answers, the folder's own settings and
// the given mail transports.
class ExampleFrame {
 public:
  explicit ExampleFrame(EditCommands editors = {}, bool openRoute = true, MailBackend mail = {})
      : own_(std::make_unique<ExampleFolder>()), folder_(*own_) {
    Start(std::move(editors), openRoute, std::move(mail));
  }
  explicit ExampleFrame(const ExampleFolder& folder, EditCommands editors = {},
                        bool openRoute = true)
      : folder_(folder) {
    Start(std::move(editors), openRoute, {});
  }
  ~ExampleFrame() {
    frame_.reset();
    store_.reset();
  }

  [[nodiscard]] CMainFrame& Frame() { return *frame_; }
  [[nodiscard]] CKeelmarkRouteXPDoc& Doc() { return frame_->Document(); }
  [[nodiscard]] ScriptedPrompter& Prompter() { return prompter_; }
  [[nodiscard]] QtSettingsStore& Store() { return *store_; }
  [[nodiscard]] const ExampleFolder& Folder() const { return folder_; }
  // Closes the window and ends it; the data files and settings are stored.
  void Close() { frame_.reset(); }
  void Trigger(const char* action) {
    frame_->findChild<QAction*>(QLatin1String(action))->trigger();
  }
  // The text of the last message shown; empty when none was.
  [[nodiscard]] QString LastMessage() const {
    return prompter_.Messages().empty() ? QString()
                                        : QString::fromStdString(prompter_.Messages().back().text);
  }

 private:
  void Start(EditCommands editors, bool openRoute, MailBackend mail) {
    store_ = std::make_unique<QtSettingsStore>(folder_.SettingsFile());
    FrameSetup setup;
    setup.store = store_.get();
    setup.prompter = &prompter_;
    setup.dataFolder = folder_.Folder();
    setup.editors = std::move(editors);
    setup.mail = std::move(mail);
    frame_ = std::make_unique<CMainFrame>(std::move(setup));
    if (openRoute) QVERIFY(frame_->OpenDocumentFile(folder_.RoutePath()));
    frame_->show();
    frame_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
  }

  std::unique_ptr<ExampleFolder> own_;
  const ExampleFolder& folder_;
  ScriptedPrompter prompter_;
  std::unique_ptr<QtSettingsStore> store_;
  std::unique_ptr<CMainFrame> frame_;
};

// The main list on its own on a copy of the example data, refilled whenever it says the document
// changed; the record editor, when `confirm` is given, confirms or cancels as *confirm says.
struct ExampleList {
  explicit ExampleList(bool* confirm = nullptr)
      : doc(store, prompter, folder.Folder()), view(doc, Editors(confirm)) {
    QObject::connect(&view, &CKeelmarkRouteView::DocumentChanged, &view,
                     &CKeelmarkRouteView::RefreshList);
    if (!doc.OpenRouteDocument(folder.RoutePath().toStdString()).Ok()) qFatal("example route");
    Show(Category::Waypoints);
    view.resize(900, 300);
    view.show();
    view.activateWindow();
    view.setFocus();
  }
  static EditCommands Editors(bool* confirm) {
    EditCommands editors;
    if (confirm) {
      editors.editRecord = [confirm](QWidget*, CKeelmarkRouteXPDoc&, Category,
                                     const SelectedRecord&, const QString&) { return *confirm; };
    }
    return editors;
  }
  void Show(Category category) {
    doc.SetCategory(category);
    view.RefreshList();
  }
  QStringList Names() const {
    QStringList names;
    for (const auto& w : doc.GetRoute()) names.append(QString::fromStdString(w->GetName()));
    return names;
  }
  QString Cell(int row, int column) const {
    return view.model()->index(row, column).data().toString();
  }
  void Pick(int row) {
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                      view.visualRect(view.model()->index(row, 0)).center());
  }

  ExampleFolder folder;
  MemorySettingsStore store;
  ScriptedPrompter prompter;
  CKeelmarkRouteXPDoc doc;
  CKeelmarkRouteView view;
};

// Right-clicks the list at a point and runs `use` on the context menu it opens, which is then
// closed.
inline void UseContextMenu(CKeelmarkRouteView& view, QPoint at, std::function<void(QMenu&)> use) {
  QTimer::singleShot(50, [use] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      use(*menu);
      menu->close();
    }
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, view.viewport()->mapToGlobal(at));
  QApplication::sendEvent(view.viewport(), &event);
}

// Runs handle on the next modal window that opens (the test goes on inside its event loop);
// handle answers true when it has dealt with the window. When none is dealt with in time, the
// window open then is closed and the test fails: left open, it would hold the test until the
// suite's time limit.
inline void HandleNextModal(std::function<bool(QWidget*)> handle) {
  auto* timer = new QTimer(qApp);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [timer, handle, tries] {
    QWidget* modal = QApplication::activeModalWidget();
    const bool handled = modal && handle(modal);
    if (!handled && ++*tries <= 1000) return;
    timer->stop();
    timer->deleteLater();
    if (handled) return;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else if (modal) {
      modal->close();
    }
    QTest::qFail("no modal window was answered in time", __FILE__, __LINE__);
  });
  timer->start(10);
}

// Runs `use` on the next dialog of the type when it opens; one it leaves open is cancelled.
template <typename Dialog>
void OnNext(std::function<void(Dialog&)> use) {
  HandleNextModal([use](QWidget* modal) {
    auto* dialog = qobject_cast<Dialog*>(modal);
    if (!dialog) return false;
    use(*dialog);
    if (dialog->isVisible()) dialog->reject();
    return true;
  });
}

// Clicks a button of the next message box; its text goes to *text when given.
inline void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
  OnNext<QMessageBox>([button, text](QMessageBox& box) {
    if (text) *text = box.text();
    QTest::mouseClick(box.button(button), Qt::LeftButton);
  });
}

inline QAction* ActionOf(CMainFrame& frame, const char* name) {
  return frame.findChild<QAction*>(QString::fromLatin1(name));
}

// Clicks a category tab of the top panel, or a row of the list, as the user does.
inline void ClickTab(CMainFrame& frame, int index) {
  QTabBar* tabs = frame.Panel().Tabs();
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

inline void ClickRow(CMainFrame& frame, int row) {
  CKeelmarkRouteView& view = frame.View();
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                    view.visualRect(view.model()->index(row, 1)).center());
}

inline QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes the bytes as the whole file; whether it could.
inline bool WriteFileBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The rows of a table in tests/data/tables: its lines but the empty ones and the "#" notes, each
// cut at " | ".
inline QList<QStringList> DataTable(const QString& name) {
  QList<QStringList> rows;
  const QString path = QStringLiteral(KEELMARK_TEST_DATA "/tables/") + name;
  for (const QString& line : QString::fromUtf8(FileBytes(path)).split('\n')) {
    if (!line.isEmpty() && !line.startsWith('#')) rows << line.split(QStringLiteral(" | "));
  }
  if (rows.isEmpty()) qFatal("no table %s", qPrintable(path));
  return rows;
}

// The cell texts of one row.
inline QStringList RowTexts(const QAbstractItemModel& model, int row) {
  QStringList cells;
  for (int c = 0; c < model.columnCount(); ++c) cells.append(model.index(row, c).data().toString());
  return cells;
}

}  // namespace keelmark::test

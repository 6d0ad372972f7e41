// CMainFrame: the main window of Keelmark Route: menus, toolbar, the top panel, the list and
// the status bar, and the commands that are not the list's own.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <string>

#include "app/edit_commands.h"
#include "app/mail_session.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;

namespace keelmark {

class CGpsMonitorDialog;
class CKeelmarkRouteView;
class CKeelmarkRouteXPDoc;
class CPlottingSheetView;
class CTopPanel;
class PrintCommands;
class RecentFileList;
class Prompter;
class QtPrompter;
class SettingsStore;

// What the main window is built on. The program leaves the store and the prompter to the
// window (the per-user settings, message boxes and file dialogs); the tests hand in their own.
struct FrameSetup {
  SettingsStore* store = nullptr;
  Prompter* prompter = nullptr;
  std::string dataFolder;  // where the data files are; the current folder when empty
  EditCommands editors;
  MailBackend mail;  // the platform's transports where a function is missing
};

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // Loads the document's data files (asking for missing ones) and builds the window on it.
  explicit CMainFrame(FrameSetup setup = {}, QWidget* parent = nullptr);
  ~CMainFrame() override;

  [[nodiscard]] CKeelmarkRouteXPDoc& Document() { return *doc_; }
  [[nodiscard]] CKeelmarkRouteView& View() { return *view_; }
  [[nodiscard]] CTopPanel& Panel() { return *panel_; }

  // The route document's file, empty for one never saved.
  [[nodiscard]] const QString& PathName() const { return pathName_; }
  [[nodiscard]] bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified = true);
  // The route documents of the File menu, latest first.
  [[nodiscard]] const QStringList& RecentFiles() const;
  [[nodiscard]] MailSession& Mail() { return *mail_; }

  // Opens a route document after the question about unsaved changes; false when it was not
  // opened (the message has been shown).
  bool OpenDocumentFile(const QString& path);

 public slots:
  // The list and the top panel show the document again.
  void UpdateAllViews();
  void OnFileNew();
  void OnFileOpen();
  bool OnFileSave();
  bool OnFileSaveAs();
  void OnNightDay();
  void OnAbout();
  void OnHomepage();
  void OnStandingOrders();
  void OnDepartureChecklist();
  void OnArrivalChecklist();
  void OnVesselProperties();
  void OnVoyageProperties();
  void OnOptions();
  void OnReporting();
  void OnReportBug();
  // File > Send, Export list and Meteo data.
  void OnFileSend();
  void OnExportList();
  void OnMeteoExport();
  void OnMeteoImport();
  void OnMeteoRequest();
  // Sends what waits in the outbox; again every few minutes (the options say how many).
  void FlushOutbox();
  void OnStormAdvisory();
  void OnCalculator();
  void OnMasterSchedule();
  // Opens the GPS monitor window, or brings the open one to the front.
  void OnGpsMonitor();
  // The commands of the command table that have no slot of their own elsewhere.
  void OnFileSaveCommand() { OnFileSave(); }
  void OnFileSaveAsCommand() { OnFileSaveAs(); }
  void OnFileExit();
  void OnViewStatusBar();
  void OnInsertFix();
  void OnInsertWaypoint();
  void OnInsertKey();
  void OnDeleteKey();
  void OnRouteImport();
  void OnRouteExport();
  void OnReverseRoute();
  // The keyboard's edit and pane keys (main_frame_keys.cpp).
  void OnEditUndo();
  void OnEditCut();
  void OnEditCopy();
  void OnEditPaste();
  void OnNextPane();
  void OnPreviousPane();
  // Printing (main_frame_print.cpp).
  void OnFilePrint();
  void OnFilePrintPreview();
  void OnFilePrintSetup();
  void OnCoverPage();
  void OnNoonReport();
  void OnPlottingSheet();
  // The plotting sheet on screen, beside the main window; redrawn with every view.
  void OnPlottingSheetWindow();

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The actions, menus and toolbar of the command table.
  void CreateCommands();
  void CreateToolBar();
  // The edit keys in every window's text fields and the lock-key panes of the status bar.
  void CreateKeyboardHelpers();
  [[nodiscard]] bool CanRun(const struct CommandRow& row) const;
  [[nodiscard]] QMenu* MenuAt(const QString& path);
  [[nodiscard]] QAction* Command(const QString& objectName) const;
  // Asks whether to save unsaved changes; false when the user cancels (or saving failed).
  bool SaveModified();
  bool DoSave(const QString& path);
  // A route document read or written: its name in the title and the recent files, unmodified.
  void ShowDocumentFile(const QString& path);
  void ReportFileFailure(const char* what, const QString& path, const std::string& detail);
  // The file name of the route document, or the name of a new one.
  [[nodiscard]] QString DocumentTitle() const;
  void UpdateTitle();
  // Once the window shows: the scheduled backup and the first attempt at the outbox.
  void StartUpTasks();
  void ShowOutbox(std::size_t waiting);

  std::unique_ptr<SettingsStore> ownStore_;
  std::unique_ptr<QtPrompter> ownPrompter_;
  SettingsStore& store_;
  Prompter& prompter_;
  EditCommands editors_;
  std::unique_ptr<CKeelmarkRouteXPDoc> doc_;

  CTopPanel* panel_ = nullptr;
  QPointer<CGpsMonitorDialog> gpsMonitor_;
  CKeelmarkRouteView* view_ = nullptr;
  RecentFileList* recentFiles_ = nullptr;
  PrintCommands* printing_ = nullptr;
  QPointer<CPlottingSheetView> plottingSheetWindow_;
  [[nodiscard]] PrintCommands& Printing();
  QString pathName_;
  bool modified_ = false;
  MailSession* mail_ = nullptr;
  QTimer* outboxTimer_ = nullptr;
  QLabel* outboxPane_ = nullptr;
};

}  // namespace keelmark

#include "app/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "app/calculator_sheet.h"
#include "app/document_dialog.h"
#include "app/exchange_commands.h"
#include "app/gps_monitor_dialog.h"
#include "app/help_commands.h"
#include "app/main_commands.h"
#include "app/plotting_sheet_view.h"
#include "app/program_resources.h"
#include "app/qt_prompter.h"
#include "app/recent_file_list.h"
#include "app/reporting_dialog.h"
#include "app/route_edit_commands.h"
#include "app/route_exchange_commands.h"
#include "app/route_view.h"
#include "app/schedule_dialog.h"
#include "app/top_panel.h"
#include "document/keelmark_document.h"
#include "navigation/clock.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_text.h"
#include "records/settings_keys.h"
#include "reports/backup_export.h"

namespace keelmark {
namespace {

constexpr const char* kReady = "Ready";
// The title of a route document that has never been saved, and the start of its file name.
constexpr const char* kNewDocumentName = "Route";
constexpr const char* kRouteFilter = "Route (*.q3v)|*.q3v|All Files (*.*)|*.*||";
constexpr const char* kRouteExtension = "q3v";
constexpr const char* kSaveChangesQuestion = "Save changes to %1?";
constexpr const char* kCannotOpenRoute = "Cannot open the route document\n";
constexpr const char* kDamagedRoute = "The route document is damaged and was not opened\n";
constexpr const char* kCannotSaveRoute = "Cannot save the route document\n";
constexpr const char* kCreateVoyageQuestion = "No voyage loaded\nCreate new Voyage?";
constexpr const char* kOneWaiting = "1 message waits in the outbox";
constexpr const char* kSomeWaiting = "%1 messages wait in the outbox";
constexpr int kMillisecondsPerMinute = 60 * 1000;

// A route document among dropped files: the first local file named *.q3v.
QString DroppedRouteFile(const QMimeData* mime) {
  if (!mime || !mime->hasUrls()) return {};
  for (const QUrl& url : mime->urls()) {
    if (!url.isLocalFile()) continue;
    const QString path = url.toLocalFile();
    if (QFileInfo(path).suffix().compare(QLatin1String(kRouteExtension), Qt::CaseInsensitive) ==
        0) {
      return path;
    }
  }
  return {};
}

QIcon ToolbarIcon(const char* name) {
  return QIcon(QStringLiteral(":/icons/toolbar-%1.svg").arg(QLatin1String(name)));
}

}  // namespace

CMainFrame::CMainFrame(FrameSetup setup, QWidget* parent)
    : QMainWindow(parent),
      ownStore_(setup.store ? nullptr : std::make_unique<QtSettingsStore>()),
      ownPrompter_(setup.prompter ? nullptr : std::make_unique<QtPrompter>()),
      store_(setup.store ? *setup.store : *ownStore_),
      prompter_(setup.prompter ? *setup.prompter : static_cast<Prompter&>(*ownPrompter_)),
      editors_(std::move(setup.editors)),
      doc_(std::make_unique<CKeelmarkRouteXPDoc>(store_, prompter_, setup.dataFolder)),
      mail_(new MailSession(store_, std::move(setup.mail), this)),
      outboxTimer_(new QTimer(this)),
      outboxPane_(new QLabel(this)) {
  if (ownPrompter_) ownPrompter_->SetParent(this);
  UseProgramResources();
  setObjectName(QStringLiteral("mainFrame"));

  panel_ = new CTopPanel(this);
  view_ = new CKeelmarkRouteView(*doc_, editors_, this);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(panel_);
  layout->addWidget(view_, 1);
  setCentralWidget(central);

  CreateCommands();
  CreateToolBar();
  CreateKeyboardHelpers();
  statusBar()->showMessage(QString::fromLatin1(kReady));
  outboxPane_->setObjectName(QStringLiteral("outboxPane"));
  outboxPane_->hide();
  statusBar()->insertPermanentWidget(0, outboxPane_);
  connect(mail_, &MailSession::OutboxChanged, this, &CMainFrame::ShowOutbox);
  connect(outboxTimer_, &QTimer::timeout, this, &CMainFrame::FlushOutbox);
  QTimer::singleShot(0, this, &CMainFrame::StartUpTasks);

  connect(view_, &CKeelmarkRouteView::DocumentChanged, this, &CMainFrame::UpdateAllViews);
  connect(view_, &CKeelmarkRouteView::DocumentModified, this, [this] { SetModifiedFlag(); });
  connect(panel_, &CTopPanel::DocumentChanged, this, &CMainFrame::UpdateAllViews);
  connect(panel_, &CTopPanel::DocumentModified, this, [this] { SetModifiedFlag(); });

  setAcceptDrops(true);
  UpdateTitle();
  resize(1024, 680);
  view_->setFocus();
  UpdateAllViews();
}

CMainFrame::~CMainFrame() {
  // The data files are stored while the window can still show a failure, and the list goes
  // before the document it points to.
  doc_->Close();
  // The monitor points into the document: it stops first. A monitor open at the end is in the
  // stored settings, so the next start asks about it.
  delete gpsMonitor_;
  delete takeCentralWidget();
}

QAction* CMainFrame::Command(const QString& objectName) const {
  return findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly);
}

bool CMainFrame::CanRun(const CommandRow& row) const {
  if (!row.run) return false;
  switch (row.needs) {
    case CommandNeeds::Nothing:
      return true;
    case CommandNeeds::RecordEditor:
      return static_cast<bool>(editors_.editRecord);
    case CommandNeeds::VesselEditor:
      return static_cast<bool>(editors_.editVessel);
    case CommandNeeds::VoyageEditor:
      return static_cast<bool>(editors_.editVoyage);
    case CommandNeeds::OptionsEditor:
      return static_cast<bool>(editors_.editOptions);
  }
  return false;
}

QMenu* CMainFrame::MenuAt(const QString& path) {
  // "&File/Meteo data": the submenu "Meteo data" of the menu "&File", made on first use.
  QWidget* parent = menuBar();
  QMenu* menu = nullptr;
  for (const QString& title : path.split(u'/')) {
    const QList<QAction*> actions = parent->actions();
    const auto found = std::find_if(actions.begin(), actions.end(), [&title](QAction* action) {
      return action->menu() && action->menu()->title() == title;
    });
    if (found != actions.end()) {
      menu = (*found)->menu();
    } else if (menu) {
      menu = menu->addMenu(title);
    } else {
      menu = menuBar()->addMenu(title);
    }
    parent = menu;
  }
  return menu;
}

void CMainFrame::CreateCommands() {
  for (const CommandRow& row : MainCommands()) {
    auto* action = new QAction(tr(row.text), this);
    action->setObjectName(QString::fromLatin1(row.name));
    // A command string is the status-bar prompt, a line break and the tooltip.
    const QStringList halves = QString::fromLatin1(row.commandString).split(u'\n');
    action->setStatusTip(halves.value(0));
    action->setToolTip(halves.value(1, halves.value(0)));
    if (row.shortcut) action->setShortcuts(QKeySequence::listFromString(row.shortcut));
    if (row.icon) action->setIcon(ToolbarIcon(row.icon));
    action->setCheckable(row.checkable);
    action->setEnabled(CanRun(row));
    if (row.run) connect(action, &QAction::triggered, this, row.run);
    if (row.menu) {
      QMenu* menu = MenuAt(QString::fromLatin1(row.menu));
      if (row.separatorBefore) menu->addSeparator();
      menu->addAction(action);
    } else if (row.shortcut) {
      addAction(action);  // a key of the whole window
    }
  }
  Command(QStringLiteral("actionViewStatusBar"))->setChecked(true);

  // The recent route documents go in above the separator before Exit.
  QMenu* file = MenuAt(QStringLiteral("&File"));
  const QList<QAction*> fileActions = file->actions();
  const qsizetype exit = fileActions.indexOf(Command(QString::fromLatin1(kRecentFilesBefore)));
  recentFiles_ = new RecentFileList(store_, *file, fileActions.value(exit - 1), this);
  connect(recentFiles_, &RecentFileList::OpenRequested, this, &CMainFrame::OpenDocumentFile);
}

void CMainFrame::CreateToolBar() {
  QToolBar* bar = addToolBar(tr("Toolbar"));
  bar->setObjectName(QStringLiteral("mainToolBar"));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  for (const char* name : ToolBarCommands()) {
    if (*name == '\0') {
      bar->addSeparator();
    } else {
      bar->addAction(Command(QString::fromLatin1(name)));
    }
  }

  QAction* toggle = bar->toggleViewAction();
  toggle->setObjectName(QStringLiteral("actionViewToolbar"));
  toggle->setText(tr("&Toolbar"));
  toggle->setStatusTip(tr("Show or hide the toolbar"));
  // The toolbar's own toggle goes first in the View menu.
  MenuAt(QStringLiteral("&View"))
      ->insertAction(Command(QStringLiteral("actionViewStatusBar")), toggle);
}

bool CMainFrame::event(QEvent* event) {
  // Between prompts the status bar says it is ready.
  if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
    statusBar()->showMessage(QString::fromLatin1(kReady));
    return true;
  }
  return QMainWindow::event(event);
}

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  panel_->Bind(doc_.get());
  panel_->Refresh();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!SaveModified()) {
    event->ignore();
    return;
  }
  // The data files and settings are stored whatever became of the route document.
  doc_->Close();
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedRouteFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QString path = DroppedRouteFile(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  OpenDocumentFile(path);
}

void CMainFrame::UpdateAllViews() {
  view_->RefreshList();
  panel_->Refresh();
  if (plottingSheetWindow_) plottingSheetWindow_->update();
  if (QAction* night = Command("actionNightDay")) {
    night->setChecked(doc_->GetSettings().isNight != 0);
  }
}

void CMainFrame::SetModifiedFlag(bool modified) {
  modified_ = modified;
  setWindowModified(modified);
}

QString CMainFrame::DocumentTitle() const {
  return pathName_.isEmpty() ? QString::fromLatin1(kNewDocumentName)
                             : QFileInfo(pathName_).fileName();
}

void CMainFrame::UpdateTitle() {
  setWindowTitle(DocumentTitle() + QStringLiteral("[*] - ") + QString::fromLatin1(kProgramTitle));
  setWindowModified(modified_);
}

bool CMainFrame::SaveModified() {
  if (!modified_) return true;
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kProgramTitle),
                  QString::fromLatin1(kSaveChangesQuestion).arg(DocumentTitle()),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
  box.setObjectName(QStringLiteral("saveChangesQuestion"));
  switch (box.exec()) {
    case QMessageBox::Yes:
      return OnFileSave();
    case QMessageBox::No:
      return true;
    default:
      return false;
  }
}

void CMainFrame::OnFileNew() {
  if (!SaveModified()) return;
  doc_->OnNewDocument();
  pathName_.clear();
  SetModifiedFlag(false);
  UpdateTitle();
  UpdateAllViews();
}

void CMainFrame::OnFileOpen() {
  const std::optional<std::string> path =
      prompter_.ChooseOpenFile({kRouteFilter, kRouteExtension, ""});
  if (path) OpenDocumentFile(ToQString(*path));
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
  if (!SaveModified()) return false;
  // Opening rereads the data files: what was changed in them is stored first, so that it
  // survives whatever was answered about the route.
  doc_->StoreDataFiles();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const LoadResult result = doc_->OpenRouteDocument(ToStdString(absolute), VoyageStart::AsRead,
                                                    DataFilesInMemory::AsLastReadOrStored);
  if (!result.Ok()) {
    ReportFileFailure(result.status == LoadStatus::Damaged ? kDamagedRoute : kCannotOpenRoute,
                      absolute, result.detail);
    if (result.status == LoadStatus::CannotOpen) recentFiles_->Remove(absolute);
    UpdateAllViews();
    return false;
  }
  ShowDocumentFile(absolute);
  return true;
}

void CMainFrame::ReportFileFailure(const char* what, const QString& path,
                                   const std::string& detail) {
  std::string text = what + ToStdString(path);
  if (!detail.empty()) text += "\n" + detail;
  prompter_.Message(text, MessageIcon::Stop);
}

void CMainFrame::ShowDocumentFile(const QString& path) {
  pathName_ = path;
  SetModifiedFlag(false);
  UpdateTitle();
  recentFiles_->Add(path);
  UpdateAllViews();
}

bool CMainFrame::OnFileSave() {
  if (pathName_.isEmpty()) return OnFileSaveAs();
  return DoSave(pathName_);
}

bool CMainFrame::OnFileSaveAs() {
  const std::string initialName =
      ToStdString(pathName_.isEmpty() ? DocumentTitle() + u'.' + QLatin1String(kRouteExtension)
                                      : DocumentTitle());
  const std::optional<std::string> path =
      prompter_.ChooseSaveFile({kRouteFilter, kRouteExtension, initialName});
  if (!path) return false;
  return DoSave(ToQString(*path));
}

bool CMainFrame::DoSave(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  std::string error;
  if (!doc_->SaveRouteDocument(ToStdString(absolute), &error)) {
    ReportFileFailure(kCannotSaveRoute, absolute, error);
    return false;
  }
  ShowDocumentFile(absolute);
  return true;
}

void CMainFrame::OnNightDay() {
  std::int32_t& night = doc_->GetSettings().isNight;
  night = night != 0 ? 0 : 1;
  UpdateAllViews();
}

void CMainFrame::OnAbout() { ShowAbout(this, *doc_); }

void CMainFrame::OnHomepage() { OpenHomepage(*doc_); }

void CMainFrame::OnStandingOrders() { OpenShipDocument(*doc_, ShipDocument::StandingOrders); }
void CMainFrame::OnDepartureChecklist() {
  OpenShipDocument(*doc_, ShipDocument::DepartureChecklist);
}
void CMainFrame::OnArrivalChecklist() { OpenShipDocument(*doc_, ShipDocument::ArrivalChecklist); }

void CMainFrame::OnVesselProperties() {
  if (!editors_.editVessel) return;
  if (!editors_.editVessel(this, *doc_)) return;
  // The vessel model enters every speed and rpm of the voyage.
  doc_->UpdateVoyage(VoyageStart::UnderWayFlag);
  UpdateAllViews();
}

void CMainFrame::OnVoyageProperties() {
  if (doc_->GetRoute().IsEmpty() &&
      !prompter_.AskYesNo(kCreateVoyageQuestion, MessageIcon::Question)) {
    return;
  }
  if (!editors_.editVoyage) return;
  if (!editors_.editVoyage(this, *doc_, pathName_)) return;
  doc_->UpdateVoyage(VoyageStart::Departure);
  UpdateAllViews();
  SetModifiedFlag();
}

void CMainFrame::OnOptions() {
  if (!editors_.editOptions) return;
  if (editors_.editOptions(this, *doc_)) UpdateAllViews();
}

void CMainFrame::OnCalculator() { RunCalculator(this, *doc_); }

void CMainFrame::OnMasterSchedule() { RunMasterSchedule(this, *doc_); }

void CMainFrame::OnGpsMonitor() {
  if (gpsMonitor_) {
    gpsMonitor_->raise();
    gpsMonitor_->activateWindow();
    return;
  }
  static const SystemClock clock;
  gpsMonitor_ = new CGpsMonitorDialog(*doc_, clock, OptionsGpsReceiver(*doc_), this);
  gpsMonitor_->setAttribute(Qt::WA_DeleteOnClose);
  connect(gpsMonitor_, &CGpsMonitorDialog::documentChanged, this, &CMainFrame::UpdateAllViews);
  gpsMonitor_->Start();
}

void CMainFrame::OnReporting() { RunReporting(*doc_, *mail_, this); }

void CMainFrame::OnReportBug() { ReportBugCommand(*doc_, *mail_, this); }

void CMainFrame::OnFileSend() {
  // The file sent is the document as it stands: an unsaved one is saved first.
  if ((pathName_.isEmpty() || modified_) && !OnFileSave()) return;
  SendDocumentCommand(*doc_, *mail_, pathName_, this);
}

void CMainFrame::OnExportList() { ExportListCommand(*doc_, *mail_, this); }

void CMainFrame::OnMeteoExport() { MeteoExportCommand(*doc_, *mail_, this); }

void CMainFrame::OnMeteoImport() {
  if (MeteoImportCommand(*doc_)) UpdateAllViews();
}

void CMainFrame::OnMeteoRequest() { MeteoRequestCommand(*doc_, *mail_, this); }

void CMainFrame::StartUpTasks() {
  if (const std::optional<BackupResult> backup = RunScheduledBackup(*doc_, ProcessClock().Now())) {
    statusBar()->showMessage(ToQString(BackupSummary(*backup)));
  }
  FlushOutbox();
}

void CMainFrame::FlushOutbox() {
  mail_->FlushOutbox();  // on a worker: the pane follows when it is done
  outboxTimer_->start(store_.Read(setting::kOutboxRetryMinutes) * kMillisecondsPerMinute);
}

void CMainFrame::ShowOutbox(std::size_t waiting) {
  outboxPane_->setText(waiting == 1 ? tr(kOneWaiting) : tr(kSomeWaiting).arg(waiting));
  outboxPane_->setVisible(waiting > 0);
}

const QStringList& CMainFrame::RecentFiles() const { return recentFiles_->Files(); }

void CMainFrame::OnFileExit() { close(); }

void CMainFrame::OnViewStatusBar() {
  statusBar()->setVisible(Command(QStringLiteral("actionViewStatusBar"))->isChecked());
}

void CMainFrame::OnInsertFix() { view_->InsertPositionFix(); }
void CMainFrame::OnInsertWaypoint() { view_->InsertWaypoint(); }
void CMainFrame::OnInsertKey() { view_->InsertRecord(); }
void CMainFrame::OnDeleteKey() { view_->DeleteSelected(); }

void CMainFrame::OnRouteImport() {
  if (!ImportRouteCommand(*doc_)) return;
  UpdateAllViews();
  SetModifiedFlag();
}
void CMainFrame::OnRouteExport() { ExportRouteCommand(*doc_); }
void CMainFrame::OnReverseRoute() { view_->RouteEdits().Reverse(); }

}  // namespace keelmark

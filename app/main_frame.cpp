#include "app/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/about_box.h"
#include "app/document_dialog.h"
#include "app/program_resources.h"
#include "app/qt_prompter.h"
#include "app/route_view.h"
#include "app/top_panel.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_text.h"
#include "document/keelmark_document.h"

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
constexpr const char* kNoActiveVoyage = "No active voyage";
constexpr const char* kNoStormData =
    "No voyage or no hurricanes listed\nCan not display hurricane data";
// The maker's web site (a placeholder address until the site exists).
constexpr const char* kHomepage = "https://keelmark-route.brineholt.example/";
// The recent-file list in the settings store.
constexpr const char* kRecentSection = "Recent File List";
constexpr const char* kRecentKey = "File%1";

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
      doc_(std::make_unique<CKeelmarkRouteXPDoc>(store_, prompter_, setup.dataFolder)) {
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

  CreateActions();
  CreateMenus();
  CreateToolBar();
  statusBar()->showMessage(QString::fromLatin1(kReady));

  connect(view_, &CKeelmarkRouteView::DocumentChanged, this, &CMainFrame::UpdateAllViews);
  connect(view_, &CKeelmarkRouteView::DocumentModified, this, [this] { SetModifiedFlag(); });
  connect(panel_, &CTopPanel::DocumentChanged, this, &CMainFrame::UpdateAllViews);
  connect(panel_, &CTopPanel::DocumentModified, this, [this] { SetModifiedFlag(); });

  setAcceptDrops(true);
  LoadRecentFiles();
  UpdateTitle();
  resize(1024, 680);
  view_->setFocus();
  UpdateAllViews();
}

CMainFrame::~CMainFrame() {
  // The data files are stored while the window can still show a failure, and the list goes
  // before the document it points to.
  doc_->Close();
  delete takeCentralWidget();
}

QAction* CMainFrame::AddCommand(const QString& objectName, const QString& text,
                                const char* commandString) {
  auto* action = new QAction(text, this);
  action->setObjectName(objectName);
  // A command string is the status-bar prompt, a line break and the tooltip.
  const QStringList halves = QString::fromLatin1(commandString).split(u'\n');
  action->setStatusTip(halves.value(0));
  action->setToolTip(halves.value(1, halves.value(0)));
  return action;
}

QAction* CMainFrame::Command(const QString& objectName) const {
  return findChild<QAction*>(objectName, Qt::FindDirectChildrenOnly);
}

void CMainFrame::CreateActions() {
  const bool withRecordEditor = static_cast<bool>(editors_.editRecord);
  QAction* a = nullptr;

  a = AddCommand("actionFileNew", tr("&New"), "Create a new route document\nNew");
  a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  a->setIcon(ToolbarIcon("new"));
  connect(a, &QAction::triggered, this, &CMainFrame::OnFileNew);
  a = AddCommand("actionFileOpen", tr("&Open..."), "Open an existing route document\nOpen");
  a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  a->setIcon(ToolbarIcon("open"));
  connect(a, &QAction::triggered, this, &CMainFrame::OnFileOpen);
  a = AddCommand("actionFileSave", tr("&Save"), "Save the route document\nSave");
  a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  a->setIcon(ToolbarIcon("save"));
  connect(a, &QAction::triggered, this, &CMainFrame::OnFileSave);
  a = AddCommand("actionFileSaveAs", tr("Save &As..."),
                 "Save the route document under a new name\nSave As");
  connect(a, &QAction::triggered, this, &CMainFrame::OnFileSaveAs);

  // Printing, mail and data exchange come with their own dialogs.
  a = AddCommand("actionFilePrint", tr("&Print..."), "Print the current list\nPrint");
  a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  a->setIcon(ToolbarIcon("print"));
  a->setEnabled(false);
  AddCommand("actionFilePrintPreview", tr("Print Pre&view"),
             "Show the printout of the current list\nPrint Preview")
      ->setEnabled(false);
  AddCommand("actionFilePrintSetup", tr("P&rint Setup..."),
             "Change the printer and printing options\nPrint Setup")
      ->setEnabled(false);
  AddCommand("actionFileSend", tr("Sen&d..."), "Send the route document by e-mail\nSend")
      ->setEnabled(false);
  AddCommand("actionExportList", tr("&Export list..."),
             "Export complete list to file or email\nExport complete list to file or email")
      ->setEnabled(false);
  AddCommand("actionMeteoExport", tr("&Export data"),
             "Export meteo data to file\nExport meteo data to file")
      ->setEnabled(false);
  AddCommand("actionMeteoImport", tr("&Import data"),
             "Import meteo data from file\nImport meteo data from file")
      ->setEnabled(false);
  AddCommand("actionMeteoRequest", tr("&Request update"),
             "Request updated meteo data\nRequest updated meteo data")
      ->setEnabled(false);
  a = AddCommand("actionFileExit", tr("E&xit"), "Quit Keelmark Route; asks to save changes\nExit");
  connect(a, &QAction::triggered, this, &QWidget::close);

  AddCommand("actionEditSelectedItem", tr("&Selected Item"),
             "Edit selected item\nEdit selected item")
      ->setEnabled(false);

  a = AddCommand("actionViewStatusBar", tr("&Status Bar"),
                 "Show or hide the status bar\nToggle status bar");
  a->setCheckable(true);
  a->setChecked(true);
  connect(a, &QAction::toggled, statusBar(), &QWidget::setVisible);

  a = AddCommand("actionInsertFix", tr("&Positionfix"),
                 "Insert new positionfix\nInsert new positionfix");
  a->setIcon(ToolbarIcon("fix"));
  a->setEnabled(withRecordEditor);
  connect(a, &QAction::triggered, view_, &CKeelmarkRouteView::InsertPositionFix);
  a = AddCommand("actionInsertWaypoint", tr("&Waypoint"),
                 "Insert new waypoint\nInsert new waypoint");
  a->setIcon(ToolbarIcon("waypoint"));
  a->setEnabled(withRecordEditor);
  connect(a, &QAction::triggered, view_, &CKeelmarkRouteView::InsertWaypoint);

  a = AddCommand("actionVesselProperties", tr("&Properties"),
                 "Edit vessel properties and performance\nEdit vessel properties and performance");
  a->setEnabled(static_cast<bool>(editors_.editVessel));
  connect(a, &QAction::triggered, this, &CMainFrame::OnVesselProperties);
  a = AddCommand("actionVoyageProperties", tr("&Properties"),
                 "Edit voyage properties\nEdit voyage properties");
  a->setIcon(ToolbarIcon("voyage"));
  a->setEnabled(static_cast<bool>(editors_.editVoyage));
  connect(a, &QAction::triggered, this, &CMainFrame::OnVoyageProperties);

  a = AddCommand("actionStandingOrders", tr("&Standing orders"),
                 "Show master standing orders\nShow master standing orders");
  connect(a, &QAction::triggered, this, &CMainFrame::OnStandingOrders);
  a = AddCommand("actionDepartureChecklist", tr("Pre-&Departure checklist"),
                 "Show pre-departure checklist\nOpen pre-departure checklist");
  connect(a, &QAction::triggered, this, &CMainFrame::OnDepartureChecklist);
  a = AddCommand("actionArrivalChecklist", tr("Pre-&Arrival checklist"),
                 "Open pre-arrival checklist\nOpen pre-arrival checklist");
  connect(a, &QAction::triggered, this, &CMainFrame::OnArrivalChecklist);

  a = AddCommand("actionStormAdvisory", tr("&Storm advisory"),
                 "Print storm advisory form\nPrint storm advisory form");
  a->setEnabled(false);
  connect(a, &QAction::triggered, this, &CMainFrame::OnStormAdvisory);
  AddCommand("actionGraphicsNoonReport", tr("&Noon report"),
             "Print noon report form\nPrint noon report form")
      ->setEnabled(false);
  AddCommand("actionPlottingSheet", tr("&Plotting sheet"),
             "Print plotting sheet\nPrint plotting sheet")
      ->setEnabled(false);
  AddCommand("actionCoverPage", tr("&Cover page"),
             "Print cover page for voyageplan\nPrint cover page for voyageplan")
      ->setEnabled(false);

  a = AddCommand("actionCalculator", tr("&Calculator"), "Show calculator\nShow calculator");
  a->setIcon(ToolbarIcon("calculator"));
  a->setEnabled(false);
  AddCommand("actionNoonReport", tr("&Noon report"), "Show noon report\nShow noon report")
      ->setEnabled(false);
  a = AddCommand("actionReporting", tr("&Reporting"),
                 "Access reporting systems (AMVER etc)\nAccess reporting systems (AMVER etc)");
  a->setEnabled(false);
  connect(a, &QAction::triggered, this, &CMainFrame::OnReporting);
  AddCommand("actionMasterSchedule", tr("&Master schedule"),
             "Show master schedule\nShow master schedule")
      ->setEnabled(false);
  AddCommand("actionGpsMonitor", tr("&GPS Monitor"),
             "Get present position from GPS\nGet present position from GPS")
      ->setEnabled(false);
  a = AddCommand("actionOptions", tr("&Options"), "Configuration options\nConfiguration options");
  a->setEnabled(static_cast<bool>(editors_.editOptions));
  connect(a, &QAction::triggered, this, &CMainFrame::OnOptions);

  a = AddCommand("actionHomepage", tr("&Homepage"),
                 "Brineholt Productions homepage\nCheck for software upgrades");
  connect(a, &QAction::triggered, this, &CMainFrame::OnHomepage);
  AddCommand("actionReportBug", tr("&Report bug"), "Report software bug\nReport software bug")
      ->setEnabled(false);
  a = AddCommand("actionAbout", tr("&About Keelmark Route..."),
                 "Show program information and version number\nAbout");
  a->setIcon(ToolbarIcon("about"));
  connect(a, &QAction::triggered, this, &CMainFrame::OnAbout);

  a = AddCommand("actionNightDay", tr("Night/Day"),
                 "Switch night-day screen\nSwitch colors night-day screen");
  a->setIcon(ToolbarIcon("night"));
  a->setCheckable(true);
  connect(a, &QAction::triggered, this, &CMainFrame::OnNightDay);

  // The Insert and Delete keys work on the list wherever the focus is in the window.
  a = AddCommand("actionInsertKey", tr("Insert"), "");
  a->setShortcut(QKeySequence(Qt::Key_Insert));
  a->setEnabled(withRecordEditor);
  connect(a, &QAction::triggered, view_, &CKeelmarkRouteView::InsertRecord);
  addAction(a);
  a = AddCommand("actionDeleteKey", tr("Delete"), "");
  a->setShortcut(QKeySequence(Qt::Key_Delete));
  connect(a, &QAction::triggered, view_, &CKeelmarkRouteView::DeleteSelected);
  addAction(a);
}

void CMainFrame::CreateMenus() {
  fileMenu_ = menuBar()->addMenu(tr("&File"));
  fileMenu_->addAction(Command("actionFileNew"));
  fileMenu_->addAction(Command("actionFileOpen"));
  fileMenu_->addAction(Command("actionFileSave"));
  fileMenu_->addAction(Command("actionFileSaveAs"));
  fileMenu_->addSeparator();
  fileMenu_->addAction(Command("actionFilePrint"));
  fileMenu_->addAction(Command("actionFilePrintPreview"));
  fileMenu_->addAction(Command("actionFilePrintSetup"));
  fileMenu_->addSeparator();
  fileMenu_->addAction(Command("actionFileSend"));
  fileMenu_->addAction(Command("actionExportList"));
  QMenu* meteo = fileMenu_->addMenu(tr("Meteo data"));
  meteo->addAction(Command("actionMeteoExport"));
  meteo->addAction(Command("actionMeteoImport"));
  meteo->addAction(Command("actionMeteoRequest"));
  recentSeparator_ = fileMenu_->addSeparator();
  for (int i = 0; i < kRecentFileCount; ++i) {
    auto* recent = new QAction(this);
    recent->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
    recent->setVisible(false);
    connect(recent, &QAction::triggered, this,
            [this, recent] { OpenDocumentFile(recent->data().toString()); });
    fileMenu_->addAction(recent);
    recentActions_.append(recent);
  }
  fileMenu_->addSeparator();
  fileMenu_->addAction(Command("actionFileExit"));

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(Command("actionEditSelectedItem"));

  QMenu* view = menuBar()->addMenu(tr("&View"));
  view->setObjectName(QStringLiteral("viewMenu"));
  view->addAction(Command("actionViewStatusBar"));  // the toolbar's own toggle goes first

  QMenu* insert = menuBar()->addMenu(tr("&Insert"));
  insert->addAction(Command("actionInsertFix"));
  insert->addAction(Command("actionInsertWaypoint"));

  menuBar()->addMenu(tr("V&essel"))->addAction(Command("actionVesselProperties"));
  menuBar()->addMenu(tr("V&oyage"))->addAction(Command("actionVoyageProperties"));

  QMenu* documents = menuBar()->addMenu(tr("&Documents"));
  documents->addAction(Command("actionStandingOrders"));
  documents->addAction(Command("actionDepartureChecklist"));
  documents->addAction(Command("actionArrivalChecklist"));

  QMenu* graphics = menuBar()->addMenu(tr("&Graphics"));
  graphics->addAction(Command("actionStormAdvisory"));
  graphics->addAction(Command("actionGraphicsNoonReport"));
  graphics->addAction(Command("actionPlottingSheet"));
  graphics->addAction(Command("actionCoverPage"));

  QMenu* tools = menuBar()->addMenu(tr("&Tools"));
  tools->addAction(Command("actionCalculator"));
  tools->addAction(Command("actionNoonReport"));
  tools->addAction(Command("actionReporting"));
  tools->addAction(Command("actionMasterSchedule"));
  tools->addAction(Command("actionGpsMonitor"));
  tools->addAction(Command("actionOptions"));

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(Command("actionHomepage"));
  help->addAction(Command("actionReportBug"));
  help->addAction(Command("actionAbout"));
}

void CMainFrame::CreateToolBar() {
  QToolBar* bar = addToolBar(tr("Toolbar"));
  bar->setObjectName(QStringLiteral("mainToolBar"));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  bar->addAction(Command("actionFileNew"));
  bar->addAction(Command("actionFileOpen"));
  bar->addAction(Command("actionFileSave"));
  bar->addSeparator();
  bar->addAction(Command("actionVoyageProperties"));
  bar->addAction(Command("actionInsertWaypoint"));
  bar->addAction(Command("actionInsertFix"));
  bar->addSeparator();
  bar->addAction(Command("actionFilePrint"));
  bar->addSeparator();
  bar->addAction(Command("actionCalculator"));
  bar->addSeparator();
  bar->addAction(Command("actionNightDay"));
  bar->addSeparator();
  bar->addAction(Command("actionAbout"));

  QAction* toggle = bar->toggleViewAction();
  toggle->setObjectName(QStringLiteral("actionViewToolbar"));
  toggle->setText(tr("&Toolbar"));
  toggle->setStatusTip(tr("Show or hide the toolbar"));
  QMenu* view = menuBar()->findChild<QMenu*>(QStringLiteral("viewMenu"));
  view->insertAction(Command("actionViewStatusBar"), toggle);
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
  const LoadResult result = doc_->OpenRouteDocument(ToStdString(absolute));
  if (!result.Ok()) {
    ReportFileFailure(result.status == LoadStatus::Damaged ? kDamagedRoute : kCannotOpenRoute,
                      absolute, result.detail);
    if (result.status == LoadStatus::CannotOpen) RemoveRecentFile(absolute);
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
  AddRecentFile(path);
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

void CMainFrame::OnAbout() {
  CAboutBox about(this);
  about.exec();
}

void CMainFrame::OnHomepage() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomepage))); }

void CMainFrame::OnStandingOrders() { OpenShipDocument(*doc_, ShipDocument::StandingOrders); }
void CMainFrame::OnDepartureChecklist() {
  OpenShipDocument(*doc_, ShipDocument::DepartureChecklist);
}
void CMainFrame::OnArrivalChecklist() { OpenShipDocument(*doc_, ShipDocument::ArrivalChecklist); }

void CMainFrame::OnVesselProperties() {
  if (!editors_.editVessel) return;
  if (!editors_.editVessel(this, *doc_)) return;
  // The vessel model enters every speed and rpm of the voyage.
  doc_->RecalculateVoyage(doc_->GetSettings().statusListSelected == 0);
  UpdateAllViews();
}

void CMainFrame::OnVoyageProperties() {
  if (doc_->GetRoute().IsEmpty() &&
      !prompter_.AskYesNo(kCreateVoyageQuestion, MessageIcon::Question)) {
    return;
  }
  if (!editors_.editVoyage) return;
  if (!editors_.editVoyage(this, *doc_, pathName_)) return;
  doc_->RecalculateVoyage(true);
  UpdateAllViews();
  SetModifiedFlag();
}

void CMainFrame::OnOptions() {
  if (!editors_.editOptions) return;
  if (editors_.editOptions(this, *doc_)) UpdateAllViews();
}

void CMainFrame::OnReporting() {
  if (doc_->GetRoute().GetCount() < 2) {
    prompter_.Message(kNoActiveVoyage, MessageIcon::Stop);
    return;
  }
  // The reporting dialog opens from here; until it exists the command stays disabled.
}

void CMainFrame::OnStormAdvisory() {
  if (doc_->GetRoute().GetCount() < 2 || doc_->GetStorms().IsEmpty()) {
    prompter_.Message(kNoStormData, MessageIcon::Stop);
    return;
  }
  // The storm advisory dialog opens from here; until it exists the command stays disabled.
}

void CMainFrame::LoadRecentFiles() {
  recentFiles_.clear();
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const std::string key = ToStdString(QString::fromLatin1(kRecentKey).arg(i));
    const QString path = ToQString(store_.ReadText(kRecentSection, key, ""));
    if (!path.isEmpty() && !recentFiles_.contains(path)) recentFiles_.append(path);
  }
  ShowRecentFiles();
}

void CMainFrame::StoreRecentFiles() {
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const std::string key = ToStdString(QString::fromLatin1(kRecentKey).arg(i));
    store_.WriteText(kRecentSection, key, ToStdString(recentFiles_.value(i - 1)));
  }
  // A failure here shows at the end, when the settings are written again.
  (void)store_.Sync();
}

void CMainFrame::AddRecentFile(const QString& path) {
  recentFiles_.removeAll(path);
  recentFiles_.prepend(path);
  while (recentFiles_.size() > kRecentFileCount) recentFiles_.removeLast();
  StoreRecentFiles();
  ShowRecentFiles();
}

void CMainFrame::RemoveRecentFile(const QString& path) {
  if (recentFiles_.removeAll(path) == 0) return;
  StoreRecentFiles();
  ShowRecentFiles();
}

void CMainFrame::ShowRecentFiles() {
  for (int i = 0; i < recentActions_.size(); ++i) {
    QAction* action = recentActions_[i];
    const bool used = i < recentFiles_.size();
    action->setVisible(used);
    if (!used) continue;
    const QString& path = recentFiles_[i];
    action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setData(path);
    action->setStatusTip(path);
  }
  recentSeparator_->setVisible(!recentFiles_.isEmpty());
}

}  // namespace keelmark

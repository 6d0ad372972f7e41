#include "app/route_view.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <array>

#include "app/category_model.h"
#include "app/column_widths.h"
#include "app/route_edit_commands.h"
#include "document/category_edits.h"
#include "document/keelmark_document.h"
#include "platform/qt_text.h"
#include "records/forecast_area.h"

namespace keelmark {
namespace {

constexpr const char* kDeleteQuestion = "Delete selected item\nAre you sure?";
constexpr const char* kForecastCaption = "Forecast Area";

QColor ListColor(std::int32_t packed) {
  return QColor(ColorRed(packed), ColorGreen(packed), ColorBlue(packed));
}

QString RecordName(const SelectedRecord& record) {
  if (record.position) return ToQString(record.position->GetName());
  if (record.forecast) return ToQString(record.forecast->GetName());
  return {};
}

QAction* CommandAction(const QString& text, const QString& statusTip, QObject* parent) {
  auto* action = new QAction(text, parent);
  action->setStatusTip(statusTip);
  return action;
}

}  // namespace

CKeelmarkRouteView::CKeelmarkRouteView(CKeelmarkRouteXPDoc& doc, const EditCommands& editors,
                                       QWidget* parent)
    : QTableView(parent), doc_(doc), editors_(editors), model_(new CategoryModel(this)) {
  setObjectName(QStringLiteral("routeView"));
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setAlternatingRowColors(false);  // the list has colours of its own
  setShowGrid(false);
  setWordWrap(false);
  setTextElideMode(Qt::ElideRight);
  setIconSize(QSize(16, 16));
  setMouseTracking(true);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(qMax(fontMetrics().height(), iconSize().height()) + 6);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setMinimumSectionSize(24);

  insertAction_ = CommandAction(tr("&Insert"), tr("Insert a new item"), this);
  editAction_ = CommandAction(tr("&Edit"), tr("Edit the selected item"), this);
  deleteAction_ = CommandAction(tr("&Delete"), tr("Delete the selected item"), this);
  importAction_ = CommandAction(tr("I&mport"), tr("Import item from file"), this);
  exportAction_ = CommandAction(tr("E&xport"), tr("Export item to file or email"), this);
  importAction_->setToolTip(tr("Import item from file"));
  exportAction_->setToolTip(tr("Export item to file or email"));
  insertAction_->setObjectName(QStringLiteral("actionListInsert"));
  editAction_->setObjectName(QStringLiteral("actionListEdit"));
  deleteAction_->setObjectName(QStringLiteral("actionListDelete"));
  importAction_->setObjectName(QStringLiteral("actionListImport"));
  exportAction_->setObjectName(QStringLiteral("actionListExport"));
  // Inserting and editing need the record editors.
  insertAction_->setEnabled(static_cast<bool>(editors_.editRecord));
  editAction_->setEnabled(static_cast<bool>(editors_.editRecord));
  connect(insertAction_, &QAction::triggered, this, &CKeelmarkRouteView::InsertRecord);
  connect(editAction_, &QAction::triggered, this, &CKeelmarkRouteView::EditSelected);
  connect(deleteAction_, &QAction::triggered, this, &CKeelmarkRouteView::DeleteSelected);
  connect(importAction_, &QAction::triggered, this, &CKeelmarkRouteView::ImportItem);
  connect(exportAction_, &QAction::triggered, this, &CKeelmarkRouteView::ExportItem);

  contextMenu_ = new QMenu(this);
  contextMenu_->setObjectName(QStringLiteral("listContextMenu"));
  contextMenu_->addAction(insertAction_);
  contextMenu_->addAction(editAction_);
  contextMenu_->addAction(deleteAction_);
  contextMenu_->addSeparator();
  contextMenu_->addAction(importAction_);
  contextMenu_->addAction(exportAction_);
  routeEdits_ = new RouteEditCommands(doc_, editors_, this);
  routeEdits_->AddTo(*contextMenu_);
  connect(routeEdits_, &RouteEditCommands::RouteChanged, this, [this] {
    emit DocumentChanged();
    emit DocumentModified();
  });
  // The user sizes the columns (a double click on a divider fits the column to its contents).
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          &CKeelmarkRouteView::OnColumnResized);

  // Only a selection follows the user: the view also moves its current index by itself (when it
  // gets the focus), and that must not pick a record.
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this](const QItemSelection& selected) { OnRowSelected(selected); });
}

void CKeelmarkRouteView::RefreshList() {
  ApplyColors();
  const std::optional<Category> category = CategoryFromIndex(doc_.GetSettings().listSelected);
  if (!category) return;
  const int index = static_cast<int>(*category);
  showingSelection_ = true;
  doc_.UpdateForList(*category);
  model_->SetTable(FillCategory(doc_, *category));
  showingSelection_ = false;
  // The widths the user gave this category's columns, else the category's own; a column the
  // category hides stays hidden.
  const ColumnSet& columns = model_->GetTable().columns;
  const std::optional<ColumnWidths> kept = RememberedColumnWidths(doc_.GetStore(), *category);
  applyingWidths_ = true;
  for (int i = 0; i < kListColumnCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const bool hidden = columns[at].width <= 0;
    setColumnHidden(i, hidden);
    if (!hidden) setColumnWidth(i, kept && (*kept)[at] > 0 ? (*kept)[at] : columns[at].width);
  }
  applyingWidths_ = false;
  shownCategory_ = index;
  ShowSelectedRow();
}

void CKeelmarkRouteView::OnColumnResized() {
  const std::optional<Category> category = CategoryFromIndex(shownCategory_);
  if (applyingWidths_ || !category) return;
  ColumnWidths widths{};
  for (int i = 0; i < kListColumnCount; ++i) {
    widths[static_cast<std::size_t>(i)] = isColumnHidden(i) ? 0 : columnWidth(i);
  }
  RememberColumnWidths(doc_.GetStore(), *category, widths);
}

void CKeelmarkRouteView::ApplyColors() {
  const Settings& settings = doc_.GetSettings();
  QColor text = ListColor(settings.colTxMain);
  QColor background = ListColor(settings.colBckMain);
  if (settings.isNight != 0) std::swap(text, background);
  QPalette colors = palette();
  colors.setColor(QPalette::Base, background);
  colors.setColor(QPalette::Text, text);
  setPalette(colors);
  model_->SetColors(text, background);
}

void CKeelmarkRouteView::ShowSelectedRow() {
  showingSelection_ = true;
  const int row = doc_.selectedRow;
  if (row >= 0 && row < model_->rowCount()) {
    const QModelIndex current = model_->index(row, 0);
    selectionModel()->setCurrentIndex(
        current, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  } else {
    selectionModel()->clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
  }
  showingSelection_ = false;
}

void CKeelmarkRouteView::OnRowSelected(const QItemSelection& selected) {
  // The highlighted row is the one the commands work on, however it was reached.
  if (!showingSelection_ && !selected.indexes().isEmpty()) {
    doc_.selectedRow = selected.indexes().constFirst().row();
  }
}

void CKeelmarkRouteView::contextMenuEvent(QContextMenuEvent* event) {
  QPoint at = event->globalPos();
  if (event->reason() == QContextMenuEvent::Mouse) {
    doc_.selectedRow = rowAt(event->pos().y());
  } else {
    doc_.selectedRow = currentIndex().isValid() ? currentIndex().row() : -1;
    if (currentIndex().isValid()) at = viewport()->mapToGlobal(visualRect(currentIndex()).center());
  }
  emit DocumentChanged();
  contextMenu_->exec(at);
}

void CKeelmarkRouteView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QModelIndex index = indexAt(event->position().toPoint());
  if (!index.isValid()) return;
  doc_.selectedRow = index.row();
  emit DocumentChanged();
  if (editAction_->isEnabled()) EditSelected();
}

void CKeelmarkRouteView::InsertRecord() {
  if (!editors_.editRecord) return;
  const Category category = doc_.GetCategory();
  const SelectedRecord record = InsertNewRecord(doc_, category);
  const QString caption =
      category == Category::Forecast ? QString::fromLatin1(kForecastCaption) : RecordName(record);
  if (!editors_.editRecord(window(), doc_, category, record, caption)) {
    RemoveRecord(doc_, category, record);
  }
  AfterChange();
}

void CKeelmarkRouteView::EditSelected() {
  const SelectedRecord record = doc_.GetSelectedRecord();
  if (!record) {
    doc_.GetPrompter().Message(kNoItemSelected, MessageIcon::Exclamation);
    return;
  }
  if (!editors_.editRecord) return;
  editors_.editRecord(window(), doc_, doc_.GetCategory(), record, RecordName(record));
  AfterChange();
}

void CKeelmarkRouteView::DeleteSelected() {
  const SelectedRecord record = doc_.GetSelectedRecord();
  if (!record) {
    doc_.GetPrompter().Message(kNoItemSelected, MessageIcon::Stop);
    return;
  }
  if (!doc_.GetPrompter().AskYesNo(kDeleteQuestion, MessageIcon::Question)) return;
  RemoveRecord(doc_, doc_.GetCategory(), record);
  AfterChange();
}

void CKeelmarkRouteView::ExportItem() {
  if (!doc_.GetSelectedRecord()) {
    doc_.GetPrompter().Message(kNoItemSelected, MessageIcon::Exclamation);
    return;
  }
  const std::optional<std::string> path =
      doc_.GetPrompter().ChooseSaveFile({kDataFileFilter, kDataFileExtension, ""});
  if (path) doc_.ExportSelectedRecord(*path);
}

void CKeelmarkRouteView::ImportItem() {
  const std::optional<std::string> path =
      doc_.GetPrompter().ChooseOpenFile({kDataFileFilter, kDataFileExtension, ""});
  if (!path) return;
  if (doc_.ImportRecord(*path)) emit DocumentModified();
  emit DocumentChanged();
}

void CKeelmarkRouteView::InsertPositionFix() {
  doc_.SetCategory(Category::History);
  doc_.selectedRow = -1;
  InsertRecord();
}

void CKeelmarkRouteView::InsertWaypoint() {
  doc_.SetCategory(Category::Waypoints);
  doc_.selectedRow = -1;
  InsertRecord();
}

void CKeelmarkRouteView::AfterChange() {
  doc_.UpdateVoyage(VoyageStart::UnderWayFlag);
  emit DocumentChanged();
  emit DocumentModified();
}

}  // namespace keelmark

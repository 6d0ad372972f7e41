// CKeelmarkRouteView: the main list, one category of the document's records at a time.
#pragma once

#include <QItemSelection>
#include <QTableView>

#include "app/edit_commands.h"

class QAction;
class QMenu;

namespace keelmark {

class CKeelmarkRouteXPDoc;
class CategoryModel;
class RouteEditCommands;

class CKeelmarkRouteView : public QTableView {
  Q_OBJECT

 public:
  CKeelmarkRouteView(CKeelmarkRouteXPDoc& doc, const EditCommands& editors,
                     QWidget* parent = nullptr);

  // Refills the list from the document: colours, column heads, rows of the current category,
  // and the highlighted row from the document's selected row.
  void RefreshList();

  [[nodiscard]] CategoryModel& Model() { return *model_; }

  // The commands of the list, for the menus, the toolbar and the keys.
  [[nodiscard]] QAction* InsertAction() const { return insertAction_; }
  [[nodiscard]] QAction* EditAction() const { return editAction_; }
  [[nodiscard]] QAction* DeleteAction() const { return deleteAction_; }
  [[nodiscard]] QAction* ImportAction() const { return importAction_; }
  [[nodiscard]] QAction* ExportAction() const { return exportAction_; }
  // Insert before, move up and down, reverse the route.
  [[nodiscard]] RouteEditCommands& RouteEdits() const { return *routeEdits_; }

 public slots:
  void InsertRecord();
  void EditSelected();
  void DeleteSelected();
  void ImportItem();
  void ExportItem();
  // Switch to History (Waypoints) with nothing selected, then InsertRecord.
  void InsertPositionFix();
  void InsertWaypoint();

 signals:
  // All views must show the document again (the list, the top panel).
  void DocumentChanged();
  // The document was changed by a command of the list.
  void DocumentModified();

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void ApplyColors();
  void ApplyColumns();
  void ShowSelectedRow();
  void OnRowSelected(const QItemSelection& selected);
  // The voyage recomputed as after an edit, every view shown again, the document modified.
  void AfterChange();
  // A column the user widened or fitted: its widths are kept for the category.
  void OnColumnResized();

  CKeelmarkRouteXPDoc& doc_;
  EditCommands editors_;
  CategoryModel* model_;
  QMenu* contextMenu_;
  QAction* insertAction_;
  QAction* editAction_;
  QAction* deleteAction_;
  QAction* importAction_;
  QAction* exportAction_;
  RouteEditCommands* routeEdits_;
  int shownCategory_ = -1;         // the category whose column widths are applied
  bool showingSelection_ = false;  // the highlight is being set from the document
  bool applyingWidths_ = false;    // the columns are being sized from the settings
};

}  // namespace keelmark

#include "app/route_edit_commands.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "document/category_edits.h"
#include "document/keelmark_document.h"
#include "document/route_edits.h"
#include "platform/qt_text.h"

namespace keelmark {
namespace {

QAction* ListAction(const QString& text, const QString& statusTip, const char* name,
                    QWidget* list) {
  auto* action = new QAction(text, list);
  action->setStatusTip(statusTip);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  list->addAction(action);
  return action;
}

}  // namespace

RouteEditCommands::RouteEditCommands(CKeelmarkRouteXPDoc& doc, const EditCommands& editors,
                                     QWidget* list)
    : QObject(list), doc_(doc), editors_(editors), list_(list) {
  insertBefore_ =
      ListAction(tr("Insert &Before"), tr("Insert a new waypoint before the selected one"),
                 "actionListInsertBefore", list);
  moveUp_ = ListAction(tr("Move &Up"), tr("Move the selected waypoint one place up"),
                       "actionListMoveUp", list);
  moveDown_ = ListAction(tr("Move Do&wn"), tr("Move the selected waypoint one place down"),
                         "actionListMoveDown", list);
  moveUp_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
  moveDown_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
  insertBefore_->setEnabled(static_cast<bool>(editors_.editRecord));
  connect(insertBefore_, &QAction::triggered, this, &RouteEditCommands::InsertBefore);
  connect(moveUp_, &QAction::triggered, this, &RouteEditCommands::MoveUp);
  connect(moveDown_, &QAction::triggered, this, &RouteEditCommands::MoveDown);
}

void RouteEditCommands::AddTo(QMenu& menu) {
  separator_ = menu.addSeparator();
  menu.addAction(insertBefore_);
  menu.addAction(moveUp_);
  menu.addAction(moveDown_);
  connect(&menu, &QMenu::aboutToShow, this, &RouteEditCommands::ShowRouteCommands);
}

void RouteEditCommands::ShowRouteCommands() {
  const bool route = RouteListShown();
  for (QAction* action : {separator_, insertBefore_, moveUp_, moveDown_}) {
    if (action) action->setVisible(route);
  }
}

bool RouteEditCommands::RouteListShown() const {
  const Category category = doc_.GetCategory();
  return category == Category::Waypoints || category == Category::Schedule;
}

Waypoint* RouteEditCommands::SelectedWaypoint(bool sayWhenNone) const {
  Voyage& route = doc_.GetRoute();
  const int row = doc_.selectedRow;
  if (RouteListShown() && row >= 0 && row < route.GetCount()) return route.GetAt(row);
  if (sayWhenNone) doc_.GetPrompter().Message(kNoItemSelected, MessageIcon::Exclamation);
  return nullptr;
}

void RouteEditCommands::InsertBefore() {
  if (!editors_.editRecord || !RouteListShown()) return;
  const Waypoint* before = SelectedWaypoint(false);
  Waypoint* created = InsertWaypointBefore(doc_, before);
  doc_.selectedRow = doc_.GetRoute().IndexOf(created);
  const SelectedRecord record{created, nullptr};
  if (!editors_.editRecord(list_->window(), doc_, doc_.GetCategory(), record,
                           ToQString(created->GetName()))) {
    RemoveRecord(doc_, doc_.GetCategory(), record);
    doc_.selectedRow = doc_.GetRoute().IndexOf(before);
  }
  RecalculateAfterRouteEdit(doc_);
  emit RouteChanged();
}

void RouteEditCommands::MoveUp() { Move(-1); }
void RouteEditCommands::MoveDown() { Move(1); }

void RouteEditCommands::Move(int step) {
  if (!RouteListShown()) return;
  const Waypoint* waypoint = SelectedWaypoint(true);
  if (!waypoint || !MoveWaypoint(doc_, waypoint, step)) return;
  doc_.selectedRow = doc_.GetRoute().IndexOf(waypoint);
  emit RouteChanged();
}

void RouteEditCommands::Reverse() {
  const Waypoint* selected = SelectedWaypoint(false);
  if (!ReverseRoute(doc_)) return;
  if (selected) doc_.selectedRow = doc_.GetRoute().IndexOf(selected);
  emit RouteChanged();
}

}  // namespace keelmark

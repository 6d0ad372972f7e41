// RouteEditCommands: the waypoint commands of the list beyond insert, edit and delete: insert a
// waypoint before the selected one, move the selected waypoint up or down (Ctrl+Up, Ctrl+Down)
// and reverse the route (from the Voyage menu). Insert and move work on the Waypoints and
// Schedule lists.
#pragma once

#include <QObject>

#include "app/edit_commands.h"

class QAction;
class QMenu;
class QWidget;

namespace keelmark {

class CKeelmarkRouteXPDoc;
class Waypoint;

class RouteEditCommands : public QObject {
  Q_OBJECT

 public:
  // The actions' shortcuts work while `list` (or a child of it) has the focus.
  RouteEditCommands(CKeelmarkRouteXPDoc& doc, const EditCommands& editors, QWidget* list);

  [[nodiscard]] QAction* InsertBeforeAction() const { return insertBefore_; }
  [[nodiscard]] QAction* MoveUpAction() const { return moveUp_; }
  [[nodiscard]] QAction* MoveDownAction() const { return moveDown_; }

  // Adds the list's route commands to its context menu, shown there only for the route lists.
  void AddTo(QMenu& menu);

 public slots:
  void InsertBefore();
  void MoveUp();
  void MoveDown();
  void Reverse();

 signals:
  // The route changed and has been recalculated: every view must show it again.
  void RouteChanged();

 private:
  // The waypoint of the selected row of a route list; none (after saying so) otherwise.
  [[nodiscard]] Waypoint* SelectedWaypoint(bool sayWhenNone) const;
  [[nodiscard]] bool RouteListShown() const;
  void Move(int step);
  // The route commands of the context menu are seen only over a route list.
  void ShowRouteCommands();

  CKeelmarkRouteXPDoc& doc_;
  EditCommands editors_;
  QWidget* list_;
  QAction* insertBefore_;
  QAction* moveUp_;
  QAction* moveDown_;
  QAction* separator_ = nullptr;
};

}  // namespace keelmark

#include "app/main_frame.h"

#include <QApplication>
#include <QMenuBar>
#include <QStatusBar>

namespace keelmark {

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QStringLiteral("Keelmark Route"));
  QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
  QAction* exitAction = fileMenu->addAction(tr("E&xit"));
  connect(exitAction, &QAction::triggered, this, &QWidget::close);
  statusBar()->showMessage(tr("Ready"));
  resize(1024, 700);
}

}  // namespace keelmark

// CMainFrame: the main window of Keelmark Route.
#pragma once

#include <QMainWindow>

namespace keelmark {

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(QWidget* parent = nullptr);
};

}  // namespace keelmark

// CAboutBox: the "About Keelmark Route" dialog.
#pragma once

#include <QDialog>

namespace keelmark {

// The version line of the About box.
inline constexpr const char* kVersionText = "Keelmark Route Version 4.05";

class CAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutBox(QWidget* parent = nullptr);
};

}  // namespace keelmark

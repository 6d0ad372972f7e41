#include "app/application.h"

#include <QApplication>

#include "app/main_frame.h"
#include "platform/qt_locale.h"

namespace keelmark {

int RunKeelmarkRoute(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Brineholt Productions"));
  QApplication::setApplicationName(QStringLiteral("Keelmark Route"));
  UseCNumericLocale();
  CMainFrame frame;
  frame.show();
  return QApplication::exec();
}

}  // namespace keelmark

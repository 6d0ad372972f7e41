#include "app/application.h"

#include <QApplication>
#include <QIcon>

#include "app/main_frame.h"
#include "platform/qt_locale.h"

// The icons live in the static keelmark_app library; the linker keeps them only when asked.
static void InitKeelmarkResources() { Q_INIT_RESOURCE(keelmark); }

namespace keelmark {

int RunKeelmarkRoute(int argc, char** argv) {
  InitKeelmarkResources();
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/keelmark-route.svg")));
  QApplication::setOrganizationName(QStringLiteral("Brineholt Productions"));
  QApplication::setApplicationName(QStringLiteral("Keelmark Route"));
  UseCNumericLocale();
  CMainFrame frame;
  frame.show();
  return QApplication::exec();
}

}  // namespace keelmark

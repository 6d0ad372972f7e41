#include "app/application.h"

#include <QApplication>
#include <QDateTime>
#include <QIcon>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <optional>

#include "app/command_line_help.h"
#include "app/main_frame.h"
#include "app/program_resources.h"
#include "app/qt_prompter.h"
#include "platform/qt_locale.h"

namespace keelmark {
namespace {

// Runs once, after the window has first been exposed and painted.
class FirstExposure : public QObject {
 public:
  FirstExposure(QWindow* window, std::function<void()> then)
      : QObject(window), then_(std::move(then)) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
      watched->removeEventFilter(this);
      // The paint that answers the exposure comes first.
      QTimer::singleShot(0, this, [this] {
        then_();
        deleteLater();
      });
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

// Development aids, by environment: KEELMARK_STARTUP_PROBE=<launch time, ns since 1970> prints
// the milliseconds from launch to the first painted window and ends the program;
// KEELMARK_SCREENSHOT=<file.png> saves a picture of the window and ends the program;
// KEELMARK_STARTUP_BASELINE=1 shows an empty main window instead of the program's, so that the
// probe can say what start-up costs before the program does anything of its own.
void WatchFirstExposure(QWidget& frame) {
  const QByteArray probe = qgetenv("KEELMARK_STARTUP_PROBE");
  const QString screenshot = QString::fromLocal8Bit(qgetenv("KEELMARK_SCREENSHOT"));
  if (probe.isEmpty() && screenshot.isEmpty()) return;
  new FirstExposure(frame.windowHandle(), [&frame, probe, screenshot] {
    if (!probe.isEmpty()) {
      const qint64 now = QDateTime::currentMSecsSinceEpoch() * 1000000;
      std::printf("startup-ms %.1f\n", static_cast<double>(now - probe.toLongLong()) / 1.0e6);
      std::fflush(stdout);
    }
    if (screenshot.isEmpty()) {
      frame.close();
      return;
    }
    // Let the icons and the layout settle before the picture is taken.
    QTimer::singleShot(300, &frame, [&frame, screenshot] {
      const bool saved = frame.grab().save(screenshot, "PNG");
      std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "saved" : "cannot save",
                   qPrintable(screenshot));
      frame.close();
    });
  });
}

}  // namespace

EditCommands ProgramEditors() {
  EditCommands editors;
  editors.editRecord = EditRecord;
  editors.editVessel = EditVessel;
  editors.editVoyage = EditVoyage;
  editors.editOptions = EditOptions;
  return editors;
}

bool ProcessCommandLine(CMainFrame& frame, const QStringList& arguments) {
  if (arguments.isEmpty()) return true;
  return frame.OpenDocumentFile(arguments.constFirst());
}

int RunKeelmarkRoute(int argc, char** argv) {
  if (const std::optional<int> status = AnswerHelpOrVersion(argc, argv)) return *status;
  UseProgramResources();
  QApplication application(argc, argv);
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/keelmark-route.svg")));
  QApplication::setOrganizationName(QStringLiteral("Brineholt Productions"));
  QApplication::setApplicationName(QString::fromLatin1(kProgramTitle));
  QApplication::setDesktopFileName(QStringLiteral("keelmark-route"));
  UseCNumericLocale();

  if (!qEnvironmentVariableIsEmpty("KEELMARK_STARTUP_BASELINE")) {
    QMainWindow empty;
    empty.resize(1000, 700);
    empty.show();
    WatchFirstExposure(empty);
    return QApplication::exec();
  }
  FrameSetup setup;
  setup.editors = ProgramEditors();
  CMainFrame frame(std::move(setup));
  // A route document that cannot be opened has had its message; the program then runs with an
  // empty document, as after File New, rather than vanishing with the officer's other work.
  (void)ProcessCommandLine(frame, QApplication::arguments().mid(1));
  frame.show();
  WatchFirstExposure(frame);
  return QApplication::exec();
}

}  // namespace keelmark

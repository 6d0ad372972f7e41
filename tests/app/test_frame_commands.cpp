// The main window's commands: their prompts, keys and toolbar, the guards, and the editors they
// open; the edit keys in an editor's field and F6 between the panes; its files: open, save,
// close, drop, the command line, and recent files; the print path on real Qt devices (image,
// PDF writer, preview) and the printing dialogs.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QImage>
#include <QLineEdit>
#include <QSpinBox>
#include <QWheelEvent>
#include <QtTest>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/plotting_sheet_dialog.h"
#include "app/plotting_sheet_view.h"
#include "app/print_commands.h"
#include "app/record_editors.h"
#include "document/keelmark_document.h"
#include "platform/sheet_printer.h"
#include "records/chart.h"
#include "reports/plotting_sheet.h"
#include "reports/printout.h"
#include "tests/app/editor_test_support.h"

namespace keelmark::test {

namespace {

// A printout of a few marks at known places, for reading pixels back.
class MarksPrintout final : public Printout {
 public:
  [[nodiscard]] int SelectionPages() const override { return 1; }
  void Draw(Canvas& canvas, const PageModel& page) const override {
    canvas.SetPen(Pen{PenStyle::Solid, 10, kBlack});
    canvas.SetBrush(Brush{BrushStyle::Solid, kBlue});
    canvas.Rectangle(100, -100, 500, -300);  // blue box with a 1 mm black edge
    canvas.SetTextColor(kRed);
    canvas.SetBackground(kWhite, BackgroundMode::Transparent);
    canvas.SetFont(Font{"Times New Roman", 200, 700});
    canvas.Text(1000, -100, "MMMM");  // red, a 20 mm cell
    // A row just onto the second page.
    canvas.SetBrush(Brush{BrushStyle::Solid, kGreen});
    canvas.Rectangle(100, -page.PageHeight() - 100, 300, -page.PageHeight() - 300);
  }
};

QImage PageImage(const Printout& printout, int page) {
  QImage image(1240, 1754, QImage::Format_RGB32);  // A4 at 150 dpi
  image.setDotsPerMeterX(5906);
  image.setDotsPerMeterY(5906);
  image.fill(Qt::white);
  // A page that did not print comes back empty.
  return PrintPrintout(printout, image, {page, page}) == 1 ? image : QImage();
}

// Page units to pixels at 150 dpi.
int Px(int units) { return units * 150 / 254; }

}  // namespace

class TestFrameCommands : public QObject {
  Q_OBJECT

  ExampleClock clock_;

 private slots:

  void guardsStopCommandsThatNeedAVoyage() {
    int voyageEditorRuns = 0;
    EditCommands editors;
    editors.editVoyage = [&](QWidget*, CKeelmarkRouteXPDoc&, const QString&) {
      ++voyageEditorRuns;
      return false;
    };
    ExampleFrame app(editors);
    CMainFrame& frame = app.Frame();
    ScriptedPrompter& prompter = app.Prompter();
    // (With the example voyage the storm advisory opens: programEditorsAndToolsOpen.)
    ActionOf(frame, "actionFileNew")->trigger();
    frame.OnReporting();
    frame.OnStormAdvisory();
    QCOMPARE(prompter.Messages().size(), size_t(2));
    QCOMPARE(prompter.Messages()[0].text, std::string("No active voyage"));
    QCOMPARE(prompter.Messages()[1].text,
             std::string("No voyage or no hurricanes listed\nCan not display hurricane data"));

    prompter.QueueAnswer(false);
    ActionOf(frame, "actionVoyageProperties")->trigger();
    QCOMPARE(prompter.Questions().back().text, std::string("No voyage loaded\nCreate new Voyage?"));
    QCOMPARE(voyageEditorRuns, 0);
    prompter.QueueAnswer(true);
    ActionOf(frame, "actionVoyageProperties")->trigger();
    QCOMPARE(voyageEditorRuns, 1);
    QVERIFY(!frame.IsModified());  // the editor was cancelled
  }

  // The program's editors open on the list's record, a cancelled insert leaves the list as it
  // was, and the Tools open the calculator and the master schedule.
  void programEditorsAndToolsOpen() {
    ExampleFrame app(ProgramEditors());
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 6);
    ClickRow(frame, 1);
    QStringList captions;
    const std::function<void()> commands[] = {
        [&] { frame.View().EditAction()->trigger(); },
        [&] { ActionOf(frame, "actionInsertWaypoint")->trigger(); },
        [&] { ActionOf(frame, "actionCalculator")->trigger(); },
        [&] { ActionOf(frame, "actionMasterSchedule")->trigger(); },
        [&] { frame.OnStormAdvisory(); }};
    for (const auto& command : commands) {
      HandleNextModal([&captions](QWidget* modal) {
        captions << modal->windowTitle();
        return modal->close();
      });
      command();
    }
    QCOMPARE(captions, (QStringList{"Antwerp", "New Position", "Calculator", "Master Schedule",
                                    "Tropical storm advisory"}));
    QCOMPARE(frame.View().model()->rowCount(), 12);
    QCOMPARE(frame.Document().GetRoute().GetCount(), 12);
  }

  void insertKeepsTheRecordOnlyWhenTheEditorIsConfirmed() {
    const std::tuple<int, bool, QString> cases[] = {
        {0, true, "New Position"},  {0, false, "New Position"}, {1, true, "Latest Position Fix"},
        {6, false, "New Position"}, {8, true, "Forecast Area"}, {8, false, "Forecast Area"}};
    for (const auto& [tab, confirm, caption] : cases) {
      QString shownCaption;
      Category editedCategory = Category::Storms;
      EditCommands editors;
      editors.editRecord = [&, confirm = confirm](QWidget*, CKeelmarkRouteXPDoc&, Category category,
                                                  const SelectedRecord& record,
                                                  const QString& title) {
        shownCaption = title;
        editedCategory = category;
        return record && confirm;
      };
      ExampleFrame app(editors);
      CMainFrame& frame = app.Frame();
      ClickTab(frame, tab);
      const int rows = frame.View().model()->rowCount();
      QTest::keyClick(&frame.View(), Qt::Key_Insert);
      QCOMPARE(shownCaption, caption);
      QCOMPARE(static_cast<int>(editedCategory), tab);
      QCOMPARE(frame.View().model()->rowCount(), rows + (confirm ? 1 : 0));
      QVERIFY(frame.IsModified());
    }
  }

  void toolbarInsertsSwitchToTheirCategory() {
    EditCommands editors;
    editors.editRecord = [](QWidget*, CKeelmarkRouteXPDoc&, Category, const SelectedRecord&,
                            const QString&) { return true; };
    ExampleFrame app(editors);
    CMainFrame& frame = app.Frame();
    ClickTab(frame, 6);
    ActionOf(frame, "actionInsertFix")->trigger();
    QCOMPARE(frame.Panel().Tabs()->currentIndex(), 1);
    QCOMPARE(frame.View().model()->rowCount(), 22);
    ClickRow(frame, 0);
    ActionOf(frame, "actionInsertWaypoint")->trigger();
    QCOMPARE(frame.Panel().Tabs()->currentIndex(), 0);
    // Nothing was selected: the new waypoint comes last.
    QCOMPARE(frame.View().model()->rowCount(), 13);
    QCOMPARE(frame.View().model()->index(12, 0).data().toString(), QStringLiteral("New Position"));
  }

  // Both key sets work on a field of a modal editor, where the window's shortcuts do not
  // reach; the text typed, pasted, undone and cut is what OK stores.
  // (copy, paste, undo, cut) as key | modifiers: the letters and the alternates.
  void editKeysWorkOnTheFocusedFieldOfAnEditor() {
    const QList<int> keySets[] = {
        {(Qt::CTRL | Qt::Key_C).toCombined(), (Qt::CTRL | Qt::Key_V).toCombined(),
         (Qt::CTRL | Qt::Key_Z).toCombined(), (Qt::CTRL | Qt::Key_X).toCombined()},
        {(Qt::CTRL | Qt::Key_Insert).toCombined(), (Qt::SHIFT | Qt::Key_Insert).toCombined(),
         (Qt::ALT | Qt::Key_Backspace).toCombined(), (Qt::SHIFT | Qt::Key_Delete).toCombined()}};
    for (const QList<int>& keys : keySets) {
      ExampleFrame app(
          {.editRecord = {}, .editVessel = {}, .editVoyage = {}, .editOptions = EditOptions},
          false);
      QStringList seen;
      OnNext<PropertySheet>([&](PropertySheet& sheet) {
        auto* field = Field<QLineEdit>(ShowPage(sheet, "General"), "Homepage");
        field->setFocus();
        QTest::keyClicks(field, "www.example.org");
        auto press = [field](int key) {
          const QKeyCombination k = QKeyCombination::fromCombined(key);
          QTest::keyClick(field, k.key(), k.keyboardModifiers());
          return field->text();
        };
        field->selectAll();
        press(keys[0]);
        field->setCursorPosition(field->text().size());
        seen << press(keys[1]) << press(keys[2]);
        field->setSelection(0, 4);
        seen << press(keys[3]) << QGuiApplication::clipboard()->text();
        PressOk(sheet);
      });
      ActionOf(app.Frame(), "actionOptions")->trigger();
      QCOMPARE(seen, (QStringList{"www.example.orgwww.example.org", "www.example.org",
                                  "example.org", "www."}));
      QCOMPARE(app.Store().Read(setting::kHomepage), std::string("example.org"));
    }
  }

  void f6MovesTheFocusBetweenThePanes() {
    ExampleFrame app({}, false);
    QWidget* list = &app.Frame().View();
    QWidget* tabs = app.Frame().Panel().Tabs();
    list->setFocus();
    QList<QWidget*> reached;
    for (const Qt::KeyboardModifier shift :
         {Qt::NoModifier, Qt::NoModifier, Qt::ShiftModifier, Qt::ShiftModifier}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, shift);
      reached << QApplication::focusWidget();
    }
    QCOMPARE(reached, (QList<QWidget*>{tabs, list, tabs, list}));
  }

  void saveAsThenOpenRestoresTheRoute() {
    ExampleFrame app;
    CMainFrame& frame = app.Frame();
    ClickRow(frame, 5);
    app.Prompter().QueueAnswer(true);
    frame.View().DeleteSelected();
    QVERIFY(frame.IsModified());
    const QString copy = app.Folder().Path(QStringLiteral("shortened.q3v"));
    app.Prompter().QueueFile(copy.toStdString());
    ActionOf(frame, "actionFileSaveAs")->trigger();
    QCOMPARE(app.Prompter().FileChoices().back().initialName, std::string(kExampleRoute));
    QVERIFY(!frame.IsModified());
    QCOMPARE(frame.windowTitle(), QStringLiteral("shortened.q3v[*] - Keelmark Route"));
    QCOMPARE(frame.RecentFiles().value(0), copy);

    ActionOf(frame, "actionFileNew")->trigger();
    QCOMPARE(frame.View().model()->rowCount(), 0);
    app.Prompter().QueueFile(copy.toStdString());
    ActionOf(frame, "actionFileOpen")->trigger();
    QCOMPARE(frame.View().model()->rowCount(), 11);
    QCOMPARE(frame.PathName(), copy);
    // A document never saved offers "Route.q3v".
    ActionOf(frame, "actionFileNew")->trigger();
    ActionOf(frame, "actionFileSave")->trigger();  // cancelled: no file queued
    QCOMPARE(app.Prompter().FileChoices().back().initialName, std::string("Route.q3v"));
  }

  void closingWithUnsavedChangesAsksFirst() {
    ExampleFrame app;
    const ExampleFolder& folder = app.Folder();
    CMainFrame& frame = app.Frame();
    const QByteArray route = FileBytes(folder.RoutePath());
    ClickRow(frame, 1);
    app.Prompter().QueueAnswer(true);
    frame.View().DeleteSelected();
    QString question;
    AnswerNextMessageBox(QMessageBox::Cancel, &question);
    QVERIFY(!frame.close());
    QCOMPARE(question, QStringLiteral("Save changes to atlantic-westbound.q3v?"));
    QVERIFY(frame.isVisible());
    AnswerNextMessageBox(QMessageBox::No);
    QVERIFY(frame.close());
    QCOMPARE(FileBytes(folder.RoutePath()), route);
    app.Close();
    // Saying Yes writes the route.
    ExampleFrame again(folder);
    ClickRow(again.Frame(), 1);
    again.Prompter().QueueAnswer(true);
    again.Frame().View().DeleteSelected();
    AnswerNextMessageBox(QMessageBox::Yes);
    QVERIFY(again.Frame().close());
    QVERIFY(FileBytes(folder.RoutePath()) != route);
  }

  void commandLineOpensTheRouteOrEndsTheStart() {
    ExampleFrame app({}, false);
    CMainFrame& frame = app.Frame();
    const ExampleFolder& folder = app.Folder();
    QVERIFY(ProcessCommandLine(frame, {}));
    QVERIFY(ProcessCommandLine(frame, {folder.RoutePath()}));
    QCOMPARE(frame.Document().GetRoute().GetCount(), 12);

    QVERIFY(!ProcessCommandLine(frame, {folder.Path(QStringLiteral("missing.q3v"))}));
    QVERIFY(QString::fromStdString(app.Prompter().Messages().back().text)
                .startsWith(QStringLiteral("Cannot open the route document\n")));
    // A damaged document, cut or with bytes after its end, leaves the open one as it was and
    // the file as it is.
    const QByteArray route = FileBytes(folder.RoutePath());
    const std::pair<QByteArray, const char*> damaged[] = {
        {route.left(300), "The route document is damaged and was not opened\n"},
        {route + "junk", "4 bytes follow the end of the content"}};
    for (const auto& [bytes, said] : damaged) {
      const QString path = folder.Path(QStringLiteral("damaged.q3v"));
      QVERIFY(WriteFileBytes(path, bytes));
      QVERIFY(!ProcessCommandLine(frame, {path}));
      QVERIFY(app.Prompter().Messages().back().text.find(said) != std::string::npos);
      QCOMPARE(app.Prompter().Messages().back().icon, MessageIcon::Stop);
      QCOMPARE(frame.PathName(), folder.RoutePath());
      QCOMPARE(frame.Document().GetRoute().GetCount(), 12);
      QCOMPARE(frame.Document().GetCharts().GetCount(), 7);
      QCOMPARE(FileBytes(path), bytes);
    }
  }

  void recentFilesKeepTheLatestFour() {
    ExampleFolder folder;
    QStringList copies;
    for (int i = 1; i <= 5; ++i) {
      copies.append(folder.Path(QStringLiteral("copy%1.q3v").arg(i)));
      QVERIFY(QFile::copy(folder.RoutePath(), copies.back()));
    }
    {
      ExampleFrame app(folder, {}, false);
      for (const QString& copy : copies) QVERIFY(app.Frame().OpenDocumentFile(copy));
      QCOMPARE(app.Frame().RecentFiles(),
               (QStringList{copies[4], copies[3], copies[2], copies[1]}));
      QAction* first = ActionOf(app.Frame(), "actionRecentFile1");
      QVERIFY(first->isVisible());
      QCOMPARE(first->text(), QStringLiteral("&1 copy5.q3v"));
      // Reopening one moves it to the top.
      ActionOf(app.Frame(), "actionRecentFile3")->trigger();
      QCOMPARE(app.Frame().PathName(), copies[2]);
      QCOMPARE(app.Frame().RecentFiles().value(0), copies[2]);
    }
    ExampleFrame again(folder, {}, false);
    QCOMPARE(again.Frame().RecentFiles(),
             (QStringList{copies[2], copies[4], copies[3], copies[1]}));
    // A file that has gone is dropped from the list when it cannot be opened.
    QVERIFY(QFile::remove(copies[4]));
    ActionOf(again.Frame(), "actionRecentFile2")->trigger();
    QCOMPARE(again.Frame().RecentFiles(), (QStringList{copies[2], copies[3], copies[1]}));
    QVERIFY(!ActionOf(again.Frame(), "actionRecentFile4")->isVisible());
  }

  void ImagePagesShowTheirBandOfTheSheet() {
    const MarksPrintout marks;
    const QImage first = PageImage(marks, 1);
    QVERIFY(!first.isNull());
    QCOMPARE(first.pixelColor(Px(300), Px(200)), QColor(0, 0, 255));  // inside the box
    QCOMPARE(first.pixelColor(Px(100), Px(200)), QColor(0, 0, 0));    // its edge
    QCOMPARE(first.pixelColor(Px(600), Px(200)), QColor(255, 255, 255));
    // The text's ink lies inside its cell: red pixels there, none to its left or below.
    int red = 0;
    for (int y = 0; y < first.height(); ++y) {
      for (int x = 0; x < first.width(); ++x) {
        const QColor c = first.pixelColor(x, y);
        if (c.red() > 200 && c.green() < 60 && c.blue() < 60) {
          ++red;
          QVERIFY2(x >= Px(1000) - 1 && y >= Px(100) - 1 && y <= Px(300) + 1,
                   qPrintable(QStringLiteral("red at %1,%2").arg(x).arg(y)));
        }
      }
    }
    QVERIFY(red > 100);
    // The green row lies on page 2, 10 mm below its top.
    const QImage second = PageImage(marks, 2);
    QVERIFY(!second.isNull());
    QCOMPARE(second.pixelColor(Px(200), Px(200)), QColor(0, 255, 0));
    QCOMPARE(first.pixelColor(Px(200), first.height() - 2), QColor(255, 255, 255));
  }

  void PortSheetWithoutAPortIsRefused() {
    test::ExampleFrame example;
    CKeelmarkRouteXPDoc& doc = example.Doc();
    PrintCommands commands(
        doc, [] { return QString(); }, &example.Frame());
    doc.SetCategory(Category::Ports);
    doc.GetSettings().hasListSelected = 1;
    doc.selectedRow = -1;
    QVERIFY(!commands.Controller().CanPrint());
    QCOMPARE(example.Prompter().Messages().back().text, std::string("Please select port first"));
    doc.selectedRow = 0;
    QVERIFY(commands.Controller().CanPrint());
  }

  // The centre shows the latest fix (north and west) in whole degrees; the chart keeps its own
  // centre until a control changes, and then takes every control. A grid of 0 is refused at
  // Print, and a chosen bitmap is said to be shown unscaled.
  void PlottingSheetDialogWritesEveryControlIntoTheCurrentChart() {
    test::ExampleFrame example;
    CKeelmarkRouteXPDoc& doc = example.Doc();
    Chart& chart = doc.GetCurrentChart();
    ScriptedPrompter& prompter = example.Prompter();
    const PositionFix& fix = *doc.GetHistory().GetLast();
    QVERIFY(chart.GetLatitude() != fix.LatitudeDegrees());
    std::optional<PrintoutKind> whileOpen;
    std::vector<double> shown;
    test::OnNext<CPlottingSheetDialog>([&](CPlottingSheetDialog& opened) {
      CPlottingSheetDialog* dialog = &opened;
      whileOpen = SelectedPrintout(doc.GetSettings());
      for (const char* name : {"centreLatitude", "centreLongitude"})
        shown.push_back(dialog->findChild<QSpinBox*>(QLatin1String(name))->value());
      for (const char* name : {"centreNorth", "centreEast"})
        shown.push_back(dialog->findChild<QComboBox*>(QLatin1String(name))->currentIndex());
      shown.push_back(chart.GetLatitude() == fix.LatitudeDegrees());
      dialog->findChild<QComboBox*>(QStringLiteral("projection"))->setCurrentIndex(1);
      auto* gridEdit = dialog->findChild<QLineEdit*>(QStringLiteral("gridInterval"));
      gridEdit->setText(QStringLiteral("0"));
      emit gridEdit->editingFinished();
      const auto click = [dialog](const char* name) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
      };
      click("printButton");  // refused with its message, so no print dialog opens
      prompter.QueueFile(std::string("/charts/channel.bmp"));
      click("chooseBitmapButton");
      click("closeButton");
    });
    test::ActionOf(example.Frame(), "actionPlottingSheet")->trigger();
    QCOMPARE(whileOpen, std::optional(PrintoutKind::PlottingSheet));
    QCOMPARE(doc.GetSettings().hasListSelected, 1);
    QCOMPARE(fix.LatitudeDegrees(), static_cast<int>(fix.GetLatitude()));  // truncated
    QCOMPARE(shown, (std::vector<double>{double(fix.LatitudeDegrees()),
                                         double(fix.LongitudeDegrees()), 0, 1, 0}));
    QCOMPARE(chart.Projection, 1);
    QCOMPARE(chart.GetLatitude(), static_cast<double>(fix.LatitudeDegrees()));
    QCOMPARE(chart.GetLongitude(), -static_cast<double>(fix.LongitudeDegrees()));
    QCOMPARE(chart.ChartSpare, 0.0);
    const auto& messages = prompter.Messages();
    QVERIFY(messages.size() >= 2);
    QVERIFY(messages[messages.size() - 2].text.find("grid interval") != std::string::npos);
    QCOMPARE(chart.BitmapPath, std::string("/charts/channel.bmp"));
    QVERIFY(messages.back().text.find("'as is'") != std::string::npos);
  }

  void PlottingSheetWindowDrawsTheSheetZoomsAndPans() {
    test::ExampleFrame example;
    CKeelmarkRouteXPDoc& doc = example.Doc();
    Chart& chart = doc.GetCurrentChart();
    CentreOnPosition(chart, *doc.GetHistory().GetLast());
    chart.Scale = 5000000.0;
    chart.ChartSpare = 1.0;
    example.Frame().findChild<QAction*>(QStringLiteral("actionPlottingSheetWindow"))->trigger();
    auto* view = example.Frame().findChild<CPlottingSheetView*>();
    QVERIFY(view && view->isVisible());
    view->resize(400, 574);
    view->FitToWindow();
    QCOMPARE(view->Zoom(), 0.2);  // the 200 x 287 mm page in 400 x 574 pixels
    // Blue route legs and red history marks, as on paper; thinner than a pixel at this zoom they
    // are blended with the white page, so pixels where the colour clearly leads count.
    auto count = [](const QImage& image, int channel) {
      int n = 0;
      for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
          const QRgb p = image.pixel(x, y);
          const int c[] = {qRed(p), qGreen(p), qBlue(p)};
          n += c[channel] - std::max(c[(channel + 1) % 3], c[(channel + 2) % 3]) > 60 ? 1 : 0;
        }
      }
      return n;
    };
    constexpr int kRedChannel = 0;
    constexpr int kBlueChannel = 2;
    const QImage fitted = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (const QString shots = qEnvironmentVariable("KEELMARK_SCREENSHOTS"); !shots.isEmpty()) {
      fitted.save(shots + QStringLiteral("/plotting-sheet-window.png"));
    }
    QVERIFY(count(fitted, kBlueChannel) > 100);
    QVERIFY(count(fitted, kRedChannel) > 10);

    // A wheel notch zooms by 1.25 about the pointer: the page point under it stays there.
    const QPointF at(200.0, 300.0);
    const QPointF pageBefore = (at - view->PageOrigin()) / view->Zoom();
    QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
    QCOMPARE(view->Zoom(), 0.25);
    const QPointF pageAfter = (at - view->PageOrigin()) / view->Zoom();
    QVERIFY(std::abs(pageAfter.x() - pageBefore.x()) < 1e-9);
    QVERIFY(std::abs(pageAfter.y() - pageBefore.y()) < 1e-9);
    // Dragging moves the page with the pointer.
    const QPointF origin = view->PageOrigin();
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::mouseMove(view, QPoint(150, 130));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, QPoint(150, 130));
    QCOMPARE(view->PageOrigin(), origin + QPointF(50.0, 30.0));

    // A change of the chart shows at the next redraw of the views: a refused grid is said.
    chart.ChartSpare = 0.0;
    example.Frame().UpdateAllViews();
    const QImage refused = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(count(refused, kBlueChannel), 0);
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestFrameCommands)
#include "test_frame_commands.moc"

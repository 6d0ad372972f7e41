// The print path on real Qt devices (image, PDF writer, preview) and the printing dialogs.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QWheelEvent>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "app/cover_page_dialog.h"
#include "app/performance_dialog.h"
#include "app/plotting_sheet_dialog.h"
#include "app/plotting_sheet_view.h"
#include "app/print_commands.h"
#include "app/storm_advisory_dialog.h"
#include "document/keelmark_document.h"
#include "platform/sheet_printer.h"
#include "records/chart.h"
#include "reports/plotting_sheet.h"
#include "reports/printout.h"
#include "tests/app/app_test_support.h"

namespace keelmark {
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

class TestPrinting : public QObject {
  Q_OBJECT

 private slots:
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

  // While the cover page dialog is open its graphic is the printout; the number typed is the
  // voyage's.
  void CoverPageDialogSelectsItsGraphicAndKeepsTheVoyageNumber() {
    test::ExampleFrame example;
    CKeelmarkRouteXPDoc& doc = example.Doc();
    PrintCommands commands(
        doc, [] { return QString(); }, &example.Frame());
    bool modified = false;
    connect(&commands, &PrintCommands::DocumentModified, this, [&modified] { modified = true; });
    std::pair<int, int> whileOpen;
    test::HandleNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<CCoverPageDialog*>(modal);
      if (!dialog) return false;
      whileOpen = {doc.GetSettings().hasListSelected, doc.GetSettings().alternativeSelection};
      auto* number = dialog->findChild<QLineEdit*>(QStringLiteral("voyageNumber"));
      number->selectAll();
      QTest::keyClicks(number, QStringLiteral("V-77"));
      QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("closeButton")),
                        Qt::LeftButton);
      return true;
    });
    commands.OnCoverPage();
    QCOMPARE(whileOpen, std::make_pair(0, 2));
    QCOMPARE(doc.GetSettings().hasListSelected, 1);
    QCOMPARE(doc.GetRoute().VoyageNumber, std::string("V-77"));
    QVERIFY(modified);
  }

  // Both noon report commands print the performance while its dialog is open, and then the
  // list again; the dialog's rows are the document's and its Print asks for the print.
  void NoonReportDialogSelectsTheReportAndHoldsTheRows() {
    test::ExampleFrame example;
    CKeelmarkRouteXPDoc& doc = example.Doc();
    for (const char* name : {"actionNoonReport", "actionGraphicsNoonReport"}) {
      std::optional<PrintoutKind> whileOpen;
      test::HandleNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<CPerformanceDialog*>(modal);
        if (!dialog) return false;
        whileOpen = SelectedPrintout(doc.GetSettings());
        dialog->accept();
        return true;
      });
      test::ActionOf(example.Frame(), name)->trigger();
      QCOMPARE(whileOpen, std::optional(PrintoutKind::Performance));
      QCOMPARE(SelectedPrintout(doc.GetSettings()), std::optional(PrintoutKind::WaypointList));
    }
    CPerformanceDialog dialog(doc);
    auto* from = dialog.findChild<QComboBox*>(QStringLiteral("fromPosition"));
    auto* till = dialog.findChild<QComboBox*>(QStringLiteral("tillPosition"));
    QCOMPARE(till->currentIndex(), doc.GetHistory().GetCount() - 1);
    from->setCurrentIndex(1);
    till->setCurrentIndex(1);
    QCOMPARE(std::make_pair(doc.performanceFrom, doc.performanceTill), std::make_pair(1, 1));
    bool printed = false;
    connect(&dialog, &CPerformanceDialog::PrintRequested, this, [&printed] { printed = true; });
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("printGraphButton")),
                      Qt::LeftButton);
    QVERIFY(printed);
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
    test::HandleNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<CPlottingSheetDialog*>(modal);
      if (!dialog) return false;
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
      return true;
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

  void StormAdvisoryDialogRecomputesOnEveryChange() {
    test::ExampleFrame example;
    CKeelmarkRouteXPDoc& doc = example.Doc();
    doc.GetSettings().underWay = 1;
    CStormAdvisoryDialog dialog(doc);
    auto* storm = dialog.findChild<QComboBox*>(QStringLiteral("storm"));
    auto* distance = dialog.findChild<QLineEdit*>(QStringLiteral("cpaDistance"));
    auto* time = dialog.findChild<QLineEdit*>(QStringLiteral("cpaTime"));
    QCOMPARE(storm->count(), doc.GetStorms().GetCount());
    QVERIFY(dialog.findChild<QCheckBox*>(QStringLiteral("fromLatestFix"))->isChecked());
    const QRegularExpression timeForm(QStringLiteral("^\\d\\d [A-Z][a-z]{2} \\d\\d:\\d\\d UTC$"));
    // From the departure the ship is elsewhere at every time, and on the present course it
    // leaves the route: another approach each time, still timed.
    QStringList distances{distance->text()};
    for (const char* box : {"fromLatestFix", "presentCourse"}) {
      auto* check = dialog.findChild<QCheckBox*>(QString::fromLatin1(box));
      check->setChecked(!check->isChecked());
      QVERIFY2(timeForm.match(time->text()).hasMatch(), qPrintable(time->text()));
      QVERIFY(!distances.contains(distance->text()));
      distances << distance->text();
    }
    QCOMPARE(doc.GetSettings().underWay, 0);
    storm->setCurrentIndex(1);
    QCOMPARE(doc.selectedRow, 1);
    bool printed = false;
    connect(&dialog, &CStormAdvisoryDialog::PrintRequested, this, [&printed] { printed = true; });
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("printFormButton")),
                      Qt::LeftButton);
    QVERIFY(printed);
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

}  // namespace keelmark

QTEST_MAIN(keelmark::TestPrinting)
#include "test_printing.moc"

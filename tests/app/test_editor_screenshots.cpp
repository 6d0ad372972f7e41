// The editors at their default size: every page fits the sheet without clipping a control.
// With KEELMARK_SCREENSHOTS set to a folder, each page is also saved there as
// EDITOR-PAGE.png (scripts/screenshot-editors runs this under Xvfb).
#include <QDir>
#include <QtTest>

#include "app/calculator_sheet.h"
#include "app/record_editors.h"
#include "voyage/position_fixes.h"
#include "tests/app/editor_test_support.h"

namespace keelmark::test {

class TestEditorScreenshots : public QObject {
  Q_OBJECT

  // Opens the editor and looks at each of its pages as it is shown.
  static void LookAtEveryPage(const QString& editor, const std::function<bool()>& open) {
    const QString folder = qEnvironmentVariable("KEELMARK_SCREENSHOTS");
    QStringList clipped;
    int pages = 0;
    DriveSheet(open, [&](PropertySheet& sheet) {
      pages = sheet.PageCount();
      for (int i = 0; i < sheet.PageCount(); ++i) {
        sheet.Tabs()->setCurrentIndex(i);
        QTest::qWait(20);
        PropertyPage* page = sheet.Page(i);
        const QSize needed = page->minimumSizeHint();
        if (needed.width() > page->width() || needed.height() > page->height()) {
          clipped << QStringLiteral("%1 needs %2x%3, has %4x%5")
                         .arg(page->Caption())
                         .arg(needed.width())
                         .arg(needed.height())
                         .arg(page->width())
                         .arg(page->height());
        }
        if (!folder.isEmpty()) {
          QDir().mkpath(folder);
          const QString name = QStringLiteral("%1-%2.png").arg(editor, page->Caption()).replace(' ', '_');
          QVERIFY(sheet.grab().save(QDir(folder).filePath(name)));
        }
      }
      sheet.reject();
    });
    QVERIFY(pages > 0);
    QCOMPARE(clipped, QStringList());
  }

 private slots:
  void voyage() {
    EditorFixture fixture;
    LookAtEveryPage("voyage",
                    [&] { return EditVoyage(nullptr, fixture.Doc(), fixture.Folder().RoutePath()); });
  }

  void waypoint() {
    EditorFixture fixture;
    Waypoint* waypoint = fixture.Doc().GetRoute().GetAt(2);
    LookAtEveryPage("waypoint", [&] {
      return EditRecord(nullptr, fixture.Doc(), Category::Waypoints, {waypoint, nullptr},
                        QString::fromStdString(waypoint->GetName()));
    });
  }

  void fix() {
    EditorFixture fixture;
    PositionFix* fix = ProposeLatestFix(fixture.Doc().GetHistory());
    LookAtEveryPage("fix", [&] {
      return EditRecord(nullptr, fixture.Doc(), Category::History, {fix, nullptr},
                        QString::fromStdString(fix->GetName()));
    });
  }

  void vessel() {
    EditorFixture fixture;
    LookAtEveryPage("vessel", [&] { return EditVessel(nullptr, fixture.Doc()); });
  }

  void calculator() {
    EditorFixture fixture;
    LookAtEveryPage("calculator", [&] {
      RunCalculator(nullptr, fixture.Doc());
      return true;
    });
  }

  void port() {
    EditorFixture fixture;
    Port* port = fixture.Doc().GetPorts().FindByName("Hamburg");
    LookAtEveryPage("port", [&] {
      return EditRecord(nullptr, fixture.Doc(), Category::Ports, {port, nullptr}, "Hamburg");
    });
  }

  void referenceEditors() {
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    LookAtEveryPage("chart", [&] {
      return EditRecord(nullptr, doc, Category::Charts, {doc.GetCharts().NthChart(0), nullptr},
                        "Chart");
    });
    LookAtEveryPage("reporting", [&] {
      return EditRecord(nullptr, doc, Category::Reporting,
                        {doc.GetReportingPoints().GetFirst(), nullptr}, "Reporting Point");
    });
    LookAtEveryPage("warning", [&] {
      return EditRecord(nullptr, doc, Category::Warnings, {doc.GetWarnings().GetFirst(), nullptr},
                        "Warning");
    });
    LookAtEveryPage("storm", [&] {
      return EditRecord(nullptr, doc, Category::Storms, {doc.GetStorms().GetFirst(), nullptr},
                        "Storm");
    });
    LookAtEveryPage("forecast", [&] {
      return EditRecord(nullptr, doc, Category::Forecast,
                        {nullptr, doc.GetForecasts().GetFirst()}, "Forecast Area");
    });
    LookAtEveryPage("options", [&] { return EditOptions(nullptr, doc); });
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestEditorScreenshots)
#include "test_editor_screenshots.moc"

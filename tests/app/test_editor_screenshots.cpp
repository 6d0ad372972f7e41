// The editors at their default size: every page fits the sheet without clipping a control.
// With KEELMARK_SCREENSHOTS set to a folder, each page is also saved there as
// EDITOR-PAGE.png (scripts/screenshot-editors runs this under Xvfb).
#include <QDir>
#include <QtTest>

#include "app/calculator_sheet.h"
#include "app/record_editors.h"
#include "tests/app/editor_test_support.h"
#include "voyage/position_fixes.h"

namespace keelmark::test {

class TestEditorScreenshots : public QObject {
  Q_OBJECT

  static constexpr int kVoyage = -1;
  static constexpr int kVessel = -2;
  static constexpr int kOptions = -3;
  static constexpr int kCalculator = -4;

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
          const QString name =
              QStringLiteral("%1-%2.png").arg(editor, page->Caption()).replace(' ', '_');
          QVERIFY(sheet.grab().save(QDir(folder).filePath(name)));
        }
      }
      sheet.reject();
    });
    QVERIFY(pages > 0);
    QCOMPARE(clipped, QStringList());
  }

 private slots:
  // Each editor on a record of the example data: a category, or the voyage, vessel, options
  // and calculator sheets.
  void everyPageFits_data() {
    QTest::addColumn<int>("category");
    QTest::newRow("voyage") << kVoyage;
    QTest::newRow("vessel") << kVessel;
    QTest::newRow("options") << kOptions;
    QTest::newRow("calculator") << kCalculator;
    QTest::newRow("waypoint") << int(Category::Waypoints);
    QTest::newRow("fix") << int(Category::History);
    QTest::newRow("warning") << int(Category::Warnings);
    QTest::newRow("reporting") << int(Category::Reporting);
    QTest::newRow("port") << int(Category::Ports);
    QTest::newRow("chart") << int(Category::Charts);
    QTest::newRow("forecast") << int(Category::Forecast);
    QTest::newRow("storm") << int(Category::Storms);
  }

  void everyPageFits() {
    QFETCH(int, category);
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    const QString editor = QString::fromLatin1(QTest::currentDataTag());
    if (category == kVoyage) {
      LookAtEveryPage(editor,
                      [&] { return EditVoyage(nullptr, doc, fixture.Folder().RoutePath()); });
    } else if (category == kVessel) {
      LookAtEveryPage(editor, [&] { return EditVessel(nullptr, doc); });
    } else if (category == kOptions) {
      LookAtEveryPage(editor, [&] { return EditOptions(nullptr, doc); });
    } else if (category == kCalculator) {
      LookAtEveryPage(editor, [&] {
        RunCalculator(nullptr, doc);
        return true;
      });
    } else if (category == int(Category::History)) {
      PositionFix* fix = ProposeLatestFix(doc.GetHistory());
      LookAtEveryPage(editor, [&] {
        return EditRecord(nullptr, doc, Category::History, {fix, nullptr}, "Latest Position Fix");
      });
    } else {
      doc.SetCategory(static_cast<Category>(category));
      doc.GetSettings().hasListSelected = 1;
      doc.selectedRow = 0;
      const SelectedRecord record = doc.GetSelectedRecord();
      LookAtEveryPage(editor, [&] {
        return EditRecord(nullptr, doc, static_cast<Category>(category), record, editor);
      });
    }
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestEditorScreenshots)
#include "test_editor_screenshots.moc"

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

  static constexpr int kCalculator = kOptions + 1;

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
    QTest::addColumn<int>("editor");
    for (const QString name : {"Voyage", "Vessel", "Options", "Waypoints", "History", "Warnings",
                               "Reporting", "Ports", "Charts", "Forecast", "Storms"}) {
      QTest::newRow(qPrintable(name.toLower())) << EditorNamed(name);
    }
    QTest::newRow("calculator") << kCalculator;
  }

  void everyPageFits() {
    QFETCH(int, editor);
    EditorFixture fixture;
    CKeelmarkRouteXPDoc& doc = fixture.Doc();
    doc.GetSettings().hasListSelected = 1;
    SelectedRecord record = SelectRow(doc, editor, 0);
    // The fix editor as it opens on a new fix.
    if (editor == int(Category::History)) record = {ProposeLatestFix(doc.GetHistory()), nullptr};
    LookAtEveryPage(QString::fromLatin1(QTest::currentDataTag()), [&] {
      if (editor != kCalculator) return OpenEditor(doc, editor, record);
      RunCalculator(nullptr, doc);
      return true;
    });
  }
};

}  // namespace keelmark::test

QTEST_MAIN(keelmark::test::TestEditorScreenshots)
#include "test_editor_screenshots.moc"

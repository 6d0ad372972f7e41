// The desktop program's message boxes and file dialogs.
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include "app/qt_prompter.h"
#include "tests/app/app_test_support.h"

using keelmark::FileChoice;
using keelmark::MessageIcon;
using keelmark::QtPrompter;

namespace {

const char* const kDataFilter = "Data File (*.dat)|*.dat|All Files (*.*)|*.*||";

}  // namespace

class TestQtPrompter : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void filtersBecomeNameFilters() {
    const std::pair<const char*, QStringList> cases[] = {
        {kDataFilter, {"Data File (*.dat)", "All Files (*)"}},
        {"Route (*.q3v)|*.q3v|All Files (*.*)|*.*||", {"Route (*.q3v)", "All Files (*)"}},
        {"Text (*.txt;*.csv)|*.txt;*.csv||", {"Text (*.txt *.csv)"}},
        {"Reports|*.txt||", {"Reports (*.txt)"}},  // a description without patterns
        {"", {}}};
    for (const auto& [filter, names] : cases) QCOMPARE(keelmark::NameFilters(filter), names);
  }

  void messagesShowTheirTextAndIcon_data() {
    QTest::addColumn<int>("icon");
    QTest::addColumn<int>("boxIcon");
    QTest::newRow("none") << int(MessageIcon::None) << int(QMessageBox::NoIcon);
    QTest::newRow("stop") << int(MessageIcon::Stop) << int(QMessageBox::Critical);
    QTest::newRow("exclamation") << int(MessageIcon::Exclamation) << int(QMessageBox::Warning);
    QTest::newRow("question") << int(MessageIcon::Question) << int(QMessageBox::Question);
    QTest::newRow("information") << int(MessageIcon::Information) << int(QMessageBox::Information);
  }

  void messagesShowTheirTextAndIcon() {
    QFETCH(int, icon);
    QFETCH(int, boxIcon);
    QtPrompter prompter;
    QString title;
    QString text;
    int shownIcon = -1;
    int buttons = 0;
    keelmark::test::HandleNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) return false;
      title = box->windowTitle();
      text = box->text();
      shownIcon = box->icon();
      buttons = box->standardButtons();
      box->button(QMessageBox::Ok)->click();
      return true;
    });
    prompter.Message("Failed to open file\ndata might be corrupt", static_cast<MessageIcon>(icon));
    QCOMPARE(title, QStringLiteral("Keelmark Route"));
    QCOMPARE(text, QStringLiteral("Failed to open file\ndata might be corrupt"));
    QCOMPARE(shownIcon, boxIcon);
    QCOMPARE(buttons, int(QMessageBox::Ok));
  }

  void questionsAnswerYesOrNo() {
    QtPrompter prompter;
    keelmark::test::AnswerNextMessageBox(QMessageBox::Yes);
    QVERIFY(prompter.AskYesNo("Delete selected item\nAre you sure?", MessageIcon::Question));
    QString text;
    keelmark::test::AnswerNextMessageBox(QMessageBox::No, &text);
    QVERIFY(!prompter.AskYesNo("Delete selected item\nAre you sure?", MessageIcon::Question));
    QCOMPARE(text, QStringLiteral("Delete selected item\nAre you sure?"));
  }

  void fileDialogsOfferTheFilterExtensionAndName() {
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    QtPrompter prompter;
    QStringList filters;
    QString suffix;
    QString typedName;
    int mode = -1;
    keelmark::test::HandleNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog) return false;
      filters = dialog->nameFilters();
      suffix = dialog->defaultSuffix();
      mode = dialog->acceptMode();
      typedName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
      static_cast<QDialog*>(dialog)->accept();
      return true;
    });
    const auto saved = prompter.ChooseSaveFile({kDataFilter, "dat", "vessel"});
    QCOMPARE(filters, (QStringList{"Data File (*.dat)", "All Files (*)"}));
    QCOMPARE(suffix, QStringLiteral("dat"));
    QCOMPARE(typedName, QStringLiteral("vessel"));
    QCOMPARE(mode, int(QFileDialog::AcceptSave));
    // The default extension completes the name typed.
    QVERIFY(saved.has_value());
    QCOMPARE(QString::fromStdString(*saved),
             QDir(dir.path()).filePath(QStringLiteral("vessel.dat")));

    keelmark::test::HandleNextModal([](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog) return false;
      dialog->reject();
      return true;
    });
    QVERIFY(!prompter.ChooseOpenFile({kDataFilter, "dat", ""}).has_value());
  }
};

QTEST_MAIN(TestQtPrompter)
#include "test_qt_prompter.moc"

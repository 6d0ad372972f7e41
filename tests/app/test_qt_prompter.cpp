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

  // A message shows the program's caption, its text and icon; a question answers Yes or No.
  void messagesAndQuestions() {
    QStringList shown;
    keelmark::test::HandleNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      if (!box) return false;
      shown << box->windowTitle() << box->text() << QString::number(box->icon());
      box->button(QMessageBox::Ok)->click();
      return true;
    });
    QtPrompter prompter;
    prompter.Message("Failed to open file\ndata might be corrupt", MessageIcon::Exclamation);
    QCOMPARE(shown, (QStringList{"Keelmark Route", "Failed to open file\ndata might be corrupt",
                                 QString::number(QMessageBox::Warning)}));
    keelmark::test::AnswerNextMessageBox(QMessageBox::Yes);
    QVERIFY(prompter.AskYesNo("Delete selected item\nAre you sure?", MessageIcon::Question));
    keelmark::test::AnswerNextMessageBox(QMessageBox::No);
    QVERIFY(!prompter.AskYesNo("Delete selected item\nAre you sure?", MessageIcon::Question));
  }

  void fileDialogsOfferTheFilterExtensionAndName() {
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    QtPrompter prompter;
    QStringList offered;
    keelmark::test::HandleNextModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      if (!dialog) return false;
      offered << dialog->nameFilters() << dialog->defaultSuffix()
              << dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text()
              << QString::number(dialog->acceptMode());
      static_cast<QDialog*>(dialog)->accept();
      return true;
    });
    const auto saved = prompter.ChooseSaveFile({kDataFilter, "dat", "vessel"});
    QCOMPARE(offered, (QStringList{"Data File (*.dat)", "All Files (*)", "dat", "vessel",
                                   QString::number(QFileDialog::AcceptSave)}));
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

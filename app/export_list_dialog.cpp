#include "app/export_list_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace keelmark {
namespace {

constexpr const char* kChoices[] = {"Export to text file (*.txt)",
                                    "Export to comma separated format (*.csv)",
                                    "Export to email message"};
constexpr const char* kTip =
    "Tip: to export to MS Excel or most other spreadsheet or database\napplications, export to "
    "comma separated format and make sure\nyou use the correct separator character (see "
    "tools/options/export).";

}  // namespace

const char* const CExportListDialog::kCaption = "Export List...";

CExportListDialog::CExportListDialog(QWidget* parent)
    : QDialog(parent), group_(new QButtonGroup(this)) {
  setWindowTitle(QString::fromLatin1(kCaption));
  setObjectName(QStringLiteral("exportListDialog"));
  auto* column = new QVBoxLayout(this);
  int id = 0;
  for (const char* text : kChoices) {
    auto* button = new QRadioButton(tr(text), this);
    group_->addButton(button, id++);
    column->addWidget(button);
  }
  group_->button(0)->setChecked(true);
  auto* tip = new QLabel(tr(kTip), this);
  tip->setObjectName(QStringLiteral("tip"));
  column->addSpacing(8);
  column->addWidget(tip);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);
}

ListDestination CExportListDialog::Destination() const {
  return static_cast<ListDestination>(group_->checkedId());
}

std::optional<ListDestination> CExportListDialog::Ask(QWidget* parent) {
  CExportListDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Destination();
}

}  // namespace keelmark

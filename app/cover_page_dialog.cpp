#include "app/cover_page_dialog.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/form_with_buttons.h"
#include "platform/qt_text.h"
#include "records/voyage.h"

namespace keelmark {

CCoverPageDialog::CCoverPageDialog(Voyage& route, QWidget* parent)
    : QDialog(parent), route_(route) {
  setObjectName(QStringLiteral("coverPageDialog"));
  setWindowTitle(tr("Print coverpage"));
  number_ = new QLineEdit(ToQString(route.VoyageNumber), this);
  number_->setObjectName(QStringLiteral("voyageNumber"));
  connect(number_, &QLineEdit::editingFinished, this, &CCoverPageDialog::StoreVoyageNumber);

  auto* print = new QPushButton(tr("Print"), this);
  print->setObjectName(QStringLiteral("printButton"));
  print->setDefault(true);
  auto* close = new QPushButton(tr("Close"), this);
  close->setObjectName(QStringLiteral("closeButton"));
  connect(print, &QPushButton::clicked, this, [this] {
    StoreVoyageNumber();
    emit PrintRequested();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* form = new QFormLayout;
  form->addRow(tr("Voyage Number:"), number_);
  LayOutFormWithButtons(*this, form, {print, close});
  setMinimumWidth(320);
}

void CCoverPageDialog::StoreVoyageNumber() { route_.VoyageNumber = ToStdString(number_->text()); }

}  // namespace keelmark

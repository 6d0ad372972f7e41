#include "app/about_box.h"

#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace keelmark {
namespace {

QLabel* Line(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  // Paths are worth copying into a file manager or a support mail.
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

}  // namespace

QString CAboutBox::BuildDate() {
  // __DATE__ is "Dec  7 2026" (honouring SOURCE_DATE_EPOCH for reproducible builds).
  const QDate date =
      QDate::fromString(QString::fromLatin1(__DATE__).simplified(), QStringLiteral("MMM d yyyy"));
  return date.toString(QStringLiteral("d MMM yyyy"));
}

CAboutBox::CAboutBox(const QString& dataFolder, const QString& settingsFile, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("aboutBox"));
  setWindowTitle(tr("About Keelmark Route"));

  auto* icon = new QLabel(this);
  icon->setPixmap(QApplication::windowIcon().pixmap(48, 48));
  auto* text = new QVBoxLayout;
  text->addWidget(Line(this, "versionText", QString::fromLatin1(kVersionText)));
  text->addWidget(Line(this, "buildText", tr("Built %1").arg(BuildDate())));
  text->addWidget(Line(this, "qtText", tr("Qt %1").arg(QLatin1String(qVersion()))));
  text->addSpacing(8);
  auto* places = new QGridLayout;
  places->addWidget(new QLabel(tr("Data files:"), this), 0, 0);
  places->addWidget(Line(this, "dataFolderText", dataFolder), 0, 1);
  places->addWidget(new QLabel(tr("Settings:"), this), 1, 0);
  places->addWidget(Line(this, "settingsText", settingsFile), 1, 1);
  text->addLayout(places);
  text->addSpacing(8);
  text->addWidget(new QLabel(tr("Libraries and their licences:"), this));
  auto* licences = new QGridLayout;
  licences->setHorizontalSpacing(16);
  int row = 0;
  for (const LibraryLicence& entry : kLibraryLicences) {
    licences->addWidget(Line(this, "libraryText", QLatin1String(entry.library)), row, 0);
    licences->addWidget(Line(this, "licenceText", QLatin1String(entry.licence)), row, 1);
    ++row;
  }
  text->addLayout(licences);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* top = new QHBoxLayout;
  top->setSpacing(16);
  top->addWidget(icon, 0, Qt::AlignTop);
  top->addLayout(text, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 20, 20, 12);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace keelmark

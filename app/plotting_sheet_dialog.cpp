#include "app/plotting_sheet_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/form_with_buttons.h"
#include "document/keelmark_document.h"
#include "document/prompter.h"
#include "navigation/text_format.h"
#include "platform/qt_text.h"
#include "records/chart.h"

namespace keelmark {
namespace {

constexpr const char* kBitmapFilter = "Bitmap File (*.bmp)|*.bmp|All Files (*.*)|*.*||";
constexpr const char* kBitmapExtension = "bmp";
constexpr const char* kBitmapWarning =
    "Warning\nKeelmark Route will display background bitmaps 'as is'\nwithout any scaling "
    "functions.\nThere is no guarantee that route shown will line up correctly with background "
    "bitmap\nDo not use these charts for actual navigation!";

QString Number(double value) { return QString::number(value, 'g', 10); }

}  // namespace

CPlottingSheetDialog::CPlottingSheetDialog(CKeelmarkRouteXPDoc& doc, Prompter& prompter,
                                           QWidget* parent)
    : QDialog(parent), doc_(doc), prompter_(prompter) {
  setObjectName(QStringLiteral("plottingSheetDialog"));
  setWindowTitle(tr("Plottingsheet"));
  auto named = [this](QWidget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
  };
  latitude_ = new QSpinBox(this);
  latitude_->setRange(0, 90);
  longitude_ = new QSpinBox(this);
  longitude_->setRange(0, 180);
  north_ = new QComboBox(this);
  north_->addItems({tr("North"), tr("South")});
  east_ = new QComboBox(this);
  east_->addItems({tr("East"), tr("West")});
  projection_ = new QComboBox(this);
  // The polar projection is offered too, so that a chart holding it can be chosen back.
  projection_->addItems({tr("Mercator"), tr("Gnomonic"), tr("Polar")});
  scale_ = new QLineEdit(this);
  scaleLatitude_ = new QLineEdit(this);
  grid_ = new QLineEdit(this);
  bitmap_ = new QLineEdit(this);
  named(latitude_, "centreLatitude");
  named(north_, "centreNorth");
  named(longitude_, "centreLongitude");
  named(east_, "centreEast");
  named(projection_, "projection");
  named(scale_, "scale");
  named(scaleLatitude_, "scaleLatitude");
  named(grid_, "gridInterval");
  named(bitmap_, "bitmapPath");

  auto row = [this](QWidget* first, QWidget* second, const QString& after = {}) {
    auto* box = new QHBoxLayout;
    box->addWidget(first);
    if (second) box->addWidget(second);
    if (!after.isEmpty()) box->addWidget(new QLabel(after, this));
    return box;
  };
  auto* choose = new QPushButton(QStringLiteral("..."), this);
  choose->setObjectName(QStringLiteral("chooseBitmapButton"));
  auto* form = new QFormLayout;
  form->addRow(tr("Centre chart on position:"), row(latitude_, north_));
  form->addRow(QString(), row(longitude_, east_));
  form->addRow(tr("Chart projection:"), projection_);
  form->addRow(tr("Scale of chart:  1 : "), scale_);
  form->addRow(tr("Latitude of scale:"), row(scaleLatitude_, nullptr, tr("deg")));
  form->addRow(tr("Draw lines at every"), row(grid_, nullptr, tr("deg interval")));
  form->addRow(tr("Background bitmap:"), row(bitmap_, choose));

  auto* print = new QPushButton(tr("Print"), this);
  print->setObjectName(QStringLiteral("printButton"));
  auto* close = new QPushButton(tr("Close"), this);
  close->setObjectName(QStringLiteral("closeButton"));
  close->setDefault(true);
  LayOutFormWithButtons(*this, form, {print, close});

  ShowChart();
  for (QComboBox* list : {north_, east_, projection_}) {
    connect(list, &QComboBox::currentIndexChanged, this, &CPlottingSheetDialog::StoreChart);
  }
  for (QSpinBox* degrees : {latitude_, longitude_}) {
    connect(degrees, &QSpinBox::editingFinished, this, &CPlottingSheetDialog::StoreChart);
  }
  for (QLineEdit* field : {scale_, scaleLatitude_, grid_, bitmap_}) {
    connect(field, &QLineEdit::editingFinished, this, &CPlottingSheetDialog::StoreChart);
  }
  connect(choose, &QPushButton::clicked, this, &CPlottingSheetDialog::ChooseBitmap);
  connect(print, &QPushButton::clicked, this, [this] {
    StoreChart();
    emit PrintRequested();
  });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void CPlottingSheetDialog::ShowChart() {
  const Chart& chart = doc_.GetCurrentChart();
  const CPosition2* centre = &chart;
  if (!doc_.GetHistory().IsEmpty()) centre = doc_.GetHistory().GetLast();
  const QSignalBlocker blockers[] = {QSignalBlocker(north_), QSignalBlocker(east_),
                                     QSignalBlocker(projection_)};
  latitude_->setValue(std::abs(centre->LatitudeDegrees()));
  north_->setCurrentIndex(centre->LatitudeSouth());
  longitude_->setValue(std::abs(centre->LongitudeDegrees()));
  east_->setCurrentIndex(centre->LongitudeWest());
  projection_->setCurrentIndex(chart.Projection >= 0 && chart.Projection <= 2 ? chart.Projection
                                                                              : 0);
  scale_->setText(Number(chart.Scale));
  scaleLatitude_->setText(Number(chart.ScaleLatitude));
  grid_->setText(Number(chart.ChartSpare));
  bitmap_->setText(ToQString(chart.BitmapPath));
}

void CPlottingSheetDialog::StoreChart() {
  Chart& chart = doc_.GetCurrentChart();
  chart.Projection = projection_->currentIndex();
  chart.ScaleLatitude = LeadingNumber(ToStdString(scaleLatitude_->text()));
  chart.Scale = LeadingNumber(ToStdString(scale_->text()));
  chart.ChartSpare = LeadingNumber(ToStdString(grid_->text()));
  chart.BitmapPath = ToStdString(bitmap_->text());
  chart.SetLatitudeDegMin(latitude_->value(), 0.0, north_->currentIndex());
  chart.SetLongitudeDegMin(longitude_->value(), 0.0, east_->currentIndex());
  emit ChartChanged();
}

void CPlottingSheetDialog::ChooseBitmap() {
  const std::optional<std::string> path =
      prompter_.ChooseOpenFile({kBitmapFilter, kBitmapExtension, ToStdString(bitmap_->text())});
  if (!path) return;
  bitmap_->setText(ToQString(*path));
  StoreChart();
  prompter_.Message(kBitmapWarning, MessageIcon::Exclamation);
}

}  // namespace keelmark

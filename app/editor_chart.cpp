#include "app/editor_chart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>

#include "app/position_entry.h"
#include "records/chart.h"

namespace keelmark {

namespace {

using Values = CSheetChart::Values;

class CPageChartDetails : public PropertyPage {
 public:
  explicit CPageChartDetails(Values& values) : PropertyPage("Details") {
    QFormLayout* form = AddForm();
    TextRow(form, "Name:", values.name);
    AddRow(form, "Edition:", BindTime(values.edition, TimeReading::Date, "Edition"));
    TextRow(form, "Publisher:", values.publisher);
    QFormLayout* correction = nullptr;
    AddGroup("Latest correction", correction);
    TextRow(correction, "Number:", values.number);
    Column()->addStretch(1);
  }
};

class CPageChartScale : public PropertyPage {
 public:
  explicit CPageChartScale(Values& values) : PropertyPage("Scale") {
    // The corners take any degrees and minutes.
    Corner("Top Left Corner of Chart", "Top left", values.topLeftLatitude,
           values.topLeftLongitude);
    Corner("Bottom Right Corner of Chart", "Bottom right", values.bottomRightLatitude,
           values.bottomRightLongitude);
    QFormLayout* scale = nullptr;
    AddGroup("Scale", scale);
    NumberRow(scale, "Scale 1 on :", values.scale);
    NumberRow(scale, "Latitude of scale:", values.scaleLatitude, "deg");
    AddRow(scale, "Projection:",
           BindIndex(values.projection, {"Mercator", "Gnomonic"}, "Projection"));
    Column()->addStretch(1);
  }

 private:
  void Corner(const char* title, const char* prefix, double& latitude, double& longitude) {
    QFormLayout* form = nullptr;
    QGroupBox* group = AddGroup(title, form);
    form->addRow(BindPosition(latitude, longitude, new PositionEntry(false, prefix, group)));
  }
};

class CPageChartBitmap : public PropertyPage {
 public:
  CPageChartBitmap(Values& values, Prompter& prompter) : PropertyPage("Bitmap") {
    PathRow(AddForm(), "Path to bitmap file:", values.bitmapPath,
            {"Bitmap File (*.bmp)|*.bmp|All Files (*.*)|*.*||", "bmp", ""}, prompter);
    Column()->addWidget(
        BindCheck(values.useBitmap, "Use a background bitmap when displaying this chart:"));
    AddText("Warning\nAlthough Keelmark Route 4 is able to display bitmap files\nas background "
            "images to plottingsheets, there is as yet\nno scaling or positioning done to "
            "these bitmaps.\nYou should NOT use these displayed images for\nnavigation "
            "purposes!!!");
    Column()->addStretch(1);
  }
};

}  // namespace

CSheetChart::CSheetChart(const QString& caption, Chart& chart, Kind kind, Prompter& prompter,
                         QWidget* parent)
    : PropertySheet(caption, prompter, parent), chart_(chart), kind_(kind) {
  AddPage(new CPageChartDetails(values_));
  if (kind == Kind::Chart) {
    AddPage(new CPageChartScale(values_));
    AddPage(new CPageChartBitmap(values_, prompter));
  }
}

void CSheetChart::CopyIn() {
  // The editor decides which list the record is shown in.
  chart_.IsChart = kind_ == Kind::Chart ? 1 : 0;
  values_ = {chart_.GetName(),
             chart_.Edition,
             chart_.Publisher,
             chart_.Number,
             chart_.GetLatitude(),
             chart_.GetLongitude(),
             chart_.BottomRightLatitude(),
             chart_.BottomRightLongitude(),
             chart_.Scale,
             chart_.ScaleLatitude,
             chart_.Projection,
             chart_.BitmapPath,
             chart_.BitmapPath.empty() ? 0 : 1};
  opened_ = values_;
}

void CSheetChart::CopyBack() {
  chart_.SetName(values_.name);
  chart_.AltName = values_.name;
  chart_.ChartText1 = values_.name;
  chart_.Edition = values_.edition;
  chart_.Number = values_.number;
  chart_.Publisher = values_.publisher;
  if (kind_ != Kind::Chart) return;
  chart_.SetLatitude(values_.topLeftLatitude);
  chart_.SetLongitude(values_.topLeftLongitude);
  // Extents are the differences of the corners; corners left as they were keep them exactly.
  if (values_.topLeftLatitude != opened_.topLeftLatitude ||
      values_.bottomRightLatitude != opened_.bottomRightLatitude) {
    chart_.LatitudeExtent = values_.bottomRightLatitude - values_.topLeftLatitude;
  }
  if (values_.topLeftLongitude != opened_.topLeftLongitude ||
      values_.bottomRightLongitude != opened_.bottomRightLongitude) {
    chart_.LongitudeExtent = values_.bottomRightLongitude - values_.topLeftLongitude;
  }
  chart_.Scale = values_.scale;
  chart_.ScaleLatitude = values_.scaleLatitude;
  chart_.Projection = values_.projection;
  chart_.BitmapPath = values_.useBitmap ? values_.bitmapPath : std::string();
}

}  // namespace keelmark

#include "app/editor_chart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>

#include "app/position_entry.h"

namespace keelmark {

namespace {

class CPageChartDetails : public PropertyPage {
 public:
  explicit CPageChartDetails(Chart& chart) : PropertyPage("Details") {
    QFormLayout* form = AddForm();
    TextRow(form, "Name:", chart.Name);
    AddRow(form, "Edition:", BindTime(chart.Edition, TimeReading::Date, "Edition"));
    TextRow(form, "Publisher:", chart.Publisher);
    QFormLayout* correction = nullptr;
    AddGroup("Latest correction", correction);
    TextRow(correction, "Number:", chart.Number);
    Column()->addStretch(1);
  }
};

class CPageChartScale : public PropertyPage {
 public:
  CPageChartScale(Chart& chart, CSheetChart::Shown& shown) : PropertyPage("Scale") {
    // The corners take any degrees and minutes.
    Corner("Top Left Corner of Chart", "Top left", chart.Latitude, chart.Longitude);
    Corner("Bottom Right Corner of Chart", "Bottom right", shown.bottomRightLatitude,
           shown.bottomRightLongitude);
    QFormLayout* scale = nullptr;
    AddGroup("Scale", scale);
    NumberRow(scale, "Scale 1 on :", chart.Scale);
    NumberRow(scale, "Latitude of scale:", chart.ScaleLatitude, "deg");
    AddRow(scale,
           "Projection:", BindIndex(chart.Projection, {"Mercator", "Gnomonic"}, "Projection"));
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
  CPageChartBitmap(Chart& chart, CSheetChart::Shown& shown, Prompter& prompter)
      : PropertyPage("Bitmap") {
    PathRow(AddForm(), "Path to bitmap file:", chart.BitmapPath,
            {"Bitmap File (*.bmp)|*.bmp|All Files (*.*)|*.*||", "bmp", ""}, prompter);
    Column()->addWidget(
        BindCheck(shown.useBitmap, "Use a background bitmap when displaying this chart:"));
    AddText(
        "Warning\nAlthough Keelmark Route 4 is able to display bitmap files\nas background "
        "images to plottingsheets, there is as yet\nno scaling or positioning done to "
        "these bitmaps.\nYou should NOT use these displayed images for\nnavigation "
        "purposes!!!");
    Column()->addStretch(1);
  }
};

}  // namespace

CSheetChart::CSheetChart(const QString& caption, Chart& chart, Kind kind, Prompter& prompter,
                         QWidget* parent)
    : RecordSheet(caption, chart, prompter, parent), chart_(chart), kind_(kind) {
  AddPage(new CPageChartDetails(Working()));
  if (kind == Kind::Chart) {
    AddPage(new CPageChartScale(Working(), shown_));
    AddPage(new CPageChartBitmap(Working(), shown_, prompter));
  }
}

void CSheetChart::Opened() {
  // The editor decides which list the record is shown in, whether it is taken or not.
  chart_.IsChart = kind_ == Kind::Chart ? 1 : 0;
  Working().IsChart = chart_.IsChart;
  shown_ = {chart_.BottomRightLatitude(), chart_.BottomRightLongitude(),
            chart_.BitmapPath.empty() ? 0 : 1};
}

void CSheetChart::Taking() {
  Chart& chart = Working();
  chart.AltName = chart.Name;
  chart.ChartText1 = chart.Name;
  if (kind_ != Kind::Chart) return;
  // Extents are the differences of the corners; corners left as they were keep them exactly.
  if (chart.Latitude != chart_.Latitude ||
      shown_.bottomRightLatitude != chart_.BottomRightLatitude()) {
    chart.LatitudeExtent = shown_.bottomRightLatitude - chart.Latitude;
  }
  if (chart.Longitude != chart_.Longitude ||
      shown_.bottomRightLongitude != chart_.BottomRightLongitude()) {
    chart.LongitudeExtent = shown_.bottomRightLongitude - chart.Longitude;
  }
  if (!shown_.useBitmap) chart.BitmapPath.clear();
}

}  // namespace keelmark

#include "app/editor_vessel.h"

#include <cmath>

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include "navigation/text_format.h"
#include "voyage/vessel_model.h"

namespace keelmark {

const char* const CSheetVessel::kCaption = "Vessel Properties";

namespace {

constexpr const char* kDraftForward = "Draft forward";
constexpr const char* kDraftAft = "Draft aft";
constexpr const char* kEngineSetting = "Engine setting";
constexpr const char* kSpeedFormat = "%#3.1f";
// The wind the calibration pages start with, knots.
constexpr double kCalibrationWind = 16.0;

class CPageVesselGeneral : public PropertyPage {
 public:
  CPageVesselGeneral(CVessel2& vessel, double& containerTiers) : PropertyPage("General") {
    QFormLayout* form = AddForm();
    TextRow(form, "Name:", vessel.name);
    TextRow(form, "Call sign:", vessel.callSign);
    TextRow(form, "IMO number:", vessel.imoNumber);
    QFormLayout* dimensions = nullptr;
    AddGroup("Dimensions (mtr)", dimensions);
    NumberRow(dimensions, "Length PP:", vessel.lengthPP);
    NumberRow(dimensions, "Max breadth:", vessel.breadth);
    NumberRow(dimensions, "Depth moulded:", vessel.depthMoulded);
    NumberRow(dimensions, "Eye to keel:", vessel.eyeToKeel);
    NumberRow(dimensions, "Masttop to keel:", vessel.mastTopToKeel);
    NumberRow(dimensions, "Container height:", containerTiers);
    Column()->addStretch(1);
  }
};

class CPageVesselEngine : public PropertyPage {
 public:
  explicit CPageVesselEngine(CVessel2& vessel) : PropertyPage("Engine") {
    QFormLayout* form = AddForm();
    WholeRow(form, "Maximum rpm", vessel.maxRpm, "rpm");
    NumberRow(form, "Max. power", vessel.maxPower, "kW");
    WholeRow(form, "FA Manoeuvering:", vessel.manoeuvringRpm, "rpm");
    NumberRow(form, "Max. fuel cons/day.", vessel.maxFuelPerDay, "mT");
    QFormLayout* propeller = nullptr;
    AddGroup("Propellor", propeller);
    NumberRow(propeller, "Pitch", vessel.propellerPitch, "mtr");
    NumberRow(propeller, "Diameter", vessel.propellerDiameter, "mtr");
    Column()->addStretch(1);
  }
};

class CPageVesselManoeuvring : public PropertyPage {
 public:
  explicit CPageVesselManoeuvring(CVessel2& vessel) : PropertyPage("Manoeuvring") {
    QFormLayout* form = AddForm();
    NumberRow(form, "Time to reduce 1 rpm", vessel.minutesPerRpm, "minutes");
    WholeRow(form, "Required time at Full Ahead:", vessel.fullAheadMinutes, "minutes");
    WholeRow(form, "Required time for manoeuvring:", vessel.manoeuvringMinutes, "minutes");
    WholeRow(form, "Required distance for manoeuvring:", vessel.manoeuvringDistance, "nM");
    // The voyage calculation always allows for manoeuvring; the box says so.
    auto* correct = new QCheckBox("Correct voyage schedule for manoeuvring distances/times", this);
    correct->setChecked(true);
    correct->setEnabled(false);
    Column()->addWidget(correct);
    Column()->addStretch(1);
  }
};

class CPageVesselHydros : public PropertyPage {
 public:
  explicit CPageVesselHydros(CVessel2& vessel) : PropertyPage("Hydrostatics") {
    QFormLayout* form = AddForm();
    NumberRow(form, "Displacement", vessel.displacement, "mT");
    NumberRow(form, "LCG", vessel.lcg, "mtr");
    NumberRow(form, "LCB", vessel.lcb, "mtr");
    NumberRow(form, "LCF", vessel.lcf, "mtr");
    NumberRow(form, "UTM", vessel.mctc, "mTcm");
    AddText(
        "Note: these hydrostatic data will be used to estimate change of\ntrim due to vessels "
        "squat. If you leave these data at their default\nsettings only the calculated squat "
        "will be in error but other data\nwill not be effected.");
    Column()->addStretch(1);
  }
};

// A calibration page: a vertical slider beside the inputs and the speed they give.
class CalibrationPage : public PropertyPage {
 public:
  CalibrationPage(const QString& caption, CVessel2& vessel, const QString& group, int maximum,
                  bool zeroAtTop, const QString& text)
      : PropertyPage(caption), vessel_(vessel), slider_(new QSlider(Qt::Vertical, this)) {
    slider_->setRange(0, maximum);
    slider_->setInvertedAppearance(zeroAtTop);
    slider_->setTickPosition(QSlider::TicksRight);
    slider_->setTickInterval(10);
    slider_->setMinimumHeight(200);
    slider_->setAccessibleName(caption);
    auto* row = new QHBoxLayout;
    row->addWidget(slider_);
    auto* inner = new QVBoxLayout;
    auto* box = new QGroupBox(group, this);
    form_ = new QFormLayout(box);
    inner->addWidget(box);
    inner->addWidget(new QLabel(text, this));
    inner->addStretch(1);
    row->addLayout(inner, 1);
    Column()->addLayout(row);
    connect(slider_, &QSlider::valueChanged, this, [this](int position) {
      Moved(position);
      ShowFigures();
    });
  }

 protected:
  // What a move of the slider changes in the vessel.
  virtual void Moved(int position) = 0;
  // Puts the slider at a position without changing the vessel.
  void PlaceSlider(int position) {
    const QSignalBlocker quiet(slider_);
    slider_->setValue(position);
  }
  // The slider shows the vessel's value each time the page is shown.
  void PlaceSliderOnShow(std::function<int()> position) {
    Bind({slider_, [this, position] { PlaceSlider(position()); }, nullptr, [] {}});
  }
  NumberEdit* Input(QFormLayout* form, const QString& label, double& value, const QString& unit) {
    NumberEdit* edit = NumberRow(form, label, value, unit);
    FollowEdits(edit);
    return edit;
  }
  // A slider position of a coefficient, which moves in steps of `step`.
  static int Position(double coefficient, double step, int maximum) {
    const double position = std::round(coefficient / step);
    if (!std::isfinite(position)) return 0;
    return static_cast<int>(std::clamp(position, 0.0, static_cast<double>(maximum)));
  }

  CVessel2& vessel_;
  QSlider* slider_;
  QFormLayout* form_ = nullptr;
};

class CPagePerformanceHull : public CalibrationPage {
 public:
  explicit CPagePerformanceHull(CVessel2& vessel)
      : CalibrationPage("Hull", vessel, "Performance in calm weather (no wind)", 100, true,
                        "To set vessels hull resistance, move the\nslider up or down until "
                        "speed shown is\ncorrect for the shown draft.\n\nNote this calculates "
                        "speed through the water \nunder optimal conditions (no wind no "
                        "current).") {
    PlaceSliderOnShow([this] { return Position(vessel_.hullCoefficient, 0.01, 100); });
    forward_ = Input(form_, kDraftForward, vessel.draftForward, "mtr");
    aft_ = Input(form_, kDraftAft, vessel.draftAft, "mtr");
    rpm_ = Input(form_, kEngineSetting, vessel.calibrationRpm, "rpm");
    speed_ = AddFigure(form_, "Speed:", "kts");
  }

 protected:
  void Moved(int position) override { vessel_.hullCoefficient = position * 0.01; }
  void ShowFigures() override {
    CVessel2 shown = vessel_;
    shown.draftForward = forward_->ValueOr(shown.draftForward);
    shown.draftAft = aft_->ValueOr(shown.draftAft);
    shown.calibrationRpm = rpm_->ValueOr(shown.calibrationRpm);
    speed_->setText(QString::fromStdString(
        FormatNumber(kSpeedFormat, VesselModel(shown).CalibrationLogSpeed())));
  }

 private:
  NumberEdit* forward_;
  NumberEdit* aft_;
  NumberEdit* rpm_;
  QLineEdit* speed_;
};

class CPagePerformanceAir : public CalibrationPage {
 public:
  explicit CPagePerformanceAir(CVessel2& vessel)
      : CalibrationPage("Wind", vessel, "Performance with headwind", 100, true,
                        "Move the slider control up or down until\nlogspeed shown matches "
                        "your estimated\nships logspeed for the set engine rpm and\ntrue "
                        "windspeed (head wind).\n\nNote draft is similar to draft stated "
                        "under\nhull tab.") {
    PlaceSliderOnShow([this] { return Position(vessel_.airCoefficient, 0.01, 100); });
    wind_ = Input(form_, "True windspeed", windSpeed_, "kts");
    rpm_ = Input(form_, kEngineSetting, vessel.calibrationRpm, "rpm");
    speed_ = AddFigure(form_, "Log speed", "kts");
  }

 protected:
  void Moved(int position) override { vessel_.airCoefficient = position * 0.01; }
  void ShowFigures() override {
    CVessel2 shown = vessel_;
    shown.calibrationRpm = rpm_->ValueOr(shown.calibrationRpm);
    speed_->setText(QString::fromStdString(FormatNumber(
        kSpeedFormat,
        VesselModel(shown).CalibrationLogSpeedInHeadWind(wind_->ValueOr(windSpeed_)))));
  }

 private:
  double windSpeed_ = kCalibrationWind;
  NumberEdit* wind_;
  NumberEdit* rpm_;
  QLineEdit* speed_;
};

class CPageVesselWaves : public CalibrationPage {
 public:
  explicit CPageVesselWaves(CVessel2& vessel)
      : CalibrationPage("Waves", vessel, "Condition", 100, true,
                        "Note:\nDraft is assumed to be the same as set under the\nHull tab. "
                        "Windspeed is assumed to be zero\nWave height is defined as a swell "
                        "from the\ndirection of the present heading.\nSet the pointer to the "
                        "expected logspeed under\nthese conditions.") {
    // The slider starts in the middle, whatever the stored coefficient.
    Bind({slider_,
          [this] {
            if (!placed_) PlaceSlider(50);
            placed_ = true;
          },
          nullptr, [] {}});
    Bind({nullptr,
          [this, &vessel] {
            if (!rpmSet_) rpm_ = vessel.calibrationRpm;
            rpmSet_ = true;
          },
          nullptr, [] {}});
    rpmEdit_ = Input(form_, kEngineSetting, rpm_, "rpm");
    height_ = Input(form_, "Wave height", waveHeight_, "mtr");
    QFormLayout* result = nullptr;
    AddGroup("Logspeed", result);
    speed_ = AddFigure(result, "Log speed");
  }

 protected:
  void Moved(int position) override { vessel_.waveCoefficient = position * 0.001; }
  void ShowFigures() override {
    speed_->setText(QString::fromStdString(
        FormatNumber("%#3.1f kts", VesselModel(vessel_).LogSpeedInWaves(
                                       height_->ValueOr(waveHeight_), rpmEdit_->ValueOr(rpm_)))));
  }

 private:
  bool placed_ = false;
  bool rpmSet_ = false;
  double rpm_ = 0.0;
  double waveHeight_ = 4.0;  // m
  NumberEdit* rpmEdit_;
  NumberEdit* height_;
  QLineEdit* speed_;
};

class CPagePerformanceData : public CalibrationPage {
 public:
  explicit CPagePerformanceData(CVessel2& vessel)
      : CalibrationPage("Performance", vessel, "Performance", vessel.maxRpm, false,
                        "Move the slider up or down to set the engine\nrpm.\nData below shows "
                        "propellor slip and logspeed\nas calculated from the present ships "
                        "model.") {
    // The slider's top is the maximum rpm, its bottom 0 rpm.
    Bind({slider_,
          [this] {
            {
              const QSignalBlocker quiet(slider_);
              slider_->setRange(0, std::max(0, vessel_.maxRpm));
            }
            PlaceSlider(Position(vessel_.calibrationRpm, 1.0, slider_->maximum()));
          },
          nullptr, [] {}});
    forward_ = AddFigure(form_, kDraftForward, "mtr");
    aft_ = AddFigure(form_, kDraftAft, "mtr");
    wind_ = Input(form_, "True headwind", headWind_, "kts");
    rpm_ = AddFigure(form_, kEngineSetting, "rpm");
    slip_ = AddFigure(form_, "Propellor slip", "%");
    speed_ = AddFigure(form_, "Log speed", "kts");
  }

 protected:
  void Moved(int position) override { vessel_.calibrationRpm = position; }
  void ShowFigures() override {
    const auto show = [](QLineEdit* figure, const char* format, double value) {
      figure->setText(QString::fromStdString(FormatNumber(format, value)));
    };
    const double speed =
        VesselModel(vessel_).CalibrationLogSpeedInHeadWind(wind_->ValueOr(headWind_));
    show(forward_, "%#2.2f", vessel_.draftForward);
    show(aft_, "%#2.2f", vessel_.draftAft);
    show(rpm_, "%#3.1f", vessel_.calibrationRpm);
    show(slip_, "%#3.1f", VesselModel(vessel_).SlipPercent(vessel_.calibrationRpm, speed));
    show(speed_, kSpeedFormat, speed);
  }

 private:
  double headWind_ = kCalibrationWind;
  QLineEdit* forward_;
  QLineEdit* aft_;
  NumberEdit* wind_;
  QLineEdit* rpm_;
  QLineEdit* slip_;
  QLineEdit* speed_;
};

}  // namespace

CSheetVessel::CSheetVessel(CVessel2& vessel, Prompter& prompter, QWidget* parent)
    : RecordSheet(kCaption, vessel, prompter, parent) {
  AddPage(new CPageVesselGeneral(Working(), containerTiers_));
  AddPage(new CPageVesselEngine(Working()));
  AddPage(new CPageVesselManoeuvring(Working()));
  AddPage(new CPageVesselHydros(Working()));
  AddPage(new CPagePerformanceHull(Working()));
  AddPage(new CPagePerformanceAir(Working()));
  AddPage(new CPageVesselWaves(Working()));
  AddPage(new CPagePerformanceData(Working()));
}

void CSheetVessel::Opened() { containerTiers_ = Original().containerTiers; }

void CSheetVessel::Taking() {
  const double tiers = std::trunc(containerTiers_);
  if (std::fabs(tiers) < 1.0e9) Working().containerTiers = static_cast<std::int32_t>(tiers);
}

}  // namespace keelmark

#include "app/calculator_sheet.h"

#include <algorithm>

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "app/enter_key_guard.h"
#include "app/position_entry.h"
#include "document/keelmark_document.h"
#include "navigation/text_format.h"
#include "platform/qt_text.h"
#include "records/settings_keys.h"
#include "voyage/calculator.h"

namespace keelmark {

// What the pages share: the vessel copy, the values they open with and the voyage they read.
struct CalculatorState {
  CalculatorState(CKeelmarkRouteXPDoc& document, bool& vesselLoaded)
      : vessel(CalculatorVessel(document.GetStore(), document.DataFilePath(setting::kVesselPath),
                                vesselLoaded)),
        fix(document.GetPresentPosition()),
        route(document.GetRoute()),
        inputs(OpeningInputs(fix, vessel)) {}

  CVessel2 vessel;
  PositionFix fix;  // the present position as the sheet opened
  const Voyage& route;
  CalculatorInputs inputs;
  // The positions and list choices as the page controls hold them.
  CPosition2 departure = PositionOf(inputs.distances.departure);
  CPosition2 arrival = PositionOf(inputs.distances.arrival);
  CPosition2 reckonedFrom = PositionOf(inputs.deadReckoning.start);
  std::int32_t track = static_cast<std::int32_t>(inputs.distances.track);
  std::int32_t windSide = static_cast<std::int32_t>(inputs.speed.windSide);
  std::int32_t water = static_cast<std::int32_t>(inputs.squat.water);
  double waveHeight = 0.0;  // shown, but the wave term takes the swell
};

namespace {

constexpr NumberRange kDirectionRange{0.0, 360.0};  // degrees true
constexpr const char* kMetresFormat = "%#3.1f";
constexpr const char* kDegrees = "deg";
constexpr const char* kMetres = "m";
constexpr const char* kKnots = "kts";

QStringList Entries(const char* const (&texts)[2]) {
  return {QString::fromLatin1(texts[0]), QString::fromLatin1(texts[1])};
}

// The number in a field when the field can be taken.
std::optional<double> Taken(const NumberEdit* edit) {
  return edit->Problem().isEmpty() ? edit->Value() : std::nullopt;
}

// The position in an entry as degrees, minutes and hemisphere, when both parts can be taken.
std::optional<DegMinPosition> Taken(const PositionEntry* entry) {
  const CoordinateEntry* latitude = entry->Latitude();
  const CoordinateEntry* longitude = entry->Longitude();
  if (!latitude->Problem().isEmpty() || !longitude->Problem().isEmpty()) return std::nullopt;
  CPosition2 position;
  position.SetLatitude(*latitude->Value());
  position.SetLongitude(*longitude->Value());
  return EntryOf(position);
}

// Sets each figure to its text, or every figure to "NA" when the inputs cannot be taken.
void ShowTexts(std::initializer_list<std::pair<QLineEdit*, std::string>> figures) {
  for (const auto& [figure, text] : figures) figure->setText(ToQString(text).trimmed());
}
void ShowNotAvailable(std::initializer_list<QLineEdit*> figures) {
  for (QLineEdit* figure : figures) figure->setText(QString::fromLatin1(kNotAvailable));
}

// A page of the calculator: inputs that recompute the figures as they change, and on four
// pages the engine-setting slider.
class CalculatorPage : public PropertyPage {
 public:
  CalculatorPage(const QString& caption, CalculatorState& state)
      : PropertyPage(caption), state_(state) {}

 protected:
  // A number field named `field` in messages, followed as it is typed.
  NumberEdit* Input(QFormLayout* form, const QString& label, const QString& field, double& value,
                    const QString& unit = {}, std::optional<NumberRange> range = {}) {
    NumberEdit* edit = BindNumber(value, field, range);
    // Figures carried over from a fix show as a navigator writes them; typed ones stay whole.
    edit->SetMaximumDecimals(2);
    AddRow(form, label, edit, unit);
    FollowEdits(edit);
    return edit;
  }
  NumberEdit* Input(QFormLayout* form, const QString& label, double& value,
                    const QString& unit = {}, std::optional<NumberRange> range = {}) {
    return Input(form, label, FieldName(label), value, unit, range);
  }
  QComboBox* Choice(std::int32_t& value, const char* const (&entries)[2], const QString& field) {
    QComboBox* box = BindIndex(value, Entries(entries), field);
    box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(box, &QComboBox::currentIndexChanged, this, [this] { ShowFigures(); });
    return box;
  }
  DateTimeEntry* Time(TimeValue& value, TimeReading reading, const QString& field) {
    DateTimeEntry* entry = BindTime(value, reading, field);
    connect(entry, &QDateTimeEdit::dateTimeChanged, this, [this] { ShowFigures(); });
    return entry;
  }
  PositionEntry* Position(CPosition2& position, const QString& prefix) {
    return BindPosition(position.Latitude, position.Longitude, new PositionEntry(true, prefix));
  }
  // A result: read-only, out of the Tab order.
  QLineEdit* Result(QFormLayout* form, const QString& label, const QString& unit = {}) {
    QLineEdit* figure = AddFigure(form, label, unit);
    figure->setFocusPolicy(Qt::ClickFocus);
    return figure;
  }

  // The engine-setting slider, maximum at the top, with the setting it gives below it.
  QWidget* EngineSlider(const QString& label) {
    auto* box = new QWidget(this);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    if (!label.isEmpty()) column->addWidget(new QLabel(label, box), 0, Qt::AlignHCenter);
    slider_ = new QSlider(Qt::Vertical, box);
    slider_->setRange(0, std::max(state_.vessel.maxRpm, 0));
    slider_->setInvertedAppearance(true);
    slider_->setInvertedControls(true);
    slider_->setTickPosition(QSlider::TicksRight);
    slider_->setTickInterval(10);
    slider_->setMinimumHeight(180);
    slider_->setAccessibleName(QStringLiteral("Engine setting"));
    column->addWidget(slider_, 1, Qt::AlignHCenter);
    rpm_ = new QLabel(box);
    rpm_->setAccessibleName(QStringLiteral("Engine setting rpm"));
    column->addWidget(rpm_, 0, Qt::AlignHCenter);
    Bind({slider_,
          [this] {
            const QSignalBlocker quiet(slider_);
            slider_->setValue(SliderPosition());
            ShowEngineSetting();
          },
          nullptr, [] {}});
    connect(slider_, &QSlider::valueChanged, this, [this](int position) {
      SliderMoved(position);
      ShowEngineSetting();
      ShowFigures();
    });
    return box;
  }
  // Where the slider stands and what a move does: the vessel copy's engine setting, unless
  // the page keeps its own.
  [[nodiscard]] virtual int SliderPosition() const { return EngineSliderPosition(state_.vessel); }
  virtual void SliderMoved(int position) { MoveEngineSlider(state_.vessel, position); }
  [[nodiscard]] virtual double EngineRpm() const { return state_.vessel.calibrationRpm; }

  // A slider and the page's rows beside it.
  QFormLayout* BesideSlider(const QString& label) {
    auto* row = new QHBoxLayout;
    row->addWidget(EngineSlider(label));
    auto* form = new QFormLayout;
    row->addLayout(form, 1);
    Column()->addLayout(row);
    return form;
  }

  CalculatorState& state_;

 private:
  void ShowEngineSetting() { rpm_->setText(ToQString(EngineSettingText(EngineRpm())).trimmed()); }

  QSlider* slider_ = nullptr;
  QLabel* rpm_ = nullptr;
};

// A page whose engine setting is its own, as the slider's position keeps it.
class OwnEnginePage : public CalculatorPage {
 public:
  OwnEnginePage(const QString& caption, CalculatorState& state, int& rpm)
      : CalculatorPage(caption, state), rpm_(rpm) {}

 protected:
  [[nodiscard]] int SliderPosition() const override { return position_; }
  void SliderMoved(int position) override {
    position_ = position;
    rpm_ = EngineSettingAt(state_.vessel, position);
  }
  [[nodiscard]] double EngineRpm() const override { return rpm_; }

 private:
  int& rpm_;
  int position_ = state_.inputs.engineSliderPosition;
};

class CPageCalcDistances : public CalculatorPage {
 public:
  explicit CPageCalcDistances(CalculatorState& state) : CalculatorPage("Distances", state) {
    for (auto [title, position] :
         {std::pair{"Departure", &state.departure}, std::pair{"Arrival", &state.arrival}}) {
      auto* group = new QGroupBox(QString::fromLatin1(title), this);
      auto* inside = new QVBoxLayout(group);
      PositionEntry* entry = Position(*position, QString::fromLatin1(title));
      inside->addWidget(entry);
      Column()->addWidget(group);
      (position == &state.departure ? departure_ : arrival_) = entry;
    }
    QFormLayout* form = AddForm();
    track_ = Choice(state.track, kTrackEntries, "Track");
    AddRow(form, "Track:", track_);
    QFormLayout* results = nullptr;
    AddGroup("Bearing and distance", results);
    course_ = Result(results, "Course:");
    distance_ = Result(results, "Distance:");
    Column()->addStretch(1);
  }

 protected:
  void ShowFigures() override {
    const auto departure = Taken(departure_);
    const auto arrival = Taken(arrival_);
    if (!departure || !arrival) return ShowNotAvailable({course_, distance_});
    const DistancesResult result =
        CalculateDistances({*departure, *arrival,
                            track_->currentIndex() == 1 ? Track::RhumbLine : Track::GreatCircle});
    ShowTexts({{course_, result.courseText}, {distance_, result.distanceText}});
  }

 private:
  PositionEntry* departure_ = nullptr;
  PositionEntry* arrival_ = nullptr;
  QComboBox* track_;
  QLineEdit* course_;
  QLineEdit* distance_;
};

class CPageDR : public CalculatorPage {
 public:
  explicit CPageDR(CalculatorState& state) : CalculatorPage("Dead Reckoning", state) {
    DeadReckoningInput& in = state.inputs.deadReckoning;
    QFormLayout* form = AddForm();
    start_ = Time(in.startTime, TimeReading::Utc, "Date and Time");
    AddRow(form, "Date and Time:", start_);
    from_ = Position(state.reckonedFrom, QString());
    form->addRow(from_);
    course_ = Input(form, "Course:", in.course, kDegrees, kDirectionRange);
    speed_ = Input(form, "Speed:", in.speed, kKnots);
    QFormLayout* results = nullptr;
    AddGroup("Dead Reckoning", results);
    end_ = Time(in.resultTime, TimeReading::Utc, "Date and time");
    AddRow(results, "Date and time:", end_);
    latitude_ = Result(results, "Latitude:");
    longitude_ = Result(results, "Longitude:");
    Column()->addStretch(1);
  }

 protected:
  void ShowFigures() override {
    const auto from = Taken(from_);
    const auto course = Taken(course_);
    const auto speed = Taken(speed_);
    if (!from || !course || !speed) return ShowNotAvailable({latitude_, longitude_});
    const DeadReckoningResult result =
        CalculateDeadReckoning({start_->Time(), *from, *course, *speed, end_->Time()});
    ShowTexts({{latitude_, result.latitudeText}, {longitude_, result.longitudeText}});
  }

 private:
  DateTimeEntry* start_;
  PositionEntry* from_;
  NumberEdit* course_;
  NumberEdit* speed_;
  DateTimeEntry* end_;
  QLineEdit* latitude_;
  QLineEdit* longitude_;
};

class CPageCalcSpeed : public CalculatorPage {
 public:
  explicit CPageCalcSpeed(CalculatorState& state) : CalculatorPage("Speed", state) {
    SpeedInput& in = state.inputs.speed;
    QFormLayout* form = BesideSlider({});
    draft_ = Result(form, "Max. Draft:", "mtr");
    wind_ = BindNumber(in.windSpeed, "Windspeed");
    FollowEdits(wind_);
    side_ = Choice(state.windSide, kWindSideEntries, "Wind from");
    auto* windRow = new QHBoxLayout;
    windRow->addWidget(wind_);
    windRow->addWidget(new QLabel(kKnots));
    windRow->addWidget(side_);
    windRow->addStretch(1);
    form->addRow("Windspeed:", windRow);
    waves_ = Input(form, "Wave height", state.waveHeight, kMetres);
    swell_ = Input(form, "Swell height", in.swellHeight, kMetres);
    logSpeed_ = Result(form, "Log speed:");
    reduce_ = Result(form, "Distance for reduce:");
    fuel_ = Result(form, "Fuel consumption", "/ day");
  }

 protected:
  void ShowFigures() override {
    draft_->setText(ToQString(FormatNumber(kMetresFormat, state_.vessel.draftAft)));
    const auto wind = Taken(wind_);
    const auto swell = Taken(swell_);
    if (!wind || !swell || !Taken(waves_)) return ShowNotAvailable({logSpeed_, reduce_, fuel_});
    const SpeedResult result = CalculateSpeed(
        state_.vessel,
        {*wind, side_->currentIndex() == 1 ? WindSide::OnTheStern : WindSide::OnTheHead, *swell});
    ShowTexts({{logSpeed_, result.logSpeedText},
               {reduce_, result.reduceDistanceText},
               {fuel_, result.fuelText}});
  }

 private:
  QLineEdit* draft_;
  NumberEdit* wind_;
  QComboBox* side_;
  NumberEdit* waves_;
  NumberEdit* swell_;
  QLineEdit* logSpeed_;
  QLineEdit* reduce_;
  QLineEdit* fuel_;
};

class CPageCalcSquat : public CalculatorPage {
 public:
  explicit CPageCalcSquat(CalculatorState& state) : CalculatorPage("Squat", state) {
    SquatInput& in = state.inputs.squat;
    auto* row = new QHBoxLayout;
    row->addWidget(EngineSlider({}));
    auto* inputs = new QVBoxLayout;
    row->addLayout(inputs, 1);
    auto* stopped = new QGroupBox("Original draft (stopped)", this);
    auto* stoppedForm = new QFormLayout(stopped);
    forward_ = Input(stoppedForm, "Forward:", "Stopped draft forward", in.draftForward, kMetres);
    aft_ = Input(stoppedForm, "Aft:", "Stopped draft aft", in.draftAft, kMetres);
    auto* hydrostatics = new QGroupBox("Hydrostatics", this);
    auto* hydroForm = new QFormLayout(hydrostatics);
    lcb_ = Input(hydroForm, "LCB:", in.lcb, kMetres);
    lcf_ = Input(hydroForm, "LCF:", in.lcf, kMetres);
    etm_ = Input(hydroForm, "ETM:", in.etm, "mT/mtr");
    water_ = Choice(state.water, kWaterEntries, "Water depth");
    auto* resultsBox = new QGroupBox("Squat", this);
    auto* results = new QFormLayout(resultsBox);
    speed_ = Result(results, "Speed:");
    draftForward_ = Result(results, "Draft Forward:");
    draftAft_ = Result(results, "Draft Aft:");
    inputs->addWidget(stopped);
    inputs->addWidget(hydrostatics);
    inputs->addWidget(water_);
    inputs->addWidget(resultsBox);
    inputs->addStretch(1);
    row->addLayout(Bars());
    Column()->addLayout(row);
  }

 protected:
  void ShowFigures() override {
    const auto forward = Taken(forward_);
    const auto aft = Taken(aft_);
    const auto lcb = Taken(lcb_);
    const auto lcf = Taken(lcf_);
    const auto etm = Taken(etm_);
    if (!forward || !aft || !lcb || !lcf || !etm) {
      ShowNotAvailable({speed_, draftForward_, draftAft_});
      aftBar_->setValue(kDraftBarLowest);
      forwardBar_->setValue(kDraftBarLowest);
      return;
    }
    const SquatResult result =
        CalculateSquat(state_.vessel, {*forward, *aft, *lcb, *lcf, *etm,
                                       water_->currentIndex() == 1 ? Water::Shallow : Water::Deep});
    ShowTexts({{speed_, result.speedText},
               {draftForward_, result.draftForwardText},
               {draftAft_, result.draftAftText}});
    aftBar_->setValue(result.aftBar);
    forwardBar_->setValue(result.forwardBar);
  }

 private:
  // The two bars of the squatted drafts, aft and forward, deepest at the bottom.
  QGridLayout* Bars() {
    auto* grid = new QGridLayout;
    int column = 0;
    for (auto [label, bar] : {std::pair{"Aft", &aftBar_}, std::pair{"Fwd", &forwardBar_}}) {
      *bar = new QProgressBar(this);
      (*bar)->setOrientation(Qt::Vertical);
      (*bar)->setInvertedAppearance(true);
      (*bar)->setRange(kDraftBarLowest, kDraftBarHighest);
      (*bar)->setFormat(QStringLiteral("%v m"));
      (*bar)->setTextVisible(false);
      (*bar)->setAccessibleName(QStringLiteral("%1 draft bar").arg(label));
      (*bar)->setMinimumHeight(160);
      grid->addWidget(new QLabel(label, this), 0, column, Qt::AlignHCenter);
      grid->addWidget(*bar, 1, column, Qt::AlignHCenter);
      ++column;
    }
    grid->setRowStretch(1, 1);
    return grid;
  }

  NumberEdit* forward_;
  NumberEdit* aft_;
  NumberEdit* lcb_;
  NumberEdit* lcf_;
  NumberEdit* etm_;
  QComboBox* water_;
  QLineEdit* speed_;
  QLineEdit* draftForward_;
  QLineEdit* draftAft_;
  QProgressBar* aftBar_ = nullptr;
  QProgressBar* forwardBar_ = nullptr;
};

class CPageCalcWOP : public OwnEnginePage {
 public:
  explicit CPageCalcWOP(CalculatorState& state)
      : OwnEnginePage("Wheel over Point", state, state.inputs.wheelOver.rpm) {
    WheelOverInput& in = state.inputs.wheelOver;
    QFormLayout* form = BesideSlider({});
    present_ = Input(form, "Original grnd course", in.presentCourse, kDegrees, kDirectionRange);
    required_ = Input(form, "Required grnd course:", in.requiredCourse, kDegrees, kDirectionRange);
    direction_ = Input(form, "Current direction:", in.currentDirection, kDegrees, kDirectionRange);
    current_ = Input(form, "Current speed:", in.currentSpeed, kKnots);
    rate_ = Input(form, "Rate of turn", in.rateOfTurn, "deg/minute");
    distance_ = Result(form, "Wheel over distance:");
  }

 protected:
  void ShowFigures() override {
    const auto present = Taken(present_);
    const auto required = Taken(required_);
    const auto direction = Taken(direction_);
    const auto current = Taken(current_);
    const auto rate = Taken(rate_);
    if (!present || !required || !direction || !current || !rate) {
      return ShowNotAvailable({distance_});
    }
    const WheelOverResult result = CalculateWheelOver(
        state_.vessel,
        {static_cast<int>(EngineRpm()), *present, *required, *direction, *current, *rate});
    ShowTexts({{distance_, result.distanceText}});
  }

 private:
  NumberEdit* present_;
  NumberEdit* required_;
  NumberEdit* direction_;
  NumberEdit* current_;
  NumberEdit* rate_;
  QLineEdit* distance_;
};

class CPageCalcETA : public OwnEnginePage {
 public:
  explicit CPageCalcETA(CalculatorState& state)
      : OwnEnginePage("ETA", state, state.inputs.eta.rpm) {
    EtaInput& in = state.inputs.eta;
    QFormLayout* form = BesideSlider("SSV:");
    distance_ = Input(form, "Distance:", in.distance, "nM");
    forward_ = Input(form, "Draft Fwd:", in.draftForward, kMetres);
    aft_ = Input(form, "Draft Aft:", in.draftAft, kMetres);
    change_ = Input(form, "Local time changes", in.localTimeChange, "hrs");
    auto* startBox = new QGroupBox("Start From:", this);
    auto* startForm = new QFormLayout(startBox);
    auto* latestFix = new QPushButton("Latest Fix", startBox);
    auto* departure = new QPushButton("Departure", startBox);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(latestFix);
    buttons->addWidget(departure);
    buttons->addStretch(1);
    startForm->addRow(buttons);
    start_ = Time(in.startTime, TimeReading::Local, "Start time");
    startForm->addRow("Start time:", start_);
    form->addRow(startBox);
    speed_ = Result(form, "Speed");
    eta_ = Result(form, "ETA");
    fuel_ = Result(form, "Fuel Cons:");
    // Both starts need a route of two waypoints or more.
    const bool voyage = state.route.GetCount() >= 2;
    for (QPushButton* button : {latestFix, departure}) {
      button->setAutoDefault(false);
      button->setEnabled(voyage);
    }
    connect(latestFix, &QPushButton::clicked, this,
            [this] { StartFrom(StartFromLatestFix(state_.route, state_.fix, state_.inputs.eta)); });
    connect(departure, &QPushButton::clicked, this,
            [this] { StartFrom(StartFromDeparture(state_.route, state_.inputs.eta)); });
  }

 protected:
  void ShowFigures() override {
    const auto distance = Taken(distance_);
    const auto forward = Taken(forward_);
    const auto aft = Taken(aft_);
    const auto change = Taken(change_);
    if (!distance || !forward || !aft || !change) {
      return ShowNotAvailable({speed_, eta_, fuel_});
    }
    const EtaResult result = CalculateEta(
        state_.vessel, state_.route,
        {static_cast<int>(EngineRpm()), *distance, *forward, *aft, *change, start_->Time()});
    ShowTexts({{speed_, result.speedText}, {eta_, result.etaText}, {fuel_, result.fuelText}});
  }

 private:
  // The start the button set: distance, time change and start time into their fields.
  void StartFrom(bool started) {
    if (!started) return;
    const EtaInput& in = state_.inputs.eta;
    distance_->SetValue(in.distance);
    change_->SetValue(in.localTimeChange);
    {
      const QSignalBlocker quiet(start_);
      start_->SetTime(in.startTime);
    }
    ShowFigures();
  }

  NumberEdit* distance_;
  NumberEdit* forward_;
  NumberEdit* aft_;
  NumberEdit* change_;
  DateTimeEntry* start_;
  QLineEdit* speed_;
  QLineEdit* eta_;
  QLineEdit* fuel_;
};

class CPageCalcHeight : public CalculatorPage {
 public:
  explicit CPageCalcHeight(CalculatorState& state) : CalculatorPage("Height", state) {
    HeightInput& in = state.inputs.height;
    QFormLayout* form = AddForm();
    forward_ = Input(form, "Draft Forward:", in.draftForward, kMetres);
    aft_ = Input(form, "Draft Aft:", in.draftAft, kMetres);
    AddText("Position on ship (left is aftship, right is foreship)");
    place_ = new QSlider(Qt::Horizontal, this);
    place_->setRange(0, kHeightSliderHighest);
    place_->setTickPosition(QSlider::TicksBelow);
    place_->setTickInterval(10);
    place_->setAccessibleName("Position on ship");
    Column()->addWidget(place_);
    Bind({place_,
          [this, &in] {
            const QSignalBlocker quiet(place_);
            place_->setValue(in.position);
          },
          nullptr, [this, &in] { in.position = place_->value(); }});
    connect(place_, &QSlider::valueChanged, this, [this] { ShowFigures(); });
    auto* results = new QGroupBox("Heights", this);
    auto* grid = new QGridLayout(results);
    grid->addWidget(new QLabel(kMetres, results), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel("ft", results), 0, 2, Qt::AlignHCenter);
    int row = 1;
    for (const char* name : {"Eye height", "Mast height", "Deck height"}) {
      grid->addWidget(new QLabel(QStringLiteral("%1:").arg(name), results), row, 0);
      for (int unit = 0; unit < 2; ++unit) {
        auto* figure = new QLineEdit(results);
        figure->setReadOnly(true);
        figure->setFocusPolicy(Qt::ClickFocus);
        figure->setMaximumWidth(90);
        figure->setAccessibleName(QStringLiteral("%1 %2").arg(name, unit == 0 ? "m" : "ft"));
        grid->addWidget(figure, row, unit + 1);
        heights_[static_cast<std::size_t>((row - 1) * 2 + unit)] = figure;
      }
      ++row;
    }
    grid->setColumnStretch(3, 1);
    Column()->addWidget(results);
    Column()->addStretch(1);
  }

 protected:
  void ShowFigures() override {
    const auto forward = Taken(forward_);
    const auto aft = Taken(aft_);
    auto& [eyeM, eyeFt, mastM, mastFt, deckM, deckFt] = heights_;
    if (!forward || !aft) return ShowNotAvailable({eyeM, eyeFt, mastM, mastFt, deckM, deckFt});
    const HeightResult result = CalculateHeight(state_.vessel, {*forward, *aft, place_->value()});
    ShowTexts({{eyeM, result.eyeMetres},
               {eyeFt, result.eyeFeet},
               {mastM, result.mastMetres},
               {mastFt, result.mastFeet},
               {deckM, result.deckMetres},
               {deckFt, result.deckFeet}});
  }

 private:
  NumberEdit* forward_;
  NumberEdit* aft_;
  QSlider* place_;
  std::array<QLineEdit*, 6> heights_{};
};

}  // namespace

CSheetCalculator::CSheetCalculator(CKeelmarkRouteXPDoc& document, QWidget* parent)
    : PropertySheet(QString::fromLatin1(kCaption), document.GetPrompter(), parent) {
  bool vesselLoaded = false;
  state_ = std::make_unique<CalculatorState>(document, vesselLoaded);
  if (!vesselLoaded) document.GetPrompter().Message(kDefaultShipMessage, MessageIcon::Exclamation);
  setObjectName(QStringLiteral("calculatorSheet"));
  UseCloseButton();
  AddPage(new CPageCalcDistances(*state_));
  AddPage(new CPageDR(*state_));
  AddPage(new CPageCalcSpeed(*state_));
  AddPage(new CPageCalcSquat(*state_));
  AddPage(new CPageCalcWOP(*state_));
  AddPage(new CPageCalcETA(*state_));
  AddPage(new CPageCalcHeight(*state_));
  EnterKeyGuard::Install(this);
}

CSheetCalculator::~CSheetCalculator() {
  // The pages point into the shared state: they go first.
  while (Tabs()->count() > 0) delete Tabs()->widget(0);
}

const CVessel2& CSheetCalculator::Vessel() const { return state_->vessel; }

void RunCalculator(QWidget* parent, CKeelmarkRouteXPDoc& document) {
  CSheetCalculator sheet(document, parent);
  sheet.Run();
}

}  // namespace keelmark

#include "app/editor_voyage.h"

#include <memory>

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/page_documents.h"
#include "document/keelmark_document.h"
#include "navigation/navigation.h"
#include "navigation/text_format.h"
#include "platform/qt_text.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {

namespace {

constexpr const char* kUnknownDeparture =
    "Departure port does not yet exist in list\nPlease add waypoint manually to voyage";
constexpr const char* kUnknownArrival =
    "Arrival port does not yet exist in list\nPlease add waypoint manually to voyage";

// Looks a port combo's text up in the port list when the combo loses the focus.
class PortLookUp : public QObject {
 public:
  PortLookUp(QComboBox* combo, const PortList& ports, Prompter& prompter, const char* unknown)
      : QObject(combo), combo_(combo), ports_(ports), prompter_(prompter), unknown_(unknown) {
    combo->lineEdit()->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusOut) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      // Focus that goes to a popup or another window has not left the field.
      if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
          !ports_.ContainsName(ToStdString(combo_->currentText()))) {
        prompter_.Message(unknown_, MessageIcon::Information);
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QComboBox* combo_;
  const PortList& ports_;
  Prompter& prompter_;
  const char* unknown_;
};

class CPageVoyageGeneral : public PropertyPage {
 public:
  CPageVoyageGeneral(CSheetVoyage::Values& values, const PortList& ports, Prompter& prompter)
      : PropertyPage("General"), values_(values) {
    QStringList names;
    for (const auto& port : ports) names << ToQString(port->GetName());
    QFormLayout* form = AddForm();
    TextRow(form, "Voyage number", values.voyageNumber);
    QComboBox* departure =
        PortCombo(form, "Departure port", names, values.departurePort, values.departureChanged);
    QComboBox* arrival =
        PortCombo(form, "Arrival port", names, values.arrivalPort, values.arrivalChanged);
    new PortLookUp(departure, ports, prompter, kUnknownDeparture);
    new PortLookUp(arrival, ports, prompter, kUnknownArrival);
    begin_ = BindSlot(values.begin, TimeReading::Local, "Begin seavoyage");
    AddRow(form, "Begin seavoyage", begin_);
    arrival_ = BindSlot(values.arrival, TimeReading::Local, "Scheduled arrival");
    AddRow(form, "Scheduled arrival", arrival_);
    distance_ = AddFigure(form, "Total distance:");
    speed_ = AddFigure(form, "Req Spd");
    for (DateTimeEntry* picker : {begin_, arrival_}) {
      connect(picker, &QDateTimeEdit::dateTimeChanged, this, [this] { ShowFigures(); });
    }
    Column()->addStretch(1);
  }

 protected:
  void ShowFigures() override {
    if (values_.totalDistance > 0.0 && !values_.departureChanged && !values_.arrivalChanged) {
      // Hours between the two times in UTC, each picker being read in its own local time.
      const CNavigation navigation;
      const double hours = (navigation.LocalDayNumber(arrival_->Time()) - values_.arrival.zone -
                            navigation.LocalDayNumber(begin_->Time()) + values_.begin.zone) *
                           24.0;
      distance_->setText(ToQString(FormatNumber("%#8.1f nM", values_.totalDistance)));
      speed_->setText(ToQString(FormatNumber("%#2.1f kts", values_.totalDistance / hours)));
    } else {
      distance_->clear();
      speed_->clear();
    }
  }

 private:
  // An editable combo of the port names; choosing an entry marks the port as changed.
  QComboBox* PortCombo(QFormLayout* form, const char* label, const QStringList& names,
                       std::string& value, bool& changed) {
    QComboBox* combo = BindComboText(value, names, label, true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    AddRow(form, label, combo);
    connect(combo, &QComboBox::activated, this, [this, &changed] {
      changed = true;
      ShowFigures();
    });
    return combo;
  }

  CSheetVoyage::Values& values_;
  DateTimeEntry* begin_;
  DateTimeEntry* arrival_;
  QLineEdit* distance_;
  QLineEdit* speed_;
};

// A radio choice under a fixed text, with an explanation that follows the choice.
class ExplainedChoicePage : public PropertyPage {
 public:
  ExplainedChoicePage(const char* caption, const char* text, std::int32_t& value,
                      const QStringList& choices, const QStringList& explanations)
      : PropertyPage(caption) {
    AddText(text);
    Column()->addWidget(BindRadio(value, choices, explanations));
    Column()->addStretch(1);
  }
};

class CPageVoyageWeather : public ExplainedChoicePage {
 public:
  explicit CPageVoyageWeather(std::int32_t& value)
      : ExplainedChoicePage(
            "Weather",
            "Keelmark Route will correct your voyage schedule for weather conditions "
            "enroute\nPlease select which weather data to use",
            value,
            {"Use average weather data for present season", "Use weather data from forecast areas"},
            {"Average weather will be calculated from manually entered weather data for each "
             "season and per grid position. More observations will allow for more accurate "
             "data",
             "You can manually enter and update forecast areas using button WX. If no forecast "
             "area covers selected stretch than weather data of last observation will be "
             "used"}) {}
};

class CPageVoyageEngine : public ExplainedChoicePage {
 public:
  explicit CPageVoyageEngine(std::int32_t& value)
      : ExplainedChoicePage(
            "Engine",
            "You can select how Keelmark Route will calculate the required\ngroundspeed and "
            "engine rpm during the voyage.",
            value,
            {"Keep engine rpm constant during voyage", "Keep groundspeed constant during voyage"},
            {"Keelmark Route will calculate the most economical rpm setting for your main "
             "engine(s), taking into account estimated weather and current enroute. Engine rpm "
             "will be kept constant, allowing the groundspeed to fluctuate during the voyage. "
             "This will normally result in the least fuel consumption during the voyage",
             "Keelmark Route will calculate the required groundspeed during the voyage, and "
             "keep this groundspeed constant. Required engine rpm setting will fluctuate during "
             "the voyage, depending on estimated weather and current during the voyage. This "
             "might result in engine rpm settings which are beyond the capabilities of your "
             "engine, and/or result in excessive fuel usage under certain conditions!"}) {}
};

class CPageVoyageDraft : public PropertyPage {
 public:
  explicit CPageVoyageDraft(CSheetVoyage::Values& values) : PropertyPage("Draft") {
    QFormLayout* form = AddForm();
    NumberRow(form, "Draft Forward:", values.draftForward, "mtr");
    NumberRow(form, "Draft Aft:", values.draftAft, "mtr");
    NumberRow(form, "Displacement:", values.displacement, "mT");
    QLabel* text = AddText(
        "Draft and displacement will be used to calculate vessels estimated performance, "
        "speed and engine rpm settings.");
    text->setWordWrap(true);
    Column()->addStretch(1);
  }
};

// The first waypoint (or last) takes the named port's position, zone and name; an unknown name
// leaves it alone.
void TakePort(Waypoint& waypoint, const Port& port) {
  waypoint.SetLatitude(port.GetLatitude());
  waypoint.SetLongitude(port.GetLongitude());
  waypoint.SetZoneOffset(port.GetZoneOffset());
  waypoint.SetName(port.GetName());
}

const Port* FindPort(const PortList& ports, const std::string& name) {
  return ports.ContainsName(name) ? ports.FindByName(name) : nullptr;
}

}  // namespace

CSheetVoyage::CSheetVoyage(const QString& caption, CKeelmarkRouteXPDoc& document, QWidget* parent)
    : PropertySheet(caption, document.GetPrompter(), parent), document_(document) {
  AddPage(new CPageVoyageGeneral(values_, document.GetPorts(), document.GetPrompter()));
  AddPage(new CPageVoyageWeather(values_.forecastWeather));
  AddPage(new CPageVoyageEngine(values_.constantGroundSpeed));
  AddPage(new CPageVoyageDraft(values_));
  AddPage(new CPagePortNote(values_.note));
}

void CSheetVoyage::CopyIn() {
  const Voyage& route = document_.GetRoute();
  const CVessel2& vessel = document_.GetVessel();
  values_ = {};
  values_.voyageNumber = route.VoyageNumber;
  const double now = CNavigation().UtcDayNumberNow();
  values_.begin = {now, 0.0, std::nullopt};
  values_.arrival = values_.begin;
  if (const Waypoint* first = route.GetFirst()) {
    values_.departurePort = first->GetName();
    values_.begin = {first->GetTime(), first->GetZoneOffset(), std::nullopt};
  }
  if (const Waypoint* last = route.GetLast()) {
    values_.arrivalPort = last->GetName();
    values_.arrival = {last->GetScheduledTime(), last->GetZoneOffset(), std::nullopt};
  }
  values_.totalDistance = TotalDistance(route);
  values_.forecastWeather = route.UseForecastAreas;
  values_.constantGroundSpeed = route.ConstantRpm ? 0 : 1;
  values_.draftForward = vessel.draftForward;
  values_.draftAft = vessel.draftAft;
  values_.displacement = vessel.displacement;
  values_.note = route.Note;
}

void CSheetVoyage::CopyBack() {
  Voyage& route = document_.GetRoute();
  const PortList& ports = document_.GetPorts();
  if (values_.departureChanged) {
    if (const Port* port = FindPort(ports, values_.departurePort)) {
      if (route.IsEmpty()) route.AddFirst(std::make_unique<Waypoint>());
      TakePort(*route.GetFirst(), *port);
    }
  }
  if (values_.arrivalChanged) {
    if (const Port* port = FindPort(ports, values_.arrivalPort)) {
      if (route.GetCount() < 2) route.Add(std::make_unique<Waypoint>());
      TakePort(*route.GetLast(), *port);
    }
  }
  if (route.GetCount() >= 2) {
    Waypoint& first = *route.GetFirst();
    const double departure = values_.begin.SlotFor(first.GetZoneOffset());
    first.SetTime(departure);
    first.SetScheduledTime(departure);
    first.SetRequiredTime(departure);
    Waypoint& last = *route.GetLast();
    last.SetScheduledTime(values_.arrival.SlotFor(last.GetZoneOffset()));
  }
  route.VoyageNumber = values_.voyageNumber;
  route.Note = values_.note;
  route.UseForecastAreas = values_.forecastWeather == 1 ? 1 : 0;
  route.ConstantRpm = values_.constantGroundSpeed == 1 ? 0 : 1;
  CVessel2& vessel = document_.GetVessel();
  vessel.draftForward = values_.draftForward;
  vessel.draftAft = values_.draftAft;
  vessel.displacement = values_.displacement;
  document_.UpdateVoyage(VoyageStart::Departure);
}

}  // namespace keelmark

#include "app/editor_port.h"

#include <memory>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

#include "app/editor_waypoint.h"
#include "app/list_buttons.h"
#include "app/page_documents.h"
#include "app/position_entry.h"
#include "app/zone_entry.h"
#include "records/vessel.h"
#include "voyage/voyage_calculation.h"
#include "platform/qt_text.h"
#include "records/port.h"
#include "navigation/text_format.h"

namespace keelmark {

void CopyVoyage(const Voyage& from, Voyage& to) {
  to.RemoveAll();
  for (const auto& waypoint : from) to.Add(std::make_unique<Waypoint>(*waypoint));
  to.Version = from.Version;
  to.Note = from.Note;
  to.UseForecastAreas = from.UseForecastAreas;
  to.VoyageNumber = from.VoyageNumber;
  to.ConstantRpm = from.ConstantRpm;
}

namespace {

using Values = CSheetPort::Values;

constexpr double kZoneLimitHours = 14.0;
// Quantities are whole units of a sensible size.
constexpr NumberRange kQuantityRange{0.0, 999999.0};
constexpr const char* kBitmapFilter = "Bitmap File (*.bmp)|*.bmp|All Files (*.*)|*.*||";

class CPagePortPosition : public PropertyPage {
 public:
  explicit CPagePortPosition(Values& values) : PropertyPage("Position") {
    QFormLayout* pilot = nullptr;
    QGroupBox* group = AddGroup("Pilotstation", pilot);
    pilot->addRow(BindPosition(values.latitude, values.longitude, new PositionEntry(true, {}, group)));
    TextRow(pilot, "Description:", values.name);
    QFormLayout* country = nullptr;
    AddGroup("Country", country);
    TextRow(country, "Country:", values.country);
    AddRow(country, "Time zone:",
           BindZone(values.zoneOffset, new ZoneEntry("Time zone", kZoneLimitHours,
                                                     ZoneEntry::Sign::FromCombo, "hrs")));
    Column()->addStretch(1);
  }
};

class CPagePortContact : public PropertyPage {
 public:
  explicit CPagePortContact(Values& values) : PropertyPage("Contact") {
    QFormLayout* pilot = nullptr;
    AddGroup("Pilot Station", pilot);
    TextRow(pilot, "Call", values.pilotCall);
    TextRow(pilot, "VHF Channel", values.vhfChannel);
    WholeRow(pilot, "Required notice prior arrival:", values.noticeHours, "hrs");
    TextRow(pilot, "Tel.", values.pilotTel);
    QFormLayout* agent = nullptr;
    AddGroup("Agent", agent);
    TextRow(agent, "Name", values.agentName);
    TextRow(agent, "Tel.", values.agentTel);
    TextRow(agent, "Email", values.agentEmail);
    Column()->addStretch(1);
  }
};

class CPagePortBerth : public PropertyPage {
 public:
  CPagePortBerth(Values& values, Prompter& prompter) : PropertyPage("Berth") {
    QFormLayout* image = nullptr;
    AddGroup("Chart or Image (bmp file)", image);
    PathRow(image, "Path:", values.berthImagePath, {kBitmapFilter, "bmp", ""}, prompter);
    QFormLayout* berth = nullptr;
    AddGroup("Berth", berth);
    TextRow(berth, "Name:", values.berthName);
    NumberRow(berth, "Max. draft:", values.maxDraft, "mtr");
    NumberRow(berth, "Salinity:", values.salinity);
    NumberRow(berth, "Max. airdraft:", values.maxAirDraft, "mtr");
    AddRow(berth, "ETB:", BindTime(values.etb, TimeReading::Local, "ETB"));
    Column()->addStretch(1);
  }
};

class CPagePortRequirements : public PropertyPage {
 public:
  explicit CPagePortRequirements(Values& values) : PropertyPage("Requirements") {
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(BindCheck(values.requestSide, "Request"), row, 0);
    grid->addWidget(BindComboText(values.sideAlongside, {"PS", "SB"}, "Side alongside", false),
                    row, 1);
    grid->addWidget(new QLabel("side alongside", this), row, 2);
    const struct {
      const char* text;
      std::int32_t Values::*flag;
      std::int32_t Values::*quantity;
      const char* unit;
    } kQuantities[] = {
        {"HFO bunkers", &Values::needsHfo, &Values::hfoQty, "mT"},
        {"MDO bunkers", &Values::needsMdo, &Values::mdoQty, "mT"},
        {"LubOil bunkers", &Values::needsLubOil, &Values::lubOilQty, "m3"},
        {"Sludge disposal", &Values::needsSludge, &Values::sludgeQty, "m3"},
        {"Fresh water ", &Values::needsFreshWater, &Values::freshWaterQty, "m3"},
        {"Garbage disposal", &Values::needsGarbage, &Values::garbageQty, "m3"},
        {"Crew relief", &Values::needsCrewRelief, &Values::crewReliefCount, "persons"},
    };
    for (const auto& item : kQuantities) {
      ++row;
      grid->addWidget(BindCheck(values.*item.flag, item.text), row, 0);
      grid->addWidget(BindWhole(values.*item.quantity, FieldName(item.text), kQuantityRange),
                      row, 1);
      grid->addWidget(new QLabel(item.unit, this), row, 2);
    }
    grid->addWidget(BindCheck(values.engineImmobilisation, "Immobilisation of main engine"),
                    ++row, 0, 1, 3);
    grid->addWidget(BindCheck(values.lifeboatLowering, "Lowering of lifeboat"), ++row, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    Column()->addLayout(grid);
    Column()->addStretch(1);
  }
};

class CPagePortTraject : public PropertyPage {
 public:
  CPagePortTraject(Values& values, CVessel2& vessel, Prompter& prompter)
      : PropertyPage("Port Traject"),
        values_(values),
        vessel_(vessel),
        prompter_(prompter),
        list_(new QTreeWidget(this)) {
    list_->setColumnCount(3);
    list_->setHeaderLabels({"Name", "Latitude", "Longitude"});
    for (int column = 0; column < 3; ++column) list_->setColumnWidth(column, 120);
    list_->setRootIsDecorated(false);
    list_->setAccessibleName("Traject");
    Column()->addWidget(list_, 1);
    RadioChoice* which = BindRadio(outbound_, {"Inbound traject", "Outbound traject"});
    connect(which, &RadioChoice::Chosen, this, [this](int index) {
      outbound_ = index;
      ShowFigures();
    });
    auto* row = new QHBoxLayout;
    row->addWidget(which);
    AddButtons(this, row,
               {{"Insert WP", [this] { Insert(); }},
                {"Edit WP", [this] { Edit(); }},
                {"Remove WP", [this] { Remove(); }}});
    Column()->addLayout(row);
    QFormLayout* form = AddForm();
    distance_ = AddFigure(form, "Total distance:", "nM");
    NumberEdit* speed = NumberRow(form, "Average speed:", averageSpeed_, "kts");
    // Leaving the speed lists the traject again, so that the duration follows it.
    connect(speed, &QLineEdit::editingFinished, this, [this, speed] {
      averageSpeed_ = speed->ValueOr(averageSpeed_);
      ShowFigures();
    });
    duration_ = AddFigure(form, "Duration:", "hrs");
  }

 protected:
  void ShowFigures() override {
    list_->clear();
    Voyage& traject = Traject();
    if (traject.IsEmpty()) return;
    CalculateFromDeparture(traject, vessel_);
    for (const auto& waypoint : traject) {
      list_->addTopLevelItem(new QTreeWidgetItem(
          QStringList{ToQString(waypoint->GetName()), ToQString(waypoint->LatitudeText()),
                      ToQString(waypoint->LongitudeText())}));
    }
    const double distance = TotalDistance(traject);
    distance_->setText(ToQString(FormatNumber("%#3.1f", distance)));
    duration_->setText(ToQString(
        FormatNumber("%#3.1f", averageSpeed_ > 0.0 ? distance / averageSpeed_ : 0.0)));
  }

 private:
  Voyage& Traject() { return outbound_ == 1 ? values_.outbound : values_.inbound; }

  void Insert() {
    auto waypoint = std::make_unique<Waypoint>();
    if (!EditWaypoint(this, *waypoint, prompter_, "New position")) return;
    Traject().Add(std::move(waypoint));
    ShowFigures();
  }

  void Edit() {
    const std::optional<int> row = SelectedRow(*list_, prompter_);
    if (!row) return;
    Waypoint& waypoint = *Traject().GetAt(*row);
    if (EditWaypoint(this, waypoint, prompter_, ToQString(waypoint.GetName()))) ShowFigures();
  }

  void Remove() {
    const std::optional<int> row = SelectedRow(*list_, prompter_);
    if (!row) return;
    const Waypoint* waypoint = Traject().GetAt(*row);
    if (!prompter_.AskYesNo("delete " + waypoint->GetName() + "\nAre you sure?",
                            MessageIcon::Question)) {
      return;
    }
    Traject().Remove(waypoint);
    ShowFigures();
  }

  Values& values_;
  CVessel2& vessel_;
  Prompter& prompter_;
  QTreeWidget* list_;
  std::int32_t outbound_ = 0;  // 0 the inbound traject is listed, 1 the outbound
  double averageSpeed_ = 12.0;  // knots
  QLineEdit* distance_;
  QLineEdit* duration_;
};

}  // namespace

CSheetPort::CSheetPort(const QString& caption, Port& port, CVessel2& vessel, Prompter& prompter,
                       QWidget* parent)
    : PropertySheet(caption, prompter, parent),
      port_(port),
      documents_(new CPagePortDocuments(prompter)) {
  AddPage(new CPagePortPosition(values_));
  AddPage(new CPagePortContact(values_));
  AddPage(new CPagePortBerth(values_, prompter));
  AddPage(new CPagePortRequirements(values_));
  AddPage(documents_);
  AddPage(new CPagePortTraject(values_, vessel, prompter));
  AddPage(new CPagePortNote(values_.note));
}

void CSheetPort::CopyIn() {
  Values& v = values_;
  const Port& p = port_;
  v.name = p.GetName();
  v.latitude = p.GetLatitude();
  v.longitude = p.GetLongitude();
  v.zoneOffset = p.GetZoneOffset();
  v.country = p.Country;
  v.pilotCall = p.PilotCall;
  v.vhfChannel = p.VhfChannel;
  v.noticeHours = p.NoticeHours;
  v.pilotTel = p.PilotTel;
  v.agentName = p.AgentName;
  v.agentTel = p.AgentTel;
  v.agentEmail = p.AgentEmail;
  v.berthImagePath = p.BerthImagePath;
  v.berthName = p.BerthName;
  v.maxDraft = p.MaxDraft;
  v.salinity = p.Salinity;
  v.maxAirDraft = p.MaxAirDraft;
  v.etb = p.Etb;
  v.requestSide = p.RequestSide;
  v.sideAlongside = p.SideAlongside;
  v.needsHfo = p.NeedsHfo;
  v.hfoQty = p.HfoQty;
  v.needsMdo = p.NeedsMdo;
  v.mdoQty = p.MdoQty;
  v.needsLubOil = p.NeedsLubOil;
  v.lubOilQty = p.LubOilQty;
  v.needsSludge = p.NeedsSludge;
  v.sludgeQty = p.SludgeQty;
  v.needsFreshWater = p.NeedsFreshWater;
  v.freshWaterQty = p.FreshWaterQty;
  v.needsGarbage = p.NeedsGarbage;
  v.garbageQty = p.GarbageQty;
  v.needsCrewRelief = p.NeedsCrewRelief;
  v.crewReliefCount = p.CrewReliefCount;
  v.engineImmobilisation = p.EngineImmobilisation;
  v.lifeboatLowering = p.LifeboatLowering;
  CopyVoyage(p.InboundTraject, v.inbound);
  CopyVoyage(p.OutboundTraject, v.outbound);
  v.note = p.Note;
  documents_->CopyFrom(p.Documents);
}

void CSheetPort::CopyBack() {
  const Values& v = values_;
  Port& p = port_;
  p.SetName(v.name);
  p.SetLatitude(v.latitude);
  p.SetLongitude(v.longitude);
  p.SetZoneOffset(v.zoneOffset);
  p.Country = v.country;
  p.PilotCall = v.pilotCall;
  p.VhfChannel = v.vhfChannel;
  p.NoticeHours = v.noticeHours;
  p.PilotTel = v.pilotTel;
  p.AgentName = v.agentName;
  p.AgentTel = v.agentTel;
  p.AgentEmail = v.agentEmail;
  p.BerthImagePath = v.berthImagePath;
  p.BerthName = v.berthName;
  p.MaxDraft = v.maxDraft;
  p.Salinity = v.salinity;
  p.MaxAirDraft = v.maxAirDraft;
  p.Etb = v.etb;
  p.RequestSide = v.requestSide;
  p.SideAlongside = v.sideAlongside;
  p.NeedsHfo = v.needsHfo;
  p.HfoQty = v.hfoQty;
  p.NeedsMdo = v.needsMdo;
  p.MdoQty = v.mdoQty;
  p.NeedsLubOil = v.needsLubOil;
  p.LubOilQty = v.lubOilQty;
  p.NeedsSludge = v.needsSludge;
  p.SludgeQty = v.sludgeQty;
  p.NeedsFreshWater = v.needsFreshWater;
  p.FreshWaterQty = v.freshWaterQty;
  p.NeedsGarbage = v.needsGarbage;
  p.GarbageQty = v.garbageQty;
  p.NeedsCrewRelief = v.needsCrewRelief;
  p.CrewReliefCount = v.crewReliefCount;
  p.EngineImmobilisation = v.engineImmobilisation;
  p.LifeboatLowering = v.lifeboatLowering;
  CopyVoyage(v.inbound, p.InboundTraject);
  CopyVoyage(v.outbound, p.OutboundTraject);
  p.Note = v.note;
  documents_->CopyTo(p.Documents);
}

}  // namespace keelmark

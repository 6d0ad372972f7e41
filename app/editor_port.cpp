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
#include "navigation/text_format.h"
#include "platform/qt_text.h"
#include "records/port.h"
#include "records/vessel.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {

namespace {

constexpr double kZoneLimitHours = 14.0;
// Quantities are whole units of a sensible size.
constexpr NumberRange kQuantityRange{0.0, 999999.0};
constexpr const char* kBitmapFilter = "Bitmap File (*.bmp)|*.bmp|All Files (*.*)|*.*||";

class CPagePortPosition : public PropertyPage {
 public:
  explicit CPagePortPosition(Port& port) : PropertyPage("Position") {
    QFormLayout* pilot = nullptr;
    QGroupBox* group = AddGroup("Pilotstation", pilot);
    pilot->addRow(BindPosition(port.Latitude, port.Longitude, new PositionEntry(true, {}, group)));
    TextRow(pilot, "Description:", port.Name);
    QFormLayout* country = nullptr;
    AddGroup("Country", country);
    TextRow(country, "Country:", port.Country);
    AddRow(country, "Time zone:",
           BindZone(port.ZoneOffset, new ZoneEntry("Time zone", kZoneLimitHours,
                                                   ZoneEntry::Sign::FromCombo, "hrs")));
    Column()->addStretch(1);
  }
};

class CPagePortContact : public PropertyPage {
 public:
  explicit CPagePortContact(Port& port) : PropertyPage("Contact") {
    QFormLayout* pilot = nullptr;
    AddGroup("Pilot Station", pilot);
    TextRow(pilot, "Call", port.PilotCall);
    TextRow(pilot, "VHF Channel", port.VhfChannel);
    WholeRow(pilot, "Required notice prior arrival:", port.NoticeHours, "hrs");
    TextRow(pilot, "Tel.", port.PilotTel);
    QFormLayout* agent = nullptr;
    AddGroup("Agent", agent);
    TextRow(agent, "Name", port.AgentName);
    TextRow(agent, "Tel.", port.AgentTel);
    TextRow(agent, "Email", port.AgentEmail);
    Column()->addStretch(1);
  }
};

class CPagePortBerth : public PropertyPage {
 public:
  CPagePortBerth(Port& port, Prompter& prompter) : PropertyPage("Berth") {
    QFormLayout* image = nullptr;
    AddGroup("Chart or Image (bmp file)", image);
    PathRow(image, "Path:", port.BerthImagePath, {kBitmapFilter, "bmp", ""}, prompter);
    QFormLayout* berth = nullptr;
    AddGroup("Berth", berth);
    TextRow(berth, "Name:", port.BerthName);
    NumberRow(berth, "Max. draft:", port.MaxDraft, "mtr");
    NumberRow(berth, "Salinity:", port.Salinity);
    NumberRow(berth, "Max. airdraft:", port.MaxAirDraft, "mtr");
    AddRow(berth, "ETB:", BindTime(port.Etb, TimeReading::Local, "ETB"));
    Column()->addStretch(1);
  }
};

class CPagePortRequirements : public PropertyPage {
 public:
  explicit CPagePortRequirements(Port& port) : PropertyPage("Requirements") {
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(BindCheck(port.RequestSide, "Request"), row, 0);
    grid->addWidget(BindComboText(port.SideAlongside, {"PS", "SB"}, "Side alongside", false), row,
                    1);
    grid->addWidget(new QLabel("side alongside", this), row, 2);
    const struct {
      const char* text;
      std::int32_t Port::*flag;
      std::int32_t Port::*quantity;
      const char* unit;
    } kQuantities[] = {
        {"HFO bunkers", &Port::NeedsHfo, &Port::HfoQty, "mT"},
        {"MDO bunkers", &Port::NeedsMdo, &Port::MdoQty, "mT"},
        {"LubOil bunkers", &Port::NeedsLubOil, &Port::LubOilQty, "m3"},
        {"Sludge disposal", &Port::NeedsSludge, &Port::SludgeQty, "m3"},
        {"Fresh water ", &Port::NeedsFreshWater, &Port::FreshWaterQty, "m3"},
        {"Garbage disposal", &Port::NeedsGarbage, &Port::GarbageQty, "m3"},
        {"Crew relief", &Port::NeedsCrewRelief, &Port::CrewReliefCount, "persons"},
    };
    for (const auto& item : kQuantities) {
      ++row;
      grid->addWidget(BindCheck(port.*item.flag, item.text), row, 0);
      grid->addWidget(BindWhole(port.*item.quantity, FieldName(item.text), kQuantityRange), row, 1);
      grid->addWidget(new QLabel(item.unit, this), row, 2);
    }
    grid->addWidget(BindCheck(port.EngineImmobilisation, "Immobilisation of main engine"), ++row, 0,
                    1, 3);
    grid->addWidget(BindCheck(port.LifeboatLowering, "Lowering of lifeboat"), ++row, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    Column()->addLayout(grid);
    Column()->addStretch(1);
  }
};

class CPagePortTraject : public PropertyPage {
 public:
  CPagePortTraject(Port& port, CVessel2& vessel, Prompter& prompter)
      : PropertyPage("Port Traject"),
        port_(port),
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
    duration_->setText(
        ToQString(FormatNumber("%#3.1f", averageSpeed_ > 0.0 ? distance / averageSpeed_ : 0.0)));
  }

 private:
  Voyage& Traject() { return outbound_ == 1 ? port_.OutboundTraject : port_.InboundTraject; }

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

  Port& port_;
  CVessel2& vessel_;
  Prompter& prompter_;
  QTreeWidget* list_;
  std::int32_t outbound_ = 0;   // 0 the inbound traject is listed, 1 the outbound
  double averageSpeed_ = 12.0;  // knots
  QLineEdit* distance_;
  QLineEdit* duration_;
};

}  // namespace

CSheetPort::CSheetPort(const QString& caption, Port& port, CVessel2& vessel, Prompter& prompter,
                       QWidget* parent)
    : RecordSheet(caption, port, prompter, parent) {
  AddPage(new CPagePortPosition(Working()));
  AddPage(new CPagePortContact(Working()));
  AddPage(new CPagePortBerth(Working(), prompter));
  AddPage(new CPagePortRequirements(Working()));
  AddPage(new CPagePortDocuments(Working().Documents, prompter));
  AddPage(new CPagePortTraject(Working(), vessel, prompter));
  AddPage(new CPagePortNote(Working().Note));
}

}  // namespace keelmark

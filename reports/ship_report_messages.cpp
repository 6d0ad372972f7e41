#include "reports/ship_report_messages.h"

#include <string_view>

#include "navigation/text_format.h"
#include "records/position_fix.h"
#include "records/report_numbers.h"
#include "records/vessel.h"
#include "records/voyage.h"
#include "voyage/voyage_calculation.h"

namespace keelmark {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// Closing lines shared by several systems.
constexpr const char* kEndOfReport = "Z/EOR//";
constexpr const char* kInmarsat = "M/INMARSAT//";
constexpr const char* kNoneV = "V/NONE//";
constexpr const char* kNoneX = "X/NONE//";
constexpr const char* kNoneY = "Y/NONE//";
constexpr const char* kAmverY = "Y/AMVER//";

// A message of lines, each followed by CR LF.
class Lines {
 public:
  Lines& operator<<(const std::string& line) {
    text_ += line;
    text_ += kLineEnd;
    return *this;
  }
  [[nodiscard]] std::string Text() && { return std::move(text_); }

 private:
  std::string text_;
};

// --- Field texts. ---

std::string Position(const CPosition2& p) { return p.ReportLatitude() + p.ReportLongitude(); }
std::string LegCourse(const Waypoint& w) { return ReportCourseGroup(w.LegCourse); }
std::string GroundSpeed(const Waypoint& w) { return ReportSpeedGroup(w.GroundSpeed); }
// Knots rounded to a whole number, at least two characters: " 8/", "12/".
std::string WholeKnots(double knots) { return FormatNumber("%2.0f", knots) + "/"; }

// --- The route. ---

const Waypoint& Departure(const ShipReportSources& s) { return *s.voyage.GetFirst(); }
const Waypoint& Destination(const ShipReportSources& s) { return *s.voyage.GetLast(); }
// Waypoint i counted from the departure; past the end, the destination.
const Waypoint& WaypointAt(const ShipReportSources& s, int index) { return *s.voyage.GetAt(index); }

// One route line for each waypoint after the departure.
template <typename LineOf>
void RouteLines(Lines& lines, const ShipReportSources& s, LineOf lineOf) {
  for (int i = 1; i < s.voyage.GetCount(); ++i) lines << lineOf(WaypointAt(s, i));
}

std::string RouteLineR3(const Waypoint& w) {
  return "L/" + GroundSpeed(w) + Position(w) + w.ReportTimeGroupSlash() + "/";
}
std::string RouteLineR4(const Waypoint& w) { return "L/RL/" + Position(w) + "/"; }

// --- The A line and its relatives. ---

std::string VesselLineA1(const CVessel2& v) { return "A/" + v.name + "/" + v.callSign + "//"; }
std::string VesselLineA2(const CVessel2& v) {
  return "A/" + v.name + "/" + v.callSign + "/" + v.imoNumber + "//";
}
std::string VesselLineA3(const CVessel2& v) {
  return "A/" + v.callSign + "/" + v.name + "/NL/CTR//";
}
std::string VesselPieceA4(const CVessel2& v) { return v.name + "/" + "NL/" + v.callSign + "/"; }

// --- Lines shared by several messages. ---

// "G/" or "I/": a port by name and position.
std::string PortLine(const char* letter, const Waypoint& w) {
  return std::string(letter) + w.Name + "/" + Position(w) + "/";
}

// The arrival: name, position and time (AMVER FR, SISTRAM 4).
std::string ArrivalLineK(const Waypoint& destination) {
  return "K/" + destination.Name + "/" + Position(destination) +
         destination.ReportTimeGroupSlash() + "/";
}

// Date-time group and position (AUSREP H and K, CHILREP H).
std::string DateTimePositionLine(const char* letter, const Waypoint& w) {
  return std::string(letter) + w.ReportDateTimeGroup() + Position(w) + "/";
}

// B to I of the AMVER and JASREP sailing plans.
void SailingLinesBtoI(Lines& lines, const ShipReportSources& s) {
  const Waypoint& first = WaypointAt(s, 1);
  lines << "B/" + Departure(s).ReportTimeGroupSlash() + "/"
        << "E/" + LegCourse(first) + "/"
        << "F/" + GroundSpeed(first) + "/" << PortLine("G/", Departure(s))
        << PortLine("I/", Destination(s));
}

// B and C: the fix's time and position.
void FixTimeAndPosition(Lines& lines, const PositionFix& fix) {
  lines << "B/" + fix.ReportTime() + "/"
        << "C/" + Position(fix) + "/";
}

// B, C, E and F of every position report.
void FixLines(Lines& lines, const PositionFix& fix) {
  FixTimeAndPosition(lines, fix);
  lines << "E/" + fix.ReportCourse() + "/"
        << "F/" + fix.ReportSpeed() + "/";
}

// --- AMVER. ---

std::string AmverSailingPlan(const ShipReportSources& s) {
  Lines lines;
  lines << "AMVER/SP//" << VesselLineA1(s.vessel);
  SailingLinesBtoI(lines, s);
  RouteLines(lines, s, [](const Waypoint& w) { return w.RouteLine(); });
  lines << kEndOfReport;
  return std::move(lines).Text();
}

std::string AmverPositionReport(const ShipReportSources& s) {
  Lines lines;
  lines << "AMVER/PR//" << VesselLineA1(s.vessel);
  FixLines(lines, s.fix);
  lines << PortLine("I/", Destination(s)) << kEndOfReport;
  return std::move(lines).Text();
}

std::string AmverFinalReport(const ShipReportSources& s) {
  Lines lines;
  lines << "AMVER/FR//" << VesselLineA1(s.vessel) << ArrivalLineK(Destination(s)) << kEndOfReport;
  return std::move(lines).Text();
}

// --- SISTRAM. ---

std::string Sistram1(const ShipReportSources& s) {
  Lines lines;
  lines << "SISTRAM/1/" + Departure(s).ReportDateTimeGroupOf(true) + "/" << VesselLineA3(s.vessel)
        << "B/" + Departure(s).ReportTimeGroupSlash() + "/" << PortLine("G/", Departure(s))
        << PortLine("I/", Destination(s));
  RouteLines(lines, s, RouteLineR3);
  lines << kNoneV << kInmarsat << kNoneX << kNoneY;
  return std::move(lines).Text();
}

std::string Sistram2(const ShipReportSources& s) {
  Lines lines;
  lines << "SISTRAM/2/" + s.fix.ReportDateTimeGroupOf(true) + "/" << VesselLineA3(s.vessel);
  FixLines(lines, s.fix);
  lines << kInmarsat << kNoneX << kNoneY;
  return std::move(lines).Text();
}

std::string Sistram4(const ShipReportSources& s) {
  Lines lines;
  lines << "SISTRAM/4/" + Destination(s).ReportDateTimeGroup() + "/" << VesselLineA3(s.vessel)
        << ArrivalLineK(Destination(s)) << kNoneX << kNoneY;
  return std::move(lines).Text();
}

// --- AUSREP. ---

std::string AusrepSailingPlan(const ShipReportSources& s) {
  Lines lines;
  lines << "AUSREP/SP//" << VesselLineA2(s.vessel) << "F/" + GroundSpeed(WaypointAt(s, 1)) + "/"
        << DateTimePositionLine("H/", Departure(s)) << DateTimePositionLine("K/", Destination(s));
  RouteLines(lines, s, [](const Waypoint& w) { return w.RouteLine(); });
  lines << kInmarsat << "N/{STATE DATE TIME NEXT REPORT}//" << kNoneV;
  return std::move(lines).Text();
}

std::string AusrepPositionReport(const ShipReportSources& s) {
  Lines lines;
  lines << "AUSREP/PR//" << VesselLineA2(s.vessel);
  FixLines(lines, s.fix);
  lines << "N/{PLEASE STATE DATE TIME NEXT REPORT HERE}//";
  return std::move(lines).Text();
}

std::string AusrepFinalReport(const ShipReportSources& s) {
  const Waypoint& destination = Destination(s);
  Lines lines;
  lines << "AUSREP/FR//" << VesselLineA2(s.vessel)
        << "K/" + destination.ReportTimeGroupSlash() + Position(destination) +
               destination.ReportTimeGroupSlash() + "/"
        << kNoneX;
  return std::move(lines).Text();
}

// --- JASREP. ---

std::string JasrepSailingPlan(const ShipReportSources& s) {
  Lines lines;
  lines << "JASREP/SP//" << VesselLineA1(s.vessel);
  SailingLinesBtoI(lines, s);
  RouteLines(lines, s, [](const Waypoint& w) { return w.RouteLineWithTimeFirst(); });
  lines << "M/" + LegCourse(WaypointAt(s, 1)) + LegCourse(WaypointAt(s, 2)) + "/" << kNoneV
        << kNoneX << kAmverY;
  return std::move(lines).Text();
}

std::string JasrepPositionReport(const ShipReportSources& s) {
  // The course to the waypoint ahead and the one after it. When the waypoint ahead is the
  // destination nothing follows it, and its own course is given again (the list's rule).
  const Waypoint* ahead = NextWaypoint(s.voyage, s.fix);
  const Waypoint* after = s.voyage.GetNext(ahead);
  Lines lines;
  lines << "JASREP/PR//" << VesselLineA1(s.vessel);
  FixLines(lines, s.fix);
  lines << "M/" + LegCourse(*ahead) + LegCourse(*after) + "/" << kNoneX << kAmverY;
  return std::move(lines).Text();
}

std::string JasrepFinalReport(const ShipReportSources& s) {
  Lines lines;
  lines << "JASREP/FR//" << VesselLineA1(s.vessel);
  FixTimeAndPosition(lines, s.fix);
  lines << "X/FINAL REPORT//" << kAmverY;
  return std::move(lines).Text();
}

// --- CHILREP. ---

std::string ChilrepSailingPlan(const ShipReportSources& s) {
  const Waypoint& departure = Departure(s);
  const Waypoint& destination = Destination(s);
  Lines lines;
  lines << "CHILREP/SP//" << VesselLineA1(s.vessel) << "F/" + GroundSpeed(WaypointAt(s, 1)) + "/"
        << PortLine("G/", departure) << DateTimePositionLine("H/", departure)
        << "I/" + destination.Name + "/" + Position(destination) +
               destination.ReportDateTimeGroup() + "/"
        << "J/{PLEASE STATE WHETHER PILOT IS CARRIED ONBOARD}//"
        << "K/" + destination.ReportTimeGroupSlash() + Position(destination) + "/";
  RouteLines(lines, s, RouteLineR4);
  lines << kInmarsat << "N/{PLEASE STATE DAILY REPORTING TIME}//" << kNoneV << kNoneX;
  return std::move(lines).Text();
}

std::string ChilrepPositionReport(const ShipReportSources& s) {
  Lines lines;
  lines << "CHILREP/PR//" << VesselLineA1(s.vessel);
  FixLines(lines, s.fix);
  lines << kNoneX;
  return std::move(lines).Text();
}

std::string ChilrepFinalReport(const ShipReportSources& s) {
  const Waypoint& destination = Destination(s);
  Lines lines;
  lines << "CHILREP/FR//" << VesselLineA1(s.vessel)
        << "K/" + destination.ReportTimeGroupSlash() + "/" + Position(destination) + "/"
        << "X/Final Report//";
  return std::move(lines).Text();
}

// --- Equador and Peru: one line of pieces, no line end. ---

std::string EquadorSailingPlan(const ShipReportSources& s) {
  const Waypoint& departure = Departure(s);
  const Waypoint& destination = Destination(s);
  const Waypoint& first = WaypointAt(s, 1);
  return "SP/" + VesselPieceA4(s.vessel) + departure.ReportTimeGroupSlash() + destination.Name +
         "/" + Position(departure) + LegCourse(first) + WholeKnots(first.GroundSpeed) +
         departure.Name + "/" + destination.ReportTimeGroupSlash();
}

std::string EquadorPositionReport(const ShipReportSources& s) {
  return "PR/" + VesselPieceA4(s.vessel) + s.fix.ReportTimeGroupSlash() + Position(s.fix) +
         s.fix.ReportCourse() + WholeKnots(s.fix.SpeedMadeGood);
}

std::string EquadorFinalReport(const ShipReportSources& s) {
  const Waypoint& departure = Departure(s);
  const Waypoint& destination = Destination(s);
  return "FR/" + VesselPieceA4(s.vessel) + destination.ReportTimeGroupSlash() + departure.Name +
         "/" + LegCourse(destination) + WholeKnots(destination.GroundSpeed) + destination.Name +
         "/" + destination.ReportTimeGroupSlash();
}

std::string ShipRepPositionReport(const ShipReportSources& s) {
  const Waypoint& destination = Destination(s);
  return "PR/" + s.vessel.name + "/" + s.vessel.callSign + "/NL/" + s.fix.ReportTimeGroupSlash() +
         Position(s.fix) + s.fix.ReportCourse() + WholeKnots(s.fix.SpeedMadeGood) +
         destination.Name + "/" + destination.ReportTimeGroupSlash();
}

constexpr ShipReportMessage kMessages[] = {
    {0, AmverSailingPlan, "AMVER"},
    {1, AmverPositionReport, "AMVER"},
    {2, AmverFinalReport, "AMVER"},
    {10, Sistram1, "SISTRAM"},
    {11, Sistram2, "SISTRAM"},
    {12, Sistram4, "SISTRAM"},
    {20, AusrepSailingPlan, "AUSREP"},
    {21, AusrepPositionReport, "AUSREP"},
    {22, AusrepFinalReport, "AUSREP"},
    {30, JasrepSailingPlan, "JASREP"},
    {31, JasrepPositionReport, "JASREP"},
    {32, JasrepFinalReport, "JASREP"},
    {40, ChilrepSailingPlan, "CHILREP"},
    {41, ChilrepPositionReport, "CHILREP"},
    {42, ChilrepFinalReport, "CHILREP"},
    {50, EquadorSailingPlan, "EQUADOR"},
    {51, EquadorPositionReport, "EQUADOR"},
    {52, EquadorFinalReport, "EQUADOR"},
    {61, ShipRepPositionReport, "ShipRep"},
};

}  // namespace

const ShipReportMessage* FindShipReportMessage(int code) {
  for (const ShipReportMessage& message : kMessages) {
    if (message.code == code) return &message;
  }
  return nullptr;
}

}  // namespace keelmark

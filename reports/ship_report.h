// Ship reports: the messages of the ship reporting systems (AMVER, SISTRAM, AUSREP, JASREP,
// CHILREP, Equador, Peru), built from the vessel, the route and the present position, and the
// report file they are written to.
//
// A message is plain text with CR LF line ends; the Equador and Peru messages are one line with
// no line end at all. The files hold single-byte Windows-1252 text, as every text output does.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "document/prompter.h"

namespace keelmark {

class CVessel2;
class PositionFix;
class SettingsStore;
class Voyage;

// The reporting dialog's two lists, in their order.
enum class ReportSystem { Amver, Sistram, Ausrep, Jasrep, Chilrep, Equador, Peru };
enum class ReportKind { SailingPlan, PositionReport, FinalReport };

inline constexpr std::array<const char*, 7> kReportSystemNames = {
    "AMVER", "SISTRAM", "AUSREP", "JASREP", "CHILREP", "Equador", "Peru"};
inline constexpr std::array<const char*, 3> kReportKindNames = {"Sailingplan", "Position report",
                                                                "Final report"};

// What a message is built from; nothing of it is changed.
struct ShipReportSources {
  const Voyage& voyage;    // departure first, destination last
  const CVessel2& vessel;  // name, call sign, IMO number
  const PositionFix& fix;  // the present position
};

// Why there is no message to write, as the user is told it.
struct ReportRefusal {
  const char* text;
  MessageIcon icon;
};
inline constexpr ReportRefusal kNoActiveVoyage{"No active voyage", MessageIcon::Stop};
inline constexpr ReportRefusal kSpecialFormRequired{"This report requires special form",
                                                    MessageIcon::None};

// The dispatch code of a pair: kind + 10 x system (0 AMVER sailing plan ... 62 Peru final).
[[nodiscard]] constexpr int ShipReportCode(ReportSystem system, ReportKind kind) {
  return static_cast<int>(kind) + 10 * static_cast<int>(system);
}

// The save dialog's default file name ("AMVER", ..., "EQUADOR", "ShipRep"); none for the
// reports that need a special form.
[[nodiscard]] std::optional<std::string> ShipReportFileName(ReportSystem system, ReportKind kind);

struct ShipReport {
  std::string text;                      // UTF-8, line ends CR LF
  std::optional<ReportRefusal> refusal;  // set when there is no message
};

// The message of the pair. A route of fewer than two waypoints refuses with kNoActiveVoyage,
// the Peru sailing plan and final report with kSpecialFormRequired.
[[nodiscard]] ShipReport BuildShipReport(ReportSystem system, ReportKind kind,
                                         const ShipReportSources& sources);

// The bytes of a report file for a message's text (Windows-1252).
[[nodiscard]] std::string ShipReportFileBytes(const std::string& text);

struct ShipReportWrite {
  std::optional<ReportRefusal> refusal;  // nothing was built, so nothing was written
  bool written = false;
  std::string error;  // why the file could not be written
};

// Builds the message and writes it to path whole or not at all. A refused message leaves the
// file as it was.
[[nodiscard]] ShipReportWrite WriteShipReport(ReportSystem system, ReportKind kind,
                                              const ShipReportSources& sources,
                                              const std::string& path);

// "Save to file": the refusal (shown, nothing asked) or the save-file choice with the pair's
// default name, then the message written to the chosen file. Cancelling does nothing; a file
// that cannot be written is not reported, as the dialog never did. True when written.
bool SaveShipReport(ReportSystem system, ReportKind kind, const ShipReportSources& sources,
                    Prompter& prompter);

// The report file as the mail step reads it: text with "\n" line ends, in UTF-8; nothing when
// the file cannot be read (it may never have been written).
[[nodiscard]] std::optional<std::string> ReadShipReportForMail(const std::string& path);

// The report file of View, Print and Email: setting "Settings"/"ReportFile", a relative path
// taken from the data folder as the data files are. The stored default "c:/Report.txt" and
// any other path whose folder does not exist here (a Windows drive path, a folder since
// removed) give "Report.txt" in the data folder instead, so the report is always written.
[[nodiscard]] std::string ReportFilePath(const SettingsStore& store, const std::string& dataFolder);

}  // namespace keelmark

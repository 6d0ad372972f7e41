// CReportingDialog: "Reporting": the message of a ship reporting system chosen by system and
// kind, viewed with the desktop's text viewer, printed, mailed or saved to a file.
#pragma once

#include <QDialog>
#include <string>

#include "reports/ship_report.h"

class QComboBox;

namespace keelmark {

class CKeelmarkRouteXPDoc;
class MailSession;

class CReportingDialog : public QDialog {
  Q_OBJECT

 public:
  // The document's route and vessel with the present position as it is now.
  CReportingDialog(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent = nullptr);

  // "Reporting"
  static const char* const kCaption;

  // The report file View, Print and Email write.
  [[nodiscard]] const std::string& ReportFile() const { return reportFile_; }

 private:
  [[nodiscard]] ReportSystem System() const;
  [[nodiscard]] ReportKind Kind() const;
  // Writes the chosen message to the report file (a refusal is shown and writes nothing).
  void WriteReportFile();
  // The report file's text as it is now; says so and nothing when it cannot be read.
  [[nodiscard]] std::optional<std::string> ReportText();
  void OnView();
  void OnPrint();
  void OnEmail();
  void OnSave();

  CKeelmarkRouteXPDoc& doc_;
  MailSession& mail_;
  ShipReportSources sources_;
  std::string reportFile_;
  QComboBox* system_;
  QComboBox* kind_;
};

// Tools > Reporting: "No active voyage" for a route of fewer than two waypoints, else the dialog.
void RunReporting(CKeelmarkRouteXPDoc& doc, MailSession& mail, QWidget* parent);

inline constexpr const char* kCannotOpenReport = "The report file could not be opened:\n%1";
inline constexpr const char* kCannotReadReport = "The report file cannot be read:\n%1";

}  // namespace keelmark

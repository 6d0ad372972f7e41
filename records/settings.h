// Settings: the document's settings values and list colours, and their reading and writing.
//
// The document holds one Settings for its whole life: read once when it is created (the
// settings, then the colours after the history has been pruned) and written once when it is
// destroyed (the colours, then the settings). Between those moments the values live here.
#pragma once

#include <cstdint>
#include <string>

#include "records/settings_keys.h"

namespace keelmark {

class SettingsStore;

// A colour as the store keeps it: 24-bit RGB packed 0x00BBGGRR.
[[nodiscard]] constexpr std::int32_t PackColor(int red, int green, int blue) {
  return (red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16;
}
[[nodiscard]] constexpr int ColorRed(std::int32_t color) { return color & 0xFF; }
[[nodiscard]] constexpr int ColorGreen(std::int32_t color) { return color >> 8 & 0xFF; }
[[nodiscard]] constexpr int ColorBlue(std::int32_t color) { return color >> 16 & 0xFF; }

struct Settings {
  // Shared user-interface state. A new document shows the Waypoints category of the list.
  std::int32_t hasListSelected = 1;        // list-selection flag
  std::int32_t alternativeSelection = -1;  // without the list: 0 present position, 1 storm
  std::int32_t listSelected = 0;           // category index, 0-9
  std::int32_t underWay = 0;               // 1 once the voyage has begun
  std::int32_t propListSelected = setting::kPropListSelected.defaultValue;

  std::int32_t historyCleanUp = setting::kHistoryCleanUp.defaultValue;  // days kept

  // The scheduled export: edited and stored only.
  std::int32_t exportForecast = setting::kExportForecast.defaultValue;
  std::int32_t exportHistory = setting::kExportHistory.defaultValue;
  std::int32_t exportMeteo = setting::kExportMeteo.defaultValue;
  std::int32_t exportPorts = setting::kExportPorts.defaultValue;
  std::int32_t exportPublications = setting::kExportPublications.defaultValue;
  std::int32_t runScheduler = setting::kRunScheduler.defaultValue;
  std::int32_t weekdayScheduler = setting::kWeekdayScheduler.defaultValue;  // -1: none
  std::string exportFolder{setting::kExportFolder.defaultValue};
  std::int32_t scheduleRun = setting::kScheduleRun.defaultValue;

  // Printouts.
  std::string companyLogo{setting::kCompanyLogo.defaultValue};  // bitmap paths
  std::string smallLogo{setting::kSmallLogo.defaultValue};
  std::int32_t printIncludeBigLogo = setting::kPrintIncludeBigLogo.defaultValue;
  std::int32_t printIncludeDate = setting::kPrintIncludeDate.defaultValue;
  std::int32_t printIncludeFileName = setting::kPrintIncludeFileName.defaultValue;
  std::int32_t printIncludeSmallLogo = setting::kPrintIncludeSmallLogo.defaultValue;
  std::int32_t printIncludeShipsName = setting::kPrintIncludeShipsName.defaultValue;

  // Present position and the GPS receiver.
  std::int32_t updateDR = setting::kUpdateDR.defaultValue;
  std::int32_t writeToHis = setting::kWriteToHis.defaultValue;
  std::int32_t useNMEA = setting::kUseNMEA.defaultValue;
  std::int32_t updateSeconds = setting::kUpdateSeconds.defaultValue;          // seconds
  std::int32_t writeToHisMinutes = setting::kWriteToHisMinutes.defaultValue;  // minutes
  std::int32_t comPort = setting::kComPort.defaultValue;
  std::int32_t gpsString = setting::kGPSString.defaultValue;
  std::int32_t monitorRunning = setting::kMonitorRunning.defaultValue;  // monitor flag

  // Documents opened with the desktop shell, and the master schedule file.
  std::string depCheckList{setting::kDepCheckList.defaultValue};
  std::string arrCheckList{setting::kArrCheckList.defaultValue};
  std::string standingOrders{setting::kStandingOrders.defaultValue};
  std::string schedulePath{setting::kSchedulePath.defaultValue};

  std::string convChar{setting::kConvChar.defaultValue};  // field separator

  // List colours (0x00BBGGRR) and the night flag, which swaps text and background.
  std::int32_t colBckMain = setting::kColBckMain.defaultValue;
  std::int32_t colBckProp = setting::kColBckProp.defaultValue;
  std::int32_t colBckStat = setting::kColBckStat.defaultValue;
  std::int32_t colTxMain = setting::kColTxMain.defaultValue;
  std::int32_t colTxProp = setting::kColTxProp.defaultValue;
  std::int32_t colTxStat = setting::kColTxStat.defaultValue;
  std::int32_t isNight = setting::kIsNight.defaultValue;

  bool operator==(const Settings&) const = default;
};

// Reads section "Settings" (all but "ReportFile"), "Documents", "Path"/"Schedule" and
// "ConvChar", in that order. The selection state read is then replaced: the list-selection
// flag becomes 1, the category index 0 and the alternative selection 0, so that the program
// always starts on the Waypoints category whatever was stored.
void ReadSettings(const SettingsStore& store, Settings& settings);
// Writes the same keys in the same order.
void WriteSettings(SettingsStore& store, const Settings& settings);

// The "Colors" section: the six colours and the night flag.
void ReadColors(const SettingsStore& store, Settings& settings);
void WriteColors(SettingsStore& store, const Settings& settings);

}  // namespace keelmark

#include "records/settings.h"

#include "records/settings_store.h"

namespace keelmark {
namespace {

// The settings keys and the values they are kept in, in the order they are read and written.
// One list serves both directions, so that reading and writing cannot drift apart.
template <typename S, typename Visit>
void VisitSettings(S& s, Visit&& visit) {
  using namespace setting;
  visit(kHistoryCleanUp, s.historyCleanUp);
  visit(kHasListSelected, s.hasListSelected);
  visit(kChartSelected, s.alternativeSelection);
  visit(kListSelected, s.listSelected);
  visit(kStatusListSelected, s.underWay);
  visit(kPropListSelected, s.propListSelected);
  visit(kExportForecast, s.exportForecast);
  visit(kExportHistory, s.exportHistory);
  visit(kExportMeteo, s.exportMeteo);
  visit(kExportPorts, s.exportPorts);
  visit(kExportPublications, s.exportPublications);
  visit(kRunScheduler, s.runScheduler);
  visit(kWeekdayScheduler, s.weekdayScheduler);
  visit(kExportFolder, s.exportFolder);
  visit(kScheduleRun, s.scheduleRun);
  visit(kCompanyLogo, s.companyLogo);
  visit(kSmallLogo, s.smallLogo);
  visit(kPrintIncludeBigLogo, s.printIncludeBigLogo);
  visit(kPrintIncludeDate, s.printIncludeDate);
  visit(kPrintIncludeFileName, s.printIncludeFileName);
  visit(kPrintIncludeSmallLogo, s.printIncludeSmallLogo);
  visit(kPrintIncludeShipsName, s.printIncludeShipsName);
  visit(kUpdateDR, s.updateDR);
  visit(kWriteToHis, s.writeToHis);
  visit(kUseNMEA, s.useNMEA);
  visit(kUpdateSeconds, s.updateSeconds);
  visit(kWriteToHisMinutes, s.writeToHisMinutes);
  visit(kComPort, s.comPort);
  visit(kGPSString, s.gpsString);
  visit(kMonitorRunning, s.monitorRunning);
  visit(kDepCheckList, s.depCheckList);
  visit(kArrCheckList, s.arrCheckList);
  visit(kStandingOrders, s.standingOrders);
  visit(kSchedulePath, s.schedulePath);
  visit(kConvChar, s.convChar);
}

template <typename S, typename Visit>
void VisitColors(S& s, Visit&& visit) {
  using namespace setting;
  visit(kColBckMain, s.colBckMain);
  visit(kColBckProp, s.colBckProp);
  visit(kColBckStat, s.colBckStat);
  visit(kColTxMain, s.colTxMain);
  visit(kColTxProp, s.colTxProp);
  visit(kColTxStat, s.colTxStat);
  visit(kIsNight, s.isNight);
}

struct Reader {
  const SettingsStore& store;
  template <typename Key, typename Value>
  void operator()(const Key& key, Value& value) const {
    value = store.Read(key);
  }
};

struct Writer {
  SettingsStore& store;
  template <typename Key, typename Value>
  void operator()(const Key& key, const Value& value) const {
    store.Write(key, value);
  }
};

}  // namespace

void ReadSettings(const SettingsStore& store, Settings& settings) {
  VisitSettings(settings, Reader{store});
  settings.hasListSelected = 1;
  settings.listSelected = 0;
  settings.alternativeSelection = 0;
}

void WriteSettings(SettingsStore& store, const Settings& settings) {
  VisitSettings(settings, Writer{store});
}

void ReadColors(const SettingsStore& store, Settings& settings) {
  VisitColors(settings, Reader{store});
}

void WriteColors(SettingsStore& store, const Settings& settings) {
  VisitColors(settings, Writer{store});
}

}  // namespace keelmark

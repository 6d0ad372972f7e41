// Settings keys: every section, key, type and default of the settings store, in one table.
//
// Code names a setting through its constant here, so that a key's spelling and its default
// exist once. The table lists them section by section in the order the store is read.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace keelmark {

// An integer setting (32-bit), with the values it may take (both ends included).
struct IntSetting {
  std::string_view section;
  std::string_view key;
  std::int32_t defaultValue;
  std::int32_t minimum = INT32_MIN;
  std::int32_t maximum = INT32_MAX;

  [[nodiscard]] constexpr bool Allows(std::int32_t value) const {
    return value >= minimum && value <= maximum;
  }
};

// A text setting; the default applies only when the key is missing.
struct TextSetting {
  std::string_view section;
  std::string_view key;
  std::string_view defaultValue;
};

enum class SettingType { Int, Text };

// One row of the table, whichever its type.
struct SettingInfo {
  constexpr SettingInfo(const IntSetting& s)  // NOLINT: the table converts implicitly
      : section(s.section),
        key(s.key),
        type(SettingType::Int),
        intDefault(s.defaultValue),
        intMinimum(s.minimum),
        intMaximum(s.maximum) {}
  constexpr SettingInfo(const TextSetting& s)  // NOLINT
      : section(s.section), key(s.key), type(SettingType::Text), textDefault(s.defaultValue) {}

  std::string_view section;
  std::string_view key;
  SettingType type;
  std::int32_t intDefault = 0;
  std::int32_t intMinimum = INT32_MIN;
  std::int32_t intMaximum = INT32_MAX;
  std::string_view textDefault;
};

namespace settings_section {
inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kDocuments = "Documents";
inline constexpr std::string_view kPath = "Path";
inline constexpr std::string_view kColors = "Colors";
inline constexpr std::string_view kApplication = "Keelmark Route";
inline constexpr std::string_view kVessel = "Vessel";
inline constexpr std::string_view kMail = "Mail";
}  // namespace settings_section

namespace setting {
using namespace settings_section;

// Section "Settings".
inline constexpr IntSetting kHistoryCleanUp{kSettings, "HistoryCleanUp", 7, 1, 365};  // days kept
inline constexpr IntSetting kHasListSelected{kSettings, "HasListSelected", 0};
inline constexpr IntSetting kChartSelected{kSettings, "ChartSelected", -1};
inline constexpr IntSetting kListSelected{kSettings, "ListSelected", 0};
inline constexpr IntSetting kStatusListSelected{kSettings, "StatusListSelected", 0};
inline constexpr IntSetting kPropListSelected{kSettings, "PropListSelected", 0};
inline constexpr IntSetting kExportForecast{kSettings, "ExportForecast", 0};
inline constexpr IntSetting kExportHistory{kSettings, "ExportHistory", 0};
inline constexpr IntSetting kExportMeteo{kSettings, "ExportMeteo", 0};
inline constexpr IntSetting kExportPorts{kSettings, "ExportPorts", 0};
inline constexpr IntSetting kExportPublications{kSettings, "ExportPublications", 0};
inline constexpr IntSetting kRunScheduler{kSettings, "RunScheduler", 0};
inline constexpr IntSetting kWeekdayScheduler{kSettings, "WeekdayScheduler", -1};
inline constexpr TextSetting kExportFolder{kSettings, "ExportFolder", "data"};
// The UTC day ("YYYY-MM-DD") the scheduler last wrote the backup; empty: never.
inline constexpr TextSetting kLastBackup{kSettings, "LastBackup", ""};
inline constexpr IntSetting kScheduleRun{kSettings, "ScheduleRun", 0};
inline constexpr TextSetting kCompanyLogo{kSettings, "CompanyLogo", "logo.bmp"};
inline constexpr TextSetting kSmallLogo{kSettings, "SmallLogo", "smalllogo.bmp"};
inline constexpr IntSetting kPrintIncludeBigLogo{kSettings, "PrintIncludeBigLogo", 1};
inline constexpr IntSetting kPrintIncludeDate{kSettings, "PrintIncludeDate", 1};
inline constexpr IntSetting kPrintIncludeFileName{kSettings, "PrintIncludeFileName", 1};
inline constexpr IntSetting kPrintIncludeSmallLogo{kSettings, "PrintIncludeSmallLogo", 1};
inline constexpr IntSetting kPrintIncludeShipsName{kSettings, "PrintIncludeShipsName", 1};
inline constexpr IntSetting kUpdateDR{kSettings, "UpdateDR", 0};
inline constexpr IntSetting kWriteToHis{kSettings, "WriteToHis", 0};
inline constexpr IntSetting kUseNMEA{kSettings, "UseNMEA", 0};
inline constexpr IntSetting kUpdateSeconds{kSettings, "UpdateSeconds", 60};          // seconds
inline constexpr IntSetting kWriteToHisMinutes{kSettings, "WriteToHisMinutes", 30};  // minutes
inline constexpr IntSetting kComPort{kSettings, "ComPort", 0, 0, 7};      // index, COM1 = 0
inline constexpr IntSetting kGPSString{kSettings, "GPSString", 0, 0, 2};  // 0 GGA, 1 RMC, 2 GLL
inline constexpr IntSetting kMonitorRunning{kSettings, "MonitorRunning", 0};
inline constexpr TextSetting kReportFile{kSettings, "ReportFile", "c:/Report.txt"};
// The web address Help > Homepage opens; none is set until the user enters one.
inline constexpr TextSetting kHomepage{kSettings, "Homepage", ""};

// Section "Documents": files opened with the desktop shell.
inline constexpr TextSetting kDepCheckList{kDocuments, "DepCheckList", ""};
inline constexpr TextSetting kArrCheckList{kDocuments, "ArrCheckList", ""};
inline constexpr TextSetting kStandingOrders{kDocuments, "StandingOrders", ""};

// Section "Path": the data files, bare names resolved against the current directory.
inline constexpr TextSetting kForecastPath{kPath, "Forecastdat", "forecast.dat"};
inline constexpr TextSetting kHistoryPath{kPath, "Routedat", "voyage.dat"};
inline constexpr TextSetting kMeteoPath{kPath, "Meteodat", "meteo.dat"};
inline constexpr TextSetting kPortPath{kPath, "portinfo", "port.dat"};
inline constexpr TextSetting kVesselPath{kPath, "vesseldata", "vessel.dat"};
inline constexpr TextSetting kWarningPath{kPath, "Warningdat", "warning.dat"};
inline constexpr TextSetting kUrlDataPath{kPath, "URLData", "URLData.dat"};
inline constexpr TextSetting kHurricanePath{kPath, "Hurricanedat", "hurricane.dat"};
inline constexpr TextSetting kSchedulePath{kPath, "Schedule", "schedule.dat"};

// Section "Colors": 24-bit colours packed 0x00BBGGRR.
inline constexpr IntSetting kColBckMain{kColors, "ColBckMain", 0x000000};
inline constexpr IntSetting kColBckProp{kColors, "ColBckProp", 0x000000};
inline constexpr IntSetting kColBckStat{kColors, "ColBckStat", 0x000000};
inline constexpr IntSetting kColTxMain{kColors, "ColTxMain", 0xFFFFFF};
inline constexpr IntSetting kColTxProp{kColors, "ColTxProp", 0xFFFFFF};
inline constexpr IntSetting kColTxStat{kColors, "ColTxStat", 0xFFFFFF};
inline constexpr IntSetting kIsNight{kColors, "IsNight", 0};

// Section named after the program: the field separator of exported and imported lines.
inline constexpr TextSetting kConvChar{kApplication, "ConvChar", ","};

// Section "Vessel": the parts of the vessel record that its data file does not hold.
inline constexpr TextSetting kCallSign{kVessel, "CallSign", "XXXX"};
inline constexpr TextSetting kIMONumber{kVessel, "IMONumber", "12345"};
// The serial device behind each of the receiver ports COM1..COM8 (section "Settings").
inline constexpr std::array<TextSetting, 8> kComDevices = {
    TextSetting{kSettings, "ComDevice1", "/dev/ttyUSB0"},
    TextSetting{kSettings, "ComDevice2", "/dev/ttyUSB1"},
    TextSetting{kSettings, "ComDevice3", "/dev/ttyS0"},
    TextSetting{kSettings, "ComDevice4", "/dev/ttyS1"},
    TextSetting{kSettings, "ComDevice5", "/dev/ttyS2"},
    TextSetting{kSettings, "ComDevice6", "/dev/ttyS3"},
    TextSetting{kSettings, "ComDevice7", "/dev/ttyS4"},
    TextSetting{kSettings, "ComDevice8", "/dev/ttyS5"},
};
// How the GPS monitor reaches its receiver (section "Settings"): 0 the serial port of ComPort,
// 1 a TCP server, 2 a UDP port, 3 gpsd, 4 a replayed log file; GpsAddress is the server's
// HOST:PORT, the UDP port, gpsd's HOST:PORT (empty for this machine's) or the log file.
inline constexpr IntSetting kGpsTransport{kSettings, "GpsTransport", 0, 0, 4};
inline constexpr TextSetting kGpsAddress{kSettings, "GpsAddress", ""};
// The serial rate: 4800 baud, 38400 for high-speed talkers.
inline constexpr IntSetting kGpsBaud{kSettings, "GpsBaud", 4800, 1, 4000000};
// Section "Mail": how messages are sent.
// 0 SMTP (a message the server cannot take waits in the outbox), 1 the desktop's mail
// program, 2 the outbox folder only, for a ship's own mail system to collect.
inline constexpr IntSetting kMailTransport{kMail, "Transport", 1, 0, 2};
inline constexpr TextSetting kSmtpServer{kMail, "SmtpServer", ""};
inline constexpr IntSetting kSmtpPort{kMail, "SmtpPort", 587, 1, 65535};
// 0 plain, 1 STARTTLS, 2 TLS from the first byte (port 465).
inline constexpr IntSetting kSmtpTls{kMail, "SmtpTls", 1, 0, 2};
inline constexpr IntSetting kSmtpTimeout{kMail, "SmtpTimeout", 60, 5, 600};  // seconds
inline constexpr TextSetting kSmtpUser{kMail, "SmtpUser", ""};
inline constexpr IntSetting kSmtpSavePassword{kMail, "SmtpSavePassword", 0};
// Stored only while SmtpSavePassword is 1.
inline constexpr TextSetting kSmtpPassword{kMail, "SmtpPassword", ""};
inline constexpr TextSetting kMailSender{kMail, "MailSender", ""};
// Empty: the "outbox" folder in the program's data folder.
inline constexpr TextSetting kOutboxFolder{kMail, "OutboxFolder", ""};
inline constexpr IntSetting kOutboxRetryMinutes{kMail, "OutboxRetryMinutes", 5, 1, 1440};
// Where bug reports, meteo data and update requests go; empty until the ship fills them in.
inline constexpr TextSetting kSupportAddress{kMail, "SupportAddress", ""};
inline constexpr TextSetting kMeteoDataAddress{kMail, "MeteoDataAddress", ""};
inline constexpr TextSetting kUpdateServiceAddress{kMail, "UpdateServiceAddress", ""};

}  // namespace setting

// Every setting, section by section.
inline constexpr std::array kSettingTable = {
    SettingInfo(setting::kHistoryCleanUp),
    SettingInfo(setting::kHasListSelected),
    SettingInfo(setting::kChartSelected),
    SettingInfo(setting::kListSelected),
    SettingInfo(setting::kStatusListSelected),
    SettingInfo(setting::kPropListSelected),
    SettingInfo(setting::kExportForecast),
    SettingInfo(setting::kExportHistory),
    SettingInfo(setting::kExportMeteo),
    SettingInfo(setting::kExportPorts),
    SettingInfo(setting::kExportPublications),
    SettingInfo(setting::kRunScheduler),
    SettingInfo(setting::kWeekdayScheduler),
    SettingInfo(setting::kExportFolder),
    SettingInfo(setting::kLastBackup),
    SettingInfo(setting::kScheduleRun),
    SettingInfo(setting::kCompanyLogo),
    SettingInfo(setting::kSmallLogo),
    SettingInfo(setting::kPrintIncludeBigLogo),
    SettingInfo(setting::kPrintIncludeDate),
    SettingInfo(setting::kPrintIncludeFileName),
    SettingInfo(setting::kPrintIncludeSmallLogo),
    SettingInfo(setting::kPrintIncludeShipsName),
    SettingInfo(setting::kUpdateDR),
    SettingInfo(setting::kWriteToHis),
    SettingInfo(setting::kUseNMEA),
    SettingInfo(setting::kUpdateSeconds),
    SettingInfo(setting::kWriteToHisMinutes),
    SettingInfo(setting::kComPort),
    SettingInfo(setting::kGPSString),
    SettingInfo(setting::kMonitorRunning),
    SettingInfo(setting::kReportFile),
    SettingInfo(setting::kHomepage),
    SettingInfo(setting::kDepCheckList),
    SettingInfo(setting::kArrCheckList),
    SettingInfo(setting::kStandingOrders),
    SettingInfo(setting::kForecastPath),
    SettingInfo(setting::kHistoryPath),
    SettingInfo(setting::kMeteoPath),
    SettingInfo(setting::kPortPath),
    SettingInfo(setting::kVesselPath),
    SettingInfo(setting::kWarningPath),
    SettingInfo(setting::kUrlDataPath),
    SettingInfo(setting::kHurricanePath),
    SettingInfo(setting::kSchedulePath),
    SettingInfo(setting::kColBckMain),
    SettingInfo(setting::kColBckProp),
    SettingInfo(setting::kColBckStat),
    SettingInfo(setting::kColTxMain),
    SettingInfo(setting::kColTxProp),
    SettingInfo(setting::kColTxStat),
    SettingInfo(setting::kIsNight),
    SettingInfo(setting::kConvChar),
    SettingInfo(setting::kCallSign),
    SettingInfo(setting::kIMONumber),
    SettingInfo(setting::kComDevices[0]),
    SettingInfo(setting::kComDevices[1]),
    SettingInfo(setting::kComDevices[2]),
    SettingInfo(setting::kComDevices[3]),
    SettingInfo(setting::kComDevices[4]),
    SettingInfo(setting::kComDevices[5]),
    SettingInfo(setting::kComDevices[6]),
    SettingInfo(setting::kComDevices[7]),
    SettingInfo(setting::kGpsTransport),
    SettingInfo(setting::kGpsAddress),
    SettingInfo(setting::kGpsBaud),
    SettingInfo(setting::kMailTransport),
    SettingInfo(setting::kSmtpServer),
    SettingInfo(setting::kSmtpPort),
    SettingInfo(setting::kSmtpTls),
    SettingInfo(setting::kSmtpTimeout),
    SettingInfo(setting::kSmtpUser),
    SettingInfo(setting::kSmtpSavePassword),
    SettingInfo(setting::kSmtpPassword),
    SettingInfo(setting::kMailSender),
    SettingInfo(setting::kOutboxFolder),
    SettingInfo(setting::kOutboxRetryMinutes),
    SettingInfo(setting::kSupportAddress),
    SettingInfo(setting::kMeteoDataAddress),
    SettingInfo(setting::kUpdateServiceAddress),
};

// The row of section/key, or nullptr when the table has no such setting.
[[nodiscard]] constexpr const SettingInfo* FindSetting(std::string_view section,
                                                       std::string_view key) {
  for (const SettingInfo& info : kSettingTable) {
    if (info.section == section && info.key == key) return &info;
  }
  return nullptr;
}

}  // namespace keelmark

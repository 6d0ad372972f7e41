// CSheetOptions: the options of the program: colours, data file paths, ship-wide documents,
// history period, export scheduler and mail, printouts, the GPS receiver and the homepage.
#pragma once

#include <array>
#include <string>

#include "app/property_sheet.h"
#include "records/settings.h"

namespace keelmark {

struct TextSetting;

// The name of an address field of the Mail page ("Support address"), which the commands that
// need an empty one name.
[[nodiscard]] const char* MailAddressName(const TextSetting& key);

class CKeelmarkRouteXPDoc;

class CSheetOptions : public PropertySheet {
  Q_OBJECT

 public:
  // What the pages edit besides the document's settings: values the store keeps for itself.
  struct StoreValues {
    std::array<std::string, 8> dataPaths;   // the "Path" keys of the data files
    std::array<std::string, 8> comDevices;  // the serial device of COM1..COM8
    std::int32_t gpsTransport = 0;          // serial, TCP, UDP, gpsd, replay file
    std::string gpsAddress;                 // the address of all but the serial port
    std::int32_t gpsBaud = 4800;            // the serial rate
    std::int32_t mailTransport = 1;         // SMTP, the desktop mail program, the outbox only
    std::string smtpServer;
    std::int32_t smtpPort = 0;
    std::int32_t smtpTls = 1;  // none, STARTTLS, TLS
    std::int32_t smtpTimeout = 60;
    std::string smtpUser;
    std::int32_t savePassword = 0;
    std::string password;
    std::string sender;
    std::string outboxFolder;
    std::int32_t outboxRetryMinutes = 5;
    std::string supportAddress;
    std::string meteoDataAddress;
    std::string updateServiceAddress;
    std::string homepage;  // the address Help > Homepage opens
  };

  explicit CSheetOptions(CKeelmarkRouteXPDoc& document, QWidget* parent = nullptr);

  // "Options"
  static const char* const kCaption;

 protected:
  void CopyIn() override;
  void CopyBack() override;

 private:
  // The scheduled-export values of the Backup page into the document, and the backup written
  // ("Run Now").
  void RunNow();

  CKeelmarkRouteXPDoc& document_;
  Settings settings_;  // the document's settings as the pages edit them
  StoreValues store_;
};

}  // namespace keelmark

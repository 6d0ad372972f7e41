// The writers of the ship report messages, one per entry of the dispatch table.
#pragma once

#include <string>

#include "reports/ship_report.h"

namespace keelmark {

// A writer builds its whole message. The route has at least two waypoints.
using ShipReportWriter = std::string (*)(const ShipReportSources&);

struct ShipReportMessage {
  int code;  // kind + 10 x system
  ShipReportWriter write;
  const char* fileName;  // the save dialog's default name
};

// The message of a dispatch code; nullptr for the codes with no writer (the special forms).
[[nodiscard]] const ShipReportMessage* FindShipReportMessage(int code);

}  // namespace keelmark

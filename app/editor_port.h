// CSheetPort: the editor of a port: pilot station, contacts, berth, requirements, attached
// documents, the inbound and outbound trajects and the notes.
#pragma once

#include "app/record_sheet.h"
#include "records/port.h"

namespace keelmark {

class CVessel2;

class CSheetPort : public RecordSheet<Port> {
  Q_OBJECT

 public:
  // The vessel gives the trajects their times.
  CSheetPort(const QString& caption, Port& port, CVessel2& vessel, Prompter& prompter,
             QWidget* parent = nullptr);
};

}  // namespace keelmark

// RecordSheet: a property sheet whose pages edit a working copy of one record. The copy is
// taken when the sheet runs and assigned back on OK only, so Cancel changes nothing.
#pragma once

#include <type_traits>

#include "app/property_sheet.h"
#include "records/position.h"

namespace keelmark {

template <typename Record>
class RecordSheet : public PropertySheet {
 public:
  RecordSheet(const QString& caption, Record& record, Prompter& prompter, QWidget* parent)
      : PropertySheet(caption, prompter, parent), record_(record), working_(record) {}

 protected:
  void CopyIn() override {
    working_ = record_;
    Opened();
  }
  void CopyBack() override {
    Taking();
    // A located record edited by hand counts as modified.
    if constexpr (std::is_base_of_v<CPosition2, Record>) working_.Modified = 1;
    record_ = working_;
  }

  // After the copy is taken: values the pages show besides the record's own fields.
  virtual void Opened() {}
  // Before the copy goes back: those values into the copy.
  virtual void Taking() {}

  // The record as it was opened, and the copy the pages edit.
  [[nodiscard]] const Record& Original() const { return record_; }
  [[nodiscard]] Record& Working() { return working_; }

 private:
  Record& record_;
  Record working_;
};

}  // namespace keelmark

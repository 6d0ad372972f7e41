// ReportingPoint: a reporting point of a ship reporting system on the route.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "records/document_list.h"
#include "records/field_visitor.h"
#include "records/position.h"

namespace keelmark {

// Time is when the report was last completed.
class ReportingPoint : public CPosition2 {
 public:
  ReportingPoint() { Name = kDefaultName; }

  // The position, ReportValue, ReportFlag, Action, Note, then the documents' file paths only.
  void Serialize(Archive& archive) override;

  static constexpr const char* kDefaultName = "Reporting Point";

  std::int32_t Completed = 0;   // "Report completed"; not stored
  std::string Note;             // notes
  std::string Action;           // "Short description:" of the action
  double ReportValue = 1.0;     // carried in the file
  std::int32_t ReportFlag = 0;  // carried in the file
  DocumentList Documents;

  // The position, a double, an integer, two empty texts and an empty document list.
  static constexpr std::size_t kMinimumStoredBytes =
      CPosition2::kMinimumStoredBytes + 8 + 4 + 2 + 4;
};

// The stored fields: the position's, then the point's own; of each document only its file path
// is stored.
template <RecordOf<ReportingPoint> Point, typename Visitor>
void VisitFields(Point& p, Visitor&& visit) {
  VisitFields(FieldsOfBase<CPosition2>(p), visit);
  visit("ReportValue", p.ReportValue);
  visit("ReportFlag", p.ReportFlag);
  visit("Action", p.Action);
  visit("Note", p.Note);
  visit("Documents", p.Documents,
        [](auto& document, auto&& visitDocument) { visitDocument("FilePath", document.FilePath); });
}

}  // namespace keelmark

// NavWarning: a navigational warning with the outline of its area or line.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records/document_ref.h"
#include "records/field_visitor.h"
#include "records/position.h"
#include "records/record_list.h"

namespace keelmark {

// Name is the "Identifier:", Time the "Date of issue:" and RequiredTime the "Valid Till:" time
// (day numbers). The position is the mean of the outline positions (UpdateCentre).
class NavWarning : public CPosition2 {
 public:
  // The position, WarningSpare, the outline as a list of positions, OpenTraject, Message.
  void Serialize(Archive& archive) override;

  // Appends a new position with its defaults and returns it.
  CPosition2* AddOutlinePosition();
  // The outline position at a 0-based index; none when the index is out of range.
  [[nodiscard]] CPosition2* GetOutlinePosition(int index) const;
  // Deletes the position when it belongs to this outline; reports whether it did.
  bool RemoveOutlinePosition(const CPosition2* position);
  [[nodiscard]] int OutlineCount() const { return Outline.GetCount(); }

  // Moves the warning's position to the arithmetic mean of the outline latitudes and of the
  // outline longitudes, through the setters. Longitudes are averaged as plain numbers, so an
  // outline across 180 degrees centres near 0. No outline: nothing changes.
  void UpdateCentre();

  DocumentRef Message;             // Description: the warning's "Description:"; FilePath: the
                                   // attached file ("Path to file:")
  std::int32_t OpenTraject = 1;    // 1: the outline is a line or traject; 0: an enclosed area
  RecordList<CPosition2> Outline;  // the positions of the warning area or line
  double WarningSpare = 0.0;       // carried in the file

  // The position, a double, an empty outline, an integer and an empty document.
  static constexpr std::size_t kMinimumStoredBytes =
      CPosition2::kMinimumStoredBytes + 8 + 4 + 4 + DocumentRef::kMinimumStoredBytes;
};

// The stored fields: the position's, then the warning's own, its outline and its message.
template <RecordOf<NavWarning> Warning, typename Visitor>
void VisitFields(Warning& w, Visitor&& visit) {
  VisitFields(FieldsOfBase<CPosition2>(w), visit);
  visit("WarningSpare", w.WarningSpare);
  visit("OpenTraject", w.OpenTraject);
  visit("Outline", w.Outline);
  visit("Message", w.Message);
}

}  // namespace keelmark

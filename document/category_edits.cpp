#include "document/category_edits.h"

#include <memory>
#include <type_traits>

#include "document/category_records.h"
#include "document/keelmark_document.h"
#include "voyage/position_fixes.h"

namespace keelmark {
namespace {

PositionFix* InsertFix(HistoryList& history) {
  // The last fix stays where it is (and valid) when the proposal is appended after it.
  const PositionFix* last = history.GetLast();
  PositionFix* fix = ProposeLatestFix(history);
  if (last) {
    fix->DraftAft = last->DraftAft;
    fix->EngineRpm = last->EngineRpm;
    fix->SteeredCourse = last->SteeredCourse;
  }
  return fix;
}

template <typename Records>
auto* InsertInto(const Records& records, const SelectedRecord& selected) {
  using Record = typename Records::Record;
  auto& list = records.Collection();
  if constexpr (std::is_same_v<Record, PositionFix>) {
    return InsertFix(list);
  } else if constexpr (std::is_same_v<Record, ForecastArea>) {
    return list.Add(std::make_unique<ForecastArea>());
  } else {
    Record* record = list.InsertAfter(records.InCollection(selected), std::make_unique<Record>());
    if constexpr (std::is_same_v<Record, Chart>) record->SetKind(*records.Kind());
    return record;
  }
}

}  // namespace

SelectedRecord InsertNewRecord(CKeelmarkRouteXPDoc& doc, Category category) {
  const SelectedRecord selected = doc.GetSelectedRecord();
  return VisitCategoryRecords(doc, category, [&](const auto& records) {
    return records.Select(InsertInto(records, selected));
  });
}

bool RemoveRecord(CKeelmarkRouteXPDoc& doc, Category category, const SelectedRecord& record) {
  return VisitCategoryRecords(doc, category, [&](const auto& records) {
    return records.Collection().Remove(records.InCollection(record));
  });
}

}  // namespace keelmark

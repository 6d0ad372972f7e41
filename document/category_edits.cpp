#include "document/category_edits.h"

#include <memory>
#include <type_traits>

#include "voyage/position_fixes.h"
#include "document/keelmark_document.h"

namespace keelmark {
namespace {

// The selected record when it belongs to this list, else none (the selection may name the
// present position or a record of another collection).
template <typename List>
auto SelectedIn(const List& list, const SelectedRecord& selected) {
  using Record = std::remove_pointer_t<decltype(list.GetFirst())>;
  const Record* record = dynamic_cast<const Record*>(selected.position);
  return list.IndexOf(record) >= 0 ? record : nullptr;
}

template <typename List>
auto* InsertDefault(List& list, const SelectedRecord& selected) {
  using Record = std::remove_pointer_t<decltype(list.GetFirst())>;
  return list.InsertAfter(SelectedIn(list, selected), std::make_unique<Record>());
}

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

template <typename List>
bool RemoveFrom(List& list, const SelectedRecord& record) {
  return list.Remove(SelectedIn(list, record));
}

}  // namespace

SelectedRecord InsertNewRecord(CKeelmarkRouteXPDoc& doc, Category category) {
  const SelectedRecord selected = doc.GetSelectedRecord();
  SelectedRecord created;
  switch (category) {
    case Category::Waypoints:
    case Category::Schedule:
      created.position = InsertDefault(doc.GetRoute(), selected);
      break;
    case Category::History:
      created.position = InsertFix(doc.GetHistory());
      break;
    case Category::Warnings:
      created.position = InsertDefault(doc.GetWarnings(), selected);
      break;
    case Category::Reporting:
      created.position = InsertDefault(doc.GetReportingPoints(), selected);
      break;
    case Category::Publications:
    case Category::Charts: {
      Chart* chart = InsertDefault(doc.GetCharts(), selected);
      chart->IsChart = category == Category::Charts ? 1 : 0;
      created.position = chart;
      break;
    }
    case Category::Ports:
      created.position = InsertDefault(doc.GetPorts(), selected);
      break;
    case Category::Forecast:
      created.forecast = doc.GetForecasts().Add(std::make_unique<ForecastArea>());
      break;
    case Category::Storms:
      created.position = InsertDefault(doc.GetStorms(), selected);
      break;
  }
  return created;
}

bool RemoveRecord(CKeelmarkRouteXPDoc& doc, Category category, const SelectedRecord& record) {
  switch (category) {
    case Category::Waypoints:
    case Category::Schedule:
      return RemoveFrom(doc.GetRoute(), record);
    case Category::History:
      return RemoveFrom(doc.GetHistory(), record);
    case Category::Warnings:
      return RemoveFrom(doc.GetWarnings(), record);
    case Category::Reporting:
      return RemoveFrom(doc.GetReportingPoints(), record);
    case Category::Publications:
    case Category::Charts:
      return RemoveFrom(doc.GetCharts(), record);
    case Category::Ports:
      return RemoveFrom(doc.GetPorts(), record);
    case Category::Forecast:
      return record.forecast != nullptr && doc.GetForecasts().Remove(record.forecast);
    case Category::Storms:
      return RemoveFrom(doc.GetStorms(), record);
  }
  return false;
}

}  // namespace keelmark

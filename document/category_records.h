// CategoryRecords: the records a category of the main list shows. VisitCategoryRecords is the
// one place that maps a category to its collection: Waypoints and Schedule both show the route;
// Charts and Publications share the chart list, each showing the records of its own kind; every
// other category has a collection of its own. The list and its fill, the editors, Insert,
// Delete, Import and the selected-record look-up all ask it.
#pragma once

#include <optional>
#include <type_traits>
#include <utility>

#include "document/category.h"
#include "document/keelmark_document.h"
#include "records/forecast_area.h"

namespace keelmark {

// The records of one collection that a category shows; `List` is const for a const document.
template <typename List>
class CategoryRecords {
 public:
  // The collection's record class, and the record as the category may change it.
  using Record = std::remove_pointer_t<decltype(std::declval<List&>().GetFirst())>;
  using Shown = std::conditional_t<std::is_const_v<List>, const Record, Record>;

  // `kind` only for the chart list: the kind of record the category lists.
  explicit CategoryRecords(List& list, std::optional<ChartKind> kind = std::nullopt)
      : list_(list), kind_(kind) {}

  [[nodiscard]] List& Collection() const { return list_; }
  // The kind of record shown from the chart list; none for every other collection.
  [[nodiscard]] std::optional<ChartKind> Kind() const { return kind_; }

  [[nodiscard]] bool Shows(const Record& record) const {
    if constexpr (std::is_same_v<Record, Chart>) {
      return !kind_ || record.Kind() == *kind_;
    } else {
      return true;
    }
  }
  // The record on a row of the list (from 0); none before the first row or past the last.
  [[nodiscard]] Shown* At(int row) const {
    return list_.NthWhere(row, [this](const Record& record) { return Shows(record); });
  }
  // f(record) for every record shown, in list order.
  template <typename F>
  void ForEach(F&& f) const {
    for (const auto& record : list_) {
      if (Shows(*record)) f(static_cast<Shown&>(*record));
    }
  }

  // The selected record as a record of this collection's class; none when it is of another
  // class (it need not be in the collection).
  [[nodiscard]] Shown* OfClass(const SelectedRecord& selected) const {
    if constexpr (std::is_same_v<Record, ForecastArea>) {
      return selected.forecast;
    } else {
      return dynamic_cast<Record*>(selected.position);
    }
  }
  // The selected record when it is in this collection (of either kind for the chart list).
  [[nodiscard]] Shown* InCollection(const SelectedRecord& selected) const {
    Shown* record = OfClass(selected);
    return list_.IndexOf(record) >= 0 ? record : nullptr;
  }
  // A record of this collection as a selection.
  [[nodiscard]] static SelectedRecord Select(Record* record) {
    if constexpr (std::is_same_v<Record, ForecastArea>) {
      return {nullptr, record};
    } else {
      return {record, nullptr};
    }
  }

 private:
  List& list_;
  std::optional<ChartKind> kind_;
};

// visit(CategoryRecords of the category's collection), and its result. `Document` is the
// document or the const document.
template <typename Document, typename Visitor>
decltype(auto) VisitCategoryRecords(Document& doc, Category category, Visitor&& visit) {
  switch (category) {
    case Category::History:
      return visit(CategoryRecords(doc.GetHistory()));
    case Category::Warnings:
      return visit(CategoryRecords(doc.GetWarnings()));
    case Category::Reporting:
      return visit(CategoryRecords(doc.GetReportingPoints()));
    case Category::Publications:
      return visit(CategoryRecords(doc.GetCharts(), ChartKind::Publication));
    case Category::Ports:
      return visit(CategoryRecords(doc.GetPorts()));
    case Category::Charts:
      return visit(CategoryRecords(doc.GetCharts(), ChartKind::Chart));
    case Category::Forecast:
      return visit(CategoryRecords(doc.GetForecasts()));
    case Category::Storms:
      return visit(CategoryRecords(doc.GetStorms()));
    case Category::Waypoints:
    case Category::Schedule:
      break;
  }
  return visit(CategoryRecords(doc.GetRoute()));
}

}  // namespace keelmark

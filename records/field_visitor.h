// Field visitors: each record names its fields once, in a VisitFields function beside the
// record, and every copy of the fields by name (the CLI's JSON in both directions) is a visitor
// over that one list.
//
// VisitFields(record, visit) calls visit(name, field) for every field in turn; the record may be
// const (the visitor reads) or not (the visitor may set the fields). A field is one of:
//   double, std::int32_t, std::string, bool (a mark, false unless set), TimeValue (seconds),
//   std::array<double, N>, std::vector<std::array<double, N>> (a table of rows),
//   another record with its own VisitFields (a nested record),
//   a RecordList (one nested record per element).
// A list whose elements are stored with fewer fields than their own VisitFields names comes
// with a third argument: visit(name, list, fieldsOfElement), fieldsOfElement(element, visit).
// A derived record visits its base's fields first (FieldsOfBase), then its own.
#pragma once

#include <concepts>
#include <type_traits>

namespace keelmark {

// Record is Type or const Type: the parameter of one record's VisitFields.
template <typename Record, typename Type>
concept RecordOf = std::same_as<std::remove_const_t<Record>, Type>;

// The base part of a record, as const as the record.
template <typename Base, typename Record>
[[nodiscard]] constexpr auto& FieldsOfBase(Record& record) {
  if constexpr (std::is_const_v<Record>) {
    return static_cast<const Base&>(record);
  } else {
    return static_cast<Base&>(record);
  }
}

// A visitor that takes anything, to ask whether a type has fields of its own.
struct AnyFieldVisitor {
  template <typename... Field>
  void operator()(const char* /*name*/, Field&&... /*field*/) const {}
};

// Types with a VisitFields of their own (nested records, as opposed to plain values and lists).
template <typename Record>
concept HasFields = requires(Record& record, AnyFieldVisitor visit) {
  VisitFields(record, visit);
};

}  // namespace keelmark

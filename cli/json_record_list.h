// JSON forms of record lists and the file types of list files and single-record files, for
// every group of records.
#pragma once

#include <memory>
#include <string>

#include "cli/command_line.h"
#include "cli/file_types.h"
#include "records/record_list.h"

namespace keelmark::cli {

// An array of the records' JSON objects, head to tail.
template <typename Record, typename ToJson>
[[nodiscard]] Json ListToJson(const RecordList<Record>& list, ToJson toJson) {
  Json array = Json::array();
  for (const auto& record : list) array.push_back(toJson(*record));
  return array;
}

// Replaces the list's records by one new record per element, each starting from its defaults;
// no array (nullptr) leaves the list empty.
template <typename Record, typename FromJson>
void ListFromJson(const Json* array, RecordList<Record>& list, FromJson fromJson) {
  list.RemoveAll();
  if (array == nullptr) return;
  if (!array->is_array()) throw CommandError("a list of records must be an array");
  for (const Json& element : *array) {
    if (!element.is_object()) throw CommandError("each record must be an object");
    fromJson(element, *list.Add(std::make_unique<Record>()));
  }
}

// A data file that is one list, dumped as {"records": [...]}.
template <typename List, typename Record>
[[nodiscard]] FileType ListFileType(const char* name, void (List::*serialize)(Archive&),
                                    Json (*toJson)(const Record&),
                                    void (*fromJson)(const Json&, Record&)) {
  return FileType{name,
                  [serialize, toJson](Archive& archive) {
                    List list;
                    (list.*serialize)(archive);
                    return Json{{"records", ListToJson(list, toJson)}};
                  },
                  [serialize, fromJson](const Json& content, Archive& archive) {
                    List list;
                    ListFromJson(ArrayMember(content, "records"), list, fromJson);
                    (list.*serialize)(archive);
                  }};
}

// A single-record exchange file: the record's fields with no count, dumped as one object.
template <typename Record>
[[nodiscard]] FileType RecordFileType(const char* name, void (Record::*serialize)(Archive&),
                                      Json (*toJson)(const Record&),
                                      void (*fromJson)(const Json&, Record&)) {
  return FileType{name,
                  [serialize, toJson](Archive& archive) {
                    Record record;
                    (record.*serialize)(archive);
                    return toJson(record);
                  },
                  [serialize, fromJson](const Json& content, Archive& archive) {
                    Record record;
                    fromJson(content, record);
                    (record.*serialize)(archive);
                  }};
}

}  // namespace keelmark::cli

// JSON forms of every record for keelmark dump and build, as two visitors over the record's
// fields (records/field_visitor.h): every stored field under its own name as the file holds it.
//
// A nested record is an object under its name, a list an array of objects. Reading sets the
// fields that the object names and leaves the others at their values (a new record's defaults);
// a list named or not is replaced by the records of its array. Files are loaded and stored "as
// stored" (older weather blocks, version fields and name copies kept), so that dump then build
// gives the same bytes.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/json_fields.h"
#include "records/field_visitor.h"
#include "records/record_list.h"

namespace keelmark {
class Chart;
class Port;
class Voyage;
class WeatherConditions;
}  // namespace keelmark

namespace keelmark::cli {

template <HasFields Record>
[[nodiscard]] Json ToJson(const Record& record);
template <HasFields Record>
void FromJson(const Json& object, Record& record);

// What a build adds to the fields it read, and the checks of the whole record: the values the
// program stores for a new record where the object leaves them out, and combinations of fields
// that would not read back as written (CommandError). Other records have none.
void CompleteFromJson(const Json& object, WeatherConditions& weather);
void CompleteFromJson(const Json& object, Voyage& voyage);
void CompleteFromJson(const Json& object, Chart& chart);
void CompleteFromJson(const Json& object, Port& port);
template <typename Record>
void CompleteFromJson(const Json& /*object*/, Record& /*record*/) {}

// An array of the records' objects, head to tail; fieldsOf(record, visit) names their fields.
template <typename Record, typename FieldsOf>
[[nodiscard]] Json ListToJson(const RecordList<Record>& list, FieldsOf fieldsOf);
template <typename Record>
[[nodiscard]] Json ListToJson(const RecordList<Record>& list) {
  return ListToJson(list, [](const Record& record, auto& visit) { VisitFields(record, visit); });
}

// Replaces the list's records by one new record per element, each starting from its defaults;
// no array (nullptr) leaves the list empty.
template <typename Record, typename FromElement>
void ListFromJson(const Json* array, RecordList<Record>& list, FromElement fromElement) {
  list.RemoveAll();
  if (array == nullptr) return;
  if (!array->is_array()) throw CommandError("a list of records must be an array");
  for (const Json& element : *array) {
    if (!element.is_object()) throw CommandError("each record must be an object");
    fromElement(element, *list.Add(std::make_unique<Record>()));
  }
}
template <typename Record>
void ListFromJson(const Json* array, RecordList<Record>& list) {
  ListFromJson(array, list, [](const Json& element, Record& record) { FromJson(element, record); });
}

// Writes each field it is handed into the object. A mark (bool) is written only when set.
class JsonWriter {
 public:
  explicit JsonWriter(Json& object) : object_(object) {}

  void operator()(const char* key, double value) { object_[key] = JsonNumber(value); }
  void operator()(const char* key, std::int32_t value) { object_[key] = value; }
  void operator()(const char* key, TimeValue value) { object_[key] = JsonTime(value); }
  void operator()(const char* key, bool mark) {
    if (mark) object_[key] = true;
  }
  void operator()(const char* key, const std::string& value) { object_[key] = value; }
  template <std::size_t N>
  void operator()(const char* key, const std::array<double, N>& values) {
    object_[key] = Numbers(values);
  }
  template <std::size_t N>
  void operator()(const char* key, const std::vector<std::array<double, N>>& rows) {
    Json array = Json::array();
    for (const auto& row : rows) array.push_back(Numbers(row));
    object_[key] = std::move(array);
  }
  template <HasFields Record>
  void operator()(const char* key, const Record& record) {
    object_[key] = ToJson(record);
  }
  template <typename Record>
  void operator()(const char* key, const RecordList<Record>& list) {
    object_[key] = ListToJson(list);
  }
  template <typename Record, typename FieldsOf>
  void operator()(const char* key, const RecordList<Record>& list, FieldsOf fieldsOf) {
    object_[key] = ListToJson(list, fieldsOf);
  }

 private:
  template <std::size_t N>
  static Json Numbers(const std::array<double, N>& values) {
    Json array = Json::array();
    for (const double value : values) array.push_back(JsonNumber(value));
    return array;
  }

  Json& object_;
};

// Reads each field it is handed from the object's member of that name, when there is one; a
// member of the wrong type raises CommandError naming it.
class JsonReader {
 public:
  explicit JsonReader(const Json& object) : object_(object) {}

  void operator()(const char* key, double& field) { ReadMember(object_, key, field); }
  void operator()(const char* key, std::int32_t& field) { ReadMember(object_, key, field); }
  void operator()(const char* key, TimeValue& field) { ReadTimeMember(object_, key, field); }
  void operator()(const char* key, bool& field) { ReadMember(object_, key, field); }
  void operator()(const char* key, std::string& field) { ReadMember(object_, key, field); }
  // The array, when given, must hold exactly as many numbers as the field.
  template <std::size_t N>
  void operator()(const char* key, std::array<double, N>& values) {
    const Json* array = ArrayMember(object_, key);
    if (array == nullptr) return;
    if (array->size() != N) {
      throw CommandError(std::string("field \"") + key + "\" must hold " + std::to_string(N) +
                         " numbers");
    }
    ReadNumbers(key, *array, values);
  }
  // A table, when given, replaces the rows; each row must hold exactly N numbers.
  template <std::size_t N>
  void operator()(const char* key, std::vector<std::array<double, N>>& rows) {
    const Json* array = ArrayMember(object_, key);
    if (array == nullptr) return;
    rows.clear();
    for (const Json& values : *array) {
      if (!values.is_array() || values.size() != N) {
        throw CommandError(std::string("each row of \"") + key + "\" must be an array of " +
                           std::to_string(N) + " numbers");
      }
      ReadNumbers(key, values, rows.emplace_back());
    }
  }
  template <HasFields Record>
  void operator()(const char* key, Record& record) {
    if (const Json* member = ObjectMember(object_, key)) FromJson(*member, record);
  }
  template <typename Record>
  void operator()(const char* key, RecordList<Record>& list) {
    ListFromJson(ArrayMember(object_, key), list);
  }
  template <typename Record, typename FieldsOf>
  void operator()(const char* key, RecordList<Record>& list, FieldsOf fieldsOf) {
    ListFromJson(ArrayMember(object_, key), list, [&fieldsOf](const Json& element, Record& record) {
      JsonReader reader(element);
      fieldsOf(record, reader);
    });
  }

 private:
  // Each element is read as a member of its own, so that "NaN" and the infinities count and a
  // wrong element is reported under the array's key.
  template <std::size_t N>
  static void ReadNumbers(const char* key, const Json& array, std::array<double, N>& values) {
    for (std::size_t i = 0; i < N; ++i) {
      Json element = Json::object();
      element[key] = array[i];
      ReadMember(element, key, values[i]);
    }
  }

  const Json& object_;
};

template <HasFields Record>
Json ToJson(const Record& record) {
  Json object = Json::object();
  JsonWriter writer(object);
  VisitFields(record, writer);
  return object;
}

template <HasFields Record>
void FromJson(const Json& object, Record& record) {
  JsonReader reader(object);
  VisitFields(record, reader);
  CompleteFromJson(object, record);
}

template <typename Record, typename FieldsOf>
Json ListToJson(const RecordList<Record>& list, FieldsOf fieldsOf) {
  Json array = Json::array();
  for (const auto& record : list) {
    Json object = Json::object();
    JsonWriter writer(object);
    fieldsOf(static_cast<const Record&>(*record), writer);
    array.push_back(std::move(object));
  }
  return array;
}

}  // namespace keelmark::cli

#include "cli/json_fields.h"

#include <cmath>

#include "cli/command_line.h"
#include "cli/json_audit.h"
#include "navigation/calendar.h"
#include "records/archive.h"
#include "records/text_codec.h"

namespace keelmark::cli {
namespace {

// The member `key` of `object`, noted as read (known to the build), or end().
Json::const_iterator Member(const Json& object, const char* key) {
  JsonReadAudit::NoteRead(object, key);
  return object.find(key);
}

[[noreturn]] void WrongType(const char* key, const char* expected) {
  throw CommandError(std::string("field \"") + key + "\" must be " + expected);
}

}  // namespace

Json JsonNumber(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  return value;
}

void ReadMember(const Json& object, const char* key, double& field) {
  const auto it = Member(object, key);
  if (it == object.end()) return;
  if (it->is_number()) {
    field = it->get<double>();
  } else if (it->is_string() && *it == "NaN") {
    field = std::nan("");
  } else if (it->is_string() && *it == "Infinity") {
    field = INFINITY;
  } else if (it->is_string() && *it == "-Infinity") {
    field = -INFINITY;
  } else {
    WrongType(key, "a number");
  }
}

void ReadMember(const Json& object, const char* key, std::int32_t& field) {
  const auto it = Member(object, key);
  if (it == object.end()) return;
  if (it->is_boolean()) {
    field = it->get<bool>() ? 1 : 0;
  } else if (it->is_number_integer() && it->get<std::int64_t>() >= INT32_MIN &&
             it->get<std::int64_t>() <= INT32_MAX) {
    field = static_cast<std::int32_t>(it->get<std::int64_t>());
  } else {
    WrongType(key, "a 32-bit integer");
  }
}

void ReadMember(const Json& object, const char* key, bool& field) {
  const auto it = Member(object, key);
  if (it == object.end()) return;
  if (it->is_boolean()) {
    field = it->get<bool>();
  } else if (it->is_number_integer()) {
    field = it->get<std::int64_t>() != 0;
  } else {
    WrongType(key, "true or false");
  }
}

void ReadMember(const Json& object, const char* key, std::string& field) {
  const auto it = Member(object, key);
  if (it == object.end()) return;
  if (!it->is_string()) WrongType(key, "a text");
  field = it->get<std::string>();
  if (!Cp1252HoldsAll(field)) JsonReadAudit::NoteLossy(key);
}

Json JsonTime(TimeValue value) { return IsoUtc(value); }

void ReadTimeMember(const Json& object, const char* key, TimeValue& field) {
  const auto it = Member(object, key);
  if (it == object.end()) return;
  if (it->is_number_integer()) {
    field = it->get<std::int64_t>();
  } else if (!it->is_string() || !ParseIsoUtc(it->get<std::string>(), field)) {
    WrongType(key, "a UTC time like 2026-12-06T12:00:00Z");
  }
  // A file holds a time as 32-bit seconds since 1970: anything else would read back as
  // another time.
  if (!Archive::HoldsTime(field)) {
    WrongType(key, ("a time from " + IsoUtc(0) + " to " + IsoUtc(Archive::kLatestTime)).c_str());
  }
}

const Json* ObjectMember(const Json& object, const char* key) {
  const auto it = Member(object, key);
  if (it == object.end()) return nullptr;
  if (!it->is_object()) WrongType(key, "an object");
  return &*it;
}

const Json* ArrayMember(const Json& object, const char* key) {
  const auto it = Member(object, key);
  if (it == object.end()) return nullptr;
  if (!it->is_array()) WrongType(key, "an array");
  return &*it;
}

}  // namespace keelmark::cli

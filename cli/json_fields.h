// JSON forms of stored field values, shared by every record's dump and build.
//
// Numbers keep full round-trip precision; a stored double that is not finite is written as the
// string "NaN", "Infinity" or "-Infinity", so that dump then build gives the same bytes.
#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "navigation/time_value.h"

namespace keelmark::cli {

using Json = nlohmann::json;

[[nodiscard]] Json JsonNumber(double value);

// Reads the member `key` of `object` into the field when it is present; a member of the wrong
// type raises CommandError naming the key. Absent members leave the field (its default) alone.
void ReadMember(const Json& object, const char* key, double& field);
void ReadMember(const Json& object, const char* key, std::int32_t& field);
void ReadMember(const Json& object, const char* key, bool& field);
void ReadMember(const Json& object, const char* key, std::string& field);
// Time values as "YYYY-MM-DDTHH:MM:SSZ" (or a number of seconds since 1970).
void ReadTimeMember(const Json& object, const char* key, TimeValue& field);
[[nodiscard]] Json JsonTime(TimeValue value);

// The member `key` when it is an object (or array), else nullptr; CommandError when it is
// present with another type.
[[nodiscard]] const Json* ObjectMember(const Json& object, const char* key);
[[nodiscard]] const Json* ArrayMember(const Json& object, const char* key);

}  // namespace keelmark::cli

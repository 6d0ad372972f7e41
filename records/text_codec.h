// Conversion between the single-byte Windows-1252 text of the data files and UTF-8 in memory.
#pragma once

#include <string>
#include <string_view>

namespace keelmark {

// Windows-1252 bytes to UTF-8. The five undefined bytes (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to
// the C1 controls of the same number, so that every byte survives a round trip.
[[nodiscard]] std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1252 bytes. A character with no Windows-1252 form, and a malformed UTF-8
// sequence, becomes '?'.
[[nodiscard]] std::string Utf8ToCp1252(std::string_view utf8);

// True when every character of the UTF-8 text has a Windows-1252 form, so that storing it loses
// nothing.
[[nodiscard]] bool Cp1252HoldsAll(std::string_view utf8);
// What a user is told when a text does not pass Cp1252HoldsAll.
inline constexpr const char* kLossyTextMessage =
    "has characters the data files cannot hold; they are stored as '?'";

}  // namespace keelmark

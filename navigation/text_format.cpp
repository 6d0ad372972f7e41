#include "navigation/text_format.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace keelmark {

std::string Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int size = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out;
  if (size > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    out.assign(buffer.data(), static_cast<std::size_t>(size));
  }
  va_end(args);
  return out;
}

std::string FormatNumber(const char* format, double value) {
  if (!std::isfinite(value)) return kNotAvailable;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  return Printf(format, value);
#pragma GCC diagnostic pop
}

double LeadingNumber(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

std::string ZeroPadded(int value, int digits) {
  std::string out = Printf("%d", value);
  int threshold = 1;
  for (int i = 1; i < digits; ++i) {
    threshold *= 10;
    if (value < threshold) out.insert(0, "0");
  }
  return out;
}

}  // namespace keelmark

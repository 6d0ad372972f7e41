// Conversions between the core's UTF-8 std::string and QString.
#pragma once

#include <QString>
#include <string>

namespace keelmark {

[[nodiscard]] inline QString ToQString(const std::string& text) {
  return QString::fromStdString(text);
}

[[nodiscard]] inline std::string ToStdString(const QString& text) { return text.toStdString(); }

}  // namespace keelmark

// List export: the rows of the main list as a text table, a separated-values file or the body
// of an e-mail.
//
// What is written is exactly what the list shows (CategoryTable), row by row, all eight cells
// including the empty and hidden ones; there is no header row.
#pragma once

#include <string>
#include <string_view>

#include "document/prompter.h"
#include "reports/category_table.h"

namespace keelmark {

enum class ListFormat { Text, SeparatedValues };

inline constexpr const char* kListExportFailed = "Error opening file for writing";
// The field separator of the text table (and of the e-mail body).
inline constexpr std::string_view kTextSeparator = "\t";

// Every row: each cell followed by the separator, the last followed by the line end instead.
// Cells stay as they are in memory (UTF-8).
[[nodiscard]] std::string ListText(const Table& table, std::string_view separator,
                                   std::string_view lineEnd);

// The bytes of an export file: the rows with CR LF line ends, in Windows-1252.
[[nodiscard]] std::string ListFileBytes(const Table& table, std::string_view separator);

// Writes the export file whole or not at all; false, and error (when given) says why, when it
// could not be written.
[[nodiscard]] bool WriteListFile(const Table& table, std::string_view separator,
                                 const std::string& path, std::string* error = nullptr);

// The file choice of each export format ("txt" or "csv").
[[nodiscard]] FileChoice ListExportChoice(ListFormat format);

// The export command after the format has been chosen: asks for the file, writes it with the
// tab (Text) or the separator (SeparatedValues), and shows kListExportFailed (stop icon) when
// it cannot be written. Cancelling the file choice does nothing. True when a file was written.
bool ExportList(const Table& table, ListFormat format, const std::string& separator,
                Prompter& prompter);

}  // namespace keelmark

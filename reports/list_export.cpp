#include "reports/list_export.h"

#include "records/archive_file.h"
#include "records/text_codec.h"
#include "reports/text_file_choice.h"

namespace keelmark {

std::string ListText(const Table& table, std::string_view separator, std::string_view lineEnd) {
  std::string text;
  for (const Row& row : table.rows) {
    for (int column = 0; column < kListColumnCount; ++column) {
      text += row.cells[static_cast<std::size_t>(column)];
      text += column + 1 < kListColumnCount ? separator : lineEnd;
    }
  }
  return text;
}

std::string ListFileBytes(const Table& table, std::string_view separator) {
  // Text files are written the way the program always has: CR LF, single-byte characters.
  return Utf8ToCp1252(ListText(table, separator, "\r\n"));
}

bool WriteListFile(const Table& table, std::string_view separator, const std::string& path,
                   std::string* error) {
  return WriteFileAtomically(path, ListFileBytes(table, separator), error);
}

FileChoice ListExportChoice(ListFormat format) {
  if (format == ListFormat::Text) return TextFileChoice("");
  return {"CSV File (*.csv)|*.csv|All Files (*.*)|*.*||", "csv", ""};
}

bool ExportList(const Table& table, ListFormat format, const std::string& separator,
                Prompter& prompter) {
  const std::optional<std::string> path = prompter.ChooseSaveFile(ListExportChoice(format));
  if (!path) return false;
  const std::string_view fieldSeparator =
      format == ListFormat::Text ? kTextSeparator : std::string_view(separator);
  if (!WriteListFile(table, fieldSeparator, *path)) {
    prompter.Message(kListExportFailed, MessageIcon::Stop);
    return false;
  }
  return true;
}

}  // namespace keelmark

// keelmark dump FILE --type TYPE and keelmark build --type TYPE < JSON > FILE.
#include <iostream>
#include <iterator>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/file_types.h"
#include "cli/json_audit.h"
#include "records/archive_file.h"

namespace keelmark::cli {
namespace {

const FileType& FindType(const std::string& name) {
  std::string known;
  for (const FileType& type : FileTypes()) {
    if (type.name == name) return type;
    known += (known.empty() ? "" : ", ") + type.name;
  }
  throw UsageError("unknown --type '" + name + "' (known: " + known + ")");
}

}  // namespace

int RunDump(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"type"}, {});
  const std::string& path = line.PositionalAt(0, "FILE");
  const FileType& type = FindType(line.Required("type"));
  // Refused unread when it is not a regular file (a device never ends) or far too large.
  std::string error;
  auto bytes =
      ReadWholeFile(path, type.name == "meteo" ? kLargestMeteoFile : kLargestDataFile, &error);
  if (!bytes) throw CommandError(error);
  Archive archive = Archive::ForLoading(std::move(*bytes));
  Json content;
  try {
    content = type.dump(archive);
    // Bytes after the content would not survive a build from the dump.
    archive.ExpectEnd();
  } catch (const ArchiveError& e) {
    throw CommandError(path + ": damaged " + type.name + " file: " + e.what());
  }
  PrintJson(context.out, content);
  return 0;
}

int RunBuild(const Words& args, CommandContext& context) {
  const CommandLine line(args, {"type"}, {});
  const FileType& type = FindType(line.Required("type"));
  Json content;
  try {
    // Read whole first: parsing straight from the stream iterators never ends at end of input.
    const std::string text{std::istreambuf_iterator<char>(std::cin),
                           std::istreambuf_iterator<char>()};
    content = Json::parse(text);
  } catch (const Json::exception& e) {
    throw CommandError(std::string("the JSON on standard input cannot be read: ") + e.what());
  }
  if (!content.is_object()) throw CommandError("the JSON on standard input must be an object");
  Archive archive = Archive::ForStoring();
  const JsonReadAudit audit;
  type.build(content, archive);
  // A misspelt key would leave its field at the default without a word: refuse it.
  if (const std::vector<std::string> unknown = audit.Unread(content); !unknown.empty()) {
    std::string names;
    for (const std::string& name : unknown) names += (names.empty() ? "" : ", ") + name;
    throw CommandError("unknown field" + std::string(unknown.size() > 1 ? "s " : " ") + names +
                       " in the JSON on standard input");
  }
  for (const std::string& key : audit.Lossy())
    WarnOfLossyText(context.err, "field \"" + key + "\"");
  const auto& bytes = archive.StoredBytes();
  context.out.write(reinterpret_cast<const char*>(bytes.data()),
                    static_cast<std::streamsize>(bytes.size()));
  context.out.flush();
  return context.out ? 0 : 1;
}

}  // namespace keelmark::cli

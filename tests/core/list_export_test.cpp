#include "reports/list_export.h"

#include <gtest/gtest.h>

#include "records/archive_file.h"
#include "tests/core/test_files.h"

namespace keelmark {
namespace {

using test::FileText;

Table TwoRows() {
  Table table;
  table.columns = CategoryColumns(Category::Publications);
  table.rows.push_back(
      {kImageChart, {"NP 136", "01 Mar 2024", "Edition 6", "UKHO", "", "", "", ""}});
  table.rows.push_back({kImageChart, {"Göteborg", "a", "b", "c", "d", "e", "f", "g"}});
  return table;
}

struct ExportCase {
  const char* separator;
  const char* bytes;
};

class ListBytes : public testing::TestWithParam<ExportCase> {};

TEST_P(ListBytes, EveryRowHasEightFieldsAndCrLfWithoutAHeader) {
  EXPECT_EQ(ListFileBytes(TwoRows(), GetParam().separator), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Separators, ListBytes,
                         testing::Values(
                             // Empty cells are written too; names leave in Windows-1252.
                             ExportCase{"\t",
                                        "NP 136\t01 Mar 2024\tEdition 6\tUKHO\t\t\t\t\r\n"
                                        "G\xF6teborg\ta\tb\tc\td\te\tf\tg\r\n"},
                             ExportCase{"<>",
                                        "NP 136<>01 Mar 2024<>Edition 6<>UKHO<><><><>\r\n"
                                        "G\xF6teborg<>a<>b<>c<>d<>e<>f<>g\r\n"}));

TEST(ListText, MailBodyKeepsUtf8AndPlainLineEnds) {
  EXPECT_EQ(ListText(TwoRows(), kTextSeparator, "\n").substr(38),
            "Göteborg\ta\tb\tc\td\te\tf\tg\n");
  EXPECT_EQ(ListText(Table{}, kTextSeparator, "\n"), "");
}

TEST(ExportList, CancelWritesNothingAndAFailedWriteSaysSo) {
  test::ScratchDirectory folder;
  ScriptedPrompter prompter;
  prompter.QueueFile(std::nullopt);
  prompter.QueueFile(folder.PathOf("missing-folder/list.txt"));
  prompter.QueueFile(folder.PathOf("list.csv"));

  EXPECT_FALSE(ExportList(TwoRows(), ListFormat::Text, ";", prompter));
  EXPECT_TRUE(prompter.Messages().empty());

  EXPECT_FALSE(ExportList(TwoRows(), ListFormat::Text, ";", prompter));
  ASSERT_EQ(prompter.Messages().size(), 1u);
  EXPECT_EQ(prompter.Messages()[0].text, "Error opening file for writing");
  EXPECT_EQ(prompter.Messages()[0].icon, MessageIcon::Stop);

  EXPECT_TRUE(ExportList(TwoRows(), ListFormat::SeparatedValues, ";", prompter));
  EXPECT_EQ(prompter.FileChoices().at(2).defaultExtension, "csv");
  EXPECT_EQ(FileText(folder.PathOf("list.csv")), ListFileBytes(TwoRows(), ";"));
}

TEST(WriteListFile, ReplacesAnOldFileWhole) {
  test::ScratchDirectory folder;
  const std::string path = folder.PathOf("list.txt");
  ASSERT_TRUE(WriteFileAtomically(path, std::string(5000, 'x')));
  ASSERT_TRUE(WriteListFile(TwoRows(), "\t", path));
  EXPECT_EQ(FileText(path), ListFileBytes(TwoRows(), "\t"));
  ASSERT_TRUE(WriteListFile(Table{}, "\t", path));
  EXPECT_EQ(FileText(path), "");
}

}  // namespace
}  // namespace keelmark

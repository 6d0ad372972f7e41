#include "document/category_edits.h"
#include "document/category_records.h"

#include <gtest/gtest.h>

#include "document/keelmark_document.h"
#include "navigation/calendar.h"
#include "navigation/clock.h"
#include "tests/core/document_fixture.h"

namespace keelmark {
namespace {

// A document on a copy of the example data (every collection holds records), with the
// example's route open and the clock on the example's day.
class CategoryEditsTest : public test::DocumentFixture {
 protected:
  CategoryEditsTest() {
    CopyExampleData();
    doc_ = Open();
    EXPECT_TRUE(doc_->OpenRouteDocument(PathOf(test::kExampleRoute)).Ok());
  }

  // Selects a row of a category the way the list does.
  void Select(Category category, int row) {
    doc_->SetCategory(category);
    doc_->GetSettings().hasListSelected = 1;
    doc_->selectedRow = row;
  }

  std::unique_ptr<CKeelmarkRouteXPDoc> doc_;
};

TEST_F(CategoryEditsTest, NewRecordGoesAfterTheSelectedOneOrAtTheEnd) {
  struct Case {
    Category category;
    int selectedRow;
    int expectedIndex;  // in the collection
  };
  const Case cases[] = {
      {Category::Waypoints, 2, 3}, {Category::Waypoints, -1, 12}, {Category::Schedule, 0, 1},
      {Category::Ports, 4, 5},     {Category::Ports, 99, 12},     {Category::Storms, 0, 1},
      {Category::Warnings, 2, 3},  {Category::Reporting, 1, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.category) * 1000 + c.selectedRow);
    Select(c.category, c.selectedRow);
    const SelectedRecord created = InsertNewRecord(*doc_, c.category);
    ASSERT_NE(created.position, nullptr);
    // Not in the category's collection would be -1.
    EXPECT_EQ(VisitCategoryRecords(*doc_, c.category,
                                   [&](auto records) {
                                     return records.Collection().IndexOf(records.OfClass(created));
                                   }),
              c.expectedIndex);
    EXPECT_TRUE(RemoveRecord(*doc_, c.category, created));
  }
  EXPECT_EQ(doc_->GetRoute().GetCount(), 12);
  EXPECT_EQ(doc_->GetPorts().GetCount(), 12);
}

TEST_F(CategoryEditsTest, ChartsAndPublicationsGetTheirKindAfterTheNthOfTheirKind) {
  // The shared list: chart, publication, chart, publication, chart, chart, publication.
  Select(Category::Publications, 1);  // the second publication, at list index 3
  const SelectedRecord publication = InsertNewRecord(*doc_, Category::Publications);
  auto* newPublication = dynamic_cast<Chart*>(publication.position);
  ASSERT_NE(newPublication, nullptr);
  EXPECT_EQ(doc_->GetCharts().NthPublication(2), newPublication);

  Select(Category::Charts, 0);  // the first chart, at list index 0
  const SelectedRecord chart = InsertNewRecord(*doc_, Category::Charts);
  auto* newChart = dynamic_cast<Chart*>(chart.position);
  ASSERT_NE(newChart, nullptr);
  EXPECT_EQ(doc_->GetCharts().NthChart(1), newChart);

  // Removing either goes through the shared list, whichever category asks.
  EXPECT_TRUE(RemoveRecord(*doc_, Category::Charts, publication));
  EXPECT_TRUE(RemoveRecord(*doc_, Category::Publications, chart));
  EXPECT_EQ(doc_->GetCharts().GetCount(), 7);
}

TEST_F(CategoryEditsTest, ForecastAreaIsAlwaysAppended) {
  Select(Category::Forecast, 0);
  const SelectedRecord created = InsertNewRecord(*doc_, Category::Forecast);
  ASSERT_NE(created.forecast, nullptr);
  EXPECT_EQ(created.position, nullptr);
  EXPECT_EQ(doc_->GetForecasts().GetLast(), created.forecast);
  EXPECT_TRUE(RemoveRecord(*doc_, Category::Forecast, created));
  EXPECT_EQ(doc_->GetForecasts().GetCount(), 3);
}

TEST_F(CategoryEditsTest, NewFixIsTheProposalWithTheLastFixsDraftRpmAndCourse) {
  PositionFix* last = doc_->GetHistory().GetLast();
  ASSERT_NE(last, nullptr);
  last->DraftAft = 11.7;
  last->EngineRpm = 68.5;
  last->SteeredCourse = 251.0;
  const int before = doc_->GetHistory().GetCount();
  Select(Category::History, 0);  // the selection is not used
  const SelectedRecord created = InsertNewRecord(*doc_, Category::History);
  auto* fix = dynamic_cast<PositionFix*>(created.position);
  ASSERT_NE(fix, nullptr);
  EXPECT_EQ(doc_->GetHistory().GetLast(), fix);
  EXPECT_EQ(doc_->GetHistory().GetCount(), before + 1);
  EXPECT_DOUBLE_EQ(fix->DraftAft, 11.7);
  EXPECT_DOUBLE_EQ(fix->EngineRpm, 68.5);
  EXPECT_DOUBLE_EQ(fix->SteeredCourse, 251.0);
}

TEST_F(CategoryEditsTest, NewFixInAnEmptyHistoryKeepsTheProposal) {
  doc_->GetHistory().RemoveAll();
  const SelectedRecord created = InsertNewRecord(*doc_, Category::History);
  auto* fix = dynamic_cast<PositionFix*>(created.position);
  ASSERT_NE(fix, nullptr);
  EXPECT_EQ(doc_->GetHistory().GetCount(), 1);
  EXPECT_DOUBLE_EQ(fix->GetLatitude(), 45.0);
  EXPECT_DOUBLE_EQ(fix->EngineRpm, PositionFix().EngineRpm);
}

TEST_F(CategoryEditsTest, RemovingARecordOfAnotherCollectionChangesNothing) {
  Select(Category::Ports, 0);
  const SelectedRecord port = doc_->GetSelectedRecord();
  ASSERT_TRUE(port);
  EXPECT_FALSE(RemoveRecord(*doc_, Category::Storms, port));
  // The present position is no record of any list.
  SelectedRecord present;
  present.position = &doc_->PresentPosition();
  EXPECT_FALSE(RemoveRecord(*doc_, Category::History, present));
  EXPECT_FALSE(RemoveRecord(*doc_, Category::Forecast, SelectedRecord{}));
  EXPECT_TRUE(RemoveRecord(*doc_, Category::Ports, port));
  EXPECT_EQ(doc_->GetPorts().GetCount(), 11);
}

}  // namespace
}  // namespace keelmark

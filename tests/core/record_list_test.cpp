#include "records/record_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace keelmark {
namespace {

using PositionList = RecordList<CPosition2>;

std::unique_ptr<CPosition2> Named(const std::string& name, double latitude = 45.0,
                                  double longitude = 5.0) {
  auto p = std::make_unique<CPosition2>();
  p->SetName(name);
  p->SetLatitude(latitude);
  p->SetLongitude(longitude);
  return p;
}

std::vector<std::string> Names(const PositionList& list) {
  std::vector<std::string> names;
  for (const auto& record : list) names.push_back(record->GetName());
  return names;
}

class RecordListTest : public testing::Test {
 protected:
  void SetUp() override {
    a_ = list_.Add(Named("A", 50, 0));
    b_ = list_.Add(Named("B", 51, 0));
    c_ = list_.Add(Named("C", 53, 0));
  }
  PositionList list_;
  CPosition2* a_ = nullptr;
  CPosition2* b_ = nullptr;
  CPosition2* c_ = nullptr;
};

TEST_F(RecordListTest, AddFirstAndInsertAfter) {
  list_.AddFirst(Named("Z"));
  list_.InsertAfter(b_, Named("B2"));
  EXPECT_EQ(Names(list_), (std::vector<std::string>{"Z", "A", "B", "B2", "C"}));
  // After a record of another list, or none: at the end.
  PositionList other;
  CPosition2* stranger = other.Add(Named("X"));
  list_.InsertAfter(stranger, Named("D"));
  list_.InsertAfter(nullptr, Named("E"));
  EXPECT_EQ(Names(list_), (std::vector<std::string>{"Z", "A", "B", "B2", "C", "D", "E"}));
}

TEST_F(RecordListTest, GetAtNextAndPreviousFallBack) {
  EXPECT_EQ(list_.GetAt(1), b_);
  EXPECT_EQ(list_.GetAt(3), c_);
  EXPECT_EQ(list_.GetAt(-1), c_);
  EXPECT_EQ(PositionList().GetAt(0), nullptr);
  CPosition2 stranger;
  EXPECT_EQ(list_.GetNext(a_), b_);
  EXPECT_EQ(list_.GetNext(&stranger), c_);
  EXPECT_EQ(list_.GetPrevious(c_), b_);
  EXPECT_EQ(list_.GetPrevious(a_), a_);
  EXPECT_EQ(list_.GetPrevious(&stranger), a_);
}

TEST_F(RecordListTest, RemoveDeletesOnlyItsOwnRecords) {
  CPosition2 stranger;
  EXPECT_FALSE(list_.Remove(&stranger));
  EXPECT_TRUE(list_.Remove(b_));
  EXPECT_FALSE(list_.Remove(b_));
  EXPECT_EQ(Names(list_), (std::vector<std::string>{"A", "C"}));
  list_.RemoveAll();
  EXPECT_EQ(list_.GetCount(), 0);
  EXPECT_EQ(list_.GetFirst(), nullptr);
}

TEST_F(RecordListTest, NearestPrefersTheLowerIndexOnATie) {
  CPosition2 between;
  between.SetLatitude(52);
  between.SetLongitude(0);
  EXPECT_EQ(list_.Nearest(between), b_);  // 60 nM from B and from C
  EXPECT_EQ(PositionList().Nearest(between), nullptr);
}

TEST_F(RecordListTest, FindByNameFallsBackToTheLast) {
  list_.Add(Named("B"));
  EXPECT_EQ(list_.FindByName("B"), b_);
  EXPECT_EQ(list_.FindByName("nowhere"), list_.GetLast());
  EXPECT_FALSE(list_.ContainsName("c"));
  EXPECT_EQ(PositionList().FindByName("A"), nullptr);
}

}  // namespace
}  // namespace keelmark

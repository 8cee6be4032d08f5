#include "text/string_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "text/cp932.h"
#include "text/exception.h"

namespace skimdex {
namespace {

std::vector<std::string> Items(const TStringList& list) { return {list.begin(), list.end()}; }

TStringList ListOf(const std::vector<std::string>& items) {
  TStringList list;
  for (const std::string& item : items) list.Add(item);
  return list;
}

int FirstByteOnly(const std::string& a, const std::string& b) { return a[0] - b[0]; }

TEST(TStringList, AddDeleteAndRead) {
  TStringList list;
  EXPECT_EQ(list.Add("a"), 0);
  EXPECT_EQ(list.Add("a"), 1);
  EXPECT_EQ(list.Add("b"), 2);
  list.Delete(1);
  EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(list[1], "b");
}

TEST(TStringList, IndexOutOfRangeNamesTheIndex) {
  // "リストのインデックスが範囲を超えています (%d)"
  const std::string text =
      "\x83\x8A\x83\x58\x83\x67\x82\xCC\x83\x43\x83\x93\x83\x66\x83\x62\x83\x4E\x83\x58\x82\xAA\x94\xCD\x88\xCD\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7 (";
  TStringList list = ListOf({"x"});
  for (const int index : {-1, 1, 2147483647}) {
    try {
      list.Delete(index);
      ADD_FAILURE() << index;
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), text + DecimalText(index) + ")");
    }
    EXPECT_THROW(list[index], EStringListError);
  }
  EXPECT_EQ(list.Count(), 1);
}

// Orders of equal strings traced by hand through the quicksort's steps.
TEST(TStringList, SortPlacesEqualStringsAsItsQuicksortDoes) {
  struct Case {
    std::vector<std::string> before, after;
  } cases[] = {
      {{"abc", "ABC"}, {"ABC", "abc"}},
      {{"a1", "a2", "a3"}, {"a3", "a2", "a1"}},
      {{"a1", "a2", "a3", "a4"}, {"a3", "a4", "a1", "a2"}},
      {{"b1", "a1", "b2", "a2"}, {"a2", "a1", "b1", "b2"}},
      {{"x"}, {"x"}},
  };
  for (const Case& c : cases) {
    TStringList list = ListOf(c.before);
    list.Sort(FirstByteOnly);
    EXPECT_EQ(Items(list), c.after);
  }
  TStringList two = ListOf({"abc", "ABC"});
  two.Sort();
  EXPECT_EQ(Items(two), (std::vector<std::string>{"ABC", "abc"}));
}

TEST(TStringList, SortOrdersLargeListsAndKeepsEveryString) {
  std::mt19937 random(7);
  for (const int size : {2, 3, 10, 257, 5000}) {
    std::vector<std::string> items;
    for (int i = 0; i < size; ++i) items.push_back(std::to_string(random() % 100) + "-" + std::to_string(i));
    TStringList list = ListOf(items);
    list.Sort(FirstByteOnly);
    std::vector<std::string> sorted = Items(list);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                               [](const std::string& a, const std::string& b) { return a[0] < b[0]; }));
    std::sort(sorted.begin(), sorted.end());
    std::sort(items.begin(), items.end());
    EXPECT_EQ(sorted, items);
  }
}

}  // namespace
}  // namespace skimdex

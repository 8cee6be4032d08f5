#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace skimdex {

// The list's quicksort over any items: `compare` gives -1, 0 or 1, and the final order of items that
// compare equal depends on this exact algorithm.
template <typename Item, typename Compare>
void QuickSortItems(std::vector<Item>& items, int left, int right, const Compare& compare) {
  int i;
  do {
    i = left;
    int j = right;
    int pivot = (left + right) / 2;  // follows the pivot item when it is exchanged
    do {
      while (compare(items[i], items[pivot]) < 0) ++i;
      while (compare(items[j], items[pivot]) > 0) --j;
      if (i <= j) {
        std::swap(items[i], items[j]);
        if (pivot == i)
          pivot = j;
        else if (pivot == j)
          pivot = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j) QuickSortItems(items, left, j, compare);
    left = i;
  } while (i < right);
}

template <typename Item, typename Compare>
void QuickSortItems(std::vector<Item>& items, const Compare& compare) {
  if (items.size() >= 2) QuickSortItems(items, 0, static_cast<int>(items.size()) - 1, compare);
}

// An ordered list of byte strings, indexed from 0; equal strings may repeat. Each string may carry an
// object, a number its owner gives it meaning (0 when none was given).
class TStringList {
 public:
  using Compare = std::function<int(const std::string&, const std::string&)>;

  int Add(std::string text);  // returns the new string's index
  int AddObject(std::string text, std::uint64_t object);
  void Delete(int index);
  const std::string& operator[](int index) const;
  std::uint64_t Object(int index) const;
  int Count() const { return static_cast<int>(items_.size()); }

  // Sorts with QuickSortItems; each object stays with its string.
  void Sort(const Compare& compare);
  void Sort();  // by LocaleCompareNoCase

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  void CheckIndex(int index) const;

  std::vector<std::string> items_;
  std::vector<std::uint64_t> objects_;
};

}  // namespace skimdex

#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace skimdex {

// An ordered list of byte strings, indexed from 0; equal strings may repeat.
class TStringList {
 public:
  using Compare = std::function<int(const std::string&, const std::string&)>;

  int Add(std::string text);  // returns the new string's index
  void Delete(int index);
  const std::string& operator[](int index) const;
  int Count() const { return static_cast<int>(items_.size()); }

  // Sorts with this exact quicksort: the final order of strings that compare equal depends on it.
  void Sort(const Compare& compare);
  void Sort();  // by LocaleCompareNoCase

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  void CheckIndex(int index) const;
  void QuickSort(int left, int right, const Compare& compare);

  std::vector<std::string> items_;
};

}  // namespace skimdex

#include "text/string_list.h"

#include <utility>

#include "text/cp932.h"
#include "text/exception.h"
#include "text/locale.h"

namespace skimdex {
namespace {

// "リストのインデックスが範囲を超えています (%d)"
constexpr char kIndexOutOfRange[] =
    "\x83\x8A\x83\x58\x83\x67\x82\xCC\x83\x43\x83\x93\x83\x66\x83\x62\x83\x4E\x83\x58\x82\xAA\x94\xCD\x88\xCD\x82\xF0\x92\xB4\x82\xA6\x82\xC4\x82\xA2\x82\xDC\x82\xB7 (%d)";

}  // namespace

int TStringList::Add(std::string text) {
  items_.push_back(std::move(text));
  return Count() - 1;
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
}

const std::string& TStringList::operator[](int index) const {
  CheckIndex(index);
  return items_[index];
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw EStringListError(FillPlaceholder(kIndexOutOfRange, DecimalText(index)));
  }
}

void TStringList::Sort(const Compare& compare) {
  if (Count() >= 2) QuickSort(0, Count() - 1, compare);
}

void TStringList::Sort() { Sort(LocaleCompareNoCase); }

void TStringList::QuickSort(int left, int right, const Compare& compare) {
  int i;
  do {
    i = left;
    int j = right;
    int pivot = (left + right) / 2;  // follows the pivot string when it is exchanged
    do {
      while (compare(items_[i], items_[pivot]) < 0) ++i;
      while (compare(items_[j], items_[pivot]) > 0) --j;
      if (i <= j) {
        std::swap(items_[i], items_[j]);
        if (pivot == i)
          pivot = j;
        else if (pivot == j)
          pivot = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j) QuickSort(left, j, compare);
    left = i;
  } while (i < right);
}

}  // namespace skimdex

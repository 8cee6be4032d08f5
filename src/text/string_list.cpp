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

int TStringList::Add(std::string text) { return AddObject(std::move(text), 0); }

int TStringList::AddObject(std::string text, std::uint64_t object) {
  items_.push_back(std::move(text));
  objects_.push_back(object);
  return Count() - 1;
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  objects_.erase(objects_.begin() + index);
}

const std::string& TStringList::operator[](int index) const {
  CheckIndex(index);
  return items_[index];
}

std::uint64_t TStringList::Object(int index) const {
  CheckIndex(index);
  return objects_[index];
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw EStringListError(FillPlaceholder(kIndexOutOfRange, DecimalText(index)));
  }
}

// The strings' places are sorted, so each object moves with its string.
void TStringList::Sort(const Compare& compare) {
  std::vector<int> order(items_.size());
  for (int i = 0; i < Count(); ++i) order[i] = i;
  QuickSortItems(order, [&](int a, int b) { return compare(items_[a], items_[b]); });
  std::vector<std::string> items;
  std::vector<std::uint64_t> objects;
  for (const int i : order) {
    items.push_back(std::move(items_[i]));
    objects.push_back(objects_[i]);
  }
  items_ = std::move(items);
  objects_ = std::move(objects);
}

void TStringList::Sort() {
  Sort([](const std::string& a, const std::string& b) { return LocaleCompareNoCase(a, b); });
}

}  // namespace skimdex

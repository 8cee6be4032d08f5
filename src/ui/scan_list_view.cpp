#include "ui/scan_list_view.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "text/wide.h"
#include "ui/dialog_base.h"

namespace skimdex {
namespace {

// A piece takes about this long, so that no message waits for more than twice as much; each piece is
// sized by what the one before took per entry.
constexpr auto kPieceTime = std::chrono::milliseconds(100);
constexpr int kMostPerPiece = 20000;

}  // namespace

void ScanListView::Create(HWND parent, int id) {
  edit_ = Created(
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"Skimdex",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY, 0, 0, 0,
                      0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr));
  // The whole scan list of a big tree goes in; the default limit holds only 30,000 characters.
  SendMessageW(edit_, EM_SETLIMITTEXT, 0x7FFFFFFE, 0);
}

void ScanListView::Clear() {
  SetWindowTextW(edit_, L"");
  length_ = 0;
}

void ScanListView::Append(TStringList list) {
  if (list.Count() == 0) return;
  lists_.push_back(std::move(list));
  if (!held_) Release();
}

void ScanListView::Hold() {
  held_ = true;
  KillTimer(GetParent(edit_), timer_);
}

// The window is painted first: what the run shows at its end comes before the memo's first piece.
void ScanListView::Release() {
  held_ = false;
  if (!Waiting()) return;
  UpdateWindow(GetParent(edit_));
  TakeNextPiece();
  if (Waiting()) SetTimer(GetParent(edit_), timer_, USER_TIMER_MINIMUM, nullptr);
}

// A timer message comes after input and painting, so the window answers between two pieces.
void ScanListView::OnTimer() {
  if (!held_ && Waiting()) TakeNextPiece();
  if (held_ || !Waiting()) KillTimer(GetParent(edit_), timer_);
}

// Appended as lines in one replacement per piece, which scrolls the memo to its end. Only the view
// appends to the control, so its length is known from the first piece on.
void ScanListView::TakeNextPiece() {
  const TStringList& list = lists_.front();
  const int count = std::min(per_piece_, list.Count() - next_);
  if (!length_) length_ = GetWindowTextLengthW(edit_);
  std::string text;
  for (auto entry = list.begin() + next_; entry != list.begin() + next_ + count; ++entry) {
    text.append(text.empty() && *length_ == 0 ? "" : "\r\n").append(*entry);
  }
  const std::wstring wide = Wide(text);
  const auto begin = std::chrono::steady_clock::now();
  SendMessageW(edit_, EM_SETSEL, *length_, *length_);
  SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - begin;
  *length_ += static_cast<int>(wide.size());
  next_ += count;
  if (next_ == list.Count()) {
    lists_.pop_front();
    next_ = 0;
  }
  // Pieces only grow, at most four times at once: each append also costs the control time that grows
  // with the text it holds, so pieces sized by their time alone would shrink as the memo fills and
  // that cost would come again for ever fewer entries.
  const double fitting = count * (kPieceTime / std::max(took, std::chrono::duration<double>(1e-6)));
  const int most = std::max(per_piece_, std::min(4 * count, kMostPerPiece));
  per_piece_ = std::clamp(static_cast<int>(std::min(fitting, 1e9)), per_piece_, most);
}

HBRUSH ScanListView::Colours(HDC dc) const {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return GetSysColorBrush(COLOR_WINDOW);
}

}  // namespace skimdex

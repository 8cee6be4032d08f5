#pragma once

#include <windows.h>

#include <deque>
#include <optional>

#include "text/string_list.h"

namespace skimdex {

// The memo: a read-only Unicode edit control that collects the scan list of every run, each entry on a
// line of its own. An edit control lays out every wrapped row as it takes it in, which for a big tree
// under Wine takes several times the run itself. So the view takes whole lists and fills the control
// afterwards, piece by piece, only while it is let: never while a run writes its pages. Each piece is
// short, and the window answers every other message between two.
class ScanListView {
 public:
  // `timer` is the parent's timer that paces the pieces; the parent hands it to OnTimer.
  explicit ScanListView(UINT_PTR timer) : timer_(timer) {}

  void Create(HWND parent, int id);
  HWND Handle() const { return edit_; }
  void Clear();
  // The entries of `list` go after every entry given before, in order.
  void Append(TStringList list);
  // Held, the view takes nothing in: a run's pages have the processor.
  void Hold();
  // Takes a first piece in at once, and the rest from the timer.
  void Release();
  void OnTimer();
  // The parent's answer to WM_CTLCOLORSTATIC for the view: the colours of an editable edit control.
  HBRUSH Colours(HDC dc) const;

 private:
  bool Waiting() const { return !lists_.empty(); }
  void TakeNextPiece();

  HWND edit_ = nullptr;
  UINT_PTR timer_;
  bool held_ = false;
  std::deque<TStringList> lists_;  // not yet wholly in the control
  int next_ = 0;                   // the first entry of lists_.front() not yet in it
  int per_piece_ = 100;
  std::optional<int> length_;  // of the control's text in UTF-16 units, once something was appended
};

}  // namespace skimdex

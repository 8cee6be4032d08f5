#include "ui/window_run.h"

#include <algorithm>
#include <utility>

namespace skimdex {
namespace {

// Repaints of the progress bar are worth at most one per interval: each costs the run its time.
constexpr UINT kProgressInterval = 40;  // milliseconds
// The memo wraps its lines, which takes long enough for a big tree that the whole list in one append
// would hold up the window: it takes the list in pieces of about this much of the window thread's time,
// each piece sized by what the one before took. A piece costs more than its lines, so pieces only grow:
// the run's thread shares the processor, and the clock would make them shrink while it writes.
constexpr ULONGLONG kMillisecondsPerAppend = 200;
constexpr int kFewestPerAppend = 100;
constexpr int kMostPerAppend = 20000;

// The processor time the calling thread has used, in milliseconds.
ULONGLONG ThreadMilliseconds() {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
  const auto ticks = [](const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return (ticks(kernel) + ticks(user)) / 10000;
}

// The pointer's clicks and wheel, in the client and non-client areas (moves only update the hint).
bool IsClick(UINT message) {
  return (message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST) ||
         (message >= WM_NCLBUTTONDOWN && message <= WM_NCXBUTTONDBLCLK);
}

}  // namespace

bool IsUserInput(const MSG& message) {
  return (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) || IsClick(message.message);
}

void DropPendingInput() {
  MSG message;
  while (PeekMessageA(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageA(&message, nullptr, WM_LBUTTONDOWN, WM_MOUSELAST, PM_REMOVE)) {
  }
  while (PeekMessageA(&message, nullptr, WM_NCLBUTTONDOWN, WM_NCXBUTTONDBLCLK, PM_REMOVE)) {
  }
}

WindowRun::~WindowRun() {
  {
    const std::lock_guard lock(mutex_);
    abandoned_ = true;
  }
  answered_.notify_all();
  if (worker_.joinable()) worker_.join();
}

void WindowRun::Start() {
  if (under_way_) return;
  under_way_ = true;
  progress_ = {};
  SetTimer(window_, kProgressTimer, kProgressInterval, nullptr);
  worker_ = std::thread(&WindowRun::Work, this);
}

void WindowRun::Work() {
  std::exception_ptr error;
  try {
    RunIndex(*this, *this, *this);
  } catch (...) {
    error = std::current_exception();
  }
  Send({.kind = EventKind::Ended, .error = error});
}

void WindowRun::Send(Event event) {
  {
    const std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
  }
  PostMessageA(window_, kMessage, 0, 0);
}

void WindowRun::SetCaption(const std::string& caption) {
  Send({.kind = EventKind::Caption, .caption = caption});
}

void WindowRun::ShowScanList(const TStringList& list) { Send({.kind = EventKind::ScanList, .list = list}); }

void WindowRun::SetMaximum(int maximum) {
  const std::lock_guard lock(mutex_);
  progress_ = {maximum, progress_.position, true};
}

void WindowRun::SetPosition(int position) {
  const std::lock_guard lock(mutex_);
  progress_ = {progress_.maximum, position, true};
}

MessageAnswer WindowRun::Show(const std::string& text, const std::string& title, MessageButtons buttons) {
  Question question{text, title, buttons, std::nullopt};
  Send({.kind = EventKind::Question, .question = &question});
  std::unique_lock lock(mutex_);
  answered_.wait(lock, [&] { return question.answer || abandoned_; });
  return question.answer.value_or(MessageAnswer::Cancel);
}

// A question, the end of the run and its caption "Finish" come after the scan list is in the memo:
// the user reads the list before answering, and "Finish" means that everything has been shown.
bool WindowRun::MustFollowTheMemo(const Event& event) const {
  return event.kind == EventKind::Question || event.kind == EventKind::Ended ||
         (event.kind == EventKind::Caption && event.caption == kCaptionFinish);
}

// Takes every event that may be shown now; while the memo fills, one piece per message, so that
// the window answers other messages between the pieces.
void WindowRun::OnMessage() {
  for (;;) {
    const bool memo_filling = memo_next_ < memo_entries_.Count();
    std::unique_lock lock(mutex_);
    if (events_.empty() || (memo_filling && MustFollowTheMemo(events_.front()))) break;
    Event event = std::move(events_.front());
    events_.pop_front();
    lock.unlock();
    Handle(event);
  }
  if (memo_next_ < memo_entries_.Count()) {
    AppendNextEntries();
    PostMessageA(window_, kMessage, 0, 0);
  }
}

void WindowRun::OnTimer() { ShowLatestProgress(); }

void WindowRun::Handle(Event& event) {
  switch (event.kind) {
    case EventKind::Caption:
      ShowLatestProgress();
      display_.ShowCaption(event.caption);
      return;
    case EventKind::ScanList:
      memo_entries_ = std::move(event.list);
      memo_next_ = 0;
      entries_per_append_ = kFewestPerAppend;
      return;
    case EventKind::Question: {
      const MessageAnswer answer =
          display_.Ask(event.question->text, event.question->title, event.question->buttons);
      {
        const std::lock_guard lock(mutex_);
        event.question->answer = answer;
      }
      answered_.notify_all();
      return;
    }
    case EventKind::Ended:
      worker_.join();
      KillTimer(window_, kProgressTimer);
      ShowLatestProgress();
      memo_entries_ = {};
      under_way_ = false;
      display_.RunEnded(event.error);
      return;
  }
}

void WindowRun::AppendNextEntries() {
  const int count = std::min(entries_per_append_, memo_entries_.Count() - memo_next_);
  const auto first = memo_entries_.begin() + memo_next_;
  const ULONGLONG begin = ThreadMilliseconds();
  display_.AppendScanEntries(std::span<const std::string>(first, first + count));
  const ULONGLONG took = std::max<ULONGLONG>(ThreadMilliseconds() - begin, 1);
  // At most four times as many: a thread's time may be counted in steps as coarse as 16 ms.
  const ULONGLONG fitting =
      std::min({count * kMillisecondsPerAppend / took, 4ULL * count, ULONGLONG{kMostPerAppend}});
  entries_per_append_ = std::max(entries_per_append_, static_cast<int>(fitting));
  memo_next_ += count;
  // The next piece is posted, and posted messages come before painting: paint the window now.
  UpdateWindow(window_);
}

void WindowRun::ShowLatestProgress() {
  Progress latest;
  {
    const std::lock_guard lock(mutex_);
    latest = std::exchange(progress_, {progress_.maximum, progress_.position, false});
  }
  if (latest.changed) display_.ShowProgress(latest.maximum, latest.position);
}

}  // namespace skimdex

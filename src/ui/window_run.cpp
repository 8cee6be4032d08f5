#include "ui/window_run.h"

#include <utility>

#include "ui/input_rule.h"

namespace skimdex {
namespace {

// Repaints of the progress bar are worth at most one per interval: each costs the run its time.
constexpr UINT kProgressInterval = 40;  // milliseconds

std::function<bool(const MSG&)> input_gate;

// The user's input: keys, and the pointer's clicks and wheel in the client and non-client areas
// (moves only update the hint).
struct MessageRange {
  UINT first, last;
};
constexpr MessageRange kInput[] = {
    {WM_KEYFIRST, WM_KEYLAST},
    {WM_LBUTTONDOWN, WM_MOUSELAST},
    {WM_NCLBUTTONDOWN, WM_NCXBUTTONDBLCLK},
};

}  // namespace

bool IsUserInput(const MSG& message) {
  for (const MessageRange& range : kInput) {
    if (message.message >= range.first && message.message <= range.last) return true;
  }
  return false;
}

void DropPendingInput() {
  MSG message;
  for (const MessageRange& range : kInput) {
    while (PeekMessageW(&message, nullptr, range.first, range.last, PM_REMOVE)) {
    }
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

void SetInputGate(std::function<bool(const MSG&)> drops) { input_gate = std::move(drops); }

bool InputGateDrops(const MSG& message) { return input_gate && input_gate(message); }

void WindowRun::Start(RunSettings settings) {
  if (under_way_) return;
  under_way_ = true;
  progress_ = {};
  SetTimer(window_, kProgressTimer, kProgressInterval, nullptr);
  worker_ = std::thread(&WindowRun::Work, this, std::move(settings));
}

bool WindowRun::DropsInput(const MSG& message) const {
  return IsUserInput(message) && skimdex::DropsInput(message.time, under_way_, ended_at_);
}

void WindowRun::Work(const RunSettings& settings) {
  std::exception_ptr error;
  try {
    RunIndex(settings, *this, *this, *this);
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

void WindowRun::OnMessage() {
  for (;;) {
    std::unique_lock lock(mutex_);
    if (events_.empty()) break;
    Event event = std::move(events_.front());
    events_.pop_front();
    lock.unlock();
    Handle(event);
  }
}

void WindowRun::OnTimer() { ShowLatestProgress(); }

void WindowRun::Handle(Event& event) {
  switch (event.kind) {
    case EventKind::Caption:
      // "Finish" tells the user that the run is over: it shows once the run has been marked so.
      if (event.caption == kCaptionFinish) {
        finish_due_ = true;
        return;
      }
      ShowLatestProgress();
      display_.ShowCaption(event.caption);
      return;
    case EventKind::ScanList:
      display_.AppendScanList(std::move(event.list));
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
      return End(event.error);
  }
}

// Input given up to now was given during the run: the tick is taken before the run is marked over.
void WindowRun::End(std::exception_ptr error) {
  worker_.join();
  KillTimer(window_, kProgressTimer);
  ShowLatestProgress();
  ended_at_ = GetTickCount();
  under_way_ = false;
  if (std::exchange(finish_due_, false)) display_.ShowCaption(kCaptionFinish);
  display_.RunEnded(error);
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

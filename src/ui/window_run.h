#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "index/message_box.h"
#include "index/progress.h"
#include "index/run.h"
#include "text/string_list.h"

// The main window's index run, on a thread of its own, so that the window keeps answering the system
// however long the walk and the pages take. The run reaches the window only through posted messages;
// each of its questions waits for the answer of a message box that the window shows on its own thread.
namespace skimdex {

// Clicks and keys, which the window drops while a run is under way rather than deliver after it.
bool IsUserInput(const MSG& message);
// Drops the clicks and keys waiting for this thread, so that none answers a box about to show.
void DropPendingInput();
// The one test that every message loop of the program applies before it dispatches a message, set
// by the window that hosts the runs: true drops the message.
void SetInputGate(std::function<bool(const MSG&)> drops);
bool InputGateDrops(const MSG& message);

// What the window shows of a run: called on the window's thread only.
class RunDisplay {
 public:
  virtual ~RunDisplay() = default;
  virtual void ShowCaption(const std::string& caption) = 0;
  virtual void ShowProgress(int maximum, int position) = 0;
  virtual void AppendScanList(TStringList list) = 0;
  virtual MessageAnswer Ask(const std::string& text, const std::string& title, MessageButtons buttons) = 0;
  // The run is over: it ended normally (`error` empty) or raised `error`.
  virtual void RunEnded(std::exception_ptr error) = 0;
};

class WindowRun final : private RunView, private ProgressSink, private MessageBoxes {
 public:
  // The messages the window hands to OnMessage and OnTimer.
  static constexpr UINT kMessage = WM_APP + 1;
  static constexpr UINT_PTR kProgressTimer = 1;

  WindowRun(HWND window, RunDisplay& display) : window_(window), display_(display) {}
  WindowRun(const WindowRun&) = delete;
  WindowRun& operator=(const WindowRun&) = delete;
  // Answers every question still open with Cancel and waits for the run to end.
  ~WindowRun() override;

  // Starts a run over `settings`; nothing while one is under way.
  void Start(RunSettings settings);
  // From Start until the window has been told that the run ended.
  bool UnderWay() const { return under_way_; }
  // A click or key given during a run or before the last one ended: it must never act.
  bool DropsInput(const MSG& message) const;

  void OnMessage();
  void OnTimer();

 private:
  enum class EventKind { Caption, ScanList, Question, Ended };
  struct Question {
    std::string text, title;
    MessageButtons buttons;
    std::optional<MessageAnswer> answer;
  };
  struct Event {
    EventKind kind;
    std::string caption = {};
    TStringList list = {};
    Question* question = nullptr;
    std::exception_ptr error = {};
  };
  struct Progress {
    int maximum = 0;
    int position = 0;
    bool changed = false;
  };

  // On the run's thread.
  void Work(const RunSettings& settings);
  void Send(Event event);
  void SetCaption(const std::string& caption) override;
  void ShowScanList(const TStringList& list) override;
  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;
  MessageAnswer Show(const std::string& text, const std::string& title, MessageButtons buttons) override;

  // On the window's thread.
  void Handle(Event& event);
  void End(std::exception_ptr error);
  void ShowLatestProgress();

  HWND window_;
  RunDisplay& display_;
  std::thread worker_;
  bool under_way_ = false;
  std::optional<DWORD> ended_at_;  // the tick at which the last run was marked over
  bool finish_due_ = false;        // the run reached "Finish", shown when it is marked over

  std::mutex mutex_;
  std::condition_variable answered_;
  std::deque<Event> events_;
  Progress progress_;
  bool abandoned_ = false;  // the window is going: questions are answered with Cancel
};

}  // namespace skimdex

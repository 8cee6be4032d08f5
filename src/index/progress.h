#pragma once

namespace skimdex {

// A progress indicator whose minimum is 0: the main window binds it to its progress bar.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void SetMaximum(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
};

class NoProgress final : public ProgressSink {
 public:
  void SetMaximum(int) override {}
  void SetPosition(int) override {}
};

}  // namespace skimdex

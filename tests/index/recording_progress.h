#pragma once

#include <string>
#include <vector>

#include "index/progress.h"

namespace skimdex::testing {

// Records every progress call as "max N" or "pos N", in order.
class RecordingProgress : public ProgressSink {
 public:
  void SetMaximum(int maximum) override { calls.push_back("max " + std::to_string(maximum)); }
  void SetPosition(int position) override { calls.push_back("pos " + std::to_string(position)); }
  std::vector<std::string> calls;
};

}  // namespace skimdex::testing

#include "ui/input_rule.h"

namespace skimdex {

bool TickBefore(std::uint32_t earlier, std::uint32_t later) {
  return static_cast<std::int32_t>(earlier - later) < 0;
}

bool DropsInput(std::uint32_t given_at, bool run_under_way, std::optional<std::uint32_t> last_run_ended_at) {
  return run_under_way || (last_run_ended_at && TickBefore(given_at, *last_run_ended_at));
}

}  // namespace skimdex

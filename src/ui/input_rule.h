#pragma once

#include <cstdint>
#include <optional>

// Which clicks and keys the program takes. The design takes no input during a run, and input given
// then must not act afterwards either: under this load the run's own posted messages are taken before
// input, so clicks and keys typed during the run can still be waiting when it has ended.
namespace skimdex {

// Whether the tick counter's `earlier` comes before `later`, across the counter's wrap every 49.7 days:
// the two are never more than half the counter apart.
bool TickBefore(std::uint32_t earlier, std::uint32_t later);

// Whether a click or key given at tick `given_at` is dropped: during a run, and afterwards when it was
// given before the last run ended (`last_run_ended_at`, none before the first run has ended).
bool DropsInput(std::uint32_t given_at, bool run_under_way, std::optional<std::uint32_t> last_run_ended_at);

}  // namespace skimdex

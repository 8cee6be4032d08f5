#include "ui/hints.h"

#include "text/cp932.h"

namespace skimdex {

HintParts SplitHint(const std::string& hint) {
  const std::size_t bar = FindAtCharStart("|", hint);
  if (bar == 0) return {hint, hint};
  return {hint.substr(0, bar - 1), hint.substr(bar)};
}

}  // namespace skimdex

#pragma once

namespace skimdex {

constexpr int kHelpContextConfig = 6000;

}  // namespace skimdex

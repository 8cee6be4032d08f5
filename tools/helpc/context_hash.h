#pragma once

#include <cstdint>
#include <string_view>

namespace skimdex::helpc {

// True for a context id the help engine can hash: letters, digits, "." and "_".
bool IsValidContextId(std::string_view id);

// The help engine's hash of a context id, as stored in |CONTEXT and in jump commands.
std::int32_t ContextHash(std::string_view id);

}  // namespace skimdex::helpc

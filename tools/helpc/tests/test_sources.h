#pragma once

#include <string>

#include "helpc/help_source.h"

namespace skimdex::helpc::test {

std::string ReadFile(const char* path);

// A help source parsed as "test.txt" with the map numbers of src/ui/help_ids.h.
HelpDocument Parse(const std::string& source);

// The project's help source.
const std::string& ManualSource();

}  // namespace skimdex::helpc::test

#include "settings/settings.h"

namespace skimdex {

// Empty until the settings are loaded at start-up.
std::string Current_path;
std::string save_file_name;
std::string save_file_path;
std::int32_t folder_level = 0;

}  // namespace skimdex

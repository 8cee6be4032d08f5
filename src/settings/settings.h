#pragma once

#include <cstdint>
#include <string>

// The four run settings, process-wide and read where they are used.
namespace skimdex {

extern std::string Current_path;    // folder whose tree an index run walks
extern std::string save_file_name;  // output file: the frame page
extern std::string save_file_path;  // folder of the output file as last chosen
extern std::int32_t folder_level;   // deepest folder level listed

}  // namespace skimdex

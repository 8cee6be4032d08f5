#pragma once

#include <cstdint>
#include <string>

// Loads and saves the four settings (settings/settings.h) and the main window's placement in
// HKEY_CURRENT_USER\Software\Larkmoor\Skimdex, sections "Locate" and "Config", every value a string.
// Errors are ERegistryException (settings/reg_ini_file.h); each ends the load or save at the value
// in which it happens, leaving what was already read or written in place.
namespace skimdex {

constexpr char kProgramKey[] = "Software\\Larkmoor\\Skimdex";

// The main window's bounds in pixels.
struct WindowBounds {
  std::int32_t top = 0;
  std::int32_t left = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
};

enum class PlacementValue { Top, Left, Width, Height };

// Receives each stored coordinate as soon as it is read, so an error later in the load leaves the
// coordinates before it applied and the rest at the window's designed values.
class PlacementTarget {
 public:
  virtual ~PlacementTarget() = default;
  virtual void SetStored(PlacementValue value, std::int32_t number) = 0;
};

// A placement was saved: without one, the load gives the design's coordinates.
bool PlacementStored();

// Start-up, as the main window is created: creates the program key when missing (no section), places
// the window, then loads the four settings.
void LoadSettings(PlacementTarget& window);

// The stored "IniSeekDir", or ProgramFolder(): the folder chooser's start folder.
std::string ReadStoredSeekFolder();

// The scan folder or the output file chosen by the user (folder chooser, save dialog): the setting
// changes in memory and is written at the next close.
void SetScanFolder(const std::string& folder);
void SetSaveFile(const std::string& name, const std::string& folder);

// The configuration dialog's OK: writes the four settings to "Config".
void SaveConfig();

// The main window's close: writes the placement to "Locate", then to "Config" each setting that the
// start-up load read or that was set since. A value the load never reached, because an error stopped
// it, stays in the registry as it was instead of being overwritten with a start value.
void SaveSettings(const WindowBounds& window);

// The settings that the console front end's command line leaves out.
struct OmittedSettings {
  bool scan_folder = false;   // "IniSeekDir" into Current_path
  bool file_name = false;     // "IniFileName" into save_file_name
  bool folder_level = false;  // "FolderLevel" into folder_level
};

// The console front end's defaults: reads only the omitted settings, as LoadSettings reads them, and
// never "IniFilePath". The program key and its sections are only opened for reading, never created,
// so a console run leaves the registry as it found it; a missing key gives every default.
void LoadSettingsReadOnly(const OmittedSettings& omitted);

}  // namespace skimdex

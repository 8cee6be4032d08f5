#include "settings/store.h"

#include <windows.h>

#include "settings/reg_ini_file.h"
#include "settings/scoped_key.h"
#include "settings/settings.h"
#include "text/directory.h"

namespace skimdex {
namespace {

constexpr char kLocate[] = "Locate";
constexpr char kConfig[] = "Config";
constexpr char kSeekDir[] = "IniSeekDir";
constexpr char kFileName[] = "IniFileName";
constexpr char kFilePath[] = "IniFilePath";
constexpr char kFolderLevel[] = "FolderLevel";

constexpr char kDefaultFileName[] = "Localindex.html";
constexpr std::int32_t kDefaultFolderLevel = 2;
constexpr WindowBounds kDefaultBounds{.top = 20, .left = 20, .width = 215, .height = 252};

// The settings the program holds for the user: read at start-up, or set since.
struct HeldSettings {
  bool scan_folder = false;
  bool file_name = false;
  bool file_path = false;
  bool folder_level = false;
};
HeldSettings held;

void ReadConfig(const TRegIniFile& registry) {
  Current_path = registry.ReadString(kConfig, kSeekDir, ProgramFolder());
  held.scan_folder = true;
  save_file_name = registry.ReadString(kConfig, kFileName, kDefaultFileName);
  held.file_name = true;
  save_file_path = registry.ReadString(kConfig, kFilePath, ProgramFolder());
  held.file_path = true;
  folder_level = registry.ReadInteger(kConfig, kFolderLevel, kDefaultFolderLevel);
  held.folder_level = true;
}

void WriteHeldConfig(const TRegIniFile& registry) {
  if (held.scan_folder) registry.WriteString(kConfig, kSeekDir, Current_path);
  if (held.file_name) registry.WriteString(kConfig, kFileName, save_file_name);
  if (held.file_path) registry.WriteString(kConfig, kFilePath, save_file_path);
  if (held.folder_level) registry.WriteInteger(kConfig, kFolderLevel, folder_level);
}

}  // namespace

bool PlacementStored() {
  HKEY key = nullptr;
  const std::string locate = std::string(kProgramKey) + "\\" + kLocate;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, locate.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  const ScopedKey opened(key);
  return true;
}

void LoadSettings(PlacementTarget& window) {
  held = {};
  const TRegIniFile registry(kProgramKey);
  window.SetStored(PlacementValue::Top, registry.ReadInteger(kLocate, "Top", kDefaultBounds.top));
  window.SetStored(PlacementValue::Left, registry.ReadInteger(kLocate, "Left", kDefaultBounds.left));
  window.SetStored(PlacementValue::Width, registry.ReadInteger(kLocate, "Width", kDefaultBounds.width));
  window.SetStored(PlacementValue::Height, registry.ReadInteger(kLocate, "Height", kDefaultBounds.height));
  ReadConfig(registry);
}

std::string ReadStoredSeekFolder() {
  const TRegIniFile registry(kProgramKey);
  return registry.ReadString(kConfig, kSeekDir, ProgramFolder());
}

void SetScanFolder(const std::string& folder) {
  Current_path = folder;
  held.scan_folder = true;
}

void SetSaveFile(const std::string& name, const std::string& folder) {
  save_file_name = name;
  save_file_path = folder;
  held.file_name = held.file_path = true;
}

void SaveConfig() {
  held = {true, true, true, true};
  WriteHeldConfig(TRegIniFile(kProgramKey));
}

void SaveSettings(const WindowBounds& window) {
  const TRegIniFile registry(kProgramKey);
  registry.WriteInteger(kLocate, "Top", window.top);
  registry.WriteInteger(kLocate, "Left", window.left);
  registry.WriteInteger(kLocate, "Width", window.width);
  registry.WriteInteger(kLocate, "Height", window.height);
  WriteHeldConfig(registry);
}

void LoadSettingsReadOnly(const OmittedSettings& omitted) {
  const TRegIniFile registry(kProgramKey, RegistryAccess::ReadOnly);
  if (omitted.scan_folder) Current_path = registry.ReadString(kConfig, kSeekDir, ProgramFolder());
  if (omitted.file_name) save_file_name = registry.ReadString(kConfig, kFileName, kDefaultFileName);
  if (omitted.folder_level) folder_level = registry.ReadInteger(kConfig, kFolderLevel, kDefaultFolderLevel);
}

}  // namespace skimdex

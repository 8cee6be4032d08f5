#include "settings/store.h"

#include <windows.h>

#include "settings/reg_ini_file.h"
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

void ReadConfig(const TRegIniFile& registry) {
  Current_path = registry.ReadString(kConfig, kSeekDir, ProgramFolder());
  save_file_name = registry.ReadString(kConfig, kFileName, kDefaultFileName);
  save_file_path = registry.ReadString(kConfig, kFilePath, ProgramFolder());
  folder_level = registry.ReadInteger(kConfig, kFolderLevel, kDefaultFolderLevel);
}

void WriteConfig(const TRegIniFile& registry) {
  registry.WriteString(kConfig, kSeekDir, Current_path);
  registry.WriteString(kConfig, kFileName, save_file_name);
  registry.WriteString(kConfig, kFilePath, save_file_path);
  registry.WriteInteger(kConfig, kFolderLevel, folder_level);
}

}  // namespace

void LoadSettings(PlacementTarget& window) {
  const TRegIniFile registry(kProgramKey);
  window.SetTop(registry.ReadInteger(kLocate, "Top", kDefaultBounds.top));
  window.SetLeft(registry.ReadInteger(kLocate, "Left", kDefaultBounds.left));
  window.SetWidth(registry.ReadInteger(kLocate, "Width", kDefaultBounds.width));
  window.SetHeight(registry.ReadInteger(kLocate, "Height", kDefaultBounds.height));
  ReadConfig(registry);
}

std::string ReadStoredSeekFolder() {
  const TRegIniFile registry(kProgramKey);
  return registry.ReadString(kConfig, kSeekDir, ProgramFolder());
}

void SaveConfig() { WriteConfig(TRegIniFile(kProgramKey)); }

void SaveSettings(const WindowBounds& window) {
  const TRegIniFile registry(kProgramKey);
  registry.WriteInteger(kLocate, "Top", window.top);
  registry.WriteInteger(kLocate, "Left", window.left);
  registry.WriteInteger(kLocate, "Width", window.width);
  registry.WriteInteger(kLocate, "Height", window.height);
  WriteConfig(registry);
}

void LoadSettingsReadOnly(const OmittedSettings& omitted) {
  const TRegIniFile registry(kProgramKey, RegistryAccess::ReadOnly);
  if (omitted.scan_folder) Current_path = registry.ReadString(kConfig, kSeekDir, ProgramFolder());
  if (omitted.file_name) save_file_name = registry.ReadString(kConfig, kFileName, kDefaultFileName);
  if (omitted.folder_level) folder_level = registry.ReadInteger(kConfig, kFolderLevel, kDefaultFolderLevel);
}

}  // namespace skimdex

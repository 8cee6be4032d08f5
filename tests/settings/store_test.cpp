#include "settings/store.h"

#include <windows.h>

#include <sddl.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <tuple>
#include <vector>

#include "settings/reg_ini_file.h"
#include "settings/settings.h"
#include "support/samples.h"
#include "support/test_guard.h"
#include "text/directory.h"
#include "text/unicode.h"

namespace skimdex {
namespace {

using namespace std::string_literals;

// The messages after the quoted name: のデータ型が不正です, の設定に失敗しました
const std::string kIsNoString =
    " \x82\xCC\x83\x66\x81\x5B\x83\x5E\x8C\x5E\x82\xAA\x95\x73\x90\xB3\x82\xC5\x82\xB7";
const std::string kWasNotSet =
    " \x82\xCC\x90\xDD\x92\xE8\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
// キー Config の作成に失敗しました
const std::string kConfigNotCreated =
    "\x83\x4C\x81\x5B Config \x82\xCC\x8D\xEC\x90\xAC\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
using testing::kHyo;
const std::vector<std::string> kDefaultPlacement = {"top 20", "left 20", "width 215", "height 252"};

// A value as the registry holds it: the data bytes, any terminating NUL included.
struct RawValue {
  DWORD type = REG_NONE;
  std::string data;
  bool operator==(const RawValue&) const = default;
};

RawValue Text(const std::string& text) { return {REG_SZ, text + '\0'}; }

std::string PathOf(const std::string& section) {
  return section.empty() ? kProgramKey : kProgramKey + "\\"s + section;
}

void SetRaw(const std::string& section, const std::string& name, const RawValue& value) {
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, PathOf(section).c_str(), name.c_str(), value.type,
                            value.data.data(), static_cast<DWORD>(value.data.size())),
            ERROR_SUCCESS);
}

ScopedKey OpenToRead(const std::string& section) {
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, PathOf(section).c_str(), 0, KEY_READ, &key);
  return ScopedKey(key);
}

std::optional<RawValue> QueryRaw(const std::string& section, const std::string& name) {
  RawValue value{REG_NONE, std::string(256, '\0')};
  DWORD size = 256;
  if (RegQueryValueExA(OpenToRead(section).get(), name.c_str(), nullptr, &value.type,
                       reinterpret_cast<BYTE*>(value.data.data()), &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.data.resize(size);
  return value;
}

// Subkeys and values directly in the key, or nothing when it is missing.
std::optional<std::pair<DWORD, DWORD>> KeyCounts(const std::string& section) {
  DWORD subkeys = 0, values = 0;
  if (RegQueryInfoKeyA(OpenToRead(section).get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                       &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::pair(subkeys, values);
}

class RecordedPlacement : public PlacementTarget {
 public:
  void SetStored(PlacementValue value, std::int32_t v) override {
    static constexpr const char* kNames[] = {"top ", "left ", "width ", "height "};
    calls.push_back(kNames[static_cast<int>(value)] + std::to_string(v));
  }
  std::vector<std::string> calls;
};

std::vector<std::string> Load() {
  RecordedPlacement window;
  LoadSettings(window);
  return window.calls;
}

auto Settings() { return std::tuple(Current_path, save_file_name, save_file_path, folder_level); }

// Each test starts and ends without the program key, the settings at their start values.
class Store : public ::testing::Test {
 protected:
  void SetUp() override {
    SKIMDEX_REQUIRE_TEST_PREFIX();
    RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey);
    Current_path = save_file_name = save_file_path = "";
    folder_level = 0;
  }
  void TearDown() override {
    if (testing::InProjectTestPrefix()) RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey);
  }
};

TEST_F(Store, FirstStartUsesDefaultsAndCreatesOnlyTheProgramKey) {
  const std::string folder = ProgramFolder();
  EXPECT_NE(GetFileAttributesA((folder + "settings_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES) << folder;
  EXPECT_EQ(Load(), kDefaultPlacement);
  EXPECT_EQ(Settings(), std::tuple(folder, "Localindex.html", folder, 2));
  EXPECT_EQ(KeyCounts(""), std::pair(0ul, 0ul));
  EXPECT_EQ(ReadStoredSeekFolder(), folder);
}

// The settings are UTF-8 in memory, Unicode in the registry: read through the code page, 表 is 95 5C.
TEST_F(Store, SaveWritesEveryValueAsTextAndLoadsItBack) {
  Current_path = "C:\\" + FromCp932(kHyo);
  save_file_name = "out.html";
  folder_level = 3;
  SaveConfig();
  EXPECT_EQ(KeyCounts(""), std::pair(1ul, 0ul));  // "Config" alone

  SaveSettings({.top = -5, .left = INT_MIN, .width = 300, .height = INT_MAX});
  const struct {
    const char* section;
    const char* name;
    RawValue stored;
  } expected[] = {{"Locate", "Top", Text("-5")},
                  {"Locate", "Left", Text("-2147483648")},
                  {"Locate", "Width", Text("300")},
                  {"Locate", "Height", Text("2147483647")},
                  {"Config", "IniSeekDir", Text("C:\\" + kHyo)},
                  {"Config", "IniFileName", Text("out.html")},
                  {"Config", "IniFilePath", Text("")},
                  {"Config", "FolderLevel", {REG_SZ, {'3', '\0'}}}};
  for (const auto& value : expected)
    EXPECT_EQ(QueryRaw(value.section, value.name), value.stored) << value.name;
  EXPECT_EQ(KeyCounts(""), std::pair(2ul, 0ul));

  Current_path = save_file_name = "";
  folder_level = 0;
  EXPECT_EQ(Load(),
            (std::vector<std::string>{"top -5", "left -2147483648", "width 300", "height 2147483647"}));
  EXPECT_EQ(Settings(), std::tuple("C:\\" + FromCp932(kHyo), "out.html", "", 3));
}

// Any name goes into the registry as the Unicode text other programs read, and comes back unchanged.
TEST_F(Store, NamesOutsideTheCodePageAreStoredAsUnicodeText) {
  const std::string folder = "C:\\caf\xC3\xA9\\\xE3\x80\x9C\xF0\x9F\x98\x80";  // C:\café\〜😀
  SetScanFolder(folder);
  SaveConfig();
  wchar_t stored[64] = {};
  DWORD size = sizeof stored;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Larkmoor\\Skimdex\\Config", L"IniSeekDir",
                         RRF_RT_REG_SZ, nullptr, stored, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(std::wstring(stored), L"C:\\caf\u00E9\\\u301C\U0001F600");
  Current_path.clear();
  Load();
  EXPECT_EQ(Current_path, folder);
}

TEST_F(Store, StoredValuesLoadAsTheyAre) {
  const std::string huge(3 << 20, 'x');
  const struct {
    const char* name;
    DWORD type;
    std::string stored;
    std::string loaded;
  } cases[] = {{"IniFileName", REG_SZ, "", ""},  // present but empty: not the default
               {"IniFileName", REG_SZ, "\0"s, ""},
               {"IniFileName", REG_SZ, "no-nul.html", "no-nul.html"},
               {"IniFileName", REG_SZ, "a\0b\0"s, "a"},
               {"IniFileName", REG_SZ, kHyo + "\0"s, FromCp932(kHyo)},
               {"IniFileName", REG_SZ, huge + '\0', huge},
               {"IniSeekDir", REG_EXPAND_SZ, "%TEMP%\\pages\0"s, "%TEMP%\\pages"},
               {"FolderLevel", REG_SZ, "25\0"s, "25"},
               {"FolderLevel", REG_SZ, "abc\0"s, "2"},
               {"FolderLevel", REG_SZ, "\0"s, "2"},
               {"FolderLevel", REG_BINARY, "", "2"},  // empty reads as "" before any type test
               {"IniFileName", REG_DWORD, "", ""}};
  for (const auto& c : cases) {
    SetRaw("Config", c.name, {c.type, c.stored});
    Load();
    const std::string loaded = c.name == "FolderLevel"s  ? std::to_string(folder_level)
                               : c.name == "IniSeekDir"s ? Current_path
                                                         : save_file_name;
    EXPECT_EQ(loaded, c.loaded) << c.name << " " << c.stored.substr(0, 20);
  }
}

TEST_F(Store, NonStringValueEndsTheLoadThere) {
  const struct {
    const char* section;
    const char* name;
    DWORD type;
    std::vector<std::string> placement;
  } cases[] = {{"Locate", "Top", REG_DWORD, {}},
               {"Locate", "Height", REG_BINARY, {kDefaultPlacement.begin(), kDefaultPlacement.end() - 1}},
               {"Config", "IniSeekDir", REG_MULTI_SZ, kDefaultPlacement}};
  for (const auto& c : cases) {
    SetUp();
    SetRaw("Config", "FolderLevel", Text("5"));
    SetRaw(c.section, c.name, {c.type, std::string(8, '\0')});
    RecordedPlacement window;
    try {
      LoadSettings(window);
      ADD_FAILURE() << c.name;
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.Message(), "'" + std::string(c.name) + "'" + kIsNoString);
    }
    EXPECT_EQ(window.calls, c.placement) << c.name;
    EXPECT_EQ(Settings(), std::tuple("", "", "", 0)) << c.name;
  }
  EXPECT_THROW(ReadStoredSeekFolder(), ERegistryException);  // the last case's IniSeekDir
}

// The close after a load that an error stopped writes what the load read and what was set since,
// and leaves every other stored setting as it was.
TEST_F(Store, CloseAfterAStoppedLoadKeepsWhatTheLoadNeverRead) {
  const struct {
    const char* section;
    const char* bad_value;
    std::string seek_dir_after;
  } cases[] = {{"Locate", "Top", "C:\\mine"}, {"Config", "IniFilePath", "C:\\mine\\"}};
  for (const auto& c : cases) {
    SetUp();
    SetRaw("Config", "IniSeekDir", Text("C:\\mine\\"));
    SetRaw("Config", "FolderLevel", Text("7"));
    SetRaw(c.section, c.bad_value, {REG_DWORD, std::string(4, '\0')});
    EXPECT_THROW(Load(), ERegistryException);
    if (c.bad_value == "Top"s) SetScanFolder("C:\\mine");
    SetSaveFile("new.html", "C:\\out");
    SaveSettings({.top = 1, .left = 2, .width = 3, .height = 4});
    EXPECT_EQ(QueryRaw("Locate", "Top"), Text("1"));
    EXPECT_EQ(QueryRaw("Config", "IniSeekDir"), Text(c.seek_dir_after)) << c.bad_value;
    EXPECT_EQ(QueryRaw("Config", "IniFileName"), Text("new.html"));
    EXPECT_EQ(QueryRaw("Config", "IniFilePath"), Text("C:\\out"));
    EXPECT_EQ(QueryRaw("Config", "FolderLevel"), Text("7")) << c.bad_value;
  }
}

// "Config" keeps an old value; everyone may do anything to it but set values.
void LockConfig() {
  SetRaw("Config", "IniFileName", Text("old.html"));
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(D;;0x2;;;WD)(A;;KA;;;WD)",
                                                                   SDDL_REVISION_1, &descriptor, nullptr));
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, PathOf("Config").c_str(), 0, WRITE_DAC, &key);
  EXPECT_EQ(RegSetKeySecurity(ScopedKey(key).get(), DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
  LocalFree(descriptor);
}

TEST_F(Store, SaveStoppedBySectionKeepsWhatWasWritten) {
  LockConfig();
  SetSaveFile("new.html", "");
  try {
    SaveSettings({.top = 1, .left = 2, .width = 3, .height = 4});
    ADD_FAILURE() << "saved";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), kConfigNotCreated);
  }
  EXPECT_EQ(QueryRaw("Locate", "Height"), Text("4"));
  EXPECT_EQ(QueryRaw("Config", "IniFileName"), Text("old.html"));
  EXPECT_EQ(KeyCounts("Config"), std::pair(0ul, 1ul));
  EXPECT_THROW(SaveConfig(), ERegistryException);
  EXPECT_EQ(save_file_name, "new.html");

  const std::string too_long(20000, 'n');  // beyond the longest value name
  try {
    TRegIniFile(kProgramKey).WriteString("Locate", too_long, "x");
    ADD_FAILURE() << "written";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(e.Message(), "'" + too_long + "'" + kWasNotSet);
  }
}

constexpr OmittedSettings kAllOmitted{.scan_folder = true, .file_name = true, .folder_level = true};

TEST_F(Store, ReadOnlyLoadNeverCreatesOrWrites) {
  LoadSettingsReadOnly(kAllOmitted);
  EXPECT_EQ(Settings(), std::tuple(ProgramFolder(), "Localindex.html", "", 2));  // never IniFilePath
  EXPECT_EQ(KeyCounts(""), std::nullopt);

  SetRaw("Config", "FolderLevel", Text("7"));
  LockConfig();
  LoadSettingsReadOnly(kAllOmitted);
  EXPECT_EQ(folder_level, 7);
  EXPECT_EQ(save_file_name, "old.html");
  EXPECT_THROW(TRegIniFile(kProgramKey, RegistryAccess::ReadOnly).WriteString("Locate", "Top", "1"),
               ERegistryException);
  EXPECT_EQ(KeyCounts(""), std::pair(1ul, 0ul));
}

int OwnHandleCount() {
  std::vector<char> buffer(1 << 20);
  while (NtQuerySystemInformation(SystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                  nullptr) == static_cast<NTSTATUS>(0xC0000004)) {  // buffer too small
    buffer.resize(buffer.size() * 2);
  }
  const auto* info = reinterpret_cast<const SYSTEM_HANDLE_INFORMATION*>(buffer.data());
  int count = 0;
  for (ULONG i = 0; i < info->Count; ++i) count += info->Handle[i].OwnerPid == GetCurrentProcessId();
  return count;
}

TEST_F(Store, EveryPathClosesItsKeys) {
  const auto every_path = [] {
    Load();
    SaveSettings({});
    LoadSettingsReadOnly(kAllOmitted);
    SetRaw("Config", "IniSeekDir", {REG_DWORD, std::string(4, '\0')});
    EXPECT_THROW(Load(), ERegistryException);
    EXPECT_THROW(ReadStoredSeekFolder(), ERegistryException);
    LockConfig();
    EXPECT_THROW(SaveConfig(), ERegistryException);
    RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey);
  };
  every_path();  // the first registry call keeps HKEY_CURRENT_USER open
  const int before = OwnHandleCount();
  every_path();
  EXPECT_EQ(OwnHandleCount(), before);
}

}  // namespace
}  // namespace skimdex

#include "support/stored_settings.h"

#include <gtest/gtest.h>

namespace skimdex::testing {

namespace {

constexpr char kProgramKey[] = "Software\\Larkmoor\\Skimdex";

std::string SectionPath(const std::string& section) { return std::string(kProgramKey) + "\\" + section; }

}  // namespace

StoredValue TextValue(const std::string& text) { return {REG_SZ, text + '\0'}; }

StoredSettings::StoredSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey); }

StoredSettings::~StoredSettings() { RegDeleteTreeA(HKEY_CURRENT_USER, kProgramKey); }

void StoredSettings::Set(const std::string& section, const std::string& name,
                         const StoredValue& value) const {
  EXPECT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, SectionPath(section).c_str(), name.c_str(), value.type,
                            value.data.data(), static_cast<DWORD>(value.data.size())),
            ERROR_SUCCESS)
      << section << "\\" << name;
}

std::optional<StoredValue> StoredSettings::Get(const std::string& section, const std::string& name) const {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  StoredValue value{REG_NONE, std::string(1024, '\0')};
  DWORD size = static_cast<DWORD>(value.data.size());
  const LSTATUS status = RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                                          reinterpret_cast<BYTE*>(value.data.data()), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS) return std::nullopt;
  value.data.resize(size);
  return value;
}

bool StoredSettings::KeyExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

}  // namespace skimdex::testing

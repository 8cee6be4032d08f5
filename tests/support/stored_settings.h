#pragma once

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>

namespace skimdex::testing {

// A registry value as stored: its type and its data bytes, any terminating NUL included.
struct StoredValue {
  DWORD type = REG_NONE;
  std::string data;
  bool operator==(const StoredValue&) const = default;
};

inline void PrintTo(const StoredValue& value, std::ostream* out) {
  *out << "type " << value.type << " \"" << value.data << "\"";
}

// The text value the program writes: REG_SZ with its NUL.
StoredValue TextValue(const std::string& text);

// The program's key "Software\Larkmoor\Skimdex" under the current user, which the test owns while
// it runs: removed when made and when dropped.
class StoredSettings {
 public:
  StoredSettings();
  ~StoredSettings();
  StoredSettings(const StoredSettings&) = delete;
  StoredSettings& operator=(const StoredSettings&) = delete;

  void Set(const std::string& section, const std::string& name, const StoredValue& value) const;
  void Set(const std::string& section, const std::string& name, const std::string& text) const {
    Set(section, name, TextValue(text));
  }
  std::optional<StoredValue> Get(const std::string& section, const std::string& name) const;
  static bool KeyExists();
};

}  // namespace skimdex::testing

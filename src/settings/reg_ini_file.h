#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "settings/scoped_key.h"
#include "text/exception.h"

namespace skimdex {

// A registry value that could not be read, was not a string, or could not be written.
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

enum class RegistryAccess {
  ReadWrite,  // the key is created when missing; sections are created on the first write
  ReadOnly,   // the key is only opened, for reading; every write fails
};

// Sections (subkeys) of values (strings, integers as decimal text) under a key of HKEY_CURRENT_USER,
// held for one load or save. The strings are UTF-8 here and Unicode in the registry, so any name of a
// folder or file is stored as the text any other program reads. A key that cannot be opened reads as empty
// and refuses every write.
class TRegIniFile {
 public:
  explicit TRegIniFile(const std::string& key_path, RegistryAccess access = RegistryAccess::ReadWrite);

  // The stored text up to its first NUL, or `fallback` when the section or value is missing;
  // throws ERegistryException when the value is not REG_SZ or REG_EXPAND_SZ (which stays unexpanded).
  std::string ReadString(const std::string& section, const std::string& name,
                         const std::string& fallback) const;
  // As ReadString; a text that is not an integer gives `fallback`.
  std::int32_t ReadInteger(const std::string& section, const std::string& name, std::int32_t fallback) const;

  // Stores REG_SZ with its NUL counted, creating the section; throws ERegistryException on failure.
  void WriteString(const std::string& section, const std::string& name, const std::string& text) const;
  void WriteInteger(const std::string& section, const std::string& name, std::int32_t number) const;

 private:
  std::optional<std::string> ReadText(const std::string& section, const std::string& name) const;

  ScopedKey key_;
  RegistryAccess access_;
};

}  // namespace skimdex

#include "settings/reg_ini_file.h"

#include <cstring>

#include "text/cp932.h"
#include "text/wide.h"

namespace skimdex {
namespace {

// 'name' の取得に失敗しました
constexpr char kReadFailed[] =
    "'%s' \x82\xCC\x8E\xE6\x93\xBE\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
// 'name' のデータ型が不正です
constexpr char kWrongType[] =
    "'%s' \x82\xCC\x83\x66\x81\x5B\x83\x5E\x8C\x5E\x82\xAA\x95\x73\x90\xB3\x82\xC5\x82\xB7";
// キー section の作成に失敗しました
constexpr char kCreateFailed[] =
    "\x83\x4C\x81\x5B %s \x82\xCC\x8D\xEC\x90\xAC\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
// 'name' の設定に失敗しました
constexpr char kWriteFailed[] =
    "'%s' \x82\xCC\x90\xDD\x92\xE8\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD";

[[noreturn]] void Fail(const char* pattern, const std::string& argument) {
  throw ERegistryException(FillPlaceholder(pattern, argument));
}

ScopedKey OpenKey(HKEY parent, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, Wide(path).c_str(), 0, access, &key) != ERROR_SUCCESS) return {};
  return ScopedKey(key);
}

ScopedKey CreateKey(HKEY parent, const std::string& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(parent, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return {};
  }
  return ScopedKey(key);
}

// The value's type and its data as UTF-16 units. The size is asked first; a value that grows before it
// is read makes the read fail rather than overrun.
LSTATUS QueryValue(HKEY key, const std::string& name, DWORD& type, std::wstring& data) {
  const std::wstring wide_name = Wide(name);
  DWORD size = 0;
  LSTATUS status = RegQueryValueExW(key, wide_name.c_str(), nullptr, &type, nullptr, &size);
  if (status != ERROR_SUCCESS || size == 0) return status;
  // An odd byte at the end of a string value cannot be a whole unit: it is dropped.
  data.resize((size + 1) / sizeof(wchar_t));
  status =
      RegQueryValueExW(key, wide_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
  if (status == ERROR_SUCCESS) data.resize(size / sizeof(wchar_t));
  return status;
}

}  // namespace

TRegIniFile::TRegIniFile(const std::string& key_path, RegistryAccess access)
    : key_(access == RegistryAccess::ReadWrite ? CreateKey(HKEY_CURRENT_USER, key_path)
                                               : OpenKey(HKEY_CURRENT_USER, key_path, KEY_READ)),
      access_(access) {}

std::optional<std::string> TRegIniFile::ReadText(const std::string& section, const std::string& name) const {
  if (!key_.valid()) return std::nullopt;
  const ScopedKey subkey =
      OpenKey(key_.get(), section, access_ == RegistryAccess::ReadWrite ? KEY_ALL_ACCESS : KEY_READ);
  if (!subkey.valid()) return std::nullopt;
  DWORD type = REG_NONE;
  std::wstring data;
  const LSTATUS status = QueryValue(subkey.get(), name, type, data);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) Fail(kReadFailed, name);
  if (data.empty()) return std::string();  // an empty value reads as "", whatever its type
  if (type != REG_SZ && type != REG_EXPAND_SZ) Fail(kWrongType, name);
  // The data need not end in a NUL.
  return Narrow(std::wstring_view(data.c_str(), wcsnlen(data.c_str(), data.size())));
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& name,
                                    const std::string& fallback) const {
  return ReadText(section, name).value_or(fallback);
}

std::int32_t TRegIniFile::ReadInteger(const std::string& section, const std::string& name,
                                      std::int32_t fallback) const {
  const std::optional<std::string> text = ReadText(section, name);
  return text ? ParseIntegerOr(*text, fallback) : fallback;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& name,
                              const std::string& text) const {
  // Creating the section also opens it for writing, so a section that cannot be written fails here
  // rather than being passed over in silence. A read-only object refuses in the same way: a key
  // opened for reading does not stop every registry from creating a subkey under it.
  const bool writable = key_.valid() && access_ == RegistryAccess::ReadWrite;
  const ScopedKey subkey = writable ? CreateKey(key_.get(), section) : ScopedKey();
  if (!subkey.valid()) Fail(kCreateFailed, section);
  const std::wstring wide = Wide(text);
  const auto* bytes = reinterpret_cast<const BYTE*>(wide.c_str());
  const auto size = static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t));
  if (RegSetValueExW(subkey.get(), Wide(name).c_str(), 0, REG_SZ, bytes, size) != ERROR_SUCCESS) {
    Fail(kWriteFailed, name);
  }
}

void TRegIniFile::WriteInteger(const std::string& section, const std::string& name,
                               std::int32_t number) const {
  WriteString(section, name, DecimalText(number));
}

}  // namespace skimdex

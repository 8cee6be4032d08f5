#include "ui/field_rules.h"

#include <algorithm>
#include <optional>

#include "text/cp932.h"
#include "text/exception.h"

namespace skimdex {
namespace {

std::int64_t ClampDepth(std::int64_t value) { return std::clamp<std::int64_t>(value, kDepthMin, kDepthMax); }

std::optional<std::int32_t> IntegerOf(const std::string& text) {
  try {
    return ParseInteger(text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

}  // namespace

bool EndsInSeparator(const std::string& text) { return text.empty() || text.back() == '\\'; }

std::string WithoutTrailingSeparator(const std::string& folder) {
  if (folder.empty() || !EndsInSeparator(folder)) return folder;
  return folder.substr(0, folder.size() - 1);
}

std::string JoinedSavePath(const std::string& folder, const std::string& name) {
  return EndsInSeparator(folder) ? folder + name : folder + "\\" + name;
}

bool IsDepthKeyAccepted(char key, char decimal_separator) {
  const auto byte = static_cast<unsigned char>(key);
  if (byte < 0x20) return key != '\r';
  return key == '+' || key == '-' || (key >= '0' && key <= '9') || key == decimal_separator;
}

std::int32_t DepthValue(const std::string& text) { return ParseIntegerOr(text, kDepthMin); }

std::string DepthText(std::int32_t value) {
  return DecimalText(static_cast<std::int32_t>(ClampDepth(value)));
}

std::string SteppedDepthText(const std::string& text, int delta) {
  return DecimalText(static_cast<std::int32_t>(ClampDepth(std::int64_t{DepthValue(text)} + delta)));
}

std::string DepthTextOnExit(const std::string& text) {
  const std::optional<std::int32_t> value = IntegerOf(text);
  if (!value || ClampDepth(*value) == *value) return text;
  return DepthText(*value);
}

}  // namespace skimdex

#pragma once

#include <cstdint>
#include <string>

// The configuration dialog's decisions on its field texts, free of any window.
namespace skimdex {

constexpr std::int32_t kDepthMin = 1;
constexpr std::int32_t kDepthMax = 10;
constexpr int kDepthMaxLength = 2;

// True when the UTF-8 `text` ends in "\", and for the empty text.
bool EndsInSeparator(const std::string& text);

// The folder field's text as the scan folder: exactly one trailing whole "\" removed.
std::string WithoutTrailingSeparator(const std::string& folder);

// The save dialog's folder and bare name as one path, with no doubled "\" after a drive root.
std::string JoinedSavePath(const std::string& folder, const std::string& name);

// Whether the depth field takes the typed character: "+", "-", digits, the locale's decimal
// separator, and control characters other than Enter.
bool IsDepthKeyAccepted(char key, char decimal_separator);

// The depth the field's text stands for, unclamped; 1 for a text that is not an integer.
std::int32_t DepthValue(const std::string& text);

// The text showing `value` clamped to the depth range.
std::string DepthText(std::int32_t value);

// The text after an arrow key or a spin button: the value moved by `delta`, clamped.
std::string SteppedDepthText(const std::string& text, int delta);

// The text once the focus leaves the field: an integer outside the range clamped, any other text kept.
std::string DepthTextOnExit(const std::string& text);

}  // namespace skimdex

#include "text/uncaught_error.h"

#include "text/cp932.h"
#include "text/exception.h"

namespace skimdex {

std::optional<std::string> UncaughtErrorText(const std::exception& error) {
  if (dynamic_cast<const EAbort*>(&error) != nullptr) return std::nullopt;
  const auto* own = dynamic_cast<const Exception*>(&error);
  std::string text = own != nullptr ? own->Message() : error.what();
  if (text.empty()) return text;
  const std::size_t last = text.size();
  const std::size_t first_of_last = CharKindAt(text, last) == CharKind::Trail ? last - 1 : last;
  if (static_cast<unsigned char>(text[first_of_last - 1]) > '.') text += '.';
  return text;
}

}  // namespace skimdex

#pragma once

#include <exception>
#include <string>

namespace skimdex {

// Base of every error the program reports; the message is code page 932 text shown to the user as is.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

class EStringListError : public Exception {
 public:
  using Exception::Exception;
};

// Ends an event silently: the top-level report shows nothing for it.
class EAbort : public Exception {
 public:
  using Exception::Exception;
};

// The message pattern with its first "%s" or "%d" replaced by the argument text.
std::string FillPlaceholder(const std::string& pattern, const std::string& argument);

}  // namespace skimdex

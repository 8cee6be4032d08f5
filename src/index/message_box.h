#pragma once

#include <string>

namespace skimdex {

enum class MessageButtons { Ok, OkCancel };
enum class MessageAnswer { Ok, Cancel };

// Where the index run asks its questions: a modal box in the program, standard error in the
// console front end, scripted answers in tests.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A box with no icon, its texts in UTF-8; returns the button pressed (closing the box counts as
  // Cancel).
  virtual MessageAnswer Show(const std::string& text, const std::string& title, MessageButtons buttons) = 0;
};

}  // namespace skimdex

#pragma once
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "runtime/Translation.h"

namespace rp {

// The fixed descriptions the runtime throws, marked for the translators.
// TRANSLATORS: this and the next three head the box that reports a failure: what went wrong.
inline constexpr const char* kOverflow = TrNoop("Overflow");
inline constexpr const char* kTypeMismatch = TrNoop("Type mismatch");
inline constexpr const char* kInvalidCall = TrNoop("Invalid procedure call or argument");
inline constexpr const char* kInvalidPropertyValue = TrNoop("Invalid property value");

// A failure inside a handler step. what() is the short English description that the
// "Application Error" box shows on its first line ("Overflow", "Type mismatch"); Shown() is the
// same in the user's language, looked up when it is shown, not when it is thrown.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  // A sentence with a value: the pattern is marked with TrNoop where it is written, and its
  // "{name}" is filled in; a cause fills "{problem}" ("line 2: {problem}").
  Failure(const char* pattern, std::string_view name, std::string_view value);
  Failure(const char* pattern, std::string_view name, std::string_view value, const Failure& cause);

  std::string Shown() const;

 private:
  const char* pattern_ = nullptr;  // nullptr: what() is the whole description
  std::string name_, value_;
  std::shared_ptr<const Failure> cause_;
};

// An exception's description in the user's language, as the error box shows it.
std::string ShownDescription(const std::exception& e);

}  // namespace rp

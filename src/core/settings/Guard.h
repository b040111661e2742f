#pragma once
#include <exception>
#include <string>
#include <string_view>
#include <utility>

namespace rp {

class Main;

// Runs the numbered steps of one guarded handler. A step that fails is reported in the
// "Application Error" box with the handler's location and the step's number, and the handler
// goes on with its next step; a test that fails counts as passed, so the handler goes on with
// the first step that the test guards.
class Guard {
 public:
  // where: the form and handler, "Form1.Form_Load".
  Guard(Main& main, std::string_view where);

  template <class Action>
  void Step(int number, Action&& action) {
    try {
      std::forward<Action>(action)();
    } catch (const std::exception& e) {
      Report(e, number);
    }
  }

  template <class Condition>
  bool Test(int number, Condition&& condition) {
    try {
      return std::forward<Condition>(condition)();
    } catch (const std::exception& e) {
      Report(e, number);
      return true;
    }
  }

  const std::string& Location() const { return location_; }

 private:
  void Report(const std::exception& e, int number);

  Main& main_;
  std::string location_;
};

}  // namespace rp

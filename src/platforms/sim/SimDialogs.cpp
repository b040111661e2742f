#include "sim/SimDialogs.h"

#include "runtime/Failure.h"

namespace rp::sim {

int SimDialogs::MessageBox(std::string_view text, std::string_view title, int style) {
  boxes.push_back({std::string(text), std::string(title), style});
  if (whileBoxIsUp) whileBoxIsUp(boxes.back());
  if (boxAnswers.empty()) return 1;  // OK
  const int answer = boxAnswers.front();
  boxAnswers.pop_front();
  return answer;
}

std::string SimDialogs::OpenFile(std::string_view title, std::string_view filter) {
  openRequests.push_back({std::string(title), std::string(filter)});
  if (openFails) throw Failure("The file dialog could not be opened");
  if (openAnswers.empty()) return "";
  std::string answer = openAnswers.front();
  openAnswers.pop_front();
  return answer;
}

std::string SimDialogs::SaveFile(std::string_view title, std::string_view filter, std::string_view fileName) {
  saveRequests.push_back({std::string(title), std::string(filter), std::string(fileName)});
  if (saveAnswers.empty()) return "";
  std::string answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

}  // namespace rp::sim

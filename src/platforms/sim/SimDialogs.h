#pragma once
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ports/Dialogs.h"

namespace rp::sim {

struct SimMessageBox {
  std::string text, title;
  int style;
};

class SimDialogs : public Dialogs {
 public:
  int MessageBox(std::string_view text, std::string_view title, int style) override;
  std::string OpenFile(std::string_view title, std::string_view filter) override;
  std::string SaveFile(std::string_view title, std::string_view filter, std::string_view fileName) override;

  std::vector<SimMessageBox> boxes;
  struct OpenRequest {
    std::string title, filter;
  };
  std::vector<OpenRequest> openRequests;
  std::deque<std::string> openAnswers;  // "" cancels; an empty queue cancels too
  bool openFails = false;
  struct SaveRequest {
    std::string title, filter, fileName;
  };
  std::vector<SaveRequest> saveRequests;
  std::deque<std::string> saveAnswers;  // "" cancels; an empty queue cancels too
  std::deque<int> boxAnswers;  // the buttons pressed in the next boxes; OK after them
  // Runs while a modal box is up, as the user's other actions would.
  std::function<void(const SimMessageBox&)> whileBoxIsUp;
};

}  // namespace rp::sim

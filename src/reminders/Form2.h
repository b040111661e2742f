#pragma once
#include "app/Form.h"

namespace rp {

class Program;

// The "Break!" window that slides up at the bottom right of the screen.
class Form2 : public Form {
 public:
  explicit Form2(Program& program);
  ~Form2() override;

  Program& program;
};

}  // namespace rp

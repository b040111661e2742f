#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/Form1.h"
#include "app/Program.h"
#include "runtime/Translation.h"
#include "sim/SimDesktop.h"

namespace rp::test {

// A program on the simulated desktop. Fill the settings and files, then Start().
class SimTest : public ::testing::Test {
 protected:
  // A language the program took into use is the whole process's: the next test starts in English.
  ~SimTest() override { SetCurrentCatalog(nullptr); }
  void Start() {
    program = std::make_unique<Program>(desktop.platform);
    desktop.Run([&] { program->Start(); });
  }
  Form1& form() { return *program->form1; }
  std::string Stored(const std::string& name) {
    auto value = desktop.settings.Read(name);
    return value ? *value : "<absent>";
  }
  std::string DefaultSound() { return desktop.files.programFolder + "\\break.wav"; }

  sim::SimDesktop desktop;
  std::unique_ptr<Program> program;
};

}  // namespace rp::test

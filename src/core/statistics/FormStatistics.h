#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "ports/Platform.h"
#include "runtime/Form.h"
#include "runtime/Translation.h"

namespace rp {

class Main;
class Statistics;
class StatisticsKeeper;

inline constexpr std::string_view kStatisticsCaption = TrNoop("Statistics");

// The modal "Statistics" window, opened from the main window's system menu: the chart of the
// last two weeks, today's and the last seven days' figures as text, and Export..., Clear History
// and Close. It can be made larger; everything but the buttons grows with it. It shows the
// record the keeper keeps, or with "Keep Statistics" off the file; the option may change while
// it is open (an import, a policy), and RecordChanged() then shows the other.
class FormStatistics : public Form {
 public:
  FormStatistics(Platform& platform, Main& main, StatisticsKeeper& keeper);
  ~FormStatistics() override;

  Control& Chart1;
  Control& Label1;  // today
  Control& Label2;  // the last seven days
  Control& Label3;  // what the user should know about the file
  Control& PushButton1;  // Export...
  Control& PushButton2;  // Clear History
  Control& PushButton3;  // Close

  void Form_Load() override;
  void Form_LanguageChanged() override { Form_Load(); }  // the caption and every figure anew
  void Form_Resize() override;
  void PushButton1_Click();
  void PushButton2_Click();
  void PushButton3_Click();
  // "Keep Statistics" was turned on or off: the window shows what there is now.
  void RecordChanged();

 protected:
  void OnUnguardedFailure(const std::string& handler, const std::string& description) override;

 private:
  // The record kept, or else the file, read once.
  Statistics& Shown();
  // The chart and the figures from the record as it is now.
  void ShowRecord();
  // The chart at its size.
  void DrawChart();

  Platform& platform_;
  Main& main_;
  StatisticsKeeper& keeper_;
  // The file as read with the option off; never the kept record, which the option may end.
  std::unique_ptr<Statistics> fileOnly_;
};

}  // namespace rp

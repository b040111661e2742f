#include "breaks/SkipBudget.h"

#include <algorithm>
#include <string_view>

#include "settings/Main.h"
#include "runtime/CivilTime.h"
#include "settings/Options.h"

namespace rp {
namespace {

constexpr std::string_view kSkipsUsed = "Skips Used";
// More than any day's allowance: a larger stored count is not one the program wrote.
constexpr int kMostUsed = 1000;

}  // namespace

int& SkipBudget::UsedToday() {
  const std::string today = DateText(clock_.LocalNow());
  if (!loaded_) {
    loaded_ = true;
    // "2026-12-08 2"; anything else counts as none used.
    const std::string stored = main_.GetSetting(kSkipsUsed, "");
    const std::string_view text(stored);
    int used = 0;
    if (text.size() > 11 && text[10] == ' ' && ParseDateText(text.substr(0, 10)) &&
        ParseWholeNumber(text.substr(11), 0, kMostUsed, used)) {
      day_ = stored.substr(0, 10);
      used_ = used;
    }
  }
  if (day_ != today) {
    day_ = today;
    used_ = 0;
  }
  return used_;
}

int SkipBudget::Left() { return std::max(0, allowance_ - UsedToday()); }

bool SkipBudget::Use() {
  if (Left() == 0) return false;
  int& used = UsedToday();
  ++used;
  main_.SaveSetting(kSkipsUsed, day_ + " " + std::to_string(used));
  return true;
}

}  // namespace rp

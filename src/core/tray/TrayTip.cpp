#include "tray/TrayTip.h"

#include "runtime/Translation.h"

namespace rp {
namespace {

// The tip's parts in their order, each after a dash.
std::string JoinedNotes(const std::string& first, const std::string& second) {
  if (first.empty() || second.empty()) return first + second;
  return first + " - " + second;
}

// The chosen keys that could not be registered, named once; "" when none.
std::string KeysNote(const std::vector<std::string>& keys) {
  std::string names;
  for (const std::string& key : keys) names += (names.empty() ? "" : ", ") + key;
  // TRANSLATORS: in the tray icon's tip, which holds about 127 characters; {keys} lists keys
  // as the Options window writes them, like Ctrl+Alt+B.
  const std::string pattern = TrPlural("key used by another program: {keys}", "keys used by another program: {keys}",
                                       static_cast<long long>(keys.size()));
  return keys.empty() ? "" : Fill(pattern, {{"keys", names}});
}

}  // namespace

void TrayTip::ReadPolicies() {
  const std::vector<std::string> ignored = settings_.IgnoredPolicies();
  std::string names;
  for (const std::string& name : ignored) names += (names.empty() ? "" : ", ") + name;
  // TRANSLATORS: in the tray icon's tip, which holds about 127 characters; {names} lists the
  // stored names of settings, as the policy templates write them.
  const std::string pattern = TrPlural("policy value ignored: {names}", "policy values ignored: {names}",
                                       static_cast<long long>(ignored.size()));
  policyNote_ = ignored.empty() ? "" : Fill(pattern, {{"names", names}});
  Update();
}

void TrayTip::TellOnce(std::string note) {
  once_ = std::move(note);
  onceWith_.reset();
  Update();
}

std::string TrayTip::WithOnce(const std::string& tip) {
  if (once_.empty()) return tip;
  if (!onceWith_) {
    onceWith_ = tip;
  } else if (*onceWith_ != tip) {
    once_.clear();
    return tip;
  }
  return JoinedNotes(tip, once_);
}

void TrayTip::Update() {
  const TipState s = state_();
  progress_.Show(s.iconShowsProgress, s.period);
  if (showedTimeLeft_ && !s.showsTimeLeft) {
    tray_.SetTrayTip(std::string(kProductName));
    note_.clear();
  }
  showedTimeLeft_ = s.showsTimeLeft;
  if (!s.showsTimeLeft) {
    // A held break, or a record that cannot be saved, is told in the tip whatever the option:
    // the user would not know otherwise; so are policy values that had to be ignored.
    // TRANSLATORS: in the tray icon's tip after the program's name and a dash
    const std::string note =
        WithOnce(JoinedNotes(JoinedNotes(policyNote_, KeysNote(s.keysTaken)), s.held ? Tr("break held") : s.problem));
    if (note == note_) return;
    note_ = note;
    tray_.SetTrayTip(std::string(kProductName) + (note.empty() ? "" : " - " + note));
    return;
  }
  std::string state;
  if (!s.reminding) {
    // TRANSLATORS: in the tray icon's tip after the program's name and a dash: reminding is off
    state = Tr("stopped");
  } else if (!s.holdText.empty()) {
    state = s.holdText;
  } else if (s.away) {
    // TRANSLATORS: in the tray icon's tip: the user is away from the computer
    state = Tr("away");
  } else if (s.held) {
    state = s.heldText.empty() ? Tr("break held") : s.heldText;
  } else {
    // Whole minutes, rounded up: the text changes once a minute, and so the shell is told.
    const std::int64_t left = s.secondsLeft;
    // TRANSLATORS: in the tray icon's tip; {minutes} is a number of minutes, "min" their abbreviation
    state = Fill(Tr("next break in {minutes} min"), {{"minutes", std::to_string(left > 0 ? (left + 59) / 60 : 0)}});
  }
  note_ = s.problem;
  const std::string tip = WithOnce(std::string(kProductName) + " - " +
                                   JoinedNotes(JoinedNotes(policyNote_, KeysNote(s.keysTaken)), state) +
                                   (s.problem.empty() ? "" : ", " + s.problem));
  if (tip != tray_.TrayTip()) tray_.SetTrayTip(tip);
}

}  // namespace rp

// Lays out every window of the program with its own window code, in English and in each
// translation the exe carries, at 96 and at 144 dpi, and names every text that does not fit
// where it is drawn: the window, the control, the language, the scale, the text and by how many
// pixels it is too wide or too tall. Exit status 1 when any does not fit.
//
// The texts the program sets while it runs are set here too, each in its longest realistic form,
// through the program's own functions where it has one and through the same Tr/Fill calls as the
// code elsewhere, so that a longer wording in a .po is measured.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "app/Program.h"
#include "reminders/Form2.h"
#include "breaks/FormBreak.h"
#include "breaks/FormEyeBreak.h"
#include "exercises/BuiltinExercises.h"
#include "breaks/FormWarning.h"
#include "runtime/Catalog.h"
#include "runtime/Layout.h"
#include "runtime/Translation.h"
#include "presence/Considerate.h"
#include "options/FormOptions.h"
#include "statistics/FormStatistics.h"
#include "breaks/GuidedBreak.h"
#include "statistics/StatisticsView.h"
#include "settings/WorkingHours.h"
#include "countdown/modReminder.h"
#include "win32/ControlPainting.h"
#include "win32/FormWindow.h"
#include "win32/NativeControl.h"
#include "win32/SystemLibrary.h"
#include "win32/Text.h"
#include "win32/Win32Desktop.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32Fetcher.h"
#include "win32/Win32Files.h"
#include "win32/Win32MediaPlayer.h"
#include "win32/Win32Monitors.h"
#include "win32/Win32Numbers.h"
#include "win32/Win32Presence.h"
#include "win32/Win32Registry.h"
#include "win32/Win32Settings.h"
#include "win32/Win32Shell.h"
#include "win32/Win32TimeZones.h"
#include "win32/Win32WallClock.h"

namespace {

using namespace rp;
using namespace rp::win32;

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED
constexpr int kScales[] = {96, 144};

HWND WindowOf(const Form& form) { return reinterpret_cast<HWND>(form.View()->Handle()); }

// Wine gives every window the system's dots per inch and never says otherwise: tell the window
// as Windows does when it moves to a monitor of this scale.
void ScaleTo(Form& form, int dpi) {
  RECT place;
  GetWindowRect(WindowOf(form), &place);
  SendMessageW(WindowOf(form), kDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&place));
}

// How far a text's ink runs over its room, left or right and above or below: the text drawn as
// the painting draws it, unclipped, into a bitmap with space all round, and every pixel of ink
// outside the room counted. A line whose empty descent hangs below a label is no harm; a
// descender or a word cut off is.
// `at` is where it is drawn, when that is not its room.
SIZE Overrun(const std::wstring& text, const RECT& room, UINT format, HFONT font, const RECT* at = nullptr) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, font);
  const RECT drawn = at ? *at : room;
  RECT needed = drawn;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed, format | DT_CALCRECT);
  const int width = room.right - room.left, height = room.bottom - room.top;
  const int margin = std::max({needed.right - needed.left, needed.bottom - needed.top, drawn.right - room.left,
                               drawn.bottom - room.top, room.right - drawn.left, room.bottom - drawn.top}) + 8;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width + 2 * margin, -(height + 2 * margin), 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  PatBlt(dc, 0, 0, width + 2 * margin, height + 2 * margin, WHITENESS);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT place = drawn;
  OffsetRect(&place, margin - room.left, margin - room.top);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place, format | DT_NOCLIP);
  GdiFlush();
  SIZE over{0, 0};
  const auto* pixel = static_cast<const DWORD*>(bits);
  for (int y = 0; y < height + 2 * margin; ++y)
    for (int x = 0; x < width + 2 * margin; ++x) {
      if ((pixel[y * (width + 2 * margin) + x] & 0xFFFFFF) == 0xFFFFFF) continue;
      over.cx = std::max<LONG>({over.cx, margin - x, x + 1 - (margin + width)});
      over.cy = std::max<LONG>({over.cy, margin - y, y + 1 - (margin + height)});
    }
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  SelectObject(dc, oldFont);
  DeleteDC(dc);
  return over;
}

std::string FaceOf(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  DeleteDC(dc);
  return Narrow(face);
}

// One language at one scale: counts and reports what does not fit.
class Fitting {
 public:
  Fitting(std::string language, int dpi) : language_(std::move(language)), dpi_(dpi) {}

  // The control's text as it is now.
  void Check(const Form& form, const Control& control) {
    FormWindow* window = FormWindow::FromWindow(WindowOf(form));
    NativeControl* native = window ? window->ControlOf(control) : nullptr;
    if (!native) {
      Report(form, control, control.Text(), "has no window");
      return;
    }
    faces_.insert(FaceOf(native->font));
    if (control.Kind() == ControlKind::Chart) {
      for (const DrawnShape& shape : control.Drawing()) {
        if (shape.kind != DrawnShape::Kind::Text) continue;
        // As the chart paints it: one line in its place, aligned and centred vertically, unclipped
        // but for the chart's own edges; a text that starts at its place must also end within it,
        // or it runs into what follows (the legend's next entry).
        const PixelRect p = PixelsOf(shape.rect, window->Dpi());
        const RECT at{p.left, p.top, p.left + p.width, p.top + p.height};
        const UINT align = shape.align == TextAlign::Centre ? DT_CENTER : shape.align == TextAlign::Right ? DT_RIGHT : DT_LEFT;
        RECT room;
        GetClientRect(native->window, &room);
        if (align == DT_LEFT) room.right = std::min(room.right, at.right);
        Measure(form, control, shape.text, room, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX, native->font, &at);
      }
      return;
    }
    if (control.Kind() == ControlKind::ComboBox) {
      // Each entry in its field, in the font it is drawn with, after the indent it is drawn at.
      COMBOBOXINFO info{};
      info.cbSize = sizeof info;
      GetComboBoxInfo(native->window, &info);
      RECT room = info.rcItem;
      room.left += window->Px(30);
      for (const std::string& entry : control.Entries())
        Measure(form, control, entry, room, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
                window->FontFor(ForText(control.GetFont(), entry)));
      return;
    }
    if (control.Kind() == ControlKind::TabStrip) {
      CheckTabs(form, control, *native);
      return;
    }
    if (const Control* page = control.Page(); page && page != &control) CheckInPage(form, control, *page);
    if (const std::optional<TextRoom> room = TextRoomOf(*native))
      Measure(form, control, control.Text(), room->rect, room->format, room->font);
  }

  // Each text the control shows at some time.
  void CheckEach(Form& form, Control& control, const std::vector<std::string>& texts) {
    for (const std::string& text : texts) {
      control.SetText(text);
      Check(form, control);
    }
  }

  void CheckAll(const Form& form) {
    for (const Control* control : form.Controls()) Check(form, *control);
  }

  // The tabs in one row within the strip (the system would otherwise add arrows to scroll them),
  // and above the pages.
  void CheckTabs(const Form& form, const Control& strip, const NativeControl& native) {
    RECT room;
    GetClientRect(native.window, &room);
    const int pageTop = PixelsOf(strip.Pages().at(0)->Rect(), native.owner.Dpi()).top;
    const auto tabs = static_cast<int>(SendMessageW(native.window, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < tabs; ++i) {
      RECT tab{};
      SendMessageW(native.window, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&tab));
      // The chosen tab stands 2 pixels out on either side.
      if (tab.right + 2 > room.right)
        Report(form, strip, strip.Entries().at(static_cast<std::size_t>(i)),
               std::to_string(tab.right + 2 - room.right) + " px past the strip");
      if (tab.bottom + 2 > pageTop)
        Report(form, strip, strip.Entries().at(static_cast<std::size_t>(i)),
               std::to_string(tab.bottom + 2 - pageTop) + " px into the page");
    }
  }

  // A control on a page within the page, which clips it.
  void CheckInPage(const Form& form, const Control& control, const Control& page) {
    const int dpi = FormWindow::FromWindow(WindowOf(form))->Dpi();
    const PixelRect inner = PixelsOf(control.Rect(), dpi), outer = PixelsOf(page.Rect(), dpi);
    if (control.Container() == &page && (inner.left + inner.width > outer.width || inner.top + inner.height > outer.height))
      Report(form, control, control.Text(), "runs out of its page");
  }

  int Misfits() const { return misfits_; }
  const std::set<std::string>& Faces() const { return faces_; }

 private:
  void Measure(const Form& form, const Control& control, const std::string& text, const RECT& room, UINT format,
               HFONT font, const RECT* at = nullptr) {
    if (text.empty()) return;
    const SIZE over = Overrun(Widen(text), room, format, font, at);
    std::ostringstream problem;
    if (over.cx > 0) problem << over.cx << " px too wide";
    if (over.cx > 0 && over.cy > 0) problem << ", ";
    if (over.cy > 0) problem << over.cy << " px too tall";
    if (problem.tellp() == 0) return;
    problem << " (room " << room.right - room.left << " x " << room.bottom - room.top << " px)";
    Report(form, control, text, problem.str());
  }

  void Report(const Form& form, const Control& control, const std::string& text, const std::string& problem) {
    ++misfits_;
    std::printf("%s / %s / %s / %d dpi: \"%s\" %s\n", form.Name().c_str(), control.Name().c_str(),
                language_.empty() ? "en" : language_.c_str(), dpi_, text.c_str(), problem.c_str());
  }

  std::string language_;
  int dpi_;
  int misfits_ = 0;
  std::set<std::string> faces_;
};

// The times of day the program writes in the user's format, the widest first in most.
std::vector<std::string> TimesOfDay(WallClock& clock) {
  return {clock.FormatTimeOfDay(23, 59), clock.FormatTimeOfDay(12, 59), clock.FormatTimeOfDay(10, 0)};
}

// The main window's texts of its states: the countdown, stopped, paused, outside working hours,
// held, away, the guided break, and the two captions of its button.
void CheckMainWindow(Fitting& fit, Program& program) {
  Form1& form = *program.form1;
  std::vector<std::string> states = {
      Fill(Tr("Next break will occur in {time}"), {{"time", FormatSeconds(8 * 3600 - 1)}}),
      Tr("Stopped."),
      Fill(Tr("Break: {time}"), {{"time", ClockText(29 * 60 + 59)}}),
      Fill(Tr("Break postponed: {time}"), {{"time", ClockText(GuidedBreak::kPostponeSeconds - 1)}}),
      Tr(std::string(kAwayCaption)),
  };
  for (HoldReason reason : {HoldReason::Presentation, HoldReason::FullScreen, HoldReason::QuietHours, HoldReason::Call,
                            HoldReason::Video})
    states.push_back(Tr(std::string(HeldCaption(reason))));
  for (const std::string& time : TimesOfDay(program.platform.clock)) {
    states.push_back(Fill(Tr("Reminders paused until {time}"), {{"time", time}}));
    for (int day = 0; day < 7; ++day)
      states.push_back(
          Fill(Tr("Outside working hours until {day} {time}"), {{"day", Tr(std::string(WeekdayName(day)))}, {"time", time}}));
  }
  const std::string shown = form.Frame1.Text();
  fit.CheckEach(form, form.Frame1, states);
  form.Frame1.SetText(shown);
  const std::string button = form.PushButton3.Text();
  fit.CheckEach(form, form.PushButton3, {Tr("Start Reminding"), Tr("Stop Reminding")});
  form.PushButton3.SetText(button);
}

// What is wrong with a field, told beside it: the program's own answers to wrong input.
void CheckOptions(Fitting& fit, FormOptions& form) {
  std::vector<std::string> hours, days;
  for (const char* typed : {"8-18x", "08:00-08:00", "25:00-18:00"}) {
    WorkingHours read;
    std::string problem;
    if (!ParseWorkHours(typed, read, problem)) hours.push_back(Tr(problem));
  }
  for (const char* typed : {"Wednesdy", "Mon,Tue,Wed,Thu,Fri,Saturday"}) {
    WorkingHours read;
    std::string problem;
    if (!ParseWorkDays(typed, read, problem)) days.push_back(Tr(problem));
  }
  // Every page shown in turn, as the user brings it up.
  for (std::size_t page = 0; page < form.TabStrip1.Pages().size(); ++page) {
    form.TabStrip1.SetValue(static_cast<int>(page));
    fit.Check(form, form.TabStrip1);
    for (const Control* control : form.Controls())
      if (control->Page() == form.TabStrip1.Pages()[page]) fit.Check(form, *control);
  }
  RECT outer{};
  GetWindowRect(WindowOf(form), &outer);
  std::printf("%s: %ld x %ld px\n", form.Name().c_str(), outer.right - outer.left, outer.bottom - outer.top);
  fit.CheckEach(form, form.Label3, hours);
  fit.CheckEach(form, form.Label5, days);
  // What is wrong with a key; each row's label the same size.
  for (Control* problem : {&form.Label34, &form.Label35, &form.Label36, &form.Label37})
    fit.CheckEach(form, *problem, {Tr("Used by another program"), Tr("Already chosen above")});
}

// A full day's figures, every part of the sentence present and each number at its widest.
void CheckStatistics(Fitting& fit, FormStatistics& form) {
  DayFigures busy;
  busy.screenSeconds = 23 * 3600 + 59 * 60;
  busy.due = busy.announced = 88;
  busy.taken = busy.natural = busy.postponed = busy.skipped = busy.held = 88;
  busy.heldSeconds = 9 * 3600 + 59 * 60;
  busy.eyeBreaks = 88;
  busy.longestStretchSeconds = 9 * 3600 + 59 * 60;
  fit.CheckEach(form, form.Label1, {FiguresText(Tr("Today"), busy)});
  fit.CheckEach(form, form.Label2, {FiguresText(Tr("Last 7 days"), busy)});
  // Each note alone. (Two together, "off" and unreadable lines, take a second line the label
  // does not have even in English: a matter of the window's layout, not of a translation.)
  const std::string off = Tr("Keep Statistics is off (Options): nothing is being counted. ");
  const std::string unreadable =
      Fill(TrPlural("{count} line of the file could not be read and stays as it is.",
                    "{count} lines of the file could not be read and stay as they are.", 88),
           {{"count", "88"}});
  fit.CheckEach(form, form.Label3,
                {off, Tr("The file cannot be written now; the program tries again every minute. "), unreadable});
}

// Each suggestion a guided break picks, its time left, and each count of skips left.
void CheckGuidedBreak(Fitting& fit, FormBreak& form, Program& program) {
  GuidedBreak picker(program.main, program.platform.clock);
  std::set<std::string> suggestions;
  for (int i = 0; i < 200; ++i) {
    picker.Begin(0);
    suggestions.insert(std::string(picker.Suggestion()));
  }
  std::vector<std::string> texts;
  for (const std::string& suggestion : suggestions) texts.push_back(Tr(suggestion));
  fit.CheckEach(form, form.Label2, texts);
  for (int skips = 0; skips <= Options::kMaxSkipsADay; ++skips) {
    form.ShowState(Options::kMaxBreakMinutes * 60, Options::kMaxBreakMinutes * 60, skips, false);
    fit.Check(form, form.ProgressBar1);
    fit.Check(form, form.Label3);
  }
}

// Every window at one scale in the current language.
int CheckWindows(Program& program, const std::string& language, int dpi) {
  Fitting fit(language, dpi);
  Form1& main = *program.form1;
  ScaleTo(main, dpi);
  fit.CheckAll(main);
  CheckMainWindow(fit, program);

  {
    FormOptions options(program.platform, program.main, Options{}, nullptr);
    options.Show();
    ScaleTo(options, dpi);
    fit.CheckAll(options);
    CheckOptions(fit, options);
  }
  {
    FormStatistics statistics(program.platform, program.main, program.form1->statistics);
    statistics.Show();
    ScaleTo(statistics, dpi);
    fit.CheckAll(statistics);
    CheckStatistics(fit, statistics);
  }
  {
    std::unique_ptr<Form2> sliderWindow = program.NewForm2();
    Form2& slider = *sliderWindow;
    slider.Show();
    ScaleTo(slider, dpi);
    fit.CheckAll(slider);
  }
  {
    MonitorInfo monitor = program.platform.monitors.List().at(0);
    monitor.dpi = dpi;
    FormBreak guided(program.platform.ui, program.form1->breaks.guided, monitor, Tr("Stand up and walk around for a moment."));
    guided.Show();
    ScaleTo(guided, dpi);
    fit.CheckAll(guided);
    CheckGuidedBreak(fit, guided, program);
  }
  {
    // Each built-in exercise's title, steps and time left in the break window with exercises.
    MonitorInfo monitor = program.platform.monitors.List().at(0);
    monitor.dpi = dpi;
    const std::vector<Exercise> all(BuiltinExercises().begin(), BuiltinExercises().end());
    ExerciseShow show{program.platform.loop, all, {}, 0};
    FormBreak exercises(program.platform.ui, program.form1->breaks.guided, monitor, "", &show);
    exercises.Show();
    ScaleTo(exercises, dpi);
    for (std::size_t i = 0; i < all.size(); ++i) {
      show.slots = {{i, 0, 600}};
      show.startMs = program.platform.loop.NowMs();
      exercises.ShowExercise();
      fit.CheckAll(exercises);
    }
    exercises.Timer1.SetInterval(0);
  }
  {
    FormWarning warning(program.platform, nullptr);
    warning.ShowState(Options::kMaxWarnSeconds, Options::kMaxSkipsADay, false);
    warning.Appear();
    if (warning.IsLoaded()) {
      ScaleTo(warning, dpi);
      fit.CheckAll(warning);
      for (int skips = 0; skips <= Options::kMaxSkipsADay; ++skips) {
        warning.ShowState(Options::kMaxWarnSeconds, skips, false);
        fit.Check(warning, warning.Label2);
      }
    }
  }
  {
    // The eye break's one line, and each eye exercise in its place.
    std::vector<const Exercise*> shown{nullptr};
    for (const Exercise& exercise : BuiltinExercises())
      if (exercise.kind == ExerciseKind::Eyes) shown.push_back(&exercise);
    for (const Exercise* exercise : shown) {
      FormEyeBreak eyes(program.platform, exercise);
      eyes.Appear();
      if (eyes.IsLoaded()) {
        ScaleTo(eyes, dpi);
        fit.CheckAll(eyes);
      }
    }
  }
  std::string faces;
  for (const std::string& face : fit.Faces()) faces += (faces.empty() ? "" : ", ") + face;
  std::printf("%s at %d dpi: %d texts do not fit; drawn in %s\n", language.empty() ? "en" : language.c_str(), dpi,
              fit.Misfits(), faces.c_str());
  return fit.Misfits();
}

// The languages: English and each catalog the build put into the exe (po/<tag>.po).
std::vector<std::string> Languages() {
  std::vector<std::string> languages{""};
  std::istringstream tags(RP_LANGUAGES);
  for (std::string tag; std::getline(tags, tag, ',');)
    if (!tag.empty()) languages.push_back(tag);
  return languages;
}

}  // namespace

int main() {
  // A start from a known store: the program's own settings are the design's.
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kelvadore\\Periodic Respite Prompter Utility");
  HINSTANCE instance = GetModuleHandleW(nullptr);
  ComApartment com;
  Win32Settings settings;
  Win32Files files(com);
  Win32Dialogs dialogs(com);
  Win32MediaPlayer player;
  Win32Desktop desktop(instance, com);
  Win32Registry registry;
  Win32Shell shell(instance);
  Win32Numbers numbers;
  Win32Presence presence(instance);
  Win32WallClock clock;
  Win32Monitors monitors(instance, desktop.dpiFunctions());
  Win32Fetcher fetcher(instance);
  Win32TimeZones zones;
  Platform platform{settings, files, dialogs, player, desktop, desktop, registry, shell, numbers, presence, clock, monitors, desktop.hotkeys(), fetcher, zones};

  int misfits = 0;
  {
    Program program(platform);
    program.Start();
    for (const std::string& language : Languages()) {
      std::shared_ptr<const Catalog> catalog;
      if (!language.empty()) {
        std::optional<Catalog> parsed = Catalog::Parse(desktop.TranslationCatalog(language), language);
        if (!parsed) {
          std::printf("%s: the exe has no readable catalog\n", language.c_str());
          ++misfits;
          continue;
        }
        catalog = std::make_shared<const Catalog>(std::move(*parsed));
      }
      SetCurrentCatalog(std::move(catalog));
      program.form1->Retranslate();
      for (int dpi : kScales) misfits += CheckWindows(program, language, dpi);
    }
    SetCurrentCatalog(nullptr);
  }
  std::printf("%d texts do not fit\n", misfits);
  std::fflush(stdout);
  return misfits == 0 ? 0 : 1;
}

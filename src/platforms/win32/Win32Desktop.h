#pragma once
#include <windows.h>

#include <map>
#include <optional>
#include <string>

#include "ports/EventLoop.h"
#include "ports/Ui.h"
#include "runtime/Form.h"
#include "win32/Accessible.h"
#include "win32/Colours.h"
#include "win32/CommonControls.h"
#include "win32/Dpi.h"
#include "win32/Handles.h"
#include "win32/SystemLibrary.h"
#include "win32/Win32Hotkeys.h"
#include "win32/Win32Translations.h"

namespace rp::win32 {

// The GUI thread's event loop, its timers and the window services, with what the program's
// windows share: libraries, calls and settings of the system, each looked up when first wanted.
class Win32Desktop : public EventLoop, public Ui {
 public:
  Win32Desktop(HINSTANCE instance, ComApartment& com);
  ~Win32Desktop() override;

  // EventLoop
  void DoEvents() override;
  void WaitForEvent(std::int64_t deadlineMs) override;
  std::int64_t NowMs() override;
  void EndProgram() override;

  // Ui
  std::unique_ptr<FormView> CreateView(Form& form) override;
  ScreenMetrics Screen() override;
  std::unique_ptr<Picture> LoadPicture(std::string_view path) override;
  std::unique_ptr<Picture> ApplicationIcon() override;
  std::unique_ptr<Picture> TrayIconPicture() override;
  std::unique_ptr<Picture> PeriodIcon(const PeriodPicture& picture) override;
  // Windows has no program-wide title apart from the windows' captions.
  void SetApplicationTitle(std::string_view) override {}
  bool AppsUseLightTheme() override { return PersonalizeSaysLight(L"AppsUseLightTheme", true); }
  void UsePalette(const Palette* palette) override;
  std::string TranslationCatalog(std::string_view tag) override { return translations_.TranslationCatalog(tag); }
  std::string DisplayLanguage() override { return translations_.DisplayLanguage(); }
  void Update(Timer& timer) override;
  void Forget(Timer& timer) override;

  // The main loop: runs until the program ends.
  int Run();
  // Routes one message: keyboard navigation first, then the window procedures.
  void Dispatch(MSG& message);

  HINSTANCE Instance() const { return instance_; }
  int Dpi() const { return dpi_; }
  DpiFunctions& dpiFunctions() { return dpiFunctions_; }
  // High contrast, asked at first use, not while the program loads, and again after the system
  // says the setting changed (paints ask on every tick).
  bool HighContrast();
  void HighContrastChanged() { highContrast_ = AskHighContrast(); }
  Colours ColoursFor(const Form& form) { return Colours(HighContrast(), form.KeepsOwnColours() ? nullptr : palette_); }
  bool DrawsDark(const Form& form) { return ColoursFor(form).Dark(); }
  bool UsesPalette() const { return palette_ != nullptr; }
  // A dark title bar where Windows offers one (the immersive dark mode attribute, 20, or 19
  // before Windows 10 20H1), and the dark styles of the system's controls; as designed for
  // `dark` false. Nothing happens where Windows lacks them.
  void DressWindow(HWND window, bool dark);
  void DressControl(HWND control, ControlKind kind, bool dark);
  CommonControls& commonControls() { return commonControls_; }
  Accessibility& accessibility() { return accessibility_; }
  ComApartment& com() { return com_; }
  Win32Hotkeys& hotkeys() { return hotkeys_; }
  // Messages registered by name: the shell's, sent when it restarts, the one a second start
  // posts to the running copy's main window, and the one that has it read its settings again.
  UINT TaskbarCreatedMessage();
  UINT AnotherCopyStartedMessage();
  UINT SettingsChangedMessage();

 private:
  static LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnTimer(UINT_PTR id);

  HINSTANCE instance_;
  Win32Translations translations_;
  int dpi_;
  DpiFunctions dpiFunctions_;
  std::optional<bool> highContrast_;
  const Palette* palette_ = nullptr;
  SystemLibrary dwmapi_{L"dwmapi.dll"}, uxtheme_{L"uxtheme.dll"};
  CommonControls commonControls_;
  ComApartment& com_;
  Accessibility accessibility_;
  Win32Hotkeys hotkeys_;
  std::optional<UINT> taskbarCreated_, anotherCopyStarted_, settingsChanged_;
  UniqueWindow timerWindow_;
  std::map<UINT_PTR, Timer*> timers_;
  std::map<Timer*, UINT_PTR> timerIds_;
  UINT_PTR nextTimerId_ = 1;
  // True while a timer message's handler runs and has not yet processed events: the system
  // hands out a timer message only when nothing else is queued.
  bool queueEmptyForTimer_ = false;
};

}  // namespace rp::win32

#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "ports/EventLoop.h"
#include "ports/Ui.h"
#include "win32/Handles.h"

namespace rp::win32 {

// The GUI thread's event loop, its timers and the window services.
class Win32Desktop : public EventLoop, public Ui {
 public:
  explicit Win32Desktop(HINSTANCE instance);
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
  // Windows has no program-wide title apart from the windows' captions.
  void SetApplicationTitle(std::string_view) override {}
  void Update(Timer& timer) override;
  void Forget(Timer& timer) override;

  // The main loop: runs until the program ends.
  int Run();
  // Routes one message: keyboard navigation first, then the window procedures.
  void Dispatch(MSG& message);

  HINSTANCE Instance() const { return instance_; }
  int Dpi() const { return dpi_; }

 private:
  static LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HINSTANCE instance_;
  int dpi_;
  UniqueWindow timerWindow_;
  std::map<UINT_PTR, Timer*> timers_;
  std::map<Timer*, UINT_PTR> timerIds_;
  UINT_PTR nextTimerId_ = 1;
  // True while a timer message's handler runs and has not yet processed events: the system
  // hands out a timer message only when nothing else is queued.
  bool queueEmptyForTimer_ = false;
};

}  // namespace rp::win32

/* Starts a command and waits until a top-level X window with the given name is mapped (shown).
 * Prints "<pid> <milliseconds from the start to the window>" on stdout: the pid of the process
 * that made the window (its _NET_WM_PID, which Wine sets), or else the command's. With `wine`,
 * 32- or 64-bit, the two are one: each loader execs the next in the command's process. Through
 * a wrapper that waits for its child rather than becoming it, only the window's pid is right.
 *
 *   window_wait SECONDS NAME LOG COMMAND [ARGS...]
 *
 * The command's output goes into LOG (never into this program's pipe: Wine's daemons would
 * inherit it and hold it open). It is left running. Exits 1 when no such window shows within
 * SECONDS. Listens to the root window's map events from before the start, so nothing is missed
 * and nothing polls. Built by scripts/bench for Linux (cc ... -lX11); window_wait_test.sh tests it. */
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

/* The window's name, from _NET_WM_NAME (UTF-8) or else WM_NAME. */
static int has_name(Display* display, Window window, const char* wanted) {
  XTextProperty property;
  Atom names[] = {XInternAtom(display, "_NET_WM_NAME", False), XA_WM_NAME};
  for (int i = 0; i < 2; ++i) {
    if (!XGetTextProperty(display, window, &property, names[i])) continue;
    const int same = property.value && strcmp((const char*)property.value, wanted) == 0;
    XFree(property.value);
    if (same) return 1;
  }
  return 0;
}

/* The window's _NET_WM_PID, or 0. */
static long window_pid(Display* display, Window window) {
  Atom type;
  int format;
  unsigned long count, left;
  unsigned char* value = NULL;
  long pid = 0;
  if (XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), 0, 1, False, XA_CARDINAL,
                         &type, &format, &count, &left, &value) == Success &&
      value && format == 32 && count == 1)
    pid = *(long*)value; /* Xlib hands 32-bit items over as longs */
  if (value) XFree(value);
  return pid;
}

/* A window may be destroyed between its event and our query of it (BadWindow): that window is
 * simply not the one, so errors are ignored rather than ending the wait. */
static int ignore_error(Display* display, XErrorEvent* error) {
  (void)display;
  (void)error;
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 5) {
    fprintf(stderr, "usage: %s SECONDS NAME LOG COMMAND [ARGS...]\n", argv[0]);
    return 2;
  }
  const double limit_ms = atof(argv[1]) * 1e3;
  const char* name = argv[2];
  Display* display = XOpenDisplay(NULL);
  if (!display) {
    fprintf(stderr, "window_wait: cannot open the display\n");
    return 2;
  }
  XSetErrorHandler(ignore_error);
  XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
  XSync(display, False);

  const double start = now_ms();
  const pid_t pid = fork();
  if (pid == 0) {
    const int log = open(argv[3], O_WRONLY | O_CREAT | O_APPEND, 0644);
    const int none = open("/dev/null", O_RDONLY);
    dup2(none, 0);
    dup2(log, 1);
    dup2(log, 2);
    close(ConnectionNumber(display));
    execvp(argv[4], argv + 4);
    _exit(127);
  }

  struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
  for (;;) {
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      Window window = 0;
      if (event.type == MapNotify) {
        window = event.xmap.window;
        /* The name may come after the map: hear of its changes too. */
        XSelectInput(display, window, PropertyChangeMask);
      } else if (event.type == PropertyNotify) {
        window = event.xproperty.window;
      }
      if (window && has_name(display, window, name)) {
        const double ms = now_ms() - start;
        const long owner = window_pid(display, window);
        printf("%ld %.1f\n", owner > 0 ? owner : (long)pid, ms);
        return 0;
      }
    }
    const double left = limit_ms - (now_ms() - start);
    if (left <= 0) break;
    poll(&connection, 1, (int)left + 1);
  }
  printf("%d -1\n", (int)pid);
  return 1;
}

// Another program that holds a key that works from anywhere: registers MODIFIERS KEY (numbers,
// as RegisterHotKey takes them), says "held" or "refused" on its standard output, and holds the
// key until it is pressed ("pressed") or SECONDS have passed.
//
//   hotkey_holder.exe MODIFIERS KEY SECONDS
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const UINT modifiers = static_cast<UINT>(std::strtoul(argv[1], nullptr, 0));
    const UINT key = static_cast<UINT>(std::strtoul(argv[2], nullptr, 0));
    const bool held = RegisterHotKey(nullptr, 1, modifiers, key) != FALSE;
    std::printf(held ? "held\n" : "refused\n");
    std::fflush(stdout);
    if (!held) return 1;
    SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(argv[3])) * 1000, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_HOTKEY) {
            std::printf("pressed\n");
            break;
        }
        if (message.message == WM_TIMER) break;
    }
    std::fflush(stdout);
    UnregisterHotKey(nullptr, 1);
    return 0;
}

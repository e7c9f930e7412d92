// clipholder MILLISECONDS [EVENT] — opens the clipboard, signals the named event (or, without
// one, prints "held" for a script to read), keeps the clipboard open for that long without
// changing it, closes it. Exit status 1 when the clipboard could not be opened or the event not
// found, 2 on bad arguments.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: clipholder MILLISECONDS [EVENT]\n");
    return 2;
  }
  const DWORD hold = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10));
  HANDLE ready = argc == 3 ? OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]) : nullptr;
  if (argc == 3 && !ready) return 1;
  bool opened = false;
  for (int attempt = 0; attempt < 100 && !opened; ++attempt) {
    opened = OpenClipboard(nullptr) != FALSE;
    if (!opened) Sleep(20);
  }
  if (!opened) {
    if (ready) CloseHandle(ready);
    return 1;
  }
  if (ready) {
    SetEvent(ready);
    CloseHandle(ready);
  } else {
    std::printf("held\n");
    std::fflush(stdout);
  }
  Sleep(hold);
  CloseClipboard();
  return 0;
}

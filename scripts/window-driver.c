/* A small helper for scripts/screenshots: run under Wine beside the program, it waits for the
   program's windows and sends them the commands a user would choose from the menu.

     window-driver wait-main MS        wait for the visible main window; print its rectangle
     window-driver command ID          post WM_COMMAND ID to the main window
     window-driver wait-dialog MS      wait for a dialog the main window owns; print its rectangle
     window-driver gone-dialog MS      wait until no dialog of the main window is left
     window-driver type ID TEXT        set the text of control ID of that dialog, as typing would
     window-driver close-dialog        close that dialog as its close box would
     window-driver close-main          close the program (it saves its settings as usual)

   A rectangle is printed as "WIDTHxHEIGHT+LEFT+TOP", ready for ImageMagick's -crop. Every wait
   ends when its condition holds or its time is up (exit status 1). */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static HWND MainWindow(void) {
  HWND w = FindWindowA("QA_CONV", NULL);
  return w && IsWindowVisible(w) ? w : NULL;
}

static HWND g_found;

static BOOL CALLBACK FindOwnedDialog(HWND candidate, LPARAM owner) {
  char cls[16] = "";
  GetClassNameA(candidate, cls, sizeof cls);
  if (strcmp(cls, "#32770") == 0 && IsWindowVisible(candidate) &&
      GetWindow(candidate, GW_OWNER) == (HWND)owner) {
    g_found = candidate;
    return FALSE;
  }
  return TRUE;
}

static HWND OwnedDialog(void) {
  HWND main = MainWindow();
  g_found = NULL;
  if (main) EnumWindows(FindOwnedDialog, (LPARAM)main);
  return g_found;
}

/* Returns once the window's thread has handled everything queued before, painting included:
   two round trips through its message loop, a short pause between them. */
static void Settle(HWND w) {
  DWORD_PTR result;
  int i;
  for (i = 0; i < 2; ++i) {
    SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    RedrawWindow(w, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(150);
  }
}

static int WaitFor(HWND (*find)(void), int ms) {
  DWORD start = GetTickCount();
  HWND w;
  while ((w = find()) == NULL) {
    if ((int)(GetTickCount() - start) > ms) return 1;
    Sleep(50);
  }
  Settle(w);
  RECT r;
  GetWindowRect(w, &r);
  printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  return 0;
}

int main(int argc, char** argv) {
  const char* what = argc > 1 ? argv[1] : "";
  const int number = argc > 2 ? atoi(argv[2]) : 0;
  if (strcmp(what, "wait-main") == 0) return WaitFor(MainWindow, number);
  if (strcmp(what, "wait-dialog") == 0) return WaitFor(OwnedDialog, number);
  if (strcmp(what, "gone-dialog") == 0) {
    DWORD start = GetTickCount();
    while (OwnedDialog()) {
      if ((int)(GetTickCount() - start) > number) return 1;
      Sleep(50);
    }
    return 0;
  }
  if (strcmp(what, "command") == 0) {
    HWND main = MainWindow();
    return main && PostMessageA(main, WM_COMMAND, (WPARAM)number, 0) ? 0 : 1;
  }
  if (strcmp(what, "type") == 0 && argc > 3) {
    HWND dialog = OwnedDialog();
    if (!dialog || !SetDlgItemTextA(dialog, number, argv[3])) return 1;
    Settle(dialog);
    return 0;
  }
  if (strcmp(what, "close-dialog") == 0) {
    HWND dialog = OwnedDialog();
    return dialog && PostMessageA(dialog, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (strcmp(what, "close-main") == 0) {
    HWND main = MainWindow();
    return main && PostMessageA(main, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  fprintf(stderr, "usage: window-driver wait-main|wait-dialog|gone-dialog MS | command ID | "
                  "type ID TEXT | close-dialog | close-main\n");
  return 2;
}

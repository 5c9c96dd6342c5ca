/* Start-up time of the program against a minimal window with one edit control, measured side
   by side in one run:

     startup_bench [-n STARTS] PROGRAM.exe BASELINE.exe

   Both programs are started alternately STARTS times each (after one unmeasured start of each)
   in the current directory. A start counts from CreateProcess until the program's visible
   top-level window holds the edit control 500 and its thread has answered a message sent after
   that, so the message that laid the window out has been handled completely. Each program is
   then closed as its close box would close it (the program saves its settings as usual) before
   the next one starts. Prints the median and the fastest start of each and the ratio of the
   medians. Times are reported, never judged: exit status 1 means a program did not start or
   did not show its window. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define EDIT_ID 500
#define WINDOW_WAIT_MS 30000
#define EXIT_WAIT_MS 10000
#define MAX_STARTS 200

typedef struct {
  const char* name;
  const char* path;
  const char* windowClass;
  double ms[MAX_STARTS];
} Program;

static double g_tick_ms;

static double NowMs(void) {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return (double)now.QuadPart * g_tick_ms;
}

/* The visible top-level window of the class that belongs to the process. */
static HWND WindowOf(const char* windowClass, DWORD processId) {
  HWND w = NULL;
  while ((w = FindWindowExA(NULL, w, windowClass, NULL)) != NULL) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId && IsWindowVisible(w)) return w;
  }
  return NULL;
}

/* Starts the program once; returns the milliseconds to its laid-out window, or -1. */
static double StartOnce(const Program* program) {
  STARTUPINFOA startup;
  PROCESS_INFORMATION process;
  char commandLine[MAX_PATH + 2];
  double start, elapsed = -1.0;
  HWND window = NULL;
  DWORD_PTR answer;

  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  snprintf(commandLine, sizeof commandLine, "\"%s\"", program->path);
  start = NowMs();
  if (!CreateProcessA(program->path, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                      &process)) {
    fprintf(stderr, "startup_bench: cannot start %s (error %lu)\n", program->path,
            (unsigned long)GetLastError());
    return -1.0;
  }
  while (NowMs() - start < WINDOW_WAIT_MS) {
    window = WindowOf(program->windowClass, process.dwProcessId);
    if (window && GetDlgItem(window, EDIT_ID) &&
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, WINDOW_WAIT_MS, &answer)) {
      elapsed = NowMs() - start;
      break;
    }
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (elapsed < 0) {
    fprintf(stderr, "startup_bench: %s showed no window with its edit control\n", program->path);
  }
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, EXIT_WAIT_MS) != WAIT_OBJECT_0) {
    fprintf(stderr, "startup_bench: %s did not end after WM_CLOSE; stopped\n", program->path);
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, EXIT_WAIT_MS);
    elapsed = -1.0;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

static int CompareMs(const void* a, const void* b) {
  const double x = *(const double*)a, y = *(const double*)b;
  return (x > y) - (x < y);
}

static double Median(double* values, int count) {
  qsort(values, (size_t)count, sizeof *values, CompareMs);
  return count % 2 ? values[count / 2] : (values[count / 2 - 1] + values[count / 2]) / 2;
}

int main(int argc, char** argv) {
  Program programs[2] = {{"program", NULL, "QA_CONV", {0}},
                         {"baseline", NULL, "STARTUP_BASELINE", {0}}};
  LARGE_INTEGER frequency;
  int starts = 15, arg = 1, i, p;
  double median[2];

  if (argc > 2 && strcmp(argv[1], "-n") == 0) {
    starts = atoi(argv[2]);
    arg = 3;
  }
  if (argc - arg != 2 || starts < 1 || starts > MAX_STARTS) {
    fprintf(stderr, "usage: startup_bench [-n STARTS (1..%d)] PROGRAM.exe BASELINE.exe\n",
            MAX_STARTS);
    return 2;
  }
  programs[0].path = argv[arg];
  programs[1].path = argv[arg + 1];
  QueryPerformanceFrequency(&frequency);
  g_tick_ms = 1000.0 / (double)frequency.QuadPart;

  /* The first start of each reads its files from disk and warms the caches: not counted. */
  for (p = 0; p < 2; ++p) {
    if (StartOnce(&programs[p]) < 0) return 1;
  }
  for (i = 0; i < starts; ++i) {
    for (p = 0; p < 2; ++p) {
      /* Alternate which goes first, so that neither always follows the other's exit. */
      Program* program = &programs[(i + p) % 2];
      program->ms[i] = StartOnce(program);
      if (program->ms[i] < 0) return 1;
    }
  }
  for (p = 0; p < 2; ++p) {
    median[p] = Median(programs[p].ms, starts);
    printf("%-8s  median %7.1f ms  fastest %7.1f ms  (%d starts)\n", programs[p].name, median[p],
           programs[p].ms[0], starts);
  }
  printf("ratio     %.2f (median of the program / median of the baseline)\n",
         median[0] / median[1]);
  return 0;
}

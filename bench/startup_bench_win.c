/* Start-up time of the program against a minimal window with one edit control, measured side
   by side in one run:

     startup_bench [-n STARTS] BASELINE.exe PROGRAM.exe [PROGRAM.exe ...]

   Each program (one or more builds of it, for a before-and-after comparison) and the baseline
   are started in turn, STARTS rounds (after one unmeasured start of each), in the current
   directory; the order within a round rotates. A start counts from CreateProcess until the
   program's visible top-level window holds the edit control 500 and its thread has answered a
   message sent after that, so the message that laid the window out has been handled
   completely. Each one is then closed as its close box would close it (the program saves its
   settings as usual) before the next one starts.

   Prints each one's median and fastest start and, for each program, the ratio of its median to
   the baseline's and the median of its ratios to the baseline start of the same round (which a
   machine whose load changes during the run disturbs less). Times are reported, never judged:
   exit status 1 means a program did not start or did not show its window. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define EDIT_ID 500
#define WINDOW_WAIT_MS 30000
#define EXIT_WAIT_MS 10000
#define MAX_STARTS 200
#define MAX_PROGRAMS 4

typedef struct {
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
    if (WaitForSingleObject(process.hProcess, 2) == WAIT_OBJECT_0) break;
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

/* The median of the values, which keep their order. */
static double Median(const double* values, int count) {
  double sorted[MAX_STARTS];
  memcpy(sorted, values, (size_t)count * sizeof *values);
  qsort(sorted, (size_t)count, sizeof *sorted, CompareMs);
  return count % 2 ? sorted[count / 2] : (sorted[count / 2 - 1] + sorted[count / 2]) / 2;
}

static double Fastest(const double* values, int count) {
  double fastest = values[0];
  int i;
  for (i = 1; i < count; ++i) {
    if (values[i] < fastest) fastest = values[i];
  }
  return fastest;
}

int main(int argc, char** argv) {
  Program programs[MAX_PROGRAMS];
  LARGE_INTEGER frequency;
  int starts = 15, arg = 1, count, i, p;
  double baselineMedian, ratios[MAX_STARTS];

  if (argc > 2 && strcmp(argv[1], "-n") == 0) {
    starts = atoi(argv[2]);
    arg = 3;
  }
  count = argc - arg;
  if (count < 2 || count > MAX_PROGRAMS || starts < 1 || starts > MAX_STARTS) {
    fprintf(stderr,
            "usage: startup_bench [-n STARTS (1..%d)] BASELINE.exe PROGRAM.exe [PROGRAM.exe ...]"
            " (at most %d programs)\n", MAX_STARTS, MAX_PROGRAMS - 1);
    return 2;
  }
  for (p = 0; p < count; ++p) {
    programs[p].path = argv[arg + p];
    programs[p].windowClass = p == 0 ? "STARTUP_BASELINE" : "QA_CONV";
  }
  QueryPerformanceFrequency(&frequency);
  g_tick_ms = 1000.0 / (double)frequency.QuadPart;

  /* The first start of each reads its files from disk and warms the caches: not counted. */
  for (p = 0; p < count; ++p) {
    if (StartOnce(&programs[p]) < 0) return 1;
  }
  for (i = 0; i < starts; ++i) {
    for (p = 0; p < count; ++p) {
      /* Rotate the order, so that none always follows the same one's exit. */
      Program* program = &programs[(i + p) % count];
      program->ms[i] = StartOnce(program);
      if (program->ms[i] < 0) return 1;
    }
  }
  baselineMedian = Median(programs[0].ms, starts);
  for (p = 0; p < count; ++p) {
    printf("%-28s median %7.1f ms  fastest %7.1f ms  (%d starts)\n", programs[p].path,
           Median(programs[p].ms, starts), Fastest(programs[p].ms, starts), starts);
    if (p == 0) continue;
    for (i = 0; i < starts; ++i) ratios[i] = programs[p].ms[i] / programs[0].ms[i];
    printf("%-28s ratio to the baseline %.2f (medians), %.2f (median of the rounds)\n", "",
           Median(programs[p].ms, starts) / baselineMedian, Median(ratios, starts));
  }
  return 0;
}

# Sourced by the run and test scripts and by the Wine emulator: which Wine this machine can
# run, a project-local Wine prefix, no debug chatter, no Mono/Gecko download prompts, and a
# display. Every Wine step runs under a time limit, so that a broken Wine stops with a reason
# instead of hanging.
QUANTORA_ROOT=${QUANTORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${QUANTORA_WINEPREFIX:-$QUANTORA_ROOT/.wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

QUANTORA_WINE32_LOADER=${QUANTORA_WINE32_LOADER:-/usr/lib/wine/wine}
QUANTORA_WINE64_LOADER=${QUANTORA_WINE64_LOADER:-/usr/lib/wine/wine64}
# Seconds allowed to the slow steps: creating a prefix, starting its services, one program.
QUANTORA_PREFIX_SECONDS=${QUANTORA_PREFIX_SECONDS:-300}
QUANTORA_SERVICES_SECONDS=${QUANTORA_SERVICES_SECONDS:-120}
QUANTORA_WINE_SECONDS=${QUANTORA_WINE_SECONDS:-300}

quantora_fail() { printf 'error: %s\n' "$*" >&2; return 1; }

# The exit cleanup of a script: runs every step given, in order, whatever one of them returns,
# and then ends with the script's own status (a failing step neither stops the cleanup nor
# turns a passing run into a failed one).
#   quantora_on_exit 'step one' 'step two' ...
quantora_on_exit() {
  QUANTORA_EXIT_STEPS=("$@")
  trap quantora_run_exit_steps EXIT
}
quantora_run_exit_steps() {
  local status=$? step
  set +e
  for step in "${QUANTORA_EXIT_STEPS[@]}"; do eval "$step"; done
  exit "$status"
}

# Decides once which Windows builds this machine runs, and exports the answer for the
# scripts and CTest's emulator:
#   QUANTORA_WINE_ARCH   win32 where the kernel runs 32-bit x86 code (the product is tested),
#                        win64 where it cannot (only the 64-bit build runs, under wine64)
#   QUANTORA_WINE        the loader the programs are started with
#   QUANTORA_WINE_WHY    why the 32-bit build is not run (empty when it is)
# QUANTORA_WINE_ARCH=win64 set by the caller forces the 64-bit path on any machine.
quantora_wine_arch() {
  if [ -n "${QUANTORA_WINE:-}" ] && [ -n "${QUANTORA_WINE_ARCH:-}" ]; then return 0; fi
  local probe
  case "${QUANTORA_WINE_ARCH:-}" in
    win64)
      QUANTORA_WINE_WHY="QUANTORA_WINE_ARCH=win64 was set"
      ;;
    win32|"")
      if probe=$(timeout -k 5 30 "$QUANTORA_WINE32_LOADER" --version 2>&1); then
        QUANTORA_WINE_ARCH=win32
        QUANTORA_WINE_WHY=""
      elif [ "${QUANTORA_WINE_ARCH:-}" = win32 ]; then
        quantora_fail "QUANTORA_WINE_ARCH=win32 was set, but the 32-bit Wine loader does not run here: ${probe:-no answer}"
        return 1
      else
        case "$probe" in
          *"Exec format error"*) QUANTORA_WINE_WHY="this machine's kernel cannot run 32-bit x86 programs (no IA-32 emulation: $QUANTORA_WINE32_LOADER gives 'Exec format error')" ;;
          *"No such file"*|"") QUANTORA_WINE_WHY="32-bit Wine ($QUANTORA_WINE32_LOADER) is not installed" ;;
          *) QUANTORA_WINE_WHY="the 32-bit Wine loader fails: $(printf '%s' "$probe" | head -n 1)" ;;
        esac
        QUANTORA_WINE_ARCH=win64
      fi
      ;;
    *)
      quantora_fail "QUANTORA_WINE_ARCH must be win32 or win64, not '$QUANTORA_WINE_ARCH'"
      return 1
      ;;
  esac
  if [ "$QUANTORA_WINE_ARCH" = win64 ]; then
    export WINEARCH=win64 WINELOADER="$QUANTORA_WINE64_LOADER"
    QUANTORA_WINE=$QUANTORA_WINE64_LOADER
    if ! probe=$(timeout -k 5 30 "$QUANTORA_WINE" --version 2>&1); then
      quantora_fail "64-bit Wine ($QUANTORA_WINE) does not run either: ${probe:-no answer}. Install wine64."
      return 1
    fi
  else
    QUANTORA_WINE=wine
  fi
  export QUANTORA_WINE_ARCH QUANTORA_WINE QUANTORA_WINE_WHY
}

# Runs a program under Wine with the time limit QUANTORA_WINE_SECONDS.
quantora_wine() {
  timeout -k 10 "$QUANTORA_WINE_SECONDS" "$QUANTORA_WINE" "$@"
}

# Stops this prefix's server and every program in it, without waiting on anything.
quantora_wine_stop() {
  timeout -k 5 20 wineserver -k >/dev/null 2>&1 || true
}

# A prefix is usable when its Windows directory is there and a trivial program runs in it.
quantora_wine_prefix_usable() {
  [ -d "$WINEPREFIX/drive_c/windows/system32" ] || {
    QUANTORA_PREFIX_PROBLEM="$WINEPREFIX has no drive_c/windows/system32"
    return 1
  }
  local out
  out=$(timeout -k 5 60 "$QUANTORA_WINE" cmd.exe /c echo quantora-ok </dev/null 2>&1) || true
  case "$out" in
    *quantora-ok*) return 0 ;;
  esac
  QUANTORA_PREFIX_PROBLEM="a trivial program (cmd /c echo) does not run in $WINEPREFIX: $(printf '%s' "$out" | tail -n 3)"
  return 1
}

# Creates the prefix once (with a virtual desktop, so that windows get a caption and are
# activated predictably under Xvfb) and checks that it works. A prefix that does not work is
# removed: an existing one is made afresh once; a new one that fails stops with the cause.
# Tests started side by side (ctest -j) take turns, so that only one of them makes the prefix.
quantora_wine_prefix() {
  quantora_wine_arch || return 1
  mkdir -p "$(dirname "$WINEPREFIX")"
  local lock rc=0
  exec {lock}>"$WINEPREFIX.lock"
  if ! flock -w "$QUANTORA_PREFIX_SECONDS" "$lock"; then
    exec {lock}>&-
    quantora_fail "another run kept the Wine prefix $WINEPREFIX busy for $QUANTORA_PREFIX_SECONDS s"
    return 1
  fi
  quantora_wine_prefix_locked || rc=$?
  exec {lock}>&-
  return $rc
}

quantora_wine_prefix_locked() {
  if [ -f "$WINEPREFIX/system.reg" ]; then
    if quantora_wine_prefix_usable; then
      quantora_wine_fonts
      return 0
    fi
    echo "== the Wine prefix $WINEPREFIX is broken ($QUANTORA_PREFIX_PROBLEM); making it afresh"
    quantora_wine_stop
    rm -rf "$WINEPREFIX"
  fi
  echo "== creating the Wine prefix $WINEPREFIX ($QUANTORA_WINE_ARCH)"
  mkdir -p "$WINEPREFIX"
  local log="$WINEPREFIX.log" rc=0
  timeout -k 10 "$QUANTORA_PREFIX_SECONDS" "$QUANTORA_WINE" wineboot.exe -i </dev/null >"$log" 2>&1 || rc=$?
  if [ "$rc" = 0 ]; then
    timeout -k 5 60 "$QUANTORA_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >>"$log" 2>&1 || rc=$?
    timeout -k 5 60 "$QUANTORA_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f </dev/null >>"$log" 2>&1 || rc=$?
  fi
  # Let wineboot's programs write the registry out; bounded, as a persistent server never ends.
  timeout -k 5 60 wineserver -w >/dev/null 2>&1 || true
  if [ "$rc" != 0 ] || ! quantora_wine_prefix_usable; then
    local cause=${QUANTORA_PREFIX_PROBLEM:-}
    [ "$rc" = 124 ] && cause="wineboot did not finish within $QUANTORA_PREFIX_SECONDS s"
    [ "$rc" != 0 ] && [ "$rc" != 124 ] && cause="wineboot failed with exit code $rc"
    quantora_wine_stop
    rm -rf "$WINEPREFIX"
    {
      echo "error: could not make a working Wine prefix in $WINEPREFIX: $cause."
      echo "  Wine said (last lines of $log):"
      tail -n 5 "$log" 2>/dev/null | sed 's/^/    /'
      echo "  The half-made prefix was removed, so the next run starts clean."
      if [ "$QUANTORA_WINE_ARCH" = win32 ]; then
        echo "  If 32-bit Wine is the trouble, run with QUANTORA_WINE_ARCH=win64 to use 64-bit Wine only."
      else
        echo "  Check that wine64 is installed and runs: $QUANTORA_WINE --version"
      fi
    } >&2
    return 1
  fi
  quantora_wine_fonts
}

# Fonts the program's look depends on, from Wine's own (Debian's fonts-wine installs them where
# Wine does not look). The caption buttons are drawn with Marlett; without it they show plain
# letters. The dialogs are designed in 8 pt "MS Sans Serif": without it Wine draws them in a
# wider font, and headings such as "Physical Quantity" wrap or are cut. Wine's bitmap
# sserife.fon has the metrics they were laid out in (dialog base units of 6 x 13 pixels).
quantora_wine_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" dir f
  [ -d "$fonts" ] || return 0
  for dir in ${QUANTORA_WINE_FONT_DIR:-} /usr/share/wine/fonts /usr/lib/wine/fonts \
             /opt/wine-stable/share/wine/fonts /usr/local/share/wine/fonts; do
    [ -f "$dir/sserife.fon" ] || continue
    for f in sserife.fon marlett.ttf; do
      [ -f "$dir/$f" ] && ! cmp -s "$dir/$f" "$fonts/$f" && cp "$dir/$f" "$fonts/$f"
    done
    return 0
  done
  echo "quantora: Wine's own fonts (sserife.fon, marlett.ttf; Debian package fonts-wine) were" \
       "not found; dialogs are drawn in a wider font" >&2
}

# Starts the prefix's server and background services with nothing but /dev/null open, so
# that they never hold a caller's output pipe open (CTest waits for every writer of its pipe
# to go). With "persistent" the server stays up between programs instead of starting afresh
# for each (it is stopped with quantora_wine_stop; never wait on it with wineserver -w).
quantora_wine_services() {
  local rc=0
  if [ "${1:-}" = persistent ]; then
    timeout -k 5 30 wineserver -p </dev/null >/dev/null 2>&1 || true
  fi
  timeout -k 5 "$QUANTORA_SERVICES_SECONDS" "$QUANTORA_WINE" wineboot.exe </dev/null >/dev/null 2>&1 || rc=$?
  if [ "$rc" = 124 ] || [ "$rc" = 137 ]; then
    quantora_fail "Wine's services did not start within $QUANTORA_SERVICES_SECONDS s in $WINEPREFIX"
    return 1
  fi
  return 0
}

# Starts one Xvfb for this shell and its children when there is no display. Xvfb picks a free
# display number itself (-displayfd) and says it once it accepts connections.
quantora_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local numfile
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  QUANTORA_XVFB_PID=$!
  local i n=""
  for i in $(seq 1 100); do
    n=$(tr -dc '0-9' <"$numfile")
    [ -n "$n" ] && break
    kill -0 "$QUANTORA_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numfile"
  if [ -z "$n" ]; then
    quantora_display_stop
    quantora_fail "Xvfb did not start (is the xvfb package installed?)"
    return 1
  fi
  export DISPLAY=":$n"
}

quantora_display_stop() {
  if [ -n "${QUANTORA_XVFB_PID:-}" ]; then
    kill "$QUANTORA_XVFB_PID" 2>/dev/null || true
    wait "$QUANTORA_XVFB_PID" 2>/dev/null || true
    unset QUANTORA_XVFB_PID
  fi
}

# Saves a screenshot of the display once a window has been drawn and the picture holds still:
# the empty display and Wine's bare desktop are one colour, a laid-out window is not. Gives up
# after SECONDS and saves what is there (returning 1).
quantora_screenshot_when_drawn() {
  local shot=$1 seconds=${2:-60} previous="" current colours
  local end=$((SECONDS + seconds))
  while [ "$SECONDS" -lt "$end" ]; do
    sleep 0.3
    current=$(import -window root -depth 8 rgb:- 2>/dev/null | md5sum) || continue
    if [ "$current" = "$previous" ]; then
      import -window root "$shot"
      colours=$(convert "$shot" -format '%k' info: 2>/dev/null || echo 0)
      [ "$colours" -gt 8 ] && return 0
    fi
    previous=$current
  done
  import -window root "$shot"
  return 1
}

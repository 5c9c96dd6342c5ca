# Sourced by the run and test scripts and by the Wine emulator: a project-local Wine prefix,
# no debug chatter, no Mono/Gecko download prompts, and a display.
QUANTORA_ROOT=${QUANTORA_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${QUANTORA_WINEPREFIX:-$QUANTORA_ROOT/.wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Creates the prefix once, with a virtual desktop so that windows get a caption and are
# activated predictably under Xvfb.
quantora_wine_prefix() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 || true
    wineserver -w 2>/dev/null || true
  fi
  # The caption buttons are drawn with the Marlett font; without it they show plain letters.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  source "$(dirname "${BASH_SOURCE[0]}")/wine-fonts.sh" && quantora_wine_fonts
}

# Starts the prefix's background services with nothing but /dev/null open, so that they
# never hold a caller's output pipe open (CTest waits for every writer of its pipe to go).
quantora_wine_services() {
  wineboot </dev/null >/dev/null 2>&1 || true
}

# Starts one Xvfb for this shell and its children when there is no display.
quantora_display() {
  if [ -z "${DISPLAY:-}" ]; then
    local n
    for n in $(seq 90 120); do
      if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then break; fi
    done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    QUANTORA_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
  fi
}

quantora_display_stop() {
  if [ -n "${QUANTORA_XVFB_PID:-}" ]; then
    kill "$QUANTORA_XVFB_PID" 2>/dev/null || true
    wait "$QUANTORA_XVFB_PID" 2>/dev/null || true
    unset QUANTORA_XVFB_PID
  fi
}

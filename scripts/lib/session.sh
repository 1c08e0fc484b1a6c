# A display and a Wine server for a whole run of programs, stopped by process
# id when the calling script exits. Source it, then call start_wine_session.

start_wine_session() {
  local build root
  build="$(cd "$1" && pwd)"
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
  export WINEPREFIX="$build/wineprefix"
  source "$root/scripts/lib/wine-env.sh"

  local displayfd
  displayfd="$(mktemp)"
  Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$displayfd" >/dev/null 2>&1 &
  session_xvfb_pid=$!
  trap stop_wine_session EXIT
  for _ in $(seq 200); do
    [ -s "$displayfd" ] && break
    sleep 0.05
  done
  if [ ! -s "$displayfd" ]; then
    echo "no Xvfb display came up" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$displayfd")"
  rm -f "$displayfd"

  # The prefix is made before the persistent server starts (making it waits
  # for Wine to go idle).
  "$root/scripts/wine-prefix"
  install_twain_source "$build"
  "$wineserver" -f -p &
  session_wineserver_pid=$!
  # A Wine program that finds no server starts one of its own, which ends its
  # system processes and itself soon after the last program of the run ends;
  # programs started meanwhile die at once. Wait until the persistent server
  # listens before anything else starts.
  wait_for_wineserver || return 1
  # Start Wine's long-lived processes (services, devices, desktop) now, away
  # from our output: a program that started them would hand them its stdout,
  # and whoever reads that pipe would wait for them to end.
  "$wine" wineboot </dev/null >/dev/null 2>&1
  "$wine" rundll32 user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1
  register_ftp_component "$build"
  keep_desktop_alive
}

# Wine ends its desktop process (explorer) a few seconds after the last
# program of the prefix ends, and the next program starts a new one. Between
# two tests that happens often; a program starting while the old desktop goes
# may die at once or on its first X request (its cursor-clip window is the old
# desktop's, already destroyed: "BadWindow ... X_UnmapWindow", exit status 1).
# One program that waits for the whole session keeps the desktop up: cmd
# reading a line from a FIFO that nobody writes (opened read-write, so opening
# it does not block). wineserver -k ends it with the session.
keep_desktop_alive() {
  local fifo
  fifo="$(mktemp -u)"
  mkfifo "$fifo"
  "$wine" cmd /c "set /p keep=" <>"$fifo" >/dev/null 2>&1 &
  rm -f "$fifo"
}

# The server works in its own folder (a private one under /tmp in Debian's
# Wine, so its path cannot be worked out beforehand) and listens on the
# socket "socket" there.
wait_for_wineserver() {
  for _ in $(seq 400); do
    if ! kill -0 "$session_wineserver_pid" 2>/dev/null; then
      echo "the Wine server did not start (is another one running for $WINEPREFIX?)" >&2
      return 1
    fi
    [ -S "/proc/$session_wineserver_pid/cwd/socket" ] && return 0
    sleep 0.05
  done
  echo "the Wine server did not come up" >&2
  return 1
}

# The virtual scanner goes into the prefix under the one name Wine's 64-bit
# data source manager loads (it does not look for other *.ds files). Quick
# when the copy is up to date; nothing to do before it is built.
install_twain_source() {
  local source="$1/bin/twainsource.ds"
  local target="$WINEPREFIX/drive_c/windows/twain_64/sane.ds"
  [ -f "$source" ] || return 0
  cmp -s "$source" "$target" 2>/dev/null && return 0
  mkdir -p "$(dirname "$target")"
  cp "$source" "$target.new" && mv -f "$target.new" "$target"
}

# The FTP component is registered where it is built; the registration only
# names its path, so it is made again only when that path is not the one the
# prefix holds. Nothing to do before it is built.
register_ftp_component() {
  local dll="$1/bin/ftpcom.dll"
  local stamp="$WINEPREFIX/ftpcom-registered"
  [ -f "$dll" ] || return 0
  [ "$(cat "$stamp" 2>/dev/null)" = "$dll" ] && return 0
  if ! "$wine" regsvr32 /s "$(winepath_of "$dll")" </dev/null >/dev/null 2>&1; then
    echo "regsvr32 could not register $dll" >&2
    return 1
  fi
  echo "$dll" >"$stamp"
}

# The Windows path of a file of the host (drive Z: is the host's root).
winepath_of() {
  echo "Z:$1" | tr / '\\'
}

stop_wine_session() {
  if [ -n "${session_wineserver_pid:-}" ]; then
    # Ends every Wine process of this prefix, then the server itself.
    /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    kill "$session_wineserver_pid" 2>/dev/null || true
    wait "$session_wineserver_pid" 2>/dev/null || true
  fi
  if [ -n "${session_xvfb_pid:-}" ]; then
    kill "$session_xvfb_pid" 2>/dev/null || true
    wait "$session_xvfb_pid" 2>/dev/null || true
  fi
}

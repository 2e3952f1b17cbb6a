# Sourced by the scripts: a throwaway Xvfb display and a booted Wine prefix for this run.
# wine_session_start exports DISPLAY, WINEPREFIX and WINEDEBUG; everything it started is
# stopped by PID when the calling shell exits.

wine_session_pids=()

wine_session_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
    for pid in "${wine_session_pids[@]}"; do
        kill "$pid" >/dev/null 2>&1 || true
    done
    for pid in "${wine_session_pids[@]}"; do
        wait "$pid" >/dev/null 2>&1 || true
    done
    wine_session_pids=()
}

# A display number nobody uses: no socket and no lock file.
wine_session_free_display() {
    local n
    for n in $(seq 91 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            echo "$n"
            return 0
        fi
    done
    return 1
}

# Starts Xvfb on a display of our own and waits until it answers.
wine_session_start_display() {
    local n deadline
    n=$(wine_session_free_display) || { echo "no free X display number" >&2; return 1; }
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    wine_session_pids+=("$!")
    export DISPLAY=":$n"
    deadline=$((SECONDS + 20))
    until xdpyinfo >/dev/null 2>&1; do
        if [ $SECONDS -ge $deadline ]; then
            echo "Xvfb on $DISPLAY did not start" >&2
            return 1
        fi
        sleep 0.1
    done
}

# Boots the prefix once (it is kept in the build folder), then keeps one wineserver alive.
wine_session_start_prefix() {
    local prefix=$1
    export WINEPREFIX=$prefix
    export WINEDEBUG=-all
    # No Mono or Gecko: their installers would wait for a click that never comes.
    export WINEDLLOVERRIDES="mscoree=;mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        # A crashing program must die instead of waiting in the crash dialog.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            >/dev/null 2>&1
        wineserver -w
    fi
    wineserver -p >/dev/null 2>&1
    # Windows 10, not the new prefix's Windows 7 (Wine 8): the program then takes the paths that
    # Windows 10 and 11 take, such as the key translation that leaves dead keys alone. Set at
    # every start, so that a prefix booted before this line gets it too.
    wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f </dev/null >/dev/null 2>&1 \
        || true
    # The first Wine program starts the prefix's background processes (services, the desktop
    # window's explorer), which inherit its output. Start them here with output to /dev/null:
    # under a test runner they would hold its pipe open and every test would wait for them.
    wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

# wine_session_start PREFIX_DIR [--use-current-display]
wine_session_start() {
    local prefix=$1
    local use_current=${2:-}
    trap wine_session_stop EXIT
    if [ "$use_current" = "--use-current-display" ] && [ -n "${DISPLAY:-}" ] \
        && xdpyinfo >/dev/null 2>&1; then
        :
    else
        wine_session_start_display
    fi
    wine_session_start_prefix "$prefix"
}

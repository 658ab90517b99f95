# Shared pieces of scripts/start and scripts/test. Source it from bash; it sets KT_ROOT.
# shellcheck shell=bash

KT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export KT_ROOT

# Debian packages the build needs, and those only the tests need.
# shellcheck disable=SC2034  # used by the scripts that source this file
KT_BUILD_PACKAGES=(cmake ninja-build g++ googletest mingw-w64 g++-mingw-w64-x86-64-win32
                   g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
                   wine wine64 xvfb xauth x11-utils imagemagick)
# shellcheck disable=SC2034
KT_TEST_PACKAGES=(clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev xdotool
                  python3 python3-pytest zip)

kt_log() {
    printf '\n==> %s\n' "$*" >&2
}

kt_die() {
    printf 'error: %s\n' "$*" >&2
    exit 1
}

# Installs those of the given packages that are missing; a warm machine costs one dpkg-query.
kt_ensure_packages() {
    local missing=() package status
    for package in "$@"; do
        status="$(dpkg-query -W -f='${db:Status-Abbrev}' "$package" 2>/dev/null || true)"
        [[ "$status" == ii* ]] || missing+=("$package")
    done
    ((${#missing[@]} == 0)) && return 0
    kt_log "installing ${missing[*]}"
    local sudo=()
    if ((EUID != 0)); then
        command -v sudo >/dev/null || kt_die "run as root or install sudo: apt-get needs root"
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The environment every Wine call of ours runs in, with the given prefix: one private to this
# checkout, build/wineprefix for the tests.
kt_wine_env() {
    export WINEPREFIX="$1"
    export WINEARCH=win64
    export WINEDEBUG=-all
    # No installer dialog for .NET or the HTML engine may block an unattended run.
    export WINEDLLOVERRIDES="mscoree,mshtml="
}

# What a ready prefix records; a different Wine or a change here makes a fresh one.
kt_wineprefix_stamp() {
    printf 'kt-wineprefix 1; %s\n' "$(wine --version 2>/dev/null)"
}

# Creates the prefix named by WINEPREFIX once and reuses it while it is complete. Without a
# window manager Wine would wait 2 s at every hide of a managed window, and a crash dialog would
# block the run, hence the two registry values.
kt_prepare_wineprefix() {
    : "${WINEPREFIX:?call kt_wine_env first}"
    mkdir -p "$(dirname "$WINEPREFIX")"
    local lock_fd
    exec {lock_fd}>"$WINEPREFIX.lock"
    flock "$lock_fd"
    local stamp
    stamp="$(kt_wineprefix_stamp)"
    if [[ -f "$WINEPREFIX/system.reg" && -f "$WINEPREFIX/user.reg" &&
          "$(cat "$WINEPREFIX/.kt-stamp" 2>/dev/null)" == "$stamp" ]]; then
        exec {lock_fd}>&-
        return 0
    fi
    kt_log "creating the Wine prefix $WINEPREFIX"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    # No display: the first start must not put its progress window on anybody's screen.
    env -u DISPLAY wineboot -i >/dev/null 2>&1 || kt_die "wineboot -i failed in $WINEPREFIX"
    wineserver -w
    local reg="$WINEPREFIX/kt-settings.reg"
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' \
        >"$reg"
    env -u DISPLAY wine regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1 ||
        kt_die "cannot write the registry of $WINEPREFIX"
    wineserver -w
    grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" ||
        kt_die "the registry of $WINEPREFIX lacks the X11 driver setting"
    echo "$stamp" >"$WINEPREFIX/.kt-stamp"
    exec {lock_fd}>&-
}

# Starts a private X server in a session of its own, so it outlives the caller, and exports its
# DISPLAY; KT_XVFB_PID names it.
kt_start_xvfb() {
    local display_file
    display_file="$(mktemp)"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" \
        </dev/null >/dev/null 2>&1 &
    KT_XVFB_PID=$!
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -s "$display_file" ]] && break
        kill -0 "$KT_XVFB_PID" 2>/dev/null || kt_die "Xvfb did not start"
        sleep 0.1
    done
    [[ -s "$display_file" ]] || kt_die "Xvfb did not report its display"
    DISPLAY=":$(tr -d '[:space:]' <"$display_file")"
    export DISPLAY
    rm -f "$display_file"
    export KT_XVFB_PID
}

# shellcheck shell=bash
# shellcheck disable=SC2034  # this file sets variables for the cases that source it
# The end-to-end harness: runs Windows programs of this project under Wine
# on a private virtual display and drives them with vltdrive.exe.
#
# Sourced by e2e/lib/fixture.sh (one prefix template per test run) and by
# every e2e/cases/*.sh (one case each). A case looks like this:
#
#   source "$(dirname "$0")/../lib/harness.sh"
#   vlt_case_begin "$(basename "$0" .sh)"     # copy prefix, start X, trap cleanup
#   vlt_start "$VLT_TESTAPP"                  # a Windows program, in the background
#   vlt_drive 'wait-window "Title"' 'screenshot first' 'click OK'
#   vlt_expect_eq "INI value" English "$(vlt_ini_value 'C:\x.ini' Sprache Sprache)"
#   vlt_case_pass
#
# Environment (set by CTest from e2e/cases.cmake; defaults work from a shell):
#   VELTORI_SOURCE_DIR     the source tree (default: two levels above this file)
#   VELTORI_E2E_STATE      scratch space for templates and cases
#                          (default: build/native/e2e)
#   VELTORI_REQUIRE_WINE   when set, missing Wine/Xvfb/builds fail instead of skip
#   VELTORI_E2E_ARCH       win32 or win64: skip the detection
#   VELTORI_SETUP_EXE      the setup program to test (default: <build>/bin/VelToriSetup.exe)
#   VELTORI_E2E_KEEP       when set, keep prefix copies and the template for a look

set -euo pipefail

VELTORI_SOURCE_DIR=${VELTORI_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
VELTORI_E2E_STATE=${VELTORI_E2E_STATE:-$VELTORI_SOURCE_DIR/build/native/e2e}
readonly VLT_SKIP_CODE=77
# Fewer distinct colours than this in a screenshot means nothing was drawn.
readonly VLT_MIN_COLOURS=16

# ---------------------------------------------------------------- reporting

# Lines of a case carry the seconds since the case began.
vlt_log() {
  if [ -n "${VLT_CASE_START:-}" ]; then
    printf 'e2e [%s]: %s\n' "$(vlt_since "$VLT_CASE_START")" "$*"
  else
    printf 'e2e: %s\n' "$*"
  fi
}

vlt_die() {
  printf 'e2e: FAIL: %s\n' "$*"
  exit 1
}

# Missing tools or builds: a skip on a developer's machine, a failure in CI.
vlt_skip_or_fail() {
  if [ -n "${VELTORI_REQUIRE_WINE:-}" ]; then
    vlt_die "$* (VELTORI_REQUIRE_WINE is set, so this is a failure, not a skip)"
  fi
  printf 'e2e: SKIP: %s\n' "$*"
  exit "$VLT_SKIP_CODE"
}

vlt_now() { date +%s.%N; }
vlt_since() { awk -v a="$1" -v b="$(vlt_now)" 'BEGIN { printf "%.1f s", b - a }'; }

# -------------------------------------------------------- tools and builds

vlt_require_tools() {
  local tool
  for tool in Xvfb import identify; do
    command -v "$tool" >/dev/null || vlt_skip_or_fail "$tool is not installed (packages xvfb, imagemagick)"
  done
  [ -x /usr/lib/wine/wine64 ] || command -v wine >/dev/null ||
    vlt_skip_or_fail "Wine is not installed (packages wine, wine64)"
}

vlt_wineserver_binary() {
  if command -v wineserver >/dev/null; then
    command -v wineserver
  elif [ -x /usr/lib/wine/wineserver64 ]; then
    echo /usr/lib/wine/wineserver64
  else
    echo /usr/lib/wine/wineserver32
  fi
}

# Sets VLT_ARCH, VLT_WINE (the loader), VLT_BUILD_DIR and the program paths.
vlt_use_arch() {
  VLT_ARCH=$1
  VLT_BUILD_DIR=$VELTORI_SOURCE_DIR/build/$VLT_ARCH
  VLT_BIN=$VLT_BUILD_DIR/bin
  if [ "$VLT_ARCH" = win64 ]; then
    VLT_WINE=/usr/lib/wine/wine64
  else
    VLT_WINE=$(command -v wine || echo /usr/lib/wine/wine)
  fi
  VLT_WINESERVER=$(vlt_wineserver_binary)
  VLT_DRIVER=$VLT_BIN/e2e/vltdrive.exe
  VLT_TESTAPP=$VLT_BIN/e2e/vlttestapp.exe
  VLT_STANDIN=$VLT_BIN/e2e/veltori.exe
  VLT_SETUP_EXE=${VELTORI_SETUP_EXE:-$VLT_BIN/VelToriSetup.exe}
  VLT_TEMPLATE=$VELTORI_E2E_STATE/template-$VLT_ARCH
}

# Can this machine run 32-bit Windows programs? Runs our i686 driver in a
# fresh win32 prefix (which then becomes the template's start). Kernels
# without 32-bit support refuse Wine's i386 loader ("Exec format error").
vlt_win32_runs() {
  local driver32=$VELTORI_SOURCE_DIR/build/win32/bin/e2e/vltdrive.exe
  local probe=$VELTORI_E2E_STATE/template-win32
  [ -f "$driver32" ] || { VLT_ARCH_REASON="no win32 build ($driver32)"; return 1; }
  command -v wine >/dev/null || { VLT_ARCH_REASON="no wine loader for 32-bit programs"; return 1; }
  rm -rf "$probe" && mkdir -p "$probe/home"
  local output
  if output=$(HOME=$probe/home WINEARCH=win32 WINEPREFIX=$probe/prefix WINEDEBUG=-all \
      WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" DISPLAY='' \
      timeout 120 wine "$driver32" version 2>&1) && [[ $output == *"32-bit"* ]]; then
    return 0
  fi
  VLT_ARCH_REASON="32-bit Windows programs do not run here: ${output##*$'\n'}"
  rm -rf "$probe"
  return 1
}

# Chooses the build and prefix kind once per test run; the answer is kept in
# the state directory for the cases.
vlt_choose_arch() {
  local cache=$VELTORI_E2E_STATE/arch
  if [ -n "${VELTORI_E2E_ARCH:-}" ]; then
    vlt_use_arch "$VELTORI_E2E_ARCH"
    VLT_ARCH_REASON="chosen by VELTORI_E2E_ARCH"
  elif [ -s "$cache" ]; then
    vlt_use_arch "$(head -n1 "$cache")"
    VLT_ARCH_REASON=$(tail -n +2 "$cache")
  else
    mkdir -p "$VELTORI_E2E_STATE"
    if vlt_win32_runs; then
      vlt_use_arch win32
      VLT_ARCH_REASON="32-bit Windows programs run here"
    else
      vlt_use_arch win64
    fi
    printf '%s\n%s\n' "$VLT_ARCH" "$VLT_ARCH_REASON" >"$cache"
  fi
  [ -f "$VLT_DRIVER" ] || vlt_skip_or_fail "the $VLT_ARCH build has no driver: $VLT_DRIVER (cmake --preset $VLT_ARCH && cmake --build build/$VLT_ARCH)"
}

vlt_need_setup_exe() {
  [ -f "$VLT_SETUP_EXE" ] || vlt_skip_or_fail "the setup program is not built: $VLT_SETUP_EXE"
}

# ---------------------------------------------------------- display and Wine

# Starts a private Xvfb; Xvfb picks a free display number itself.
# Sets DISPLAY and VLT_XVFB_PID; the pid is also kept in $1/xvfb.pid.
vlt_start_xvfb() {
  local dir=$1 waited=0
  : >"$dir/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  VLT_XVFB_PID=$!
  echo "$VLT_XVFB_PID" >"$dir/xvfb.pid"
  while [ ! -s "$dir/display" ]; do
    kill -0 "$VLT_XVFB_PID" 2>/dev/null || vlt_die "Xvfb did not start: $(tail -n 3 "$dir/xvfb.log")"
    [ "$waited" -lt 100 ] || vlt_die "Xvfb did not report a display within 10 s"
    sleep 0.1
    waited=$((waited + 1))
  done
  DISPLAY=":$(head -n1 "$dir/display")"
  export DISPLAY
}

vlt_stop_xvfb() {
  local dir=$1 pid
  [ -f "$dir/xvfb.pid" ] || return 0
  pid=$(cat "$dir/xvfb.pid")
  kill "$pid" 2>/dev/null || true
  rm -f "$dir/xvfb.pid"
}

# The environment every Wine call of a prefix runs in: its own HOME and XDG
# folders, so nothing reaches the real home; no menu builder, no Mono or
# Gecko prompt, no crash dialog noise.
vlt_wine_env() {
  local dir=$1
  export WINEPREFIX=$dir/prefix
  export WINEARCH=$VLT_ARCH
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export HOME=$dir/home
  export XDG_CONFIG_HOME=$dir/xdg/config XDG_DATA_HOME=$dir/xdg/data
  export XDG_CACHE_HOME=$dir/xdg/cache XDG_RUNTIME_DIR=$dir/xdg/run
  export LANG=C.UTF-8 LC_ALL=C.UTF-8
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# Ends every process of the current prefix and its wineserver.
vlt_wineserver_kill() {
  [ -d "${WINEPREFIX:-/nonexistent}" ] || return 0
  "$VLT_WINESERVER" -k 2>/dev/null || true
}

# Waits for the prefix's programs to end (and the registry to reach disk).
vlt_wineserver_wait() {
  timeout "${1:-15}" "$VLT_WINESERVER" -w 2>/dev/null || vlt_wineserver_kill
}

# Runs a Windows program in the foreground; its output goes to stdout.
vlt_wine() { "$VLT_WINE" "$@"; }

# Starts a Windows program in the background (output to the case folder);
# VLT_LAST_PID is the Unix pid of the shell that runs its Wine process and
# then notes the exit code in $VLT_CASE_DIR/exit/<pid>, where
# vlt_wait_pid finds it from any subshell: `wait` knows only the children
# of the shell that started them, so in $(...) it may report -1.
vlt_start() {
  vlt_start_in '' "$@"
}

# Like vlt_start, with the Windows folder $1 as the program's working
# directory (Wine takes it from the Unix working directory it starts in);
# an empty $1 keeps the harness's own.
vlt_start_in() {
  local folder=$1 unix=. log
  shift
  if [ -n "$folder" ]; then
    unix=$(vlt_unix_path "$folder")
    [ -d "$unix" ] || vlt_die "no folder $folder to start in"
  fi
  log=$VLT_CASE_DIR/$(basename "${1//\\//}" .exe).log
  vlt_log "start${folder:+ in $folder}: $*"
  mkdir -p "$VLT_CASE_DIR/exit"
  (
    cd "$unix" || exit 1
    code=0
    "$VLT_WINE" "$@" || code=$?
    echo "$code" >"$VLT_CASE_DIR/exit/$BASHPID.tmp"
    mv "$VLT_CASE_DIR/exit/$BASHPID.tmp" "$VLT_CASE_DIR/exit/$BASHPID"
  ) >>"$log" 2>&1 &
  VLT_LAST_PID=$!
}

# Waits up to $2 seconds (default 15) for the background program $1 to end;
# prints its exit code. Fails when it is still running.
vlt_wait_pid() {
  local pid=$1 limit=$((${2:-15} * 10)) waited=0 noted
  noted=$VLT_CASE_DIR/exit/$pid
  while [ ! -f "$noted" ]; do
    kill -0 "$pid" 2>/dev/null || { sleep 0.1; [ -f "$noted" ] && break; vlt_die "process $pid ended without noting its exit code"; }
    [ "$waited" -lt "$limit" ] || vlt_die "process $pid still runs after ${2:-15} s"
    sleep 0.1
    waited=$((waited + 1))
  done
  cat "$noted"
}

# ------------------------------------------------------------ the template

vlt_write_template_registry() {
  local file=$1
  printf '%s\r\n' \
    'REGEDIT4' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1024x768"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\DllOverrides]' '"winemenubuilder.exe"=""' '"mscoree"=""' '"mshtml"=""' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' >"$file"
}

# Turns the profile's links into the Unix home (Desktop, Documents, ...,
# Templates) into real folders: shortcuts saved there stay in the prefix.
vlt_unlink_profile_folders() {
  local link
  while IFS= read -r -d '' link; do
    rm -f "$link"
    mkdir -p "$link"
  done < <(find "$WINEPREFIX/drive_c/users" -type l -print0)
}

# Debian's Wine does not find its own fonts: without them the caption
# buttons show as letters (no Marlett) and "MS Sans Serif", the pages'
# font, falls back to a wider host font, so labels overlap and wrapped
# texts are cut off. In C:\windows\Fonts Wine finds them.
vlt_copy_wine_fonts() {
  local fonts=/usr/share/wine/fonts
  if [ -f "$fonts/marlett.ttf" ] && [ -f "$fonts/ms_sans_serif.ttf" ]; then
    cp "$fonts"/*.ttf "$fonts"/*.fon "$WINEPREFIX/drive_c/windows/Fonts/"
  else
    vlt_log "warning: Wine's fonts are missing in $fonts (package fonts-wine): caption buttons show as letters, the pages' texts in a wider font"
  fi
}

# Builds the prefix template for this run's arch: wineboot, virtual desktop,
# fonts, real profile folders. Takes 10 to 25 s.
vlt_make_template() {
  local dir=$VLT_TEMPLATE start
  start=$(vlt_now)
  if [ "$VLT_ARCH" = win32 ] && [ -d "$dir/prefix" ]; then
    : # the 32-bit probe has just created this prefix: build on it
  else
    rm -rf "$dir"
  fi
  mkdir -p "$dir"
  rm -f "$dir/ready"
  (
    vlt_wine_env "$dir"
    vlt_start_xvfb "$dir"
    trap 'vlt_wineserver_kill; vlt_stop_xvfb "$dir"' EXIT
    "$VLT_WINE" wineboot -i >"$dir/wineboot.log" 2>&1 || vlt_die "wineboot -i failed: $(tail -n 5 "$dir/wineboot.log")"
    vlt_write_template_registry "$dir/template.reg"
    "$VLT_WINE" regedit /S "Z:${dir//\//\\}\\template.reg" >>"$dir/wineboot.log" 2>&1 ||
      vlt_die "regedit failed: $(tail -n 5 "$dir/wineboot.log")"
    vlt_wineserver_wait 20
    vlt_copy_wine_fonts
    vlt_unlink_profile_folders
  ) || exit 1
  touch "$dir/ready"
  vlt_log "prefix template ($VLT_ARCH) made in $(vlt_since "$start"): $dir"
}

# A case run on its own (not under CTest) makes the template when missing.
vlt_ensure_template() {
  [ -f "$VLT_TEMPLATE/ready" ] && return 0
  mkdir -p "$VELTORI_E2E_STATE"
  exec {lock}>"$VELTORI_E2E_STATE/template.lock"
  flock "$lock"
  [ -f "$VLT_TEMPLATE/ready" ] || vlt_make_template
  flock -u "$lock"
}

# ------------------------------------------------------------------ a case

# Prepares case $1: prefix copy, display, Wine environment, cleanup trap.
# With --needs-setup the case skips (or fails in CI) before any of that
# when the setup program has not been built.
# Sets VLT_CASE, VLT_CASE_DIR, VLT_SCREEN_DIR, VLT_ACK_DIR.
vlt_case_begin() {
  VLT_CASE=$1
  VLT_CASE_START=$(vlt_now)
  vlt_require_tools
  vlt_choose_arch
  if [ "${2:-}" = --needs-setup ]; then
    vlt_need_setup_exe
  fi
  vlt_ensure_template
  VLT_CASE_DIR=$VELTORI_E2E_STATE/cases/$VLT_CASE
  vlt_clean_case_dir "$VLT_CASE_DIR"
  mkdir -p "$VLT_CASE_DIR/ack"
  VLT_ACK_DIR=$VLT_CASE_DIR/ack
  VLT_SCREEN_DIR=$VLT_BUILD_DIR/e2e-screens/$VLT_CASE
  rm -rf "$VLT_SCREEN_DIR"
  mkdir -p "$VLT_SCREEN_DIR"
  VLT_SCREENSHOT_COUNT=0

  local copy_start
  copy_start=$(vlt_now)
  trap vlt_case_end EXIT
  vlt_copy_prefix "$VLT_TEMPLATE/prefix" "$VLT_CASE_DIR/prefix"
  vlt_wine_env "$VLT_CASE_DIR"
  vlt_start_xvfb "$VLT_CASE_DIR"
  export VLTDRIVE_ACK_DIR="Z:${VLT_ACK_DIR//\//\\}"
  vlt_log "case $VLT_CASE: $VLT_ARCH build ($VLT_BIN) in a $VLT_ARCH prefix ($VLT_ARCH_REASON); display $DISPLAY; prefix copied in $(vlt_since "$copy_start")"
}

# A case's own prefix: a copy of the template, except Wine's system DLLs
# (C:\windows\system32 and syswow64, nine tenths of the size), which are
# hard-linked: no program under test writes there, and the copy takes a
# quarter of a second instead of several.
vlt_copy_prefix() {
  local from=$1 to=$2 shared
  mkdir -p "$to"
  (cd "$from" && tar --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 -cf - .) |
    (cd "$to" && tar -xpf -)
  for shared in system32 syswow64; do
    [ -d "$from/drive_c/windows/$shared" ] && cp -al "$from/drive_c/windows/$shared" "$to/drive_c/windows/"
  done
  return 0
}

# Ends what a killed run of a case left running and removes its prefix
# copy; its logs stay.
vlt_release_case_dir() {
  local dir=$1
  [ -d "$dir" ] || return 0
  if [ -d "$dir/prefix" ]; then
    WINEPREFIX=$dir/prefix "$VLT_WINESERVER" -k 2>/dev/null || true
  fi
  vlt_stop_xvfb "$dir"
  [ -n "${VELTORI_E2E_KEEP:-}" ] || rm -rf "$dir/prefix"
}

vlt_clean_case_dir() {
  vlt_release_case_dir "$1"
  rm -rf "$1"
}

vlt_case_end() {
  local code=$?
  trap - EXIT
  vlt_wineserver_kill
  vlt_stop_xvfb "$VLT_CASE_DIR"
  if [ -z "${VELTORI_E2E_KEEP:-}" ]; then
    rm -rf "$VLT_CASE_DIR/prefix"
  else
    vlt_log "kept: $VLT_CASE_DIR/prefix"
  fi
  if [ "$code" -eq 0 ]; then
    vlt_log "case $VLT_CASE passed in $(vlt_since "$VLT_CASE_START"); screenshots: $VLT_SCREEN_DIR"
  elif [ "$code" -ne "$VLT_SKIP_CODE" ]; then
    vlt_log "case $VLT_CASE FAILED (exit $code) after $(vlt_since "$VLT_CASE_START"); screenshots: $VLT_SCREEN_DIR; logs: $VLT_CASE_DIR"
  fi
  exit "$code"
}

vlt_case_pass() { exit 0; }

# ------------------------------------------------------------- screenshots

# Takes a PNG of the whole display into the case's screenshot folder and
# rejects a picture in which nothing was drawn. Prints the file's path.
vlt_screenshot() {
  local name=$1 file colours
  file=$VLT_SCREEN_DIR/$name.png
  import -display "$DISPLAY" -window root "$file" 2>>"$VLT_CASE_DIR/import.log" ||
    { echo "import failed: $(tail -n 1 "$VLT_CASE_DIR/import.log")"; return 1; }
  colours=$(identify -format '%k' "$file" 2>/dev/null || echo 0)
  if [ "$colours" -lt "$VLT_MIN_COLOURS" ]; then
    echo "$file has only $colours colours: nothing was drawn"
    return 1
  fi
  echo "$file ($colours colours)"
}

# Passes the driver's report through and serves its screenshot requests
# ("@@screenshot NAME" lines) by answering in the acknowledgement folder.
vlt_serve_screenshots() {
  local line name answer
  while IFS= read -r line; do
    line=${line%$'\r'}
    if [[ $line == "@@screenshot "* ]]; then
      name=${line#@@screenshot }
      if answer=$(vlt_screenshot "$name"); then
        answer="ok $answer"
      else
        answer="error $answer"
      fi
      printf '%s\n' "$answer" >"$VLT_ACK_DIR/$name.tmp"
      mv "$VLT_ACK_DIR/$name.tmp" "$VLT_ACK_DIR/$name.ack"
    else
      printf '%s\n' "$line"
    fi
  done
}

# Runs the driver with one script line per argument. On failure the screen
# is kept as failure-N.png and the case fails.
vlt_drive() {
  local status
  set +e
  "$VLT_WINE" "$VLT_DRIVER" "$@" 2>>"$VLT_CASE_DIR/driver.stderr" | vlt_serve_screenshots
  status=${PIPESTATUS[0]}
  set -e
  if [ "$status" -ne 0 ]; then
    VLT_SCREENSHOT_COUNT=$((VLT_SCREENSHOT_COUNT + 1))
    vlt_log "screen at the failure: $(vlt_screenshot "failure-$VLT_SCREENSHOT_COUNT" || true)"
    vlt_die "the driver reported a failure (exit $status), see above"
  fi
}

# Like vlt_drive, but the last line must fail (exit 1) and every line
# before it pass: proves that a wrong expectation is caught. Arguments are
# script lines only.
vlt_drive_expect_failure() {
  local status report=$VLT_CASE_DIR/expected-failure.txt
  set +e
  "$VLT_WINE" "$VLT_DRIVER" "$@" 2>>"$VLT_CASE_DIR/driver.stderr" | vlt_serve_screenshots >"$report"
  status=${PIPESTATUS[0]}
  set -e
  sed 's/^/  | /' "$report"
  [ "$status" -eq 1 ] || vlt_die "the driver should have reported a failed step (exit 1), got exit $status"
  grep -q "^FAILED at step $#: " "$report" || vlt_die "the failure should have been at step $#, the last one"
  vlt_log "the driver caught the wrong expectation, as it should"
}

# ------------------------------------------------- reading results from outside

# The Unix path of a Windows path in the prefix ('C:\users\x' or 'Z:\tmp').
# Names are matched without regard to case, as Windows does; a missing part
# keeps the spelling given.
vlt_unix_path() {
  local win=$1 path rest part entry found
  case ${win:0:2} in
    [Cc]:) path=$WINEPREFIX/drive_c ;;
    [Zz]:) path= ;;
    *) vlt_die "not a drive path: $win" ;;
  esac
  rest=${win:3}
  # shellcheck disable=SC2141,SC1003  # split at backslashes, on purpose
  IFS='\' read -r -a parts <<<"$rest"
  for part in "${parts[@]}"; do
    [ -n "$part" ] || continue
    found=
    if [ -d "${path:-/}" ]; then
      for entry in "${path:-}"/* "${path:-}"/.*; do
        entry=${entry##*/}
        if [ "${entry,,}" = "${part,,}" ]; then found=$entry; break; fi
      done
    fi
    path=$path/${found:-$part}
  done
  echo "${path:-/}"
}

# The Windows user profile folder of the prefix, e.g. 'C:\users\root'.
vlt_profile_dir() {
  local entry
  for entry in "$WINEPREFIX"/drive_c/users/*; do
    entry=${entry##*/}
    [ "$entry" = Public ] && continue
    echo "C:\\users\\$entry"
    return 0
  done
  vlt_die "the prefix has no user profile"
}

vlt_desktop_dir() { echo "$(vlt_profile_dir)\\Desktop"; }
vlt_programs_dir() { echo "$(vlt_profile_dir)\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"; }

vlt_file_exists() { [ -f "$(vlt_unix_path "$1")" ]; }
vlt_dir_exists() { [ -d "$(vlt_unix_path "$1")" ]; }

vlt_expect_file() { vlt_file_exists "$1" || vlt_die "missing file $1"; }
vlt_expect_no_file() { vlt_file_exists "$1" && vlt_die "file should not exist: $1"; return 0; }

# Copies a Unix file into the prefix under a Windows path, folders included.
vlt_put_file() {
  local target
  target=$(vlt_unix_path "$2")
  mkdir -p "$(dirname "$target")"
  cp "$1" "$target"
}

# Writes text (given in UTF-8, written in Windows-1252 as the program's
# INI files are) to a Windows path in the prefix, byte for byte otherwise:
# put the \r\n line ends into the text.
vlt_put_text() {
  local target
  target=$(vlt_unix_path "$1")
  mkdir -p "$(dirname "$target")"
  printf '%s' "$2" | iconv -f UTF-8 -t WINDOWS-1252 >"$target"
}

# A value from an INI file in the prefix, as GetPrivateProfileString reads
# it: sections and keys without regard to case, CR LF or LF, surrounding
# blanks trimmed, Windows-1252 turned into UTF-8. Fails when there is none.
vlt_ini_value() {
  local file=$1 section=$2 key=$3 unix
  unix=$(vlt_unix_path "$file")
  [ -f "$unix" ] || vlt_die "no INI file $file"
  iconv -f WINDOWS-1252 -t UTF-8 "$unix" | tr -d '\r' | awk -v section="$section" -v key="$key" '
    function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }
    /^[ \t]*\[/ { name = $0; sub(/^[ \t]*\[/, "", name); sub(/\].*$/, "", name)
                  inside = (tolower(trim(name)) == tolower(section)); next }
    inside && index($0, "=") {
      k = trim(substr($0, 1, index($0, "=") - 1))
      if (tolower(k) == tolower(key)) { print trim(substr($0, index($0, "=") + 1)); found = 1; exit }
    }
    END { exit found ? 0 : 1 }' || vlt_die "no key $key in section [$section] of $file"
}

# A registry value as `reg query` shows it, CR LF removed. $3 picks the
# view: 32 (where a 32-bit program's HKLM\Software writes land) or 64.
# Fails when the value does not exist.
vlt_reg_value() {
  local key=$1 name=$2 view=${3:-} output line
  local args=(reg query "$key" /v "$name")
  [ -n "$view" ] && args+=("/reg:$view")
  output=$("$VLT_WINE" "${args[@]}" 2>/dev/null | tr -d '\r') || vlt_die "no registry value $key\\$name${view:+ (view $view)}"
  while IFS= read -r line; do
    if [[ $line =~ ^\ {4}(.*)\ {4}(REG_[A-Z_]+)\ {4}(.*)$ ]] && [ "${BASH_REMATCH[1]}" = "$name" ]; then
      printf '%s\n' "${BASH_REMATCH[3]}"
      return 0
    fi
    if [[ $line =~ ^\ {4}(.*)\ {4}(REG_[A-Z_]+)$ ]] && [ "${BASH_REMATCH[1]}" = "$name" ]; then
      echo ""
      return 0
    fi
  done <<<"$output"
  vlt_die "no registry value $key\\$name${view:+ (view $view)} in: $output"
}

# The names of the values of a registry key (view $2), one a line, sorted;
# nothing for a key without values. Fails when the key does not exist.
vlt_reg_value_names() {
  local key=$1 view=${2:-} output line
  local args=(reg query "$key")
  [ -n "$view" ] && args+=("/reg:$view")
  output=$("$VLT_WINE" "${args[@]}" 2>/dev/null | tr -d '\r') || vlt_die "no registry key $key${view:+ (view $view)}"
  while IFS= read -r line; do
    if [[ $line =~ ^\ {4}(.*)\ {4}REG_[A-Z_]+(\ {4}.*)?$ ]]; then
      printf '%s\n' "${BASH_REMATCH[1]}"
    fi
  done <<<"$output" | LC_ALL=C sort
}

# True when the value exists (in view $3, 32 or 64).
vlt_reg_value_exists() {
  local args=(reg query "$1" /v "$2")
  [ -n "${3:-}" ] && args+=("/reg:$3")
  "$VLT_WINE" "${args[@]}" >/dev/null 2>&1
}

# True when the registry key exists (in view $2, 32 or 64).
vlt_reg_key_exists() {
  local args=(reg query "$1")
  [ -n "${2:-}" ] && args+=("/reg:$2")
  "$VLT_WINE" "${args[@]}" >/dev/null 2>&1
}

# A file's text as the program wrote it: Windows-1252 turned into UTF-8,
# line ends kept, so CR LF shows as "\r\n" when compared with $'...' texts.
vlt_file_text() {
  local unix
  unix=$(vlt_unix_path "$1")
  [ -f "$unix" ] || vlt_die "no file $1"
  iconv -f WINDOWS-1252 -t UTF-8 "$unix"
  printf '.'  # keeps trailing line ends through $(...); vlt_expect_text drops it
}

# A text file's lines, CR removed, in UTF-8.
vlt_file_lines() {
  local text
  text=$(vlt_file_text "$1")
  printf '%s' "${text%.}" | tr -d '\r'
}

# The text of file $2 must be $3 exactly (line ends included).
vlt_expect_text() {
  local what=$1 file=$2 expected=$3 actual
  actual=$(vlt_file_text "$file")
  actual=${actual%.}
  if [ "$expected" != "$actual" ]; then
    vlt_die "$what ($file): expected $(printf '%q' "$expected"), got $(printf '%q' "$actual")"
  fi
  vlt_log "ok: $what: $(printf '%q' "$actual")"
}

# File $2 in the prefix must hold the same bytes as the Unix file $3.
vlt_expect_same_file() {
  local what=$1 file=$2 original=$3 unix
  unix=$(vlt_unix_path "$file")
  [ -f "$unix" ] || vlt_die "$what: missing file $file"
  cmp -s "$unix" "$original" || vlt_die "$what: $file differs from $original"
  vlt_log "ok: $what: $file equals $original ($(stat -c %s "$unix") bytes)"
}

vlt_expect_dir() { vlt_dir_exists "$1" || vlt_die "missing folder $1"; }
vlt_expect_no_dir() { vlt_dir_exists "$1" && vlt_die "folder should not exist: $1"; return 0; }

# The names in a folder of the prefix, one a line, sorted (hidden ones too).
vlt_dir_listing() {
  local unix
  unix=$(vlt_unix_path "$1")
  [ -d "$unix" ] || vlt_die "no folder $1"
  (cd "$unix" && find . -mindepth 1 -maxdepth 1 -printf '%f\n' | LC_ALL=C sort)
}

# Waits up to $2 seconds (default 20) until the file $1 no longer exists.
vlt_wait_file_gone() {
  local file=$1 limit=$((${2:-20} * 10)) waited=0 unix
  unix=$(vlt_unix_path "$file")
  while [ -e "$unix" ]; do
    [ "$waited" -lt "$limit" ] || vlt_die "$file still exists after ${2:-20} s"
    sleep 0.1
    waited=$((waited + 1))
  done
  vlt_log "gone after $((waited / 10)).$((waited % 10)) s: $file"
}

vlt_expect_eq() {
  local what=$1 expected=$2 actual=$3
  if [ "$expected" != "$actual" ]; then
    vlt_die "$what: expected \"$expected\", got \"$actual\""
  fi
  vlt_log "ok: $what = \"$actual\""
}

# The setup program's texts, roads and checks.
# shellcheck source=setup_roads.sh
source "$(dirname "${BASH_SOURCE[0]}")/setup_roads.sh"

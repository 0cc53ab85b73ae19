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
#   VELTORI_E2E_LANE       wine (x86_64 build) or wine32 (i686 build); see lanes.sh
#   VELTORI_E2E_ARCH       win64 or win32: the lane named by its build
#   VELTORI_E2E_MACHINE    native or emulated: where the wine32 lane runs
#                          (default: probe whether 32-bit code runs here)
#   VELTORI_E2E_PREFIX     win32 or win64: the prefix of every wine32 case, over
#                          their "# wine32-prefix:" lines (default: win64)
#   VELTORI_E2E_STATE      scratch space for templates and cases
#                          (default: build/native/e2e/<lane>)
#   VELTORI_REQUIRE_WINE   when set, missing Wine/Xvfb/builds fail instead of skip
#   VELTORI_SETUP_EXE      the setup program to test (default: <build>/bin/VelToriSetup.exe)
#   VELTORI_E2E_CASE_NAME  the name the case runs under (logs, screenshots), in
#                          place of its own: one script run twice, e.g. with
#                          another setup program, in one ctest run
#   VELTORI_E2E_KEEP       when set, keep prefix copies and the template for a look
#
# A failure cannot pass unseen: every command that fails ends the case
# (errexit, also inside $(...) and functions), the ERR trap names the
# command and its line on standard error, and vlt_die writes there too, so
# a reader's message never becomes a value. Checks that read a result do
# the reading themselves (vlt_expect_reg_value, vlt_expect_ini_value, ...).

set -Eeuo pipefail
shopt -s inherit_errexit

VELTORI_SOURCE_DIR=${VELTORI_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
readonly VLT_SKIP_CODE=77
# Fewer distinct colours than this in a screenshot means nothing was drawn.
readonly VLT_MIN_COLOURS=16
# Waits of the harness and the driver's default step time-out are this many
# times longer where Wine runs slower (the emulated machine sets 6).
VLT_TIME_FACTOR=${VELTORI_E2E_TIME_FACTOR:-1}
VLT_DRIVER_OPTIONS=()
[ "$VLT_TIME_FACTOR" -eq 1 ] || VLT_DRIVER_OPTIONS=(--timeout "$((10 * VLT_TIME_FACTOR))")

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
  printf 'e2e: FAIL: %s\n' "$*" >&2
  vlt_note_failure "$*"
  exit 1
}

# A failure inside $(...) used as an argument, or in a <(...) feeding a
# loop, ends only that subshell: its caller goes on with an empty or short
# value. So every failure is also noted in the case's folder, and the next
# check (and the case's end) fails with the first reason noted.
vlt_note_failure() {
  [ -z "${VLT_FAILURE_NOTE:-}" ] || printf '%s\n' "$*" >>"$VLT_FAILURE_NOTE"
}

vlt_check_failure_note() {
  [ -n "${VLT_FAILURE_NOTE:-}" ] && [ -s "$VLT_FAILURE_NOTE" ] || return 0
  local first
  first=$(head -n1 "$VLT_FAILURE_NOTE")
  rm -f "$VLT_FAILURE_NOTE"
  vlt_die "an earlier step failed inside a command substitution or pipeline: $first"
}

# The ERR trap: which command failed, with its status, file, line and the
# functions it ran in.
vlt_on_error() {
  local status=$1 command=$2 line=$3 file=$4 calls=() name chain
  for name in "${FUNCNAME[@]:1}"; do
    case $name in main | source) ;; *) calls+=("$name") ;; esac
  done
  chain=${calls[*]}
  local message
  message=$(printf '"%s" exited with %s at %s:%s%s' "$command" "$status" "${file#"$VELTORI_SOURCE_DIR"/}" "$line" \
    "${chain:+ (in ${chain// / < })}")
  printf 'e2e: FAIL: %s\n' "$message" >&2
  # Only a subshell's failure can be lost; the main shell ends right here.
  [ "$BASH_SUBSHELL" -eq 0 ] || vlt_note_failure "$message"
}
trap 'vlt_on_error "$?" "$BASH_COMMAND" "$LINENO" "${BASH_SOURCE[0]:-$0}"' ERR

# Missing tools or builds: a skip on a developer's machine, a failure in CI.
vlt_skip_or_fail() {
  if [ -n "${VELTORI_REQUIRE_WINE:-}" ]; then
    vlt_die "$* (VELTORI_REQUIRE_WINE is set, so this is a failure, not a skip)"
  fi
  printf 'e2e: SKIP: %s\n' "$*" >&2
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
  export WINEARCH=$VLT_PREFIX_ARCH
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
# Not within a case, whose wineserver stays until vlt_case_end.
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
  local pid=$1 limit=$((${2:-15} * 10 * VLT_TIME_FACTOR)) waited=0 noted
  noted=$VLT_CASE_DIR/exit/$pid
  while [ ! -f "$noted" ]; do
    kill -0 "$pid" 2>/dev/null || { sleep 0.1; [ -f "$noted" ] && break; vlt_die "process $pid ended without noting its exit code"; }
    [ "$waited" -lt "$limit" ] || vlt_die "process $pid still runs after $((limit / 10)) s"
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

# Makes the new prefix, Wine's errors in log $1. Wine's loader waits at most
# five minutes for the first wineboot of a new prefix and then goes on; a
# 64-bit prefix (every DLL set up in both halves) comes near that in the
# emulated machine on a busy host, and the wineboot asked for then runs
# beside the first one and may fail. A failed one therefore waits for the
# prefix's programs to end and tries once more as an update.
vlt_wineboot() {
  local log=$1 start
  start=$(vlt_now)
  if WINEDEBUG=err+all,fixme-all "$VLT_WINE" wineboot -i >"$log" 2>&1; then
    vlt_log "wineboot -i ($VLT_PREFIX_ARCH prefix) took $(vlt_since "$start")"
    return 0
  fi
  vlt_log "wineboot -i failed after $(vlt_since "$start"): $(grep -v ':winediag:' "$log" | tail -n 3 | paste -sd ' ' -)"
  vlt_log "waiting for the prefix's programs to end, then wineboot -u"
  timeout 600 "$VLT_WINESERVER" -w 2>/dev/null || vlt_wineserver_kill
  WINEDEBUG=err+all,fixme-all "$VLT_WINE" wineboot -u >>"$log" 2>&1 ||
    vlt_die "wineboot -u failed too after $(vlt_since "$start"): $(tail -n 20 "$log")"
  vlt_log "wineboot -u made the prefix after $(vlt_since "$start") in all"
}

# Builds the prefix template of the lane's prefix kind: wineboot, virtual
# desktop, fonts, real profile folders; and checks that the lane's programs
# see the Program Files folder the cases expect. Takes 10 to 25 s.
vlt_make_template() {
  local dir=$VLT_TEMPLATE start
  start=$(vlt_now)
  if [ "$VLT_PREFIX_ARCH" = win32 ] && [ -d "$dir/prefix" ]; then
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
    vlt_wineboot "$dir/wineboot.log"
    vlt_write_template_registry "$dir/template.reg"
    "$VLT_WINE" regedit /S "Z:${dir//\//\\}\\template.reg" >>"$dir/wineboot.log" 2>&1 ||
      vlt_die "regedit failed: $(tail -n 5 "$dir/wineboot.log")"
    vlt_expect_program_files_dir
    vlt_wineserver_wait 20
    vlt_copy_wine_fonts
    vlt_unlink_profile_folders
  ) || exit 1
  touch "$dir/ready"
  vlt_log "prefix template ($VLT_PREFIX_ARCH, for the $VLT_ARCH build) made in $(vlt_since "$start"): $dir"
}

# The prefix's own answer to where Program Files is, read by the lane's
# loader (a 32-bit reg.exe reads the 32-bit view, as the setup program's
# shell call does), must be what vlt_program_files_dir tells the cases.
vlt_expect_program_files_dir() {
  local seen
  seen=$(vlt_reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion' ProgramFilesDir)
  [ "$seen" = "$(vlt_program_files_dir)" ] ||
    vlt_die "the $VLT_ARCH build sees Program Files at \"$seen\" in this $VLT_PREFIX_ARCH prefix, the harness says \"$(vlt_program_files_dir)\""
  vlt_log "Program Files as the $VLT_ARCH build sees it in $(vlt_describe_prefix): $seen"
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
# when the setup program has not been built; with --dpi N the prefix's
# display scale is N dots per inch (96 = 100 %) from the first program on.
# Sets VLT_CASE, VLT_CASE_DIR, VLT_SCREEN_DIR, VLT_ACK_DIR.
vlt_case_begin() {
  VLT_CASE=${VELTORI_E2E_CASE_NAME:-$1}
  VLT_CASE_START=$(vlt_now)
  local needs_setup='' dpi=''
  shift
  while [ $# -gt 0 ]; do
    case $1 in
      --needs-setup) needs_setup=1 ;;
      --dpi) [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || vlt_die "vlt_case_begin: --dpi wants a number"; dpi=$2; shift ;;
      *) vlt_die "vlt_case_begin: unknown option $1" ;;
    esac
    shift
  done
  vlt_choose_lane
  vlt_use_prefix "$(vlt_case_prefix_arch "$0")"
  vlt_choose_machine
  if [ "$VLT_MACHINE" = emulated ]; then
    vlt_guest_run_case "$VLT_CASE" "$(realpath "$0")"
  fi
  vlt_require_tools
  vlt_need_driver
  if [ -n "$needs_setup" ]; then
    vlt_need_setup_exe
  fi
  vlt_log "case $VLT_CASE, lane $VLT_LANE: $(vlt_describe_build)"
  vlt_log "prefix: $(vlt_describe_prefix)"
  vlt_log "machine: $VLT_MACHINE_LABEL ($VLT_MACHINE_REASON)"
  vlt_ensure_template
  vlt_case_track
  local copy_start
  copy_start=$(vlt_now)
  vlt_copy_prefix "$VLT_TEMPLATE/prefix" "$VLT_CASE_DIR/prefix"
  vlt_wine_env "$VLT_CASE_DIR"
  vlt_start_xvfb "$VLT_CASE_DIR"
  [ -z "$dpi" ] || vlt_set_prefix_dpi "$dpi"
  # One Wine session for the whole case: a wineserver that stays while no
  # program runs keeps Wine's own services and desktop up, so that a program
  # started later (the driver, many times a case) starts in about a second
  # instead of six in the emulated machine. vlt_case_end ends it.
  "$VLT_WINESERVER" -p
  export VLTDRIVE_ACK_DIR="Z:${VLT_ACK_DIR//\//\\}"
  vlt_log "$VLT_PREFIX_ARCH prefix copied in $(vlt_since "$copy_start"); display $DISPLAY"
}

# The prefix's display scale in dots per inch, where Windows' display
# settings keep it (LogPixels under HKCU\Control Panel\Desktop). Wine
# reads it when its session starts, so it goes straight into the prefix's
# registry file before the case's wineserver runs (the template's own value
# of that key, if any, replaced).
vlt_set_prefix_dpi() {
  local dpi=$1 file=$WINEPREFIX/user.reg
  [ -f "$file" ] || vlt_die "no registry file $file to set the DPI in"
  awk -v value="$(printf '"LogPixels"=dword:%08x' "$dpi")" '
    /^\[/ { if (inside && !done) { print value; done = 1 } inside = index($0, "[Control Panel\\\\Desktop]") == 1 }
    inside && /^"LogPixels"=/ { next }
    { print }
    END {
      if (inside && !done) { print value; done = 1 }
      if (!done) { print ""; print "[Control Panel\\\\Desktop]"; print value }
    }' "$file" >"$file.new"
  mv "$file.new" "$file"
  vlt_log "display scale: $dpi DPI"
}

# The case's folders and its end: VLT_CASE_DIR (logs), VLT_ACK_DIR,
# VLT_SCREEN_DIR, the note of failures, and vlt_case_end on exit.
vlt_case_track() {
  VLT_CASE_DIR=$VELTORI_E2E_STATE/cases/$VLT_CASE
  vlt_clean_case_dir "$VLT_CASE_DIR"
  mkdir -p "$VLT_CASE_DIR/ack"
  VLT_ACK_DIR=$VLT_CASE_DIR/ack
  VLT_FAILURE_NOTE=$VLT_CASE_DIR/failures
  VLT_SCREEN_DIR=$VLT_BUILD_DIR/e2e-screens/$VLT_CASE
  rm -rf "$VLT_SCREEN_DIR"
  mkdir -p "$VLT_SCREEN_DIR"
  VLT_SCREENSHOT_COUNT=0
  touch "$VLT_CASE_DIR/scripts-after"  # see vlt_new_scripts
  trap vlt_case_end EXIT
}

# A case's own prefix: a copy of the template, except Wine's system DLLs
# (C:\windows\system32 and syswow64, nine tenths of the size) and the
# side-by-side assemblies (winsxs: tens of MB, both halves' in a 64-bit
# prefix), which are hard-linked: no program under test writes there, and
# the copy takes a quarter of a second instead of several (about 4 s for a
# 64-bit prefix in the emulated machine).
vlt_copy_prefix() {
  local from=$1 to=$2 shared
  mkdir -p "$to"
  (cd "$from" && tar --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
    --exclude=./drive_c/windows/winsxs -cf - .) | (cd "$to" && tar -xpf -)
  for shared in system32 syswow64 winsxs; do
    [ -d "$from/drive_c/windows/$shared" ] && cp -al "$from/drive_c/windows/$shared" "$to/drive_c/windows/"
  done
  return 0
}

# A small volume as drive $1 (a letter) of the case's prefix: a tmpfs of
# $2 KiB, so that writes past its end fail as on a full Windows volume.
# Needs root; the case's end unmounts it. Prints the folder it is mounted on.
vlt_small_drive() {
  local letter=$1 size=$2 mount=$VLT_CASE_DIR/drive-$1
  mkdir -p "$mount"
  mount -t tmpfs -o "size=${size}k" vltdrive "$mount" || vlt_die "cannot mount a ${size} KiB tmpfs (root needed)"
  ln -sfn "$mount" "$WINEPREFIX/dosdevices/$letter:"
  printf '%s\n' "$mount"
}

# Unmounts what a case mounted below folder $1.
vlt_unmount_below() {
  local target
  while read -r _ target _; do
    [[ $target == "$1"/* ]] && umount "$target" 2>/dev/null
  done </proc/mounts
  return 0
}

# Ends what a killed run of a case left running and removes its prefix
# copy; its logs stay.
vlt_release_case_dir() {
  local dir=$1
  [ -d "$dir" ] || return 0
  vlt_unmount_below "$dir"
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
  if [ "$code" -eq 0 ] && [ -s "${VLT_FAILURE_NOTE:-/nonexistent}" ]; then
    printf 'e2e: FAIL: a step failed inside a command substitution or pipeline and the case went on: %s\n' \
      "$(head -n1 "$VLT_FAILURE_NOTE")" >&2
    code=1
  fi
  vlt_wineserver_kill
  vlt_stop_xvfb "$VLT_CASE_DIR"
  vlt_unmount_below "$VLT_CASE_DIR"
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

# Runs the driver with lines $2... and serves its screenshots; its report
# goes to standard output and to file $1, what it and Wine write to
# standard error to $1.stderr (and, for the whole case, driver.stderr). Sets
# VLT_DRIVE_STATUS.
vlt_run_driver() {
  local report=$1
  shift
  {
    local code=0
    "$VLT_WINE" "$VLT_DRIVER" "${VLT_DRIVER_OPTIONS[@]}" "$@" 2>"$report.stderr" || code=$?
    echo "$code" >"$report.status"
  } | vlt_serve_screenshots | tee "$report"
  VLT_DRIVE_STATUS=$(cat "$report.status")
  cat "$report.stderr" >>"$VLT_CASE_DIR/driver.stderr"
}

# Why the driver run whose report is $1 failed, in one message: its exit
# code, the step that failed and what it saw, or else the last step it
# began; and whatever it or Wine wrote to standard error. A driver that
# reports no step never ran its script (Wine could not start it, or it
# ended before its first line).
vlt_driver_failure() {
  local report=$1 status=$2 failed last errors
  failed=$(grep -A1 -m1 '^FAILED at step' "$report" | tr -d '\r' | paste -sd ' ' - || true)
  if [ -n "$failed" ]; then
    printf 'the driver reported a failure (exit %s): %s' "$status" "$failed"
  else
    last=$(grep -E '^\[ *[0-9.]+s\] [0-9]+ ' "$report" | tail -n 1 | tr -d '\r' || true)
    printf 'the driver ended with exit %s without reporting a failed step; %s' "$status" \
      "${last:+the last step it began: $last}"
    [ -n "$last" ] || printf 'it began no step (%s lines of output)' "$(wc -l <"$report")"
  fi
  errors=$(tr -d '\r' <"$report.stderr" | tail -n 15 | sed 's/^/ | /' || true)
  if [ -n "$errors" ]; then printf '; its standard error:\n%s' "$errors"; else printf '; nothing on its standard error'; fi
}

# Runs the driver with one script line per argument. On failure the screen
# is kept as failure-N.png and the case fails with the failed step and what
# the driver saw (also when the report itself was captured by $(...)).
vlt_drive() {
  local report=$VLT_CASE_DIR/driver-report.txt
  vlt_check_failure_note
  vlt_run_driver "$report" "$@"
  if [ "$VLT_DRIVE_STATUS" -ne 0 ]; then
    VLT_SCREENSHOT_COUNT=$((VLT_SCREENSHOT_COUNT + 1))
    vlt_log "screen at the failure: $(vlt_screenshot "failure-$VLT_SCREENSHOT_COUNT" || true)" >&2
    vlt_die "$(vlt_driver_failure "$report" "$VLT_DRIVE_STATUS")"
  fi
}

# Like vlt_drive, but the last line must fail (exit 1) and every line
# before it pass: proves that a wrong expectation is caught. Arguments are
# script lines only.
vlt_drive_expect_failure() {
  local status report=$VLT_CASE_DIR/expected-failure.txt
  vlt_check_failure_note
  vlt_run_driver "$report" "$@" >/dev/null
  status=$VLT_DRIVE_STATUS
  sed 's/^/  | /' "$report"
  [ "$status" -eq 1 ] || vlt_die "the driver should have reported a failed step (exit 1), got exit $status"
  grep -q "^FAILED at step $#: " "$report" || vlt_die "the failure should have been at step $#, the last one"
  vlt_log "the driver caught the wrong expectation, as it should"
}

# Readers of results from outside and the checks that use them.
# shellcheck source=readers.sh
source "$(dirname "${BASH_SOURCE[0]}")/readers.sh"
# shellcheck source=expect.sh
source "$(dirname "${BASH_SOURCE[0]}")/expect.sh"

# Lanes and machines; the emulated machine, seen from the host.
# shellcheck source=lanes.sh
source "$(dirname "${BASH_SOURCE[0]}")/lanes.sh"
# shellcheck source=guest.sh
source "$(dirname "${BASH_SOURCE[0]}")/guest.sh"

# The setup program's texts, roads and checks.
# shellcheck source=setup_roads.sh
source "$(dirname "${BASH_SOURCE[0]}")/setup_roads.sh"

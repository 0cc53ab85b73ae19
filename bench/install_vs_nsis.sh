#!/usr/bin/env bash
# A whole install of three large real program files (a benchmark, not a
# test): the setup program with them as its payload, against an NSIS
# installer of the same three files (zlib, silent). Both are x86_64
# programs under Wine (the x86_64 lane: build/win64's driver, the NSIS
# amd64 stub), both install into a fresh folder of a fresh prefix, RUNS
# times each (default 3), taking turns which goes first.
#
# Ours is driven through its wizard (German, every option as proposed) and
# timed from its start to the first page (the start-up check inflates the
# whole payload), and from the settings page's "Weiter" to the finish page
# (three extractions, each a whole inflate, the uninstaller copy, the
# registry and the shortcuts); their sum is the whole install without the
# user's clicks. NSIS is timed from its start to its end. The stand-in
# setup program, opened and cancelled before both, starts the Wine
# session, which neither pays for. Times are taken
# by this shell as the driver's lines arrive (the driver polls every 50 ms),
# and the installed files are compared with the packed ones.
#
#   bench/install_vs_nsis.sh [RUNS]
#   VELTORI_BENCH_FILES="/a.dll;/b.dll;/c.dll" bench/install_vs_nsis.sh   # other files
#   VELTORI_BENCH_BUILD=build/other ...   # where both installers are built
#   VELTORI_BENCH_SETUP=/old/VelToriSetup.exe ...   # a setup program already built
#                                         # with the same files (an older one, say)
#
# Default files: the three largest DLLs among Wine's own x86_64 PE DLLs
# (/usr/lib/x86_64-linux-gnu/wine/x86_64-windows). Needs build/native (the
# packer), build/win64 (the driver) and makensis (package nsis); builds the
# setup program with the files in build/bench-install-win64 (or
# VELTORI_BENCH_BUILD) and the NSIS installer beside it.
set -Eeuo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export VELTORI_SOURCE_DIR=${VELTORI_SOURCE_DIR:-$(dirname "$here")}
export VELTORI_E2E_LANE=wine
work=${VELTORI_BENCH_BUILD:-$VELTORI_SOURCE_DIR/build/bench-install-win64}
export VELTORI_SETUP_EXE=${VELTORI_BENCH_SETUP:-$work/bin/VelToriSetup.exe}
nsis_exe=$work/nsis-bench.exe

seconds_between() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }

if [ "${1:-}" != --run ]; then
  runs=${1:-3}
  if [ -n "${VELTORI_BENCH_FILES:-}" ]; then
    IFS=';' read -r -a files <<<"$VELTORI_BENCH_FILES"
  else
    mapfile -t files < <(find /usr/lib/x86_64-linux-gnu/wine/x86_64-windows -name '*.dll' -printf '%s %p\n' |
      sort -rn | head -n 3 | cut -d' ' -f2-)
  fi
  [ "${#files[@]}" -eq 3 ] || { echo "install_vs_nsis.sh: three files are needed, not ${#files[@]}" >&2; exit 1; }
  command -v makensis >/dev/null || { echo "install_vs_nsis.sh: makensis is missing (apt-get install nsis)" >&2; exit 1; }
  list=$(IFS=';'; echo "${files[*]}")

  echo "files: $(for f in "${files[@]}"; do printf '%s (%s bytes) ' "$f" "$(stat -c %s "$f")"; done)"
  if [ -z "${VELTORI_BENCH_SETUP:-}" ]; then
    cmake --preset win64 -B "$work" -DVELTORI_PAYLOAD="$list" >"$work.configure.log" 2>&1 ||
      { tail -n 20 "$work.configure.log" >&2; exit 1; }
    cmake --build "$work" --target VelToriSetup -j2 >"$work.build.log" 2>&1 ||
      { tail -n 20 "$work.build.log" >&2; exit 1; }
  fi
  mkdir -p "$work"
  cat >"$work/nsis-bench.nsi" <<NSI
Unicode true
Target amd64-unicode
SetCompressor zlib
Name "NSIS bench"
OutFile "$nsis_exe"
InstallDir "\$PROGRAMFILES64\\NSIS bench"
RequestExecutionLevel admin
SilentInstall silent
Section
  SetOutPath \$INSTDIR
  File /oname=veltori.exe "${files[0]}"
  File /oname=veltori.hlp "${files[1]}"
  File /oname=veltori.cnt "${files[2]}"
SectionEnd
NSI
  makensis -V2 "$work/nsis-bench.nsi" >"$work/makensis.log" 2>&1 ||
    { tail -n 20 "$work/makensis.log" >&2; exit 1; }
  echo "setup program: $VELTORI_SETUP_EXE ($(stat -c %s "$VELTORI_SETUP_EXE") bytes); NSIS: $nsis_exe ($(stat -c %s "$nsis_exe") bytes, $(makensis -VERSION))"

  results=$work/results.txt
  : >"$results"
  for ((run = 1; run <= runs; run++)); do
    bash "$0" --run "$run" "$list" "$results" | grep '^run ' || { echo "run $run failed" >&2; exit 1; }
  done
  awk '
    function median(list, n,   sorted, i, j, t) {
      for (i = 1; i <= n; i++) sorted[i] = list[i]
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (sorted[j] < sorted[i]) { t = sorted[i]; sorted[i] = sorted[j]; sorted[j] = t }
      return n % 2 ? sorted[(n + 1) / 2] : (sorted[n / 2] + sorted[n / 2 + 1]) / 2
    }
    { n++; first[n] = $1; install[n] = $2; whole[n] = $3; nsis[n] = $4 }
    END {
      printf "medians of %d runs: ours start to first page %.2f s, Weiter to finish page %.2f s, whole install %.2f s; NSIS %.2f s; ours / NSIS = %.2f\n",
        n, median(first, n), median(install, n), median(whole, n), median(nsis, n), median(whole, n) / median(nsis, n)
    }' "$results"
  exit 0
fi

run=$2
IFS=';' read -r -a files <<<"$3"
results=$4
# shellcheck source=../e2e/lib/harness.sh
source "$VELTORI_SOURCE_DIR/e2e/lib/harness.sh"
vlt_case_begin "bench_install_vs_nsis_$run" --needs-setup
[ -f "$nsis_exe" ] || vlt_die "no NSIS installer: $nsis_exe"

# The files in folder $1 (a Unix path) are the packed ones.
expect_installed() {
  local i names=(veltori.exe veltori.hlp veltori.cnt)
  for i in 0 1 2; do
    cmp -s "$1/${names[i]}" "${files[i]}" || vlt_die "$2 did not install ${names[i]} whole into $1"
  done
}

ours() {
  local lang=Deutsch stamped=$VLT_CASE_DIR/bench-driver.txt start line
  local steps=(
    "wait-window $(vlt_q "$VLT_LANGUAGE_PAGE") --timeout 300"
    "tick $lang 1" 'click "&Next >>"'
    "wait-window $(vlt_q "$(vlt_text "$lang" wizard_2)")"
    "click $(vlt_q "$(vlt_text "$lang" install_button)")"
    "wait-window $(vlt_q "$(vlt_text "$lang" wizard_3)")"
    "click $(vlt_q "$(vlt_text "$lang" next_button)")"
    "wait-window $(vlt_q "$(vlt_text "$lang" wizard_4)") --timeout 300"
    "tick $(vlt_q "$(vlt_text "$lang" start_box)") 0"
    "tick $(vlt_q "$(vlt_text "$lang" web_box)") 0"
    "click $(vlt_q "$(vlt_text "$lang" finish_button)")"
    'wait-exit --code 0')
  # The driver runs first and waits for the page; each of its lines is
  # stamped with this shell's clock as it arrives. A step's line comes as
  # the step begins, so step 2's line is the moment the first page was
  # seen, step 7's the click on Weiter and step 9's the finish page.
  : >"$stamped"
  (
    "$VLT_WINE" "$VLT_DRIVER" "${steps[@]}" 2>>"$VLT_CASE_DIR/driver.stderr" |
      while IFS= read -r line; do printf '%s %s\n' "$EPOCHREALTIME" "${line%$'\r'}"; done
  ) >"$stamped" &
  local driver=$!
  local waited=0
  until grep -q '\] 1 wait-window' "$stamped"; do
    [ "$waited" -lt 600 ] || vlt_die "the driver did not start within 30 s"
    sleep 0.05
    waited=$((waited + 1))
  done
  start=$EPOCHREALTIME
  vlt_setup_start
  wait "$driver" || true
  grep -q 'passed: 12 steps' "$stamped" || vlt_die "the driver did not walk the install: $(tail -n 5 "$stamped")"
  [ "$(vlt_wait_pid "$VLT_SETUP_PID" 60)" = 0 ] || vlt_die "the setup program ended with an error"
  expect_installed "$(vlt_unix_path "$(vlt_proposed_dir)")" "the setup program"
  step() { awk -v n="$1" 'match($0, /s\] [0-9]+ /) && substr($0, RSTART + 3, RLENGTH - 4) == n { print $1; exit }' "$stamped"; }
  ours_first=$(seconds_between "$start" "$(step 2)")
  ours_install=$(seconds_between "$(step 7)" "$(step 9)")
}

nsis() {
  local start end
  start=$EPOCHREALTIME
  "$VLT_WINE" "$nsis_exe" /S >"$VLT_CASE_DIR/nsis.log" 2>&1 || vlt_die "the NSIS installer failed"
  end=$EPOCHREALTIME
  expect_installed "$(vlt_unix_path "$(vlt_program_files_dir)\NSIS bench")" "the NSIS installer"
  nsis_whole=$(seconds_between "$start" "$end")
}

# The first programs of a Wine session start Wine's own services and its
# desktop too (a second or so): neither installer pays for that. The
# stand-in build's setup program, opened and cancelled, starts them.
vlt_start "$VLT_BIN/VelToriSetup.exe"
vlt_drive "wait-window $(vlt_q "$VLT_LANGUAGE_PAGE") --timeout 60" 'click "&Cancel"' \
  "expect-msgbox $(vlt_q "$(vlt_text English confirm_text)") --answer $(vlt_q "$(vlt_text English yes)")" \
  'wait-exit' >/dev/null
if [ $((run % 2)) -eq 1 ]; then ours; nsis; else nsis; ours; fi
ours_whole=$(awk -v a="$ours_first" -v b="$ours_install" 'BEGIN { printf "%.3f", a + b }')
printf '%s %s %s %s\n' "$ours_first" "$ours_install" "$ours_whole" "$nsis_whole" >>"$results"
printf 'run %d: ours start to first page %s s, Weiter to finish page %s s, whole install %s s; NSIS %s s\n' \
  "$run" "$ours_first" "$ours_install" "$ours_whole" "$nsis_whole"
vlt_case_pass

#!/usr/bin/env bash
# Start to first page at 96 and 192 DPI (a benchmark, not a test): the
# setup program is started RUNS times (default 5) in a Wine session at each
# scale, and the time from its start until the driver sees the language page
# is printed for each run, with the median. The driver's own start (a run
# of "version") is printed too: it is part of every time.
#
#   bench/startup_dpi.sh [RUNS]
#   VELTORI_SETUP_EXE=/other/VelToriSetup.exe bench/startup_dpi.sh   # another build, e.g. an older one
#
# Runs in the x86_64 lane (build/win64) unless VELTORI_E2E_LANE says otherwise.
set -Eeuo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export VELTORI_SOURCE_DIR=${VELTORI_SOURCE_DIR:-$(dirname "$here")}
export VELTORI_E2E_LANE=${VELTORI_E2E_LANE:-wine}

if [ "${1:-}" != --at ]; then
  runs=${1:-5}
  for dpi in 96 192; do bash "$0" --at "$dpi" "$runs"; done
  exit 0
fi

dpi=$2 runs=$3
# shellcheck source=../e2e/lib/harness.sh
source "$VELTORI_SOURCE_DIR/e2e/lib/harness.sh"
vlt_case_begin "bench_startup_${dpi}dpi" --needs-setup --dpi "$dpi"

seconds_since() { awk -v a="$1" -v b="$(vlt_now)" 'BEGIN { printf "%.3f", b - a }'; }

vlt_drive 'version' >/dev/null  # the session's first driver start is slower
start=$(vlt_now)
vlt_drive 'version' >/dev/null
driver=$(seconds_since "$start")
times=()
for ((run = 1; run <= runs; run++)); do
  start=$(vlt_now)
  vlt_setup_start
  vlt_drive "wait-window $(vlt_q "$VLT_LANGUAGE_PAGE") --timeout 60" >/dev/null
  times+=("$(seconds_since "$start")")
  vlt_drive "wait-window $(vlt_q "$VLT_LANGUAGE_PAGE")" 'click "&Cancel"' \
    "expect-msgbox $(vlt_q "$(vlt_text English confirm_text)") --answer $(vlt_q "$(vlt_text English yes)")" \
    'wait-exit' >/dev/null
  vlt_wait_pid "$VLT_SETUP_PID" >/dev/null
done
# The median, and the fastest run: on a machine shared with other work the
# fastest is the one least disturbed.
read -r fastest median < <(printf '%s\n' "${times[@]}" | sort -n |
  awk '{ t[NR] = $1 } END { print t[1], t[int((NR + 1) / 2)] }')
printf 'startup at %3d DPI (%s): fastest %s s, median %s s of %s runs [%s]; the driver alone %s s\n' \
  "$dpi" "$VLT_SETUP_EXE" "$fastest" "$median" "$runs" "${times[*]}" "$driver"
vlt_case_pass

#!/usr/bin/env bash
# Runs inside the emulated machine (started by init.sh with the checkout's
# path): makes the lane's prefix template once for the whole boot, then
# runs the cases the host asks for, up to veltori.jobs at once, until the
# host writes "stop". See e2e/lib/guest.sh for the files they share.
set -Eeuo pipefail
shopt -s inherit_errexit
trap 'echo "serve.sh: line $LINENO: \"$BASH_COMMAND\" failed (exit $?)" >&2' ERR

share=$1
queue= lane=wine32 jobs=2 require= prefix=
for word in $(cat /proc/cmdline); do
  case $word in
    veltori.queue=*) queue=${word#*=} ;;
    veltori.lane=*) lane=${word#*=} ;;
    veltori.jobs=*) jobs=${word#*=} ;;
    veltori.require=*) require=${word#*=} ;;
    veltori.prefix=*) prefix=${word#*=} ;;
  esac
done
[ -d "$queue" ] || { echo "serve.sh: no queue folder ($queue)" >&2; exit 1; }

# The guest's own disk holds the prefixes (a tmpfs /tmp fills up with a few
# prefix copies); screenshots go to the shared build tree.
mkdir -p /var/tmp/veltori-e2e
export TMPDIR=/var/tmp
export VELTORI_SOURCE_DIR=$share
export VELTORI_E2E_LANE=$lane
export VELTORI_E2E_STATE=/var/tmp/veltori-e2e/$lane
export VELTORI_E2E_IN_GUEST=1
export VELTORI_E2E_TIME_FACTOR=${VELTORI_E2E_TIME_FACTOR:-6}
[ -z "$require" ] || export VELTORI_REQUIRE_WINE=1
[ -z "$prefix" ] || export VELTORI_E2E_PREFIX=$prefix
echo "veltori-guest: $(nproc) CPUs, $(awk '/MemTotal/ { print int($2 / 1024) " MB" }' /proc/meminfo); serving $queue"

# Wine maps a program's file into memory; over this 9p share the parts of a
# file past its first 256 KiB (the mount's msize) were mapped as zeros, and
# a driver whose code reached past that point crashed in its own code (the
# same file read with read() is whole). The Windows programs therefore run
# from copies on the guest's own disk, bound over their folders in the
# share, made anew at every boot.
copies=0
for bin in "$share/build/win32/bin" "$share/build/win32-signed/bin" "$share/build/win64/bin"; do
  [ -d "$bin" ] || continue
  copies=$((copies + 1))
  rm -rf "/var/tmp/veltori-bin-$copies"
  cp -a "$bin" "/var/tmp/veltori-bin-$copies"
  mount --bind "/var/tmp/veltori-bin-$copies" "$bin"
done

if ! bash "$share/e2e/lib/fixture.sh" setup >"$queue/fixture.log" 2>&1; then
  touch "$queue/failed"
  exit 1
fi
touch "$queue/ready"

# Runs one request: the case's output to results/NAME.log, then its code.
run_case() {
  local name=$1 request=$2 script setup code=0
  script=$(sed -n 's/^script=//p' "$request")
  setup=$(sed -n 's/^setup=//p' "$request")
  rm -f "$request"
  (
    [ -z "$setup" ] || export VELTORI_SETUP_EXE=$setup
    # The host's name of the case, which a script run under another name
    # (VELTORI_E2E_CASE_NAME) does not know by itself.
    export VELTORI_E2E_CASE_NAME=$name
    cd "$share"
    bash "$script"
  ) >"$queue/results/$name.log" 2>&1 </dev/null || code=$?
  echo "$code" >"$queue/results/$name.code.tmp"
  mv "$queue/results/$name.code.tmp" "$queue/results/$name.code"
}

declare -A running=()
while :; do
  for pid in "${!running[@]}"; do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" || true; unset "running[$pid]"; }
  done
  if [ -f "$queue/stop" ] && [ "${#running[@]}" -eq 0 ]; then
    break
  fi
  for request in "$queue"/requests/*.req; do
    [ -f "$request" ] && [ "${#running[@]}" -lt "$jobs" ] || continue
    name=$(basename "$request" .req)
    mv "$request" "$queue/requests/$name.taken"
    run_case "$name" "$queue/requests/$name.taken" &
    running[$!]=$name
  done
  sleep 0.3
done
bash "$share/e2e/lib/fixture.sh" cleanup >>"$queue/fixture.log" 2>&1 || true
echo "veltori-guest: done"

# shellcheck shell=bash
# The emulated machine, seen from the host: for the wine32 lane where this
# kernel refuses 32-bit code (or VELTORI_E2E_MACHINE=emulated). The fixture
# boots it once for the whole lane (qemu-system-x86_64, TCG, no display)
# with the checkout shared in at its own path; inside, e2e/guest/serve.sh
# makes the prefix template once and runs the cases the host hands it.
#
# The host and the guest talk through files in the lane's guest folder
# ($VELTORI_E2E_STATE/guest, inside the shared checkout):
#   ready | failed       the guest made its template / could not
#   requests/CASE.req    a case to run (lines NAME=VALUE: script, setup)
#   results/CASE.log     its output, as it runs
#   results/CASE.code    its exit code, written last
#   stop                 the host is done: the guest powers off
#   qemu.pid, console.log, image

# Guest and host see the checkout at the same path, so the folder for the
# requests must lie inside it.
vlt_guest_queue() {
  local queue=$VELTORI_E2E_STATE/guest
  case $queue in
    "$VELTORI_SOURCE_DIR"/*) printf '%s\n' "$queue" ;;
    *) vlt_die "the emulated machine sees only the checkout; VELTORI_E2E_STATE ($VELTORI_E2E_STATE) lies outside $VELTORI_SOURCE_DIR" ;;
  esac
}

# Whole seconds since $1 (a vlt_now time).
vlt_guest_waited() {
  awk -v a="$1" -v b="$(vlt_now)" 'BEGIN { printf "%d", b - a }'
}

vlt_guest_running() {
  local queue=$1
  [ -f "$queue/qemu.pid" ] && kill -0 "$(cat "$queue/qemu.pid")" 2>/dev/null
}

# Builds the disk image when the cache has none for this recipe (minutes,
# once per machine), boots the guest and waits until it has made its
# prefix template. Needs qemu-system-x86_64.
vlt_guest_boot() {
  local queue image start qemu=qemu-system-x86_64
  queue=$(vlt_guest_queue)
  command -v "$qemu" >/dev/null || vlt_skip_or_fail "$qemu is not installed (package qemu-system-x86): the wine32 lane needs the emulated machine here"
  start=$(vlt_now)
  image=$(bash "$VELTORI_SOURCE_DIR/e2e/guest/build-image.sh" --print-dir)
  if [ ! -f "$image/ready" ]; then
    vlt_log "building the emulated machine's disk image (first run on this machine): $image"
    image=$(bash "$VELTORI_SOURCE_DIR/e2e/guest/build-image.sh")
    vlt_log "disk image built in $(vlt_since "$start")"
  fi
  vlt_log "emulated machine: $(sed -n 2p "$image/ready")"
  rm -rf "$queue"
  mkdir -p "$queue/requests" "$queue/results"
  printf '%s\n' "$image" >"$queue/image"
  local append=(console=ttyS0 root=/dev/vda rw quiet init=/sbin/veltori-init
    "veltori.share=$VELTORI_SOURCE_DIR" "veltori.queue=$queue" "veltori.lane=$VLT_LANE"
    "veltori.jobs=${VELTORI_GUEST_JOBS:-2}" "veltori.require=${VELTORI_REQUIRE_WINE:+1}"
    "veltori.prefix=${VELTORI_E2E_PREFIX:-}")
  start=$(vlt_now)
  # -snapshot: the guest's writes (prefixes, logs) go to a scratch file, the
  # cached image stays as built. -cpu: with "max" the guest kernel oopses at
  # the iret of Wine's 32-bit code; qemu64 with these extensions does not.
  setsid timeout "${VELTORI_GUEST_MAX_SECONDS:-5400}" "$qemu" \
    -machine q35 -accel tcg,thread=multi -cpu qemu64,+ssse3,+sse4.1,+sse4.2,+popcnt \
    -smp "${VELTORI_GUEST_CPUS:-2}" -m "${VELTORI_GUEST_MEMORY:-4096}" \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.img" -append "${append[*]}" \
    -drive "file=$image/disk.img,format=raw,if=virtio" -snapshot \
    -virtfs "local,path=$VELTORI_SOURCE_DIR,mount_tag=checkout,security_model=none" \
    -nographic -no-reboot </dev/null >"$queue/console.log" 2>&1 &
  echo $! >"$queue/qemu.pid"
  # Wine's first start in the emulated machine takes minutes, and under a
  # busy host far more: 1,188 s were seen with both cores loaded, its
  # wineboot -i timing out and wineboot -u finishing the prefix. This limit
  # only catches a guest that hangs, so it is generous and counts real
  # time (the old count of half-second pauses ran long under load too).
  local limit=${VELTORI_GUEST_READY_SECONDS:-2100} why=''
  while [ ! -f "$queue/ready" ]; do
    if [ -f "$queue/failed" ]; then
      why="the emulated machine could not make its prefix template"
    elif ! vlt_guest_running "$queue"; then
      why="the emulated machine ended before it was ready"
    elif [ "$(vlt_guest_waited "$start")" -ge "$limit" ]; then
      why="the emulated machine was not ready after $limit s"
    fi
    if [ -n "$why" ]; then
      vlt_log "the emulated machine's console (last lines):"
      tail -n 30 "$queue/console.log" >&2 || true
      [ ! -f "$queue/fixture.log" ] || { vlt_log "its fixture (last lines):"; tail -n 30 "$queue/fixture.log" >&2; }
      vlt_die "$why (logs: $queue)"
    fi
    sleep 0.5
  done
  vlt_log "emulated machine booted and its prefix template made in $(vlt_since "$start")"
  sed 's/^/  guest | /' "$queue/fixture.log"
}

# Tells the guest to power off and waits for it (then ends it).
vlt_guest_stop() {
  local queue waited=0 pid
  queue=$(vlt_guest_queue)
  [ -f "$queue/qemu.pid" ] || return 0
  pid=$(cat "$queue/qemu.pid")
  touch "$queue/stop"
  while kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 600 ]; do
    sleep 0.1
    waited=$((waited + 1))
  done
  if kill -0 "$pid" 2>/dev/null; then
    vlt_log "the emulated machine did not power off within 60 s: ending it"
    kill -- "-$pid" 2>/dev/null || kill "$pid" 2>/dev/null || true
  fi
  rm -f "$queue/qemu.pid"
  vlt_log "emulated machine stopped"
}

# Runs case $1 (script $2) inside the running guest, passing its output
# through as it comes, and exits with its exit code.
vlt_guest_run_case() {
  local name=$1 script=$2 queue setup=${VELTORI_SETUP_EXE:-} log code offset=1 size
  queue=$(vlt_guest_queue)
  [ -f "$queue/ready" ] && vlt_guest_running "$queue" ||
    vlt_die "the emulated machine is not running; the lane's fixture starts it: ctest --test-dir build/native -L wine32 (or VELTORI_E2E_LANE=$VLT_LANE bash e2e/lib/fixture.sh setup)"
  # A setup program outside the checkout is copied in, where the guest sees it.
  if [ -n "$setup" ] && [[ $setup != "$VELTORI_SOURCE_DIR"/* ]]; then
    mkdir -p "$queue/programs/$name"
    cp "$setup" "$queue/programs/$name/"
    setup=$queue/programs/$name/$(basename "$setup")
  fi
  log=$queue/results/$name.log
  code=$queue/results/$name.code
  rm -f "$log" "$code"
  printf 'script=%s\nsetup=%s\n' "$script" "$setup" >"$queue/requests/$name.tmp"
  mv "$queue/requests/$name.tmp" "$queue/requests/$name.req"
  vlt_log "case $name handed to the emulated machine"
  while [ ! -f "$code" ]; do
    vlt_guest_running "$queue" || vlt_die "the emulated machine stopped while case $name ran"
    if [ -f "$log" ]; then
      size=$(stat -c %s "$log")
      if [ "$size" -ge "$offset" ]; then
        tail -c "+$offset" "$log" | head -c "$((size - offset + 1))"
        offset=$((size + 1))
      fi
    fi
    sleep 0.5
  done
  [ ! -f "$log" ] || tail -c "+$offset" "$log"
  exit "$(cat "$code")"
}

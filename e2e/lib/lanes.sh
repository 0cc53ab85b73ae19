# shellcheck shell=bash
# shellcheck disable=SC2034  # this file sets variables for the harness
# The two lanes of the end-to-end cases and the machine each runs on.
#
#   lane wine    the x86_64 build (build/win64/bin) in a win64 prefix, run
#                by /usr/lib/wine/wine64: the quick lane for daily work
#   lane wine32  the i686 build users get (build/win32/bin), by default in
#                a win64 prefix as on the 64-bit Windows users have (Wine's
#                WoW64: the 32-bit registry view under Wow6432Node,
#                C:\Program Files (x86)); a case with the header line
#                "# wine32-prefix: win32" runs in a win32 prefix. Natively
#                where this kernel runs 32-bit code, else inside the
#                emulated machine (e2e/guest/)
#
# The lane comes from VELTORI_E2E_LANE (CTest sets it for every case);
# VELTORI_E2E_ARCH=win32|win64 names it by build. Without either a case run
# from a shell uses the wine lane. VELTORI_E2E_PREFIX=win32|win64 sets the
# prefix of every wine32 case, over their header lines. The machine of the wine32 lane comes
# from VELTORI_E2E_MACHINE (native, emulated, or empty: probe this
# machine), decided once per run by the fixture and kept in the lane's
# state folder.

# Sets VLT_ARCH, VLT_WINE (the loader), VLT_BUILD_DIR and the program paths;
# the prefix is a win64 one until vlt_use_prefix says otherwise.
vlt_use_arch() {
  VLT_ARCH=$1
  VLT_BUILD_DIR=$VELTORI_SOURCE_DIR/build/$VLT_ARCH
  VLT_BIN=$VLT_BUILD_DIR/bin
  case $VLT_ARCH in
    win64) VLT_WINE=/usr/lib/wine/wine64 ;;
    win32)
      if [ -x /usr/lib/wine/wine ]; then VLT_WINE=/usr/lib/wine/wine; else VLT_WINE=$(command -v wine || echo wine); fi
      ;;
    *) vlt_die "no such build: $VLT_ARCH (win32 or win64)" ;;
  esac
  VLT_WINESERVER=$(vlt_wineserver_binary)
  VLT_DRIVER=$VLT_BIN/e2e/vltdrive.exe
  VLT_TESTAPP=$VLT_BIN/e2e/vlttestapp.exe
  VLT_STANDIN=$VLT_BIN/e2e/veltori.exe
  VLT_SETUP_EXE=${VELTORI_SETUP_EXE:-$VLT_BIN/VelToriSetup.exe}
  vlt_use_prefix win64
}

# Sets the kind of prefix the lane's programs run in (VLT_PREFIX_ARCH, the
# WINEARCH of its template, win32 or win64) and the template (VLT_TEMPLATE).
# The x86_64 build runs only in a win64 prefix.
vlt_use_prefix() {
  case $1 in
    win64) ;;
    win32) [ "$VLT_ARCH" = win32 ] || vlt_die "the $VLT_ARCH build does not run in a win32 prefix" ;;
    *) vlt_die "no such prefix kind: $1 (win32 or win64)" ;;
  esac
  VLT_PREFIX_ARCH=$1
  VLT_TEMPLATE=$VELTORI_E2E_STATE/template-$VLT_PREFIX_ARCH
}

# The prefix kind a case of the wine32 lane asks for: VELTORI_E2E_PREFIX,
# else its header line "# wine32-prefix: win32|win64" in script $1, else
# win64. The wine lane's cases all run in a win64 prefix.
vlt_case_prefix_arch() {
  local script=$1 line
  if [ "$VLT_LANE" != wine32 ]; then
    echo win64
  elif [ -n "${VELTORI_E2E_PREFIX:-}" ]; then
    printf '%s\n' "$VELTORI_E2E_PREFIX"
  elif [ -f "$script" ] && line=$(grep -m1 -E '^# wine32-prefix: ' "$script"); then
    printf '%s\n' "${line#'# wine32-prefix: '}"
  else
    echo win64
  fi
}

# "a 64-bit prefix (WoW64)" or the like, for the logs.
vlt_describe_prefix() {
  case $VLT_ARCH/$VLT_PREFIX_ARCH in
    win32/win64) echo "a 64-bit prefix (win64, the i686 program under WoW64)" ;;
    win32/win32) echo "a 32-bit prefix (win32)" ;;
    *) echo "a 64-bit prefix (win64)" ;;
  esac
}

# The Program Files folder as the lane's setup program sees it
# (CSIDL_PROGRAM_FILES): a 32-bit program in a 64-bit prefix gets the
# 32-bit one. The fixture checks this against each template it makes.
vlt_program_files_dir() {
  if [ "$VLT_ARCH/$VLT_PREFIX_ARCH" = win32/win64 ]; then
    echo 'C:\Program Files (x86)'
  else
    echo 'C:\Program Files'
  fi
}

# The lane's name from the switches (or $1 as the default).
vlt_lane_name() {
  if [ -n "${VELTORI_E2E_LANE:-}" ]; then
    printf '%s\n' "$VELTORI_E2E_LANE"
    return 0
  fi
  case ${VELTORI_E2E_ARCH:-} in
    win32) echo wine32 ;;
    win64) echo wine ;;
    '') printf '%s\n' "${1:-wine}" ;;
    *) vlt_die "VELTORI_E2E_ARCH must be win32 or win64, not $VELTORI_E2E_ARCH" ;;
  esac
}

# Chooses the lane: VLT_LANE, its build and its state folder (each lane its
# own, so both can run in one ctest run). "auto" (the demo) takes the i686
# build where it runs natively.
vlt_choose_lane() {
  VLT_LANE=$(vlt_lane_name "${1:-wine}")
  if [ "$VLT_LANE" = auto ]; then
    VLT_LANE=wine
    VELTORI_E2E_STATE=${VELTORI_E2E_STATE:-$VELTORI_SOURCE_DIR/build/native/e2e/auto}
    mkdir -p "$VELTORI_E2E_STATE"
    if vlt_win32_runs; then VLT_LANE=wine32; fi
  fi
  VELTORI_E2E_STATE=${VELTORI_E2E_STATE:-$VELTORI_SOURCE_DIR/build/native/e2e/$VLT_LANE}
  case $VLT_LANE in
    wine) vlt_use_arch win64 ;;
    wine32) vlt_use_arch win32 ;;
    *) vlt_die "VELTORI_E2E_LANE must be wine or wine32, not $VLT_LANE" ;;
  esac
  vlt_use_prefix "$(vlt_case_prefix_arch '')"
}

# Can this machine run 32-bit Windows programs? Runs our i686 driver in a
# fresh win32 prefix (which then becomes the template's start). Kernels
# without 32-bit support refuse Wine's i386 loader ("Exec format error").
# Sets VLT_MACHINE_REASON.
vlt_win32_runs() {
  local driver32=$VELTORI_SOURCE_DIR/build/win32/bin/e2e/vltdrive.exe
  local probe=$VELTORI_E2E_STATE/template-win32 output
  [ -f "$driver32" ] || { VLT_MACHINE_REASON="no win32 build ($driver32)"; return 1; }
  [ -x /usr/lib/wine/wine ] || command -v wine >/dev/null ||
    { VLT_MACHINE_REASON="no Wine loader for 32-bit programs (package wine32:i386)"; return 1; }
  rm -rf "$probe" && mkdir -p "$probe/home"
  if output=$(HOME=$probe/home WINEARCH=win32 WINEPREFIX=$probe/prefix WINEDEBUG=-all \
      WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" DISPLAY='' \
      timeout 120 /usr/lib/wine/wine "$driver32" version 2>&1) && [[ $output == *"32-bit"* ]]; then
    VLT_MACHINE_REASON="32-bit Windows programs run natively here"
    return 0
  fi
  VLT_MACHINE_REASON="32-bit Windows programs do not run here: ${output##*$'\n'}"
  rm -rf "$probe"
  return 1
}

# Decides where the lane's Wine runs: VLT_MACHINE (native or emulated) and
# VLT_MACHINE_REASON; the fixture writes the answer to the state folder,
# the cases read it from there. Inside the emulated machine every case runs
# natively there, and says where it is.
vlt_choose_machine() {
  local cache=$VELTORI_E2E_STATE/machine
  if [ -n "${VELTORI_E2E_IN_GUEST:-}" ]; then
    VLT_MACHINE=native
    VLT_MACHINE_REASON="inside the emulated machine (qemu-system-x86_64, TCG)"
    VLT_MACHINE_LABEL=emulated
    return 0
  fi
  if [ -s "$cache" ]; then
    VLT_MACHINE=$(head -n1 "$cache")
    VLT_MACHINE_REASON=$(tail -n +2 "$cache")
  elif [ "$VLT_LANE" = wine ]; then
    VLT_MACHINE=native
    VLT_MACHINE_REASON="64-bit Windows programs run on this machine's Wine"
  else
    case ${VELTORI_E2E_MACHINE:-} in
      native) VLT_MACHINE=native VLT_MACHINE_REASON="chosen by VELTORI_E2E_MACHINE" ;;
      emulated) VLT_MACHINE=emulated VLT_MACHINE_REASON="chosen by VELTORI_E2E_MACHINE" ;;
      '')
        if vlt_win32_runs; then VLT_MACHINE=native; else VLT_MACHINE=emulated; fi
        ;;
      *) vlt_die "VELTORI_E2E_MACHINE must be native or emulated, not $VELTORI_E2E_MACHINE" ;;
    esac
    mkdir -p "$VELTORI_E2E_STATE"
    printf '%s\n%s\n' "$VLT_MACHINE" "$VLT_MACHINE_REASON" >"$cache"
  fi
  VLT_MACHINE_LABEL=$VLT_MACHINE
}

# The build's identity for the log: what `file` says of the program.
vlt_describe_build() {
  local exe=$VLT_SETUP_EXE
  [ -f "$exe" ] || exe=$VLT_DRIVER
  if command -v file >/dev/null; then
    printf '%s: %s\n' "$exe" "$(file -b "$exe")"
  else
    printf '%s (no `file` command here to describe it)\n' "$exe"
  fi
}

# Checks that the lane's build is there (skip or fail otherwise).
vlt_need_driver() {
  [ -f "$VLT_DRIVER" ] || vlt_skip_or_fail "the $VLT_ARCH build has no driver: $VLT_DRIVER (cmake --preset $VLT_ARCH && cmake --build build/$VLT_ARCH)"
}

#!/usr/bin/env bash
# The CTest fixture of one lane of the end-to-end cases (VELTORI_E2E_LANE).
#   fixture.sh setup    decide where the lane runs (this machine or the
#                       emulated one) and make the prefix template the
#                       cases copy (of the lane's default prefix kind; a
#                       case that asks for the other kind makes that one
#                       when it first needs it); for the emulated machine,
#                       boot it (it makes its own templates)
#   fixture.sh cleanup  end what killed cases left running, stop the
#                       emulated machine, remove the prefix copies and the
#                       template (case logs stay)
# shellcheck source=harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

case ${1:-} in
  setup)
    vlt_choose_lane
    mkdir -p "$VELTORI_E2E_STATE"
    rm -f "$VELTORI_E2E_STATE/machine"
    vlt_choose_machine
    vlt_log "lane $VLT_LANE: the $VLT_ARCH build ($VLT_BIN), by default in $(vlt_describe_prefix)"
    vlt_log "machine: $VLT_MACHINE_LABEL ($VLT_MACHINE_REASON)"
    if [ "$VLT_MACHINE" = emulated ]; then
      vlt_guest_boot
    else
      vlt_require_tools
      vlt_need_driver
      vlt_log "build: $(vlt_describe_build)"
      vlt_make_template
    fi
    ;;
  cleanup)
    vlt_choose_lane
    [ -d "$VELTORI_E2E_STATE" ] || exit 0
    if [ -z "${VELTORI_E2E_IN_GUEST:-}" ] && [ -f "$VELTORI_E2E_STATE/guest/qemu.pid" ]; then
      vlt_guest_stop
    fi
    VLT_WINESERVER=$(vlt_wineserver_binary)
    for dir in "$VELTORI_E2E_STATE"/cases/*/; do
      [ ! -d "$dir" ] || vlt_release_case_dir "${dir%/}"
    done
    if [ -n "${VELTORI_E2E_KEEP:-}" ]; then
      vlt_log "kept the prefix templates in $VELTORI_E2E_STATE"
    else
      rm -rf "$VELTORI_E2E_STATE"/template-* "$VELTORI_E2E_STATE/machine"
    fi
    ;;
  *)
    echo "usage: $0 setup|cleanup" >&2
    exit 2
    ;;
esac

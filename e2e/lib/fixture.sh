#!/usr/bin/env bash
# The CTest fixture of the end-to-end cases.
#   fixture.sh setup    choose the Windows build (32- or 64-bit) and make the
#                       Wine prefix template the cases copy
#   fixture.sh cleanup  end what killed cases left running, remove the
#                       prefix copies and the template (case logs stay)
# shellcheck source=harness.sh
source "$(dirname "${BASH_SOURCE[0]}")/harness.sh"

case ${1:-} in
  setup)
    vlt_require_tools
    mkdir -p "$VELTORI_E2E_STATE"
    rm -f "$VELTORI_E2E_STATE/arch"
    vlt_choose_arch
    vlt_log "using the $VLT_ARCH build ($VLT_BIN) in a $VLT_ARCH prefix: $VLT_ARCH_REASON"
    vlt_make_template
    ;;
  cleanup)
    [ -d "$VELTORI_E2E_STATE" ] || exit 0
    VLT_WINESERVER=$(vlt_wineserver_binary)
    for dir in "$VELTORI_E2E_STATE"/cases/*/; do
      [ -d "$dir" ] && vlt_release_case_dir "${dir%/}"
    done
    if [ -n "${VELTORI_E2E_KEEP:-}" ]; then
      vlt_log "kept the prefix templates in $VELTORI_E2E_STATE"
    else
      rm -rf "$VELTORI_E2E_STATE"/template-* "$VELTORI_E2E_STATE/arch"
    fi
    ;;
  *)
    echo "usage: $0 setup|cleanup" >&2
    exit 2
    ;;
esac

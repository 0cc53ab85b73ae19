#!/usr/bin/env bash
# ctest-timeout: 120
# A broken download says so before it writes anything: copies of the setup
# program with one byte flipped in the middle of its compressed block, and
# with one flipped in the block's checksum. The record around the block is
# sound, so only inflating the whole block finds the damage. Each copy shows
# the damaged-setup message in both languages before any page, ends when it
# is answered, and leaves no install folder, registry entry or shortcut.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin install_damaged_payload --needs-setup

message=$'Das Setup-Programm ist beschädigt. Bitte laden Sie es erneut herunter.\r\rThe setup program is damaged. Please download it again.'
block_range=$(python3 "$VELTORI_SOURCE_DIR/e2e/lib/payload_block.py" "$VLT_SETUP_EXE")
read -r block_start block_length <<<"$block_range"
vlt_log "compressed block at file offset $block_start, $block_length bytes"

for where in middle checksum; do
  case $where in
    middle) offset=$((block_start + block_length / 2)) ;;
    checksum) offset=$((block_start + block_length - 2)) ;;
  esac
  damaged=$VLT_CASE_DIR/VelToriSetup-$where.exe
  cp "$VLT_SETUP_EXE" "$damaged"
  python3 - "$damaged" "$offset" <<'PY'
import sys
path, offset = sys.argv[1], int(sys.argv[2])
with open(path, "r+b") as f:
    f.seek(offset)
    byte = f.read(1)[0]
    f.seek(offset)
    f.write(bytes([byte ^ 0x01]))
PY
  vlt_put_file "$damaged" "C:\\Downloads\\VelToriSetup-$where.exe"
  vlt_start "C:\\Downloads\\VelToriSetup-$where.exe"
  vlt_drive \
    'wait-window Error --class #32770' \
    "screenshot damaged-$where" \
    "wait-gone 'VelTori Advanced Setup (Schritt 1/4)' --timeout 0" \
    "expect-msgbox $(vlt_q "$message") --answer OK" \
    'wait-exit'
done

vlt_expect_nothing_installed "$(vlt_proposed_dir)"
vlt_expect_no_uninstall_entry
vlt_expect_no_autostart_value
vlt_case_pass

#!/usr/bin/env bash
# ctest-timeout: 90
# An installation at the root of a drive (as an older setup program let a
# user make it by typing "D:\"), beside a file of the user's. The uninstaller
# offers the product's items but never the other files of the whole drive,
# and its script does not try to remove the drive: after a removal with
# everything offered ticked, the user's file is all that is left.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_installation_at_drive_root --needs-setup

drive_d=$VLT_CASE_DIR/drive_d
mkdir -p "$drive_d"
ln -sfn "$drive_d" "$WINEPREFIX/dosdevices/d:"
cp "$VLT_SETUP_EXE" "$drive_d/vltsetup.exe"
cp "$VLT_STANDIN" "$drive_d/veltori.exe"
printf '[Sprache]\r\nSprache=Deutsch\r\n[Allgemein]\r\nAutostart=ja\r\n' >"$drive_d/config.vlt"
printf 'Einnahmen;Ausgaben\r\n' >"$drive_d/Steuer 2026.csv"
vlt_wine reg add "$VLT_UNINSTALL_KEY" /v DisplayName /d 'VelTori Advanced' /reg:32 /f >/dev/null
vlt_wine reg add "$VLT_UNINSTALL_KEY" /v UninstallString /d '"D:\vltsetup.exe" -remove' /reg:32 /f >/dev/null
vlt_wine reg add "$VLT_RUN_KEY" /v VelToriAutoStart /d '"D:\veltori.exe"' /reg:32 /f >/dev/null

vlt_start_uninstall_entry 'C:\windows'
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 exe registry config uninstaller)
mapfile -t absent < <(vlt_item_state_lines Deutsch 0 help startmenu desktop text picture other)
vlt_road_uninstall Deutsch "${offered[@]}" "${absent[@]}"

script=$(vlt_script_path)
vlt_log "self-removal script $script:"
vlt_file_lines "$script" | sed 's/^/  | /'
if vlt_file_lines "$script" | grep -qi '^rmdir'; then vlt_die "the script removes a folder at a drive root"; fi
vlt_file_lines "$script" | grep -qxF 'Erase "D:\vltsetup.exe"' || vlt_die "the script does not erase the uninstaller"
vlt_answer_completion Deutsch
vlt_wait_self_removal

vlt_expect_eq "drive D: after the removal" 'Steuer 2026.csv' "$(ls -A "$drive_d")"
vlt_expect_eq "the user's file" $'Einnahmen;Ausgaben\r' "$(cat "$drive_d/Steuer 2026.csv")"
vlt_expect_no_uninstall_entry
vlt_expect_no_autostart_value
vlt_case_pass

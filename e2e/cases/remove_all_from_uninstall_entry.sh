#!/usr/bin/env bash
# ctest-timeout: 90
# wine32-prefix: win32
# A full removal started the way the uninstall entry starts it: its
# command, from another working directory. Every item is offered and
# ticked, the stored entries and an unrelated file included. After the
# completion box the program ends and the hidden script, started only
# then, erases the uninstaller, the then empty install folder and itself.
# Nothing is left. A folder that someone made under the script's old fixed
# name in the temporary folder stops nothing and stays.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_all_from_uninstall_entry --needs-setup

dir=$(vlt_proposed_dir)
vlt_shot_prefix install
vlt_install_with_defaults
vlt_put_text "$dir\\VelToriTextEintrag1.txt" 'ein gespeicherter Text'
vlt_put_file "$VELTORI_SOURCE_DIR/resources/flag-germany.bmp" "$dir\\VelToriBildEintrag1.bmp"
vlt_put_text "$dir\\notes.log" 'not the product'
mkdir -p "$(vlt_unix_path 'C:\windows\Temp')/vltsetup.bat"
# Entries of other programs beside ours must survive.
vlt_wine reg add "$VLT_RUN_KEY" /v OtherTool /d 'C:\Tools\other.exe' /reg:32 /f >/dev/null
vlt_wine reg add "${VLT_UNINSTALL_KEY%\\*}\\OtherProduct" /v DisplayName /d 'Other Product' /reg:32 /f >/dev/null

vlt_shot_prefix remove
vlt_start_uninstall_entry 'C:\windows'
mapfile -t offered < <(vlt_item_state_lines Deutsch 1)
vlt_road_uninstall Deutsch "${offered[@]}"

# Everything else has gone while the completion box is shown. The script is
# written, but starts only when the box is closed: however long the box
# stays open, its bounded wait for the uninstaller has not begun.
vlt_expect_listing "install folder while the box is shown" "$dir" vltsetup.exe
script=$(vlt_script_path)
vlt_expect_file "$script"
vlt_log "self-removal script $script:"
vlt_file_lines "$script" | sed 's/^/  | /'
vlt_file_lines "$script" | grep -qxF "rmdir \"$dir\"" || vlt_die "the script does not remove the install folder"
vlt_drive 'wait-no-process cmd.exe --timeout 0' 'sleep 3' 'wait-no-process cmd.exe --timeout 0'
vlt_answer_completion Deutsch
vlt_wait_self_removal

vlt_expect_nothing_installed "$dir"
vlt_expect_dir "$(vlt_program_files_dir)"
vlt_expect_reg_value "$VLT_RUN_KEY" OtherTool 'C:\Tools\other.exe' 32
vlt_expect_reg_value "${VLT_UNINSTALL_KEY%\\*}\\OtherProduct" DisplayName 'Other Product' 32
vlt_expect_no_file "$script"
vlt_drive 'wait-no-process cmd.exe --timeout 5'
vlt_expect_dir 'C:\windows\Temp\vltsetup.bat'
vlt_case_pass

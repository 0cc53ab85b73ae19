#!/usr/bin/env bash
# ctest-timeout: 150
# An install onto a drive that fills up: the product's files fit, the
# uninstaller copy does not. The user is told; no cut copy stays, and no
# uninstall entry or shortcut names the missing uninstaller, while the
# product, whole, is registered and offered as usual. After space is
# freed, running the setup again leaves an installation that removes
# itself whole.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin install_full_disk --needs-setup

# A 1 MiB drive F: with room for the product's files and half the setup
# program: the uninstaller copy cannot fit, whatever the program's size.
vlt_payload_files
files_kib=$(( $(cat "${VLT_PAYLOAD_FILES[@]}" | wc -c) / 1024 ))
setup_kib=$(( $(stat -c %s "$VLT_SETUP_EXE") / 1024 ))
room_kib=$(( files_kib + setup_kib / 2 + 16 ))  # 16: whole pages and config.vlt
drive=$(vlt_small_drive f 1024)
dd if=/dev/zero of="$drive/filler" bs=1K count=$(( 1024 - room_kib )) status=none
dir='F:\VelTori Advanced'

vlt_shot_prefix full
vlt_setup_start
vlt_road_language Deutsch
vlt_road_licence Deutsch
vlt_drive "wait-window $(vlt_q "$(vlt_text Deutsch wizard_3)")" \
  "set-text @Edit $(vlt_q "$dir")" \
  "click $(vlt_q "$(vlt_text Deutsch next_button)")" \
  "wait-window $(vlt_q "$(vlt_text Deutsch warning_title)") --class #32770" \
  'screenshot copy-warning' \
  "expect-msgbox $(vlt_q "$(vlt_text Deutsch copy_error)") --title $(vlt_q "$(vlt_text Deutsch warning_title)") --answer $(vlt_q "$(vlt_text Deutsch ok)")"
vlt_road_finish Deutsch 0 0 \
  "expect-checked $(vlt_q "$(vlt_text Deutsch start_box)") 1" \
  "expect-enabled $(vlt_q "$(vlt_text Deutsch start_box)") 1"

vlt_expect_listing "files on the full drive" "$dir" $'config.vlt\nveltori.cnt\nveltori.exe\nveltori.hlp'
vlt_expect_same_file "product executable" "$dir\\veltori.exe" "${VLT_PAYLOAD_FILES[0]}"
vlt_expect_no_uninstall_entry
vlt_expect_reg_value "$VLT_RUN_KEY" "$VLT_AUTOSTART_VALUE" "\"$dir\\veltori.exe\"" 32
vlt_expect_listing "shortcuts in the start-menu group" "$(vlt_start_menu_group)" \
  "$(printf '%s\n' "$(vlt_text Deutsch link_run)" "$(vlt_text Deutsch link_help)" "$VLT_HOMEPAGE_LINK" | LC_ALL=C sort)"
vlt_expect_desktop_link "$dir"

# Space freed, the setup run again: a whole installation, and its removal.
rm "$drive/filler"
vlt_shot_prefix again
vlt_install Deutsch "$dir" 1 1 1
vlt_expect_installation Deutsch "$dir" 1 1 1
vlt_shot_prefix remove
vlt_start_uninstall_entry
vlt_road_uninstall Deutsch
vlt_answer_completion Deutsch
vlt_wait_self_removal
vlt_expect_nothing_installed "$dir"
vlt_case_pass

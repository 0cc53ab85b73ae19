#!/usr/bin/env bash
# ctest-timeout: 90
# A removal of everything but the configuration file: the registry item
# first sets "Autostart" in config.vlt to "nein", then all else goes; the
# install folder stays, holding config.vlt alone, and the script still
# erases the uninstaller and itself.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_all_but_config --needs-setup

dir=$(vlt_proposed_dir)
vlt_shot_prefix install
vlt_install_with_defaults
vlt_put_text "$dir\\VelToriTextEintrag1.txt" 'ein gespeicherter Text'
vlt_put_text "$dir\\VelToriBildEintrag1.bmp" 'BM'
vlt_put_text "$dir\\notes.log" 'not the product'

vlt_shot_prefix remove
vlt_start_uninstall_entry
mapfile -t offered < <(vlt_item_state_lines Deutsch 1)
vlt_road_uninstall Deutsch "${offered[@]}" "tick 'Konfigurationsdatei' 0"
vlt_answer_completion Deutsch
vlt_wait_self_removal

vlt_expect_listing "files in the install directory" "$dir" config.vlt
vlt_expect_text "config.vlt" "$dir\\config.vlt" $'[Sprache]\r\nSprache=Deutsch\r\n[Allgemein]\r\nAutostart=nein\r\n'
vlt_expect_no_autostart_value
vlt_expect_no_uninstall_entry
vlt_expect_no_start_menu_group
vlt_expect_no_desktop_link
vlt_case_pass

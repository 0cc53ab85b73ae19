#!/usr/bin/env bash
# ctest-timeout: 90
# Installed without autostart, the machine holds no Run value of ours but
# still the uninstall entry. The registry item is offered for it, and a
# removal with everything ticked leaves no entry in the list of programs
# pointing at the erased uninstaller.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_install_without_autostart --needs-setup

dir=$(vlt_proposed_dir)
vlt_shot_prefix install
vlt_install Deutsch - 0 1 1
vlt_expect_no_autostart_value
vlt_expect_reg_value "$VLT_UNINSTALL_KEY" DisplayName 'VelTori Advanced' 32

vlt_shot_prefix remove
vlt_start_uninstall_entry 'C:\windows'
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 exe help registry startmenu desktop config uninstaller)
vlt_road_uninstall Deutsch "${offered[@]}"
vlt_answer_completion Deutsch
vlt_wait_self_removal

vlt_expect_no_uninstall_entry
vlt_expect_no_autostart_value
vlt_expect_nothing_installed "$dir"
vlt_case_pass

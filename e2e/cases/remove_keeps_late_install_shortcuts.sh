#!/usr/bin/env bash
# ctest-timeout: 200
# The uninstall page of an installation in C:\A stands open while the
# setup program installs the product again, to C:\B. Pressed then, the
# removal looks again at what leads where: B's entries, start-menu group
# and desktop shortcut lead to B and stay; of A only A's own files go.
# B stays whole.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_keeps_late_install_shortcuts --needs-setup

vlt_shot_prefix install-a
vlt_install Deutsch 'C:\A' 1 1 1

vlt_shot_prefix page-a
vlt_start_uninstaller 'C:\windows' 'C:\A\vltsetup.exe' -remove
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 exe help registry startmenu desktop config uninstaller)
vlt_drive "wait-window $(vlt_q "$(vlt_text Deutsch uninstall_title)")" "${offered[@]}"
uninstaller=$VLT_UNINSTALL_PID

vlt_shot_prefix install-b
vlt_install Deutsch 'C:\B' 1 1 1

vlt_shot_prefix remove-a
VLT_UNINSTALL_PID=$uninstaller
vlt_road_uninstall Deutsch
vlt_answer_completion Deutsch
vlt_wait_self_removal
vlt_expect_no_dir 'C:\A'
vlt_expect_installation Deutsch 'C:\B' 1 1 1
vlt_case_pass

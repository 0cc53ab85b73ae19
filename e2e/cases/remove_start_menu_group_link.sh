#!/usr/bin/env bash
# ctest-timeout: 90
# The start-menu group folder is a link to another program's folder (a
# unix symbolic link, which Wine reports as a reparse point). The elevated
# uninstaller must not list or delete through it. With the installation
# registered, the group counts as its own only where a shortcut in it leads
# into the install folder, and none does here: the item is not offered, and
# after a removal with everything else ticked every file of the other
# folder is still there.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_start_menu_group_link --needs-setup

dir=$(vlt_proposed_dir)
vlt_shot_prefix install
vlt_install Deutsch - 1 1 0  # no group of our own
other=$(vlt_unix_path 'C:\Program Files\Other Tool')
mkdir -p "$other"
printf 'other\r\n' >"$other/other.exe"
printf 'help\r\n' >"$other/Hilfe.lnk"
printf 'data\r\n' >"$other/settings.ini"
group=$(vlt_unix_path "$(vlt_programs_dir)")/'VelTori Advanced'
ln -s "$other" "$group"

vlt_shot_prefix remove
vlt_start_uninstall_entry 'C:\windows'
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 exe help registry desktop config uninstaller)
mapfile -t absent < <(vlt_item_state_lines Deutsch 0 startmenu)
vlt_road_uninstall Deutsch "${offered[@]}" "${absent[@]}"
vlt_answer_completion Deutsch
vlt_wait_self_removal

vlt_expect_eq "the other program's folder" $'Hilfe.lnk\nother.exe\nsettings.ini' "$(ls -A "$other")"
vlt_expect_eq "its program" $'other\r' "$(cat "$other/other.exe")"
vlt_expect_no_dir "$dir"
vlt_expect_no_uninstall_entry
vlt_case_pass

#!/usr/bin/env bash
# ctest-timeout: 240
# An installation whose folder was moved (C:\Tools\VelTori to
# C:\Tools2\VelTori): its entries and shortcuts name a folder that is gone,
# a path anybody could make again. The moved uninstaller offers them as
# stale beside its own files and removes the installation whole, entries
# and shortcuts included. Then a second installation whose folder the user
# deleted by hand: the downloaded setup program started with -remove
# clears what it left, and takes nothing of the user's Downloads.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_moved_installation --needs-setup

vlt_shot_prefix install
vlt_install Deutsch 'C:\Tools\VelTori' 1 1 1
mkdir -p "$(vlt_unix_path 'C:\Tools2')"
mv "$(vlt_unix_path 'C:\Tools\VelTori')" "$(vlt_unix_path 'C:\Tools2')/VelTori"

vlt_shot_prefix moved
vlt_start_uninstaller 'C:\Tools2\VelTori' 'C:\Tools2\VelTori\vltsetup.exe' -remove
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 exe help registry startmenu desktop config uninstaller)
mapfile -t absent < <(vlt_item_state_lines Deutsch 0 text picture other)
vlt_road_uninstall Deutsch "${offered[@]}" "${absent[@]}"
vlt_answer_completion Deutsch
vlt_wait_self_removal
vlt_expect_nothing_installed 'C:\Tools2\VelTori'
vlt_expect_no_dir 'C:\Tools\VelTori'

vlt_shot_prefix deleted
vlt_install Deutsch 'C:\Tools\VelTori' 1 1 1
rm -rf "$(vlt_unix_path 'C:\Tools\VelTori')"
downloads="$(vlt_profile_dir)\\Downloads"
vlt_put_file "$VLT_SETUP_EXE" "$downloads\\VelToriSetup.exe"
vlt_put_text "$downloads\\Urlaub.jpg" 'a picture'
vlt_start_uninstaller "$downloads" "$downloads\\VelToriSetup.exe" -remove
vlt_drive "wait-window '$VLT_LANGUAGE_PAGE_REMOVE'" 'tick Deutsch 1' 'click "&Next >>"'
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 registry startmenu desktop)
mapfile -t absent < <(vlt_item_state_lines Deutsch 0 exe help config text picture other)
# The downloaded program stays: the user may still want it.
vlt_road_uninstall Deutsch "${offered[@]}" "${absent[@]}" \
  "tick $(vlt_q "$(vlt_text Deutsch item_uninstaller)") 0"
vlt_answer_completion Deutsch
vlt_expect_nothing_installed 'C:\Tools\VelTori'
vlt_expect_listing "the user's Downloads" "$downloads" $'Urlaub.jpg\nVelToriSetup.exe'
vlt_case_pass

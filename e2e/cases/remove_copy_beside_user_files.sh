#!/usr/bin/env bash
# ctest-timeout: 120
# After a default install, a copy of the uninstaller in a folder of the
# user's Documents, beside the user's own config.vlt, veltori.exe and
# notes, started with -remove: another installation is registered, so the
# copy offers nothing but itself. With the page's defaults it erases only
# itself: the user's files stay, and so do the real installation's files,
# Run value, uninstall entry and shortcuts.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_copy_beside_user_files --needs-setup

dir=$(vlt_proposed_dir)
vlt_shot_prefix install
vlt_install_with_defaults

projekt="$(vlt_profile_dir)\\Documents\\Projekt"
vlt_put_file "$VLT_SETUP_EXE" "$projekt\\vltsetup.exe"
vlt_put_text "$projekt\\config.vlt" '[Eigene]'
vlt_put_text "$projekt\\veltori.exe" 'my own build'
vlt_put_text "$projekt\\notes.txt" 'notes'

vlt_shot_prefix copy
vlt_start_uninstaller "$projekt" "$projekt\\vltsetup.exe" -remove
# The user's config.vlt stores no language: the copy asks for one.
vlt_drive "wait-window '$VLT_LANGUAGE_PAGE_REMOVE'" 'tick Deutsch 1' 'click "&Next >>"'
mapfile -t absent < <(vlt_item_state_lines Deutsch 0 exe help registry startmenu desktop config text picture other)
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 uninstaller)
vlt_road_uninstall Deutsch "${absent[@]}" "${offered[@]}"
vlt_answer_completion Deutsch
vlt_wait_file_gone "$projekt\\vltsetup.exe" 20
vlt_wait_self_removal

vlt_expect_listing "the user's folder" "$projekt" $'config.vlt\nnotes.txt\nveltori.exe'
vlt_expect_text "the user's veltori.exe" "$projekt\\veltori.exe" 'my own build'
vlt_expect_installation Deutsch "$dir" 1 1 1
vlt_case_pass

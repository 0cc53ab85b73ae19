#!/usr/bin/env bash
# ctest-timeout: 90
# The setup program started with -remove from a folder that holds no
# installation (a downloads folder): the other-files item is not offered,
# so the user's files there survive; only the program itself, whose item is
# always offered, is erased by its script, and the folder stays.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_from_foreign_folder --needs-setup

downloads="$(vlt_profile_dir)\\Downloads"
vlt_put_file "$VLT_SETUP_EXE" "$downloads\\VelToriSetup.exe"
vlt_put_text "$downloads\\Urlaub.jpg" 'a picture'
vlt_put_text "$downloads\\Brief.doc" 'a letter'
vlt_start_uninstaller "$downloads" "$downloads\\VelToriSetup.exe" -remove
vlt_drive "wait-window '$VLT_LANGUAGE_PAGE_REMOVE'" 'tick Deutsch 1' 'click "&Next >>"'
mapfile -t absent < <(vlt_item_state_lines Deutsch 0 exe help registry startmenu desktop config text picture other)
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 uninstaller)
vlt_road_uninstall Deutsch "${absent[@]}" "${offered[@]}"
vlt_answer_completion Deutsch
vlt_wait_file_gone "$(vlt_script_folder)\\VelToriSetup.bat"

vlt_expect_listing "files in the downloads folder" "$downloads" $'Brief.doc\nUrlaub.jpg'
vlt_expect_text "the user's letter" "$downloads\\Brief.doc" 'a letter'
vlt_case_pass

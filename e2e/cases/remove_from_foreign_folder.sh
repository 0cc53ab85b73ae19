#!/usr/bin/env bash
# ctest-timeout: 120
# The uninstaller run with -remove from folders that hold no installation.
# Copied to the desktop among the user's files, with everything it offers
# ticked: the other-files item is not offered, so the user's files stay,
# and so does the desktop. Copied into an otherwise empty Documents
# folder, with the items as offered: the folder, a shell folder of the
# user, is not removed once empty. Only the program itself, whose item is
# always offered, is erased by its script.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_from_foreign_folder --needs-setup

# Runs the uninstaller copied as $1 in its own folder, in German, with
# every offered item ticked; only the uninstaller's item is offered.
remove_from() {
  local exe=$1 folder=${1%\\*}
  vlt_start_uninstaller "$folder" "$exe" -remove
  vlt_drive "wait-window '$VLT_LANGUAGE_PAGE_REMOVE'" 'tick Deutsch 1' 'click "&Next >>"'
  mapfile -t absent < <(vlt_item_state_lines Deutsch 0 exe help registry startmenu desktop config text picture other)
  mapfile -t offered < <(vlt_item_state_lines Deutsch 1 uninstaller)
  vlt_road_uninstall Deutsch "${absent[@]}" "${offered[@]}"
  vlt_answer_completion Deutsch
  vlt_wait_file_gone "$exe" 20
  vlt_wait_self_removal
}

desktop=$(vlt_desktop_dir)
vlt_put_file "$VLT_SETUP_EXE" "$desktop\\vltsetup.exe"
vlt_put_text "$desktop\\Brief.doc" 'a letter'
vlt_put_text "$desktop\\Urlaub.jpg" 'a picture'
vlt_put_text "$desktop\\todo.txt" 'a list'
vlt_shot_prefix desktop
remove_from "$desktop\\vltsetup.exe"
vlt_expect_listing "files on the desktop" "$desktop" $'Brief.doc\nUrlaub.jpg\ntodo.txt'
vlt_expect_text "the user's letter" "$desktop\\Brief.doc" 'a letter'

documents="$(vlt_profile_dir)\\Documents"
vlt_put_file "$VLT_SETUP_EXE" "$documents\\vltsetup.exe"
vlt_shot_prefix documents
remove_from "$documents\\vltsetup.exe"
vlt_expect_dir "$documents"
vlt_expect_listing "files in Documents" "$documents" ''
vlt_case_pass

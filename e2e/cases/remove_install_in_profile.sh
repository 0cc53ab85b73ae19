#!/usr/bin/env bash
# ctest-timeout: 120
# An installation into a folder of its own directly in the user's profile
# (what the folder browser proposes after choosing the profile), removed
# with everything ticked, under an uninstaller named in Greek: the folder
# goes whole, and the script that erases the uninstaller has an ASCII name
# and names the Greek path in the command interpreter's code page (by its
# short name), so that the uninstaller and its folder really go.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_install_in_profile --needs-setup

dir="$(vlt_profile_dir)\\Δοκιμή VelTori"
vlt_shot_prefix install
# Without shortcuts: Wine's shell link keeps a target outside the ANSI code
# page only as question marks.
vlt_install Deutsch "$dir" 1 0 0
vlt_expect_installation Deutsch "$dir" 1 0 0
greek="$dir\\Απεγκατάσταση.exe"
mv "$(vlt_unix_path "$dir\\vltsetup.exe")" "$(vlt_unix_path "$dir")/Απεγκατάσταση.exe"

vlt_shot_prefix remove
vlt_start_uninstaller 'C:\windows' "$greek" -remove
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 exe help registry config uninstaller)
mapfile -t absent < <(vlt_item_state_lines Deutsch 0 startmenu desktop text picture)
# The uninstaller's own name is no product name: the other-files item is
# offered for it (it is running, so that deletion fails and the script
# erases it).
vlt_road_uninstall Deutsch "${offered[@]}" "${absent[@]}" "$(vlt_item_tick_lines Deutsch 1 other)"
script=$(vlt_script_path)
vlt_log "self-removal script $script:"
vlt_file_lines "$script" | sed 's/^/  | /'
if [ -n "$(LC_ALL=C tr -d '\000-\177' <"$(vlt_unix_path "$script")")" ]; then
  vlt_die "the script holds bytes outside ASCII: $(od -c "$(vlt_unix_path "$script")" | head)"
fi
vlt_answer_completion Deutsch
vlt_wait_self_removal

vlt_expect_nothing_installed "$dir"
vlt_expect_dir "$(vlt_profile_dir)"
vlt_case_pass

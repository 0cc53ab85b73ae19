#!/usr/bin/env bash
# ctest-timeout: 90
# A removal with only the uninstaller ticked: the script erases
# vltsetup.exe once the program has ended; every other file, the registry
# entries and the shortcuts stay exactly as they were, and so does the
# install folder, which is not empty.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_only_uninstaller --needs-setup

dir=$(vlt_proposed_dir)
vlt_shot_prefix install
vlt_install_with_defaults
vlt_put_text "$dir\\notes.log" 'not the product'
before=$VLT_CASE_DIR/before.txt
after=$VLT_CASE_DIR/after.txt
# Everything an installation left (folders, files with sizes and times,
# bar the uninstaller) and its registry entries.
programs=$(vlt_program_files_dir)
programs=${programs#C:\\}
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find "$programs/VelTori Advanced" "users/$(basename "$(vlt_unix_path "$(vlt_profile_dir)")")" \
    ! -name vltsetup.exe ! -path '*/AppData/Local/*' \
    \( -type d -printf '%p/\n' -o -printf '%p %s %T@\n' \) | LC_ALL=C sort)
  vlt_reg_value_names "$VLT_RUN_KEY" 32
  vlt_reg_value "$VLT_UNINSTALL_KEY" UninstallString 32
}
snapshot >"$before"

vlt_shot_prefix remove
vlt_start_uninstall_entry
mapfile -t untick < <(vlt_item_tick_lines Deutsch 0 exe help registry startmenu desktop config other)
vlt_road_uninstall Deutsch "${untick[@]}" \
  "expect-checked 'Setup (Uninstaller)' 1" \
  "expect-enabled 'Gepufferte Texteinträge (aktuell)' 0"
vlt_answer_completion Deutsch
vlt_wait_self_removal

vlt_expect_no_file "$dir\\vltsetup.exe"
snapshot >"$after"
diff -u "$before" "$after" || vlt_die "the removal changed more than the uninstaller (see the differences above)"
vlt_log "ok: nothing but the uninstaller changed"
vlt_expect_listing "files in the install directory" "$dir" \
  $'config.vlt\nnotes.log\nveltori.cnt\nveltori.exe\nveltori.hlp'
vlt_expect_registry_entries "$dir" 1
vlt_case_pass

#!/usr/bin/env bash
# ctest-timeout: 120
# The German road by the keyboard alone, as a user without a mouse walks
# it: Alt with the buttons' letters, Tab through every page in its tab
# order, the folder typed into its field, Space on the check boxes. The
# fields are named for screen readers by the labels before them. Then a
# full removal by keys: the cancel question answered No by Escape, the
# checklist by Tab and Space (the other files ticked too), Enter on the
# uninstall button and on the completion box.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
# shellcheck source=../lib/key_roads.sh
source "$(dirname "$0")/../lib/key_roads.sh"
vlt_case_begin keys_install_remove_german --needs-setup

dir='C:\Tastatur\VelTori'
vlt_shot_prefix install
vlt_setup_start
vlt_keys_language Deutsch
vlt_keys_licence Deutsch 'press Alt+I'
vlt_keys_settings Deutsch "$dir" 1 0 1 'press Alt+W'
vlt_keys_finish Deutsch 0 0 'press Alt+F'
vlt_expect_installation Deutsch "$dir" 1 0 1
vlt_put_text "$dir\\notes.txt" 'written by the user'

vlt_shot_prefix remove
vlt_start_uninstall_entry
page=$(vlt_text Deutsch uninstall_title)
mapfile -t to_cancel < <(vlt_keys_focus_lines Deutsch cancel_button)
mapfile -t question < <(vlt_keys_question_lines Deutsch "$page" Space Escape no)
# Tab skips the items that are not offered (cached texts, desktop shortcut,
# cached pictures); the other files are offered unticked.
mapfile -t checklist < <(vlt_keys_focus_lines Deutsch item_config item_exe item_startmenu item_other
  printf '%s\n' "expect-checked $(vlt_q "$(vlt_text Deutsch item_other)") 0" 'press Space' \
    "expect-checked $(vlt_q "$(vlt_text Deutsch item_other)") 1"
  vlt_keys_focus_lines Deutsch item_uninstaller item_registry item_help uninstall_button)
vlt_drive "wait-window $(vlt_q "$page")" \
  "expect-focus $(vlt_q "$(vlt_text Deutsch uninstall_button)")" \
  "${to_cancel[@]}" "${question[@]}" \
  "expect-focus $(vlt_q "$(vlt_text Deutsch cancel_button)")" \
  "${checklist[@]}" \
  "screenshot $(vlt_shot keys-uninstall-page)" 'press Enter'
vlt_keys_completion Deutsch
vlt_wait_self_removal
vlt_expect_nothing_installed "$dir"
vlt_case_pass

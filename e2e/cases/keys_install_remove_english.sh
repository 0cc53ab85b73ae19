#!/usr/bin/env bash
# ctest-timeout: 120
# The English road by the keyboard alone, the other way round from the
# German one: English chosen with Down in the radio group, each page left
# by Tab (or Shift+Tab) to its button and Enter, a folder with a blank and
# a trailing backslash typed into the field, the options changed with
# Space. The fields carry their English names. Then a full removal by
# keys: Shift+Tab backwards through the checklist, Space on the other
# files, Alt+U, Enter on the completion box.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
# shellcheck source=../lib/key_roads.sh
source "$(dirname "$0")/../lib/key_roads.sh"
vlt_case_begin keys_install_remove_english --needs-setup

# shellcheck disable=SC1003  # a Windows path ending in a backslash
typed='C:\Key Road\VelTori\'
vlt_shot_prefix install
vlt_setup_start
vlt_keys_language English
# Shift+Tab from Install goes round to the memo, which passes it on.
vlt_keys_licence English 'press Shift+Tab' 'expect-focus @Edit' \
  'press Shift+Tab' "expect-focus $(vlt_q "$(vlt_text English cancel_button)")" \
  'press Shift+Tab' "expect-focus $(vlt_q "$(vlt_text English install_button)")" 'press Enter'
# From the last check box: Cancel, then round to Next.
mapfile -t to_next < <(vlt_keys_focus_lines English cancel_button next_button)
vlt_keys_settings English "$typed" 0 1 0 "${to_next[@]}" 'press Enter'
mapfile -t to_finish < <(vlt_keys_focus_lines English finish_button)
vlt_keys_finish English 0 0 "${to_finish[@]}" 'press Enter'
vlt_expect_installation English "$typed" 0 1 0
dir=$(vlt_install_dir "$typed")
vlt_put_text "$dir\\notes.txt" 'written by the user'

vlt_shot_prefix remove
vlt_start_uninstall_entry
page=$(vlt_text English uninstall_title)
back() { printf '%s\n' 'press Shift+Tab' "expect-focus $(vlt_q "$(vlt_text English "$1")")"; }
# Backwards from the uninstall button; the start-menu item and the cached
# entries are not offered, so Shift+Tab passes them.
mapfile -t checklist < <(back item_help; back item_registry; back item_uninstaller; back item_other
  printf '%s\n' "expect-checked $(vlt_q "$(vlt_text English item_other)") 0" 'press Space' \
    "expect-checked $(vlt_q "$(vlt_text English item_other)") 1"
  back item_desktop; back item_exe; back item_config)
vlt_drive "wait-window $(vlt_q "$page")" \
  "expect-focus $(vlt_q "$(vlt_text English uninstall_button)")" \
  "${checklist[@]}" \
  "screenshot $(vlt_shot keys-uninstall-page)" 'press Alt+U'
vlt_keys_completion English
vlt_wait_self_removal
vlt_expect_nothing_installed "$dir"
vlt_case_pass

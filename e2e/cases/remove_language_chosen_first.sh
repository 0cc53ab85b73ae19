#!/usr/bin/env bash
# ctest-timeout: 90
# An English installation whose config.vlt is gone: the uninstaller cannot
# know the language and asks for it first, on a language page without a
# step number. German chosen there gives German texts. The configuration
# item is not offered, and the registry item makes no new config.vlt: with
# everything else removed, the install folder goes too.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_language_chosen_first --needs-setup

dir=$(vlt_proposed_dir)
vlt_shot_prefix install
vlt_install English - 1 1 1
rm "$(vlt_unix_path "$dir\\config.vlt")"

vlt_shot_prefix remove
vlt_start_uninstall_entry
vlt_drive \
  "wait-window '$VLT_LANGUAGE_PAGE_REMOVE'" \
  'expect-checked Deutsch 1' \
  'expect-checked English 0' \
  "wait-gone '$(vlt_text English uninstall_title)' --timeout 0" \
  'screenshot remove-language-page' \
  'tick Deutsch 1' \
  'click "&Next >>"'
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 exe help registry startmenu desktop uninstaller)
mapfile -t absent < <(vlt_item_state_lines Deutsch 0 config text picture other)
vlt_road_uninstall Deutsch \
  "wait-gone '$VLT_LANGUAGE_PAGE_REMOVE' --timeout 2" \
  "expect-visible 'Was soll entfernt werden?' 1" \
  "${offered[@]}" "${absent[@]}"
vlt_answer_completion Deutsch
vlt_wait_self_removal

vlt_expect_no_dir "$dir"
vlt_expect_no_autostart_value
vlt_expect_no_uninstall_entry
vlt_expect_no_start_menu_group
vlt_expect_no_desktop_link
vlt_case_pass

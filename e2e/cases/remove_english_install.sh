#!/usr/bin/env bash
# ctest-timeout: 90
# wine32-prefix: win32
# The uninstaller of an English installation speaks English: config.vlt
# stores the language, so the uninstall page opens first with English
# texts, and the completion box is English too. Everything is removed.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_english_install --needs-setup

dir=$(vlt_proposed_dir)
vlt_shot_prefix install
vlt_install English - 1 1 1
vlt_expect_start_menu_group "$dir" English

vlt_shot_prefix remove
vlt_start_uninstall_link "$(vlt_start_menu_group)\\uninstall Veltori Advanced.lnk"
mapfile -t offered < <(vlt_item_state_lines English 1 exe help registry startmenu desktop config uninstaller)
mapfile -t absent < <(vlt_item_state_lines English 0 text picture other)
vlt_road_uninstall English \
  "wait-gone '$VLT_LANGUAGE_PAGE_REMOVE' --timeout 0" \
  "expect-title 'VelTori Advanced Uninstall'" \
  "expect-visible 'Choose Components:' 1" \
  "expect-enabled '&Cancel' 1" \
  "expect-enabled '&Uninstall' 1" \
  "${offered[@]}" "${absent[@]}"
vlt_answer_completion English
vlt_wait_self_removal

vlt_expect_nothing_installed "$dir"
vlt_expect_no_dir 'C:\Programs'
vlt_case_pass

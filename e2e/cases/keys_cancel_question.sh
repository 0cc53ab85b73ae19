#!/usr/bin/env bash
# ctest-timeout: 90
# The cancel question answered by keys on each page of one walk: on the
# language page (in English, no language chosen yet) Alt+C and Escape for
# No; on the licence page Alt+A and Alt+N for No; on the settings page, with
# a folder typed and autostart cleared, Space on the focused cancel button
# and Tab and Space for No, the page as it was. Then Alt+F4 asks the same
# question and Enter answers Yes (the default button): the program ends and
# nothing is installed.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
# shellcheck source=../lib/key_roads.sh
source "$(dirname "$0")/../lib/key_roads.sh"
vlt_case_begin keys_cancel_question --needs-setup

folder='C:\Anders\VelTori'
licence=$(vlt_text Deutsch wizard_2)
settings=$(vlt_text Deutsch wizard_3)
cancel=$(vlt_q "$(vlt_text Deutsch cancel_button)")
autostart=$(vlt_q "$(vlt_text Deutsch autostart_box)")

vlt_setup_start
mapfile -t language_no < <(vlt_keys_question_lines English "$VLT_LANGUAGE_PAGE" Alt+C Escape no)
vlt_drive "${language_no[@]}" 'expect-checked Deutsch 1' 'expect-focus "&Cancel"' 'press Alt+N' \
  "wait-window $(vlt_q "$licence")"

mapfile -t licence_no < <(vlt_keys_question_lines Deutsch "$licence" Alt+A Alt+N no)
vlt_drive "${licence_no[@]}" 'expect-text @Edit "LIZENZVEREINBARUNG" --contains' 'press Alt+I' \
  "wait-window $(vlt_q "$settings")"

mapfile -t to_cancel < <(vlt_keys_focus_lines Deutsch browse_button)
mapfile -t to_cancel2 < <(vlt_keys_focus_lines Deutsch desktop_box startmenu_box cancel_button)
mapfile -t settings_no < <(vlt_keys_question_lines Deutsch "$settings" Space 'Tab Space' no)
mapfile -t settings_yes < <(vlt_keys_question_lines Deutsch "$settings" Alt+F4 Enter yes)
vlt_drive "wait-window $(vlt_q "$settings")" "${to_cancel[@]}" \
  'press Tab' 'expect-focus @Edit' "type $(vlt_q "$folder")" \
  'press Tab' "expect-focus $autostart" 'press Space' "expect-checked $autostart 0" \
  "${to_cancel2[@]}" "screenshot keys-settings-before-cancel" "${settings_no[@]}" \
  "expect-focus $cancel" "expect-text @Edit $(vlt_q "$folder")" "expect-checked $autostart 0" \
  'expect-visible @msctls_progress32 0' \
  "${settings_yes[@]}" 'wait-exit --code 0'
vlt_expect_exit_code "setup program's exit code" "$VLT_SETUP_PID" 0 10

vlt_expect_nothing_installed "$folder"
vlt_case_pass

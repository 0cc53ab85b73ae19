#!/usr/bin/env bash
# ctest-timeout: 90
# Cancel on every wizard page asks the one cancel question: on the language
# page in the built-in English (no language is chosen yet), on the licence
# and settings pages in the chosen language. No keeps the page as it was,
# Yes ends the program, and nothing has been installed.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin install_cancel_each_page --needs-setup

# Cancel on the current page $1: the question in language $2, No, the
# page unchanged (the driver lines $5... check it), then Cancel again and
# Yes; the program ends. $3 names the screenshot, $4 the cancel button.
cancel_no_then_yes() {
  local page=$1 lang=$2 shot=$3 button=$4 title text
  shift 4
  title=$(vlt_text "$lang" confirm_title)
  text=$(vlt_text "$lang" confirm_text)
  vlt_drive \
    "wait-window $(vlt_q "$page")" \
    "click $(vlt_q "$button")" \
    "wait-window $(vlt_q "$title") --class #32770" \
    "screenshot $shot" \
    "expect-msgbox $(vlt_q "$text") --title $(vlt_q "$title") --answer $(vlt_q "$(vlt_text "$lang" no)")" \
    "wait-window $(vlt_q "$page")" \
    'expect-running --for 0.5' \
    "expect-enabled $(vlt_q "$button") 1" \
    "$@" \
    "click $(vlt_q "$button")" \
    "expect-msgbox $(vlt_q "$text") --title $(vlt_q "$title") --answer $(vlt_q "$(vlt_text "$lang" yes)")" \
    'wait-exit --code 0'
  vlt_expect_exit_code "setup program's exit code" "$VLT_SETUP_PID" 0 10
}

# The language page, before any language is applied.
vlt_setup_start
vlt_drive "wait-window '$VLT_LANGUAGE_PAGE'" 'tick Deutsch 1'
cancel_no_then_yes "$VLT_LANGUAGE_PAGE" English question-language-page '&Cancel' \
  'expect-checked Deutsch 1'

# The licence page in German.
vlt_shot_prefix licence
vlt_setup_start
vlt_road_language Deutsch
cancel_no_then_yes "$(vlt_text Deutsch wizard_2)" Deutsch question-licence-page '&Abbrechen' \
  'expect-text @Edit "LIZENZVEREINBARUNG" --contains'

# The settings page in English, after a folder was typed.
vlt_shot_prefix settings
vlt_setup_start
vlt_road_language English
vlt_road_licence English
vlt_drive "wait-window '$(vlt_text English wizard_3)'" "set-text @Edit 'C:\\Elsewhere\\VelTori'" 'tick "Autostart VelTori" 0'
cancel_no_then_yes "$(vlt_text English wizard_3)" English question-settings-page '&Cancel' \
  "expect-text @Edit 'C:\\Elsewhere\\VelTori'" 'expect-checked "Autostart VelTori" 0' \
  'expect-visible @msctls_progress32 0'

vlt_expect_nothing_installed "$(vlt_proposed_dir)"
vlt_expect_no_dir 'C:\Programme'
vlt_expect_no_dir 'C:\Programs'
vlt_expect_no_dir 'C:\Elsewhere'
vlt_case_pass

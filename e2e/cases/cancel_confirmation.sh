#!/usr/bin/env bash
# ctest-timeout: 90
# Cancel on the language page asks "Do you really want exit Setup?" (in
# English, whatever is chosen): No keeps the page as it was, the close box
# asks the same, Yes ends the program normally.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin cancel_confirmation --needs-setup

page='VelTori Advanced Setup (Schritt 1/4)'
question='Do you really want exit Setup?'
vlt_start "$VLT_SETUP_EXE"
setup_pid=$VLT_LAST_PID
vlt_drive \
  "wait-window \"$page\"" \
  'click "&Cancel"' \
  'wait-window Confirmation --class #32770' \
  'screenshot cancel-question' \
  "expect-msgbox \"$question\" --title Confirmation --answer \"&No\"" \
  "wait-window \"$page\"" \
  'expect-running --for 1' \
  'expect-checked Deutsch 1' \
  'expect-checked English 0' \
  'screenshot after-no' \
  'close' \
  "expect-msgbox \"$question\" --title Confirmation --answer \"&No\"" \
  'expect-running --for 0.5' \
  "expect-window \"$page\"" \
  'click "&Cancel"' \
  "expect-msgbox \"$question\" --title Confirmation --answer \"&Yes\"" \
  'wait-exit --timeout 10'
vlt_expect_exit_code "setup program's exit code" "$setup_pid" 0 10
vlt_case_pass

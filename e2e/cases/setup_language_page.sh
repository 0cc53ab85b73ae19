#!/usr/bin/env bash
# ctest-timeout: 90
# Started without parameters, the setup program opens on the language page:
# German preselected, both prompts shown, the other wizard pages hidden.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin setup_language_page --needs-setup

vlt_start "$VLT_SETUP_EXE"
vlt_drive \
  'wait-window "VelTori Advanced Setup (Schritt 1/4)"' \
  'expect-checked Deutsch 1' \
  'expect-checked English 0' \
  'expect-visible "Bitte Ihre Sprache auswählen:" 1' \
  'expect-visible "Please select your language:" 1' \
  'expect-enabled "&Next >>" 1' \
  'expect-enabled "&Cancel" 1' \
  'wait-gone "VelTori Advanced Setup (Schritt 2/4)" --timeout 0' \
  'wait-gone "VelTori Advanced Setup (Schritt 4/4)" --timeout 0' \
  'wait-gone "VelTori Advanced Setup (Schritt 3/3)" --timeout 0' \
  'expect-running' \
  'screenshot language-page' \
  'dump'
vlt_case_pass

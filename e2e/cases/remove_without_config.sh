#!/usr/bin/env bash
# ctest-timeout: 90
# "vltsetup.exe -remove" without a config.vlt beside it asks for the
# language first, on a page titled without a step number; its Next button
# leads to the uninstall page in the chosen language.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_without_config --needs-setup

dir='C:\Programme\VelTori Advanced'
vlt_put_file "$VLT_SETUP_EXE" "$dir\\vltsetup.exe"
vlt_start "$dir\\vltsetup.exe" -remove
vlt_drive \
  'wait-window "VelTori Advanced Setup"' \
  'expect-checked Deutsch 1' \
  'expect-checked English 0' \
  'wait-gone "VelTori Advanced Setup (Schritt 1/4)" --timeout 0' \
  'wait-gone "VelTori Advanced Deinstallieren" --timeout 0' \
  'screenshot language-page-remove' \
  'tick English 1' \
  'click "&Next >>"' \
  'wait-window "VelTori Advanced Uninstall"' \
  'expect-visible "Registry entries" 1' \
  'expect-enabled "&Uninstall" 1' \
  'wait-gone "VelTori Advanced Setup"' \
  'screenshot uninstall-page-after-language'
vlt_case_pass

#!/usr/bin/env bash
# ctest-timeout: 90
# The English road into a folder typed with blanks and a trailing
# backslash, every option cleared: English pages, files behind single
# backslashes, config.vlt in English without autostart, the uninstall entry
# but no autostart value, no start-menu group and no desktop shortcut.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin install_english_custom_dir --needs-setup

# shellcheck disable=SC1003  # a Windows path ending in a backslash
typed='C:\My Tools\VelTori Adv\'
vlt_setup_start
vlt_road_language English
vlt_road_licence English \
  'expect-text @Edit "VELTORI ADVANCED LICENCE AGREEMENT" --contains' \
  'expect-enabled "&Install >>" 1' \
  'expect-enabled "&Cancel" 1'
vlt_road_settings English "$typed" 0 0 0 \
  'expect-visible "Please select your options:" 1' \
  'expect-visible "Destination:" 1' \
  'expect-enabled "&Browse" 1' \
  "expect-text @Edit $(vlt_q "$(vlt_proposed_dir)")" \
  'expect-checked "Autostart VelTori" 1' \
  'expect-checked "Add shortcut to desktop" 1' \
  'expect-checked "Add group to startmenu" 1'
vlt_road_finish English 0 0 \
  'expect-visible "Have fun!" 1' \
  'expect-visible "Note: the  default hotkey is \"Scroll Lock\"" 1'

vlt_expect_installation English "$typed" 0 0 0
vlt_case_pass

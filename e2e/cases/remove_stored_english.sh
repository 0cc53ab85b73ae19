#!/usr/bin/env bash
# ctest-timeout: 90
# "vltsetup.exe -remove" beside a config.vlt that stores English opens
# straight on the uninstall page, in English, with only the items offered
# that are present (here the configuration file and the uninstaller).
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_stored_english --needs-setup

dir='C:\Programme\VelTori Advanced'
vlt_put_file "$VLT_SETUP_EXE" "$dir\\vltsetup.exe"
vlt_put_text "$dir\\config.vlt" $'[Sprache]\r\nSprache=English\r\n'
vlt_start "$dir\\vltsetup.exe" -remove
vlt_drive \
  'wait-window "VelTori Advanced Uninstall"' \
  'expect-visible "Choose Components:" 1' \
  'expect-visible "Registry entries" 1' \
  'expect-visible "Startmenu entries" 1' \
  'expect-visible "Desktop shortcut" 1' \
  'expect-visible "Cached text entries (current)" 1' \
  'expect-visible "Cached picture entries (current)" 1' \
  'expect-visible "Other files in the VelTori directory" 1' \
  'expect-enabled "&Cancel" 1' \
  'expect-enabled "&Uninstall" 1' \
  'expect-checked "Configuration file" 1' \
  'expect-enabled "Configuration file" 1' \
  'expect-checked "Setup (Uninstaller)" 1' \
  'expect-enabled "Setup (Uninstaller)" 1' \
  'expect-checked "VelTori.Exe" 0' \
  'expect-enabled "VelTori.Exe" 0' \
  'expect-checked Help 0' \
  'expect-enabled Help 0' \
  'expect-checked "Registry entries" 0' \
  'expect-enabled "Registry entries" 0' \
  'wait-gone "VelTori Advanced Setup" --timeout 0' \
  'screenshot uninstall-page-english' \
  'dump'
vlt_case_pass

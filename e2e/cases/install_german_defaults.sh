#!/usr/bin/env bash
# ctest-timeout: 90
# The German default road: language page, licence, settings with the
# proposed folder and every option, finish with nothing started. Afterwards
# the files equal the packed ones, the registry holds the autostart value
# and the uninstall entry, config.vlt the language and the autostart key,
# and every shortcut points where it should.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin install_german_defaults --needs-setup

dir=$(vlt_proposed_dir)
vlt_setup_start
vlt_drive \
  "wait-window \"$VLT_LANGUAGE_PAGE\"" \
  'expect-checked Deutsch 1' \
  'screenshot language-page' \
  'click "&Next >>"' \
  'wait-window "VelTori Advanced Setup (Schritt 2/4)"' \
  'wait-gone "VelTori Advanced Setup (Schritt 1/4)" --timeout 2' \
  'expect-text @Edit "LIZENZVEREINBARUNG FÜR VELTORI ADVANCED" --contains' \
  'expect-text @Edit "Es gilt das Recht der" --contains' \
  'expect-enabled "&Installieren >>" 1' \
  'expect-enabled "&Abbrechen" 1' \
  'screenshot licence-page' \
  'click "&Installieren >>"' \
  'wait-window "VelTori Advanced Setup (Schritt 3/4)"' \
  "expect-text @Edit \"$dir\"" \
  'expect-checked "VelTori automatisch starten" 1' \
  'expect-checked "Verknüpfung auf dem Desktop erstellen" 1' \
  'expect-checked "Eintrag ins Startmenü" 1' \
  'expect-visible "Installationsverzeichnis:" 1' \
  'expect-visible @msctls_progress32 0' \
  'screenshot settings-page' \
  'click "&Weiter >>"' \
  'wait-window "VelTori Advanced Setup (Schritt 4/4)"' \
  'wait-gone "VelTori Advanced Setup (Schritt 3/4)" --timeout 2' \
  'expect-checked "VelTori jetzt starten" 1' \
  'expect-checked "VelTori Webseite jetzt besuchen" 1' \
  'expect-visible "Viel Spaß" 1' \
  'screenshot finish-page' \
  'tick "VelTori jetzt starten" 0' \
  'tick "VelTori Webseite jetzt besuchen" 0' \
  'click "&Fertig!"' \
  'wait-exit --code 0'
vlt_expect_exit_code "setup program's exit code" "$VLT_SETUP_PID" 0 10

# From outside: files, registry, configuration, shortcuts.
vlt_expect_product_files "$dir"
vlt_expect_listing "files in the install directory" "$dir" \
  $'config.vlt\nveltori.cnt\nveltori.exe\nveltori.hlp\nvltsetup.exe'
vlt_expect_registry_entries "$dir" 1
vlt_expect_text "config.vlt" "$dir\\config.vlt" $'[Sprache]\r\nSprache=Deutsch\r\n[Allgemein]\r\nAutostart=ja\r\n'

group="$(vlt_programs_dir)\\VelTori Advanced"
vlt_expect_listing "shortcuts in the start-menu group" "$group" \
  $'Veltori Advanced Hilfe.lnk\nVeltori Advanced Homepage.lnk\nVeltori Advanced ausführen.lnk\nVeltori Advanced deinstallieren.lnk'
vlt_drive \
  "read-link \"$group\\Veltori Advanced ausführen.lnk\" --target \"$dir\\veltori.exe\" --arguments \"\" --workdir \"$dir\"" \
  "read-link \"$group\\Veltori Advanced deinstallieren.lnk\" --target \"$dir\\vltsetup.exe\" --arguments -remove --workdir \"$dir\"" \
  "read-link \"$group\\Veltori Advanced Hilfe.lnk\" --target \"$dir\\veltori.hlp\" --arguments \"\" --workdir \"$dir\"" \
  "read-link \"$group\\Veltori Advanced Homepage.lnk\" --arguments \"\"" \
  "read-link \"$(vlt_desktop_dir)\\Veltori Advanced.lnk\" --target \"$dir\\veltori.exe\" --arguments \"\" --workdir \"$dir\""
vlt_expect_homepage_link "$group\\Veltori Advanced Homepage.lnk"
# The proposed folder lies in Program Files: nothing is made at the drive
# root, where every signed-in user could change what runs elevated.
vlt_expect_no_dir 'C:\Programme'
vlt_expect_no_dir 'C:\Programs'
vlt_case_pass

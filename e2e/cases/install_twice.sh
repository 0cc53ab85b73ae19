#!/usr/bin/env bash
# ctest-timeout: 90
# Installing again over an installation whose product runs: the setup
# program ends the product, overwrites the product files and the
# uninstaller, deletes the autostart value when autostart is now off, and
# changes config.vlt in place: the product's own keys survive.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin install_twice --needs-setup

dir=$(vlt_proposed_dir)
vlt_shot_prefix first
vlt_install_with_defaults
vlt_expect_registry_entries "$dir" 1

# Between the runs: the product has stored settings of its own, two files
# were damaged, and the product runs.
vlt_put_text "$dir\\config.vlt" $'[Sprache]\r\nSprache=Deutsch\r\n[Allgemein]\r\nAutostart=ja\r\nHotkey=145\r\n[Fenster]\r\nBreite=300\r\n'
vlt_put_text "$dir\\veltori.hlp" 'damaged'
vlt_put_text "$dir\\vltsetup.exe" 'damaged'
vlt_start "$dir\\veltori.exe"
product_pid=$VLT_LAST_PID
vlt_drive "wait-window '$VLT_PRODUCT_WINDOW'" 'expect-process veltori.exe --count 1' 'screenshot product-running'

vlt_shot_prefix second
vlt_setup_start
vlt_drive "wait-window '$VLT_LANGUAGE_PAGE'" 'wait-no-process veltori.exe --timeout 5'
vlt_log "the running product ended with exit code $(vlt_wait_pid "$product_pid" 5)"
vlt_road_language Deutsch
vlt_road_licence Deutsch
vlt_road_settings Deutsch "$dir" 0 1 1
vlt_road_finish Deutsch 0 0

vlt_expect_product_files "$dir"
vlt_expect_registry_entries "$dir" 0
vlt_expect_text "config.vlt, changed in place" "$dir\\config.vlt" \
  $'[Sprache]\r\nSprache=Deutsch\r\n[Allgemein]\r\nAutostart=nein\r\nHotkey=145\r\n[Fenster]\r\nBreite=300\r\n'
vlt_expect_start_menu_group "$dir" Deutsch
vlt_expect_desktop_link "$dir"
vlt_case_pass

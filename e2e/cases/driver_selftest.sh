#!/usr/bin/env bash
# ctest-timeout: 120
# The driver and the harness proved on the test program: every command of
# the script language, the screenshot round trip, the readers for INI
# files, registry values and shortcuts, and the failure reports.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin driver_selftest

main='VelTori Driver Test App'
vlt_start "$VLT_TESTAPP"
app_pid=$VLT_LAST_PID

vlt_drive \
  'version' \
  "wait-window \"$main\"" \
  "expect-title \"$main\"" \
  "expect-window \"$main\" --class VltTestAppMain --for 0.3" \
  'expect-checked Deutsch 1' \
  'expect-checked English 0' \
  'expect-checked "Remember me" 0' \
  'expect-enabled "&Disabled" 0' \
  'expect-enabled "Next >>" 1' \
  'expect-visible #108 0' \
  'expect-visible @Edit 1' \
  'expect-text @Edit "C:\Programme\Test"' \
  'screenshot start' \
  'tick English 1' \
  'tick "&Remember me" 1' \
  'tick "Remember me" 1' \
  'set-text @Edit:1 "C:\Programme\Größe"' \
  'expect-text #105 "changed: language=English remember=1 folder=C:\Programme\Größe"' \
  'tick Deutsch 1' \
  'tick "Remember me" 0' \
  'expect-text #105 "clicked: language=Deutsch remember=0" --contains' \
  'tick English 1' \
  'click "Ask..."' \
  'wait-window Question --class #32770' \
  'screenshot question' \
  'expect-msgbox "Shall the status line say yes?" --title Question --answer "&No"' \
  "wait-window \"$main\"" \
  'expect-text #105 "answered no:" --contains' \
  'click &Ask...' \
  'answer-msgbox Yes' \
  'expect-text #105 "answered yes:" --contains' \
  'click &Busy' \
  'sleep 0.3' \
  "wait-window \"$main\" --timeout 1" \
  "expect-title \"$main\" --timeout 1" \
  'expect-text #105 "busy done:" --contains' \
  'click Save --sync' \
  'expect-text #105 "saved: language=English" --contains' \
  'close' \
  'expect-msgbox "Close the test app?" --title Confirmation --answer "&No"' \
  'expect-running --for 0.5' \
  "expect-window \"$main\"" \
  'dump' \
  'list-windows' \
  'dump --all' \
  'echo on to the second page' \
  'click "&Next >>"' \
  'wait-gone' \
  "wait-gone \"$main\" --timeout 1" \
  "wait-window \"$main (page 2)\"" \
  'screenshot page2' \
  'click Finish' \
  'wait-exit --code 7 --timeout 5' \
  'wait-no-process VLTTESTAPP.EXE' \
  'sleep 0.1'
vlt_expect_exit_code "test program's exit code seen by Wine" "$app_pid" 7

# What "Save" wrote, read from outside the program.
vlt_expect_ini_value 'C:\vlttest\settings.ini' sprache SPRACHE English
vlt_expect_eq "INI bytes" "$(printf '[Sprache]\r\nSprache=English\r\n' | od -c)" \
  "$(od -c <"$(vlt_unix_path 'C:\VLTTEST\Settings.ini')")"
vlt_expect_reg_value 'HKLM\Software\VelToriTest' Language English 32
if [ "$VLT_PREFIX_ARCH" = win64 ] && vlt_reg_key_exists 'HKLM\Software\VelToriTest' 64; then
  vlt_die "the 32-bit view's key is visible in the 64-bit view: views are not told apart"
fi
link="$(vlt_desktop_dir)\\Test App.lnk"
vlt_expect_file "$link"
[ -z "$(ls -A "$HOME")" ] || vlt_die "the program wrote into the Unix home: $(ls -A "$HOME")"
testapp_win="Z:${VLT_TESTAPP//\//\\}"
vlt_drive "read-link \"$link\" --target \"$testapp_win\" --arguments \"--from-link English\" --workdir \"${testapp_win%\\*}\" --description \"VelTori test link\""

# A script file, the stand-in product, closing from outside.
script=$VLT_CASE_DIR/standin.txt
printf '%s\r\n' '# the product stand-in' 'wait-window "veltori stand-in"' 'expect-process veltori.exe' >"$script"
vlt_start "$VLT_STANDIN"
standin_pid=$VLT_LAST_PID
vlt_drive -f "Z:${script//\//\\}" 'screenshot standin' 'close' 'wait-exit --code 0' 'wait-no-process veltori.exe'
vlt_expect_exit_code "stand-in's exit code" "$standin_pid" 0

# Wrong expectations must fail, with a report; a wrong script must not run.
vlt_start "$VLT_TESTAPP"
vlt_drive_expect_failure "wait-window \"$main\"" 'expect-checked English 1 --timeout 0.5'
vlt_drive_expect_failure "wait-window \"$main\"" 'click "No such button" --timeout 0.5'
vlt_drive_expect_failure "wait-window \"$main\"" 'tick Deutsch 0'
vlt_drive_expect_failure 'wait-window "Not there" --timeout 0.5'
# The field's neighbour in z-order is a check box, not a label; the focus
# is not on Save.
vlt_drive_expect_failure "wait-window \"$main\"" 'expect-label @Edit "Folder:" --timeout 0.5'
vlt_drive_expect_failure "wait-window \"$main\"" 'expect-focus &Save --timeout 0.5'
status=0
"$VLT_WINE" "$VLT_DRIVER" "wait-window \"$main\"" 'clik OK' >"$VLT_CASE_DIR/badscript.txt" 2>&1 || status=$?
vlt_expect_eq "driver exit code for a bad script" 2 "$status"
grep -q 'unknown command "clik"' "$VLT_CASE_DIR/badscript.txt" ||
  vlt_die "no clear message for a bad script: $(cat "$VLT_CASE_DIR/badscript.txt")"
vlt_drive "wait-window \"$main\"" 'close' 'answer-msgbox "&Yes"' 'wait-exit --code 0'

# With every program gone and the case's Wine session ended, the screen is
# empty, and the harness must say so.
vlt_wineserver_kill
vlt_log "Wine ended"
if vlt_screenshot blank >/dev/null; then
  vlt_die "a screenshot of an empty screen was accepted"
fi
rm -f "$VLT_SCREEN_DIR/blank.png"
vlt_case_pass

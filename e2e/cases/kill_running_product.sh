#!/usr/bin/env bash
# ctest-timeout: 90
# Every running copy of the product (veltori.exe, from any folder, in any
# letter case) is ended when the setup program starts; a program whose name
# merely ends in the product's name keeps running.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin kill_running_product --needs-setup

vlt_put_file "$VLT_STANDIN" 'C:\Programme\VelTori Advanced\veltori.exe'
vlt_put_file "$VLT_STANDIN" 'C:\Andere\VELTORI.EXE'
vlt_put_file "$VLT_STANDIN" 'C:\Andere\myveltori.exe'
vlt_start 'C:\Programme\VelTori Advanced\veltori.exe'
installed_pid=$VLT_LAST_PID
vlt_start 'C:\Andere\VELTORI.EXE'
capitals_pid=$VLT_LAST_PID
vlt_start 'C:\Andere\myveltori.exe'
vlt_drive \
  'wait-window "veltori stand-in"' \
  'expect-process veltori.exe --count 2' \
  'expect-process myveltori.exe' \
  'screenshot before-setup'

vlt_start "$VLT_SETUP_EXE"
vlt_drive \
  'wait-window "VelTori Advanced Setup (Schritt 1/4)"' \
  'wait-no-process veltori.exe --timeout 5' \
  'expect-process myveltori.exe' \
  'expect-window "veltori stand-in"' \
  'screenshot after-setup'
vlt_expect_exit_code "exit code of the installed copy" "$installed_pid" 0 5
vlt_expect_exit_code "exit code of the copy in capitals" "$capitals_pid" 0 5
vlt_case_pass

#!/usr/bin/env bash
# ctest-timeout: 150
# The self-removal of an installation made from a read-only setup program
# (as from a CD) while programs named ping lie in the script's folder (the
# working directory of its cmd, searched before PATH) and in the install
# folder, which is the uninstaller's working directory when the start menu
# starts it. The uninstaller copy is not read-only, and the script, held
# in its loop by a second run of the uninstaller, runs none of the planted
# programs: only the system's own. In one folder cmd takes ping.com before
# ping.exe before ping.bat before ping.cmd, so the kinds are planted one
# after another, each the one a bare "ping" would find while the script
# starts its next pause. The uninstaller and the script are erased; the
# planted files stay where they were put.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_runs_nothing_planted --needs-setup

dir=$(vlt_proposed_dir)
cd_setup='C:\CD\VelToriSetup.exe'
vlt_put_file "$VLT_SETUP_EXE" "$cd_setup"
chmod a-w "$(vlt_unix_path "$cd_setup")"
vlt_shot_prefix install
vlt_start "$cd_setup"
VLT_SETUP_PID=$VLT_LAST_PID
vlt_road_language Deutsch
vlt_road_licence Deutsch
vlt_road_settings Deutsch - 1 1 1
vlt_road_finish Deutsch 0 0
mode=$(stat -c %A "$(vlt_unix_path "$dir\\vltsetup.exe")")
[[ $mode == ?rw* ]] || vlt_die "the uninstaller copy kept the setup program's read-only attribute: $mode"
vlt_log "ok: the uninstaller copy is writable ($mode) though the setup program was not"

# Plants ping.$1 in both folders: programs that would show a window,
# scripts that would leave a mark.
script_folder=$(vlt_script_folder)
plant() {
  local folder
  for folder in "$script_folder" "$dir"; do
    case $1 in
      com | exe) vlt_put_file "$VLT_STANDIN" "$folder\\ping.$1" ;;
      *) vlt_put_text "$folder\\ping.$1" "@echo %~f0>>C:\\planted-ran.txt" ;;
    esac
  done
}
# The script started a ping after ping.$1 was planted, and nothing planted ran.
expect_pause_past() {
  vlt_drive 'expect-process ping.exe --new' 'wait-gone "veltori stand-in" --timeout 0'
  vlt_expect_no_file 'C:\planted-ran.txt'
  vlt_log "ok: the script paused with ping.$1 planted and ran nothing planted"
}

plant cmd
vlt_shot_prefix remove
vlt_start_uninstall_link "$(vlt_start_menu_group)\\$(vlt_text Deutsch link_uninstall)"
vlt_road_uninstall Deutsch
# A second run of the uninstaller holds its program file: the script keeps
# trying, and pausing between tries, until that run ends too.
vlt_start_in "$dir" "$dir\\vltsetup.exe"
second=$VLT_LAST_PID
vlt_drive "wait-window $(vlt_q "$VLT_LANGUAGE_PAGE")"
vlt_answer_completion Deutsch
vlt_drive 'expect-process cmd.exe'
expect_pause_past cmd
for kind in bat exe com; do
  plant "$kind"
  expect_pause_past "$kind"
done
vlt_drive 'wait-window "VelTori Advanced Setup (Schritt 1/4)"' 'expect-process cmd.exe' 'close' \
  "answer-msgbox '&Yes'" 'wait-exit'
vlt_wait_pid "$second" 20 >/dev/null
vlt_wait_self_removal 30

vlt_expect_no_file "$dir\\vltsetup.exe"
vlt_expect_no_file 'C:\planted-ran.txt'
vlt_drive 'wait-gone "veltori stand-in" --timeout 0' 'wait-no-process cmd.exe --timeout 5'
for folder in "$script_folder" "$dir"; do
  for name in ping.com ping.exe ping.bat ping.cmd; do vlt_expect_file "$folder\\$name"; done
done
vlt_case_pass

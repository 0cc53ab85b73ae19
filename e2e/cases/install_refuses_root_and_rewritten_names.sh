#!/usr/bin/env bash
# ctest-timeout: 90
# Install folders the program would not keep as typed are refused with the
# directory warning, the page staying ready for another try: a folder whose
# last part ends in a blank (Windows would make "VelTori" and every path
# inside would still name "VelTori "), one ending in a dot, and the root of
# a drive (the whole drive is not a product folder), and a folder too long
# for the calls that write into it. So are the folders of Windows and of
# the users as a whole, by what they are, not how they are spelled: Public,
# C:\Program Files (the 64-bit one, which a 32-bit program on 64-bit
# Windows is never shown), and another user's Documents reached through a
# drive letter for the folder of the profiles, through one for that user's
# profile itself (X:\Documents), and through a link to that profile:
# every profile's standard folders are known whatever this user's layout.
# Nothing is written; the corrected folder then installs.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin install_refuses_root_and_rewritten_names --needs-setup

# Drive D: of the prefix, holding a file of the user's.
drive_d=$VLT_CASE_DIR/drive_d
mkdir -p "$drive_d"
printf 'Einnahmen;Ausgaben\r\n' >"$drive_d/Steuer 2026.csv"
ln -sfn "$drive_d" "$WINEPREFIX/dosdevices/d:"
# Another user's profile, and drive S: for the folder of the profiles.
mkdir -p "$WINEPREFIX/drive_c/users/Bert/Documents"
printf 'a letter' >"$WINEPREFIX/drive_c/users/Bert/Documents/Brief.doc"
ln -sfn ../drive_c/users "$WINEPREFIX/dosdevices/s:"
# Drive X: for Bert's profile, and a link C:\BertLink to it.
ln -sfn ../drive_c/users/Bert "$WINEPREFIX/dosdevices/x:"
ln -sfn users/Bert "$WINEPREFIX/drive_c/BertLink"

page='VelTori Advanced Setup (Schritt 3/4)'
# A folder too long for MAX_PATH once "\vltsetup.exe" is added (290 characters).
part=$(printf 'a%.0s' {1..140})
too_long="C:\\Tools\\$part\\$part"

vlt_setup_start
vlt_road_language Deutsch
vlt_road_licence Deutsch
mapfile -t lines < <(
  vlt_dir_refused_lines Deutsch 'C:\Tools\VelTori ' warning-trailing-blank
  vlt_dir_refused_lines Deutsch 'C:\Tools\VelTori.\' warning-trailing-dot
  vlt_dir_refused_lines Deutsch 'D:\' warning-drive-root
  vlt_dir_refused_lines Deutsch "$too_long" warning-too-long
  vlt_dir_refused_lines Deutsch 'C:\users\Public' warning-public
  vlt_dir_refused_lines Deutsch 'C:\Program Files\' warning-program-files
  vlt_dir_refused_lines Deutsch 'S:\Bert\\Documents' warning-other-users-documents
  vlt_dir_refused_lines Deutsch 'X:\Documents' warning-other-users-documents-by-drive
  vlt_dir_refused_lines Deutsch 'C:\BertLink\Documents' warning-other-users-documents-by-link
)
vlt_drive "wait-window $(vlt_q "$page")" "${lines[@]}"

vlt_expect_no_dir 'C:\Tools'
vlt_expect_listing "the other user's Documents" 'C:\users\Bert\Documents' Brief.doc
[ "$(ls -A "$drive_d")" = 'Steuer 2026.csv' ] || vlt_die "drive D: changed: $(ls -A "$drive_d")"
vlt_expect_no_uninstall_entry
vlt_expect_no_autostart_value

vlt_road_settings Deutsch 'C:\Tools\VelTori' 1 1 1
vlt_road_finish Deutsch 0 0
vlt_expect_installation Deutsch 'C:\Tools\VelTori' 1 1 1
vlt_case_pass

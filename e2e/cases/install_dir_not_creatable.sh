#!/usr/bin/env bash
# ctest-timeout: 90
# Install folders that cannot be made are refused with a warning, and the
# settings page stays ready for another try: a drive that does not exist, a
# folder below a file, a relative path (which would land wherever the
# program happens to run) and an empty entry. Nothing is written by the
# refused tries; the corrected folder then installs.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin install_dir_not_creatable --needs-setup

page='VelTori Advanced Setup (Schritt 3/4)'
vlt_put_text 'C:\Programme\blocker' 'a file, not a folder'

# Each refused folder: the warning in German, then the page as it was,
# both buttons enabled, the progress bar at its first step.
refused_lines() {
  vlt_dir_refused_lines Deutsch "$@"
  echo 'expect-visible @msctls_progress32 1'
}

# shellcheck disable=SC1003  # the root folder, ending in a backslash
vlt_setup_start 'C:\'
vlt_road_language Deutsch
vlt_road_licence Deutsch
mapfile -t lines < <(
  refused_lines 'Q:\VelTori' warning-no-drive
  refused_lines 'C:\Programme\blocker\VelTori' warning-below-file
  refused_lines 'VelTori Advanced' warning-relative
  refused_lines '' warning-empty
)
vlt_drive "wait-window $(vlt_q "$page")" "${lines[@]}" 'screenshot settings-page-after-warnings'

vlt_expect_nothing_installed 'C:\VelTori Advanced'
vlt_expect_no_dir 'C:\windows\VelTori Advanced'
vlt_expect_text "the file in the way" 'C:\Programme\blocker' 'a file, not a folder'

# The corrected folder installs as usual.
vlt_road_settings Deutsch 'C:\Programme\VelTori Advanced' 1 1 1
vlt_road_finish Deutsch 0 0
vlt_expect_installation Deutsch 'C:\Programme\VelTori Advanced' 1 1 1
vlt_case_pass

#!/usr/bin/env bash
# ctest-timeout: 360
# Installed to C:\A, then to C:\B (typed over the proposed C:\A): the
# entries and shortcuts lead to B. Removed in either order, the two leave
# nothing. A's uninstaller, outside the registered installation, offers its
# own files (ours by their content) and never B's entries or shortcuts; B's
# removal then takes the rest. The other way round B goes whole, and A's
# uninstaller, with nothing registered any more, takes A.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_two_installations --needs-setup

install_both() {
  vlt_shot_prefix "$1-install-a"
  vlt_install Deutsch 'C:\A' 1 1 1
  vlt_shot_prefix "$1-install-b"
  vlt_setup_start
  vlt_road_language Deutsch
  vlt_road_licence Deutsch
  # The settings page proposes where the product is.
  vlt_road_settings Deutsch 'C:\B' 1 1 1 "expect-text @Edit $(vlt_q 'C:\A')"
  vlt_road_finish Deutsch 0 0
  vlt_expect_installation Deutsch 'C:\B' 1 1 1
}

# Removes the installation in folder $1 with what its page offers: the
# items named $2 (space-separated) and the uninstaller.
remove_from() {
  local dir=$1 offered absent item
  read -r -a items <<<"$2"
  local others=()
  for item in $VLT_UNINSTALL_ITEMS; do
    [[ " $2 uninstaller " == *" $item "* ]] || others+=("$item")
  done
  mapfile -t offered < <(vlt_item_state_lines Deutsch 1 "${items[@]}" uninstaller)
  mapfile -t absent < <(vlt_item_state_lines Deutsch 0 "${others[@]}")
  vlt_start_uninstaller 'C:\windows' "$dir\\vltsetup.exe" -remove
  vlt_road_uninstall Deutsch "${offered[@]}" "${absent[@]}"
  vlt_answer_completion Deutsch
  vlt_wait_self_removal
  vlt_expect_no_dir "$dir"
}

install_both a-first
vlt_shot_prefix a-first-remove-a
remove_from 'C:\A' 'exe help config'
vlt_expect_installation Deutsch 'C:\B' 1 1 1
vlt_shot_prefix a-first-remove-b
remove_from 'C:\B' 'exe help registry startmenu desktop config'
vlt_expect_nothing_installed 'C:\B'

install_both b-first
vlt_shot_prefix b-first-remove-b
remove_from 'C:\B' 'exe help registry startmenu desktop config'
vlt_shot_prefix b-first-remove-a
remove_from 'C:\A' 'exe help config'
vlt_expect_nothing_installed 'C:\A'
vlt_case_pass

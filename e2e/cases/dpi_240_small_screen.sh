#!/usr/bin/env bash
# ctest-timeout: 150
# At 250 % display scaling on a 1024x768 screen the pages, scaled by the
# DPI alone, would be wider than the screen, their buttons beyond its edge.
# Each page lays itself out at the largest scale that fits the work area:
# every page of the install and the removal lies wholly on the screen, and
# the road through them installs and removes the product.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin dpi_240_small_screen --needs-setup --dpi 240

dir='C:\Tools\VelTori'
vlt_shot_prefix install
vlt_setup_start
vlt_road_language Deutsch expect-on-screen
vlt_road_licence Deutsch expect-on-screen
vlt_road_settings Deutsch "$dir" 1 1 1 expect-on-screen
vlt_road_finish Deutsch 0 0 expect-on-screen
vlt_expect_installation Deutsch "$dir" 1 1 1

vlt_shot_prefix remove
vlt_start_uninstall_entry 'C:\windows'
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 exe help registry startmenu desktop config uninstaller)
vlt_road_uninstall Deutsch expect-on-screen "${offered[@]}"
vlt_answer_completion Deutsch
vlt_wait_self_removal
vlt_expect_nothing_installed "$dir"
vlt_case_pass

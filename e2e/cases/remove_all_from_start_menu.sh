#!/usr/bin/env bash
# ctest-timeout: 90
# A full removal started from the start-menu shortcut, whose working
# directory is the install folder, for a folder named with umlauts. The
# self-removal script runs in its own folder and names the paths in the
# command interpreter's code page, so the install folder still goes. A
# read-only file that someone made under the script's old fixed name in
# the temporary folder stops nothing and stays as it was.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin remove_all_from_start_menu --needs-setup

dir='C:\Programme\Werkzeuge für Größe\VelTori Advanced'
vlt_shot_prefix install
vlt_install Deutsch "$dir" 1 1 1

planted=$(vlt_unix_path 'C:\windows\Temp')/vltsetup.bat
printf 'echo planted\r\n' >"$planted"
chmod a-w "$planted"

vlt_shot_prefix remove
link="$(vlt_start_menu_group)\\Veltori Advanced deinstallieren.lnk"
vlt_drive "$(vlt_link_line "$link" "$dir\\vltsetup.exe" -remove "$dir")"
vlt_start_uninstall_link "$link"
mapfile -t offered < <(vlt_item_state_lines Deutsch 1 exe help registry startmenu desktop config uninstaller)
mapfile -t absent < <(vlt_item_state_lines Deutsch 0 text picture other)
vlt_road_uninstall Deutsch "${offered[@]}" "${absent[@]}"

# The script names the folder in the OEM code page (ü and ö as the
# command interpreter reads them).
script=$(vlt_script_path)
oem_dir=$(printf '%s' "$dir" | iconv -f UTF-8 -t CP850)
grep -qaF "rmdir \"$oem_dir\"" "$(vlt_unix_path "$script")" ||
  vlt_die "the script does not name the install folder in the OEM code page: $(od -c "$(vlt_unix_path "$script")" | head -20)"
vlt_answer_completion Deutsch
vlt_wait_self_removal

vlt_expect_nothing_installed "$dir"
vlt_expect_dir 'C:\Programme\Werkzeuge für Größe'
vlt_expect_eq "the planted file" $'echo planted\r' "$(cat "$planted")"
vlt_case_pass

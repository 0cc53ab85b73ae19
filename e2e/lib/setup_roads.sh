# shellcheck shell=bash
# shellcheck disable=SC2034  # this file sets variables for the cases that source it
# The setup program's roads, for the cases: its texts in both languages,
# helpers that walk the wizard and the uninstall page (taking a screenshot
# of every page), and checks of what an installation leaves on the machine.
# Sourced by harness.sh; needs a case begun with vlt_case_begin.
#
#   vlt_install_with_defaults                       German, default folder, every option
#   vlt_install English 'C:\Tools\VelTori' 0 1 1    language, folder (- = default), autostart, desktop, start menu
#   vlt_expect_installation English 'C:\Tools\VelTori' 0 1 1
#   vlt_start_uninstall_entry                       as the uninstall entry starts it
#   vlt_road_uninstall Deutsch                      press the button, wait for the completion box
#   vlt_answer_completion Deutsch                   close it; the program ends
#   vlt_wait_self_removal                           the script has erased the uninstaller and itself

readonly VLT_RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
readonly VLT_UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\VelToriAdvanced'
readonly VLT_AUTOSTART_VALUE=VelToriAutoStart
readonly VLT_LANGUAGE_PAGE='VelTori Advanced Setup (Schritt 1/4)'
# The language page of the uninstaller when no language is stored.
readonly VLT_LANGUAGE_PAGE_REMOVE='VelTori Advanced Setup'
readonly VLT_START_MENU_GROUP='VelTori Advanced'
readonly VLT_DESKTOP_LINK='Veltori Advanced.lnk'
readonly VLT_HOMEPAGE_LINK='Veltori Advanced Homepage.lnk'
# The caption of the packed stand-in product's window.
readonly VLT_PRODUCT_WINDOW='VelTori Advanced'
# The uninstall page's items, in the order of the page.
readonly VLT_UNINSTALL_ITEMS='exe help registry startmenu desktop config text picture other uninstaller'

# ------------------------------------------------------------------ texts
# What the user must read, written down here a second time on purpose: the
# cases check the program's windows against this statement, not against the
# program's own text tables, so a text changed or mixed up there shows as a
# failure instead of passing along with the change.

declare -A VLT_TEXTS_Deutsch=(
  [wizard_2]='VelTori Advanced Setup (Schritt 2/4)'
  [wizard_3]='VelTori Advanced Setup (Schritt 3/4)'
  [wizard_4]='VelTori Advanced Setup (Schritt 4/4)'
  [install_button]='&Installieren >>'
  [cancel_button]='&Abbrechen'
  [next_button]='&Weiter >>'
  [browse_button]='&Suchen'
  [licence_label]='Lizenzvereinbarung'
  [dir_label]='Installationsverzeichnis:'
  [autostart_box]='VelTori automatisch starten'
  [desktop_box]='Verknüpfung auf dem Desktop erstellen'
  [startmenu_box]='Eintrag ins Startmenü'
  [start_box]='VelTori jetzt starten'
  [web_box]='VelTori Webseite jetzt besuchen'
  [finish_button]='&Fertig!'
  [dir_error]=$'Fehler beim Anlegen des Verzeichnisses.\rBitte überprüfen Sie Ihre Eingaben.'
  [extract_error]=$'Fehler beim entpacken der Dateien. \rMöglicherweise ist die Anwendung bereits installiert.'
  [copy_error]=$'Fehler beim Kopieren des Deinstallationsprogramms.\rMöglicherweise ist der Datenträger voll.'
  [warning_title]='Warnung'
  [confirm_title]='Bestätiung'
  [confirm_text]='Setup wirklich abbrechen?'
  [yes]='&Ja'
  [no]='&Nein'
  [ok]='&Ok'
  [link_run]='Veltori Advanced ausführen.lnk'
  [link_uninstall]='Veltori Advanced deinstallieren.lnk'
  [link_help]='Veltori Advanced Hilfe.lnk'
  [uninstall_title]='VelTori Advanced Deinstallation'
  [uninstall_button]='&Deinstallieren'
  [done_text]='Die gewünschte Deinstallation von VelTori ist abgeschlossen.'
  [done_title]='Information'
  [item_exe]='VelTori.Exe'
  [item_help]='Hilfe'
  [item_registry]='Registry-Einträge entfernen'
  [item_startmenu]='Einträge im Startmenü'
  [item_desktop]='Verknüpfung auf dem Desktop'
  [item_config]='Konfigurationsdatei'
  [item_text]='Gepufferte Texteinträge (aktuell)'
  [item_picture]='Gepufferte Bildeinträge (aktuell)'
  [item_other]='Sonstige Dateien aus dem VelTori-Verzeichnis'
  [item_uninstaller]='Setup (Uninstaller)'
)

declare -A VLT_TEXTS_English=(
  [wizard_2]='VelTori Advanced Setup (Step 2/4)'
  [wizard_3]='VelTori Advanced Setup (Step 3/4)'
  [wizard_4]='VelTori Advanced Setup (Step 4/4)'
  [install_button]='&Install >>'
  [cancel_button]='&Cancel'
  [next_button]='&Next >>'
  [browse_button]='&Browse'
  [licence_label]='Licence agreement'
  [dir_label]='Destination:'
  [autostart_box]='Autostart VelTori'
  [desktop_box]='Add shortcut to desktop'
  [startmenu_box]='Add group to startmenu'
  [start_box]='Start VelTori now'
  [web_box]='Visit VelTori website now'
  [finish_button]='&Finish!'
  [dir_error]=$'Error while creating the directorys.\rPlease validate your input.'
  [extract_error]='Extracting Error! File already exists?'
  [copy_error]=$'Error while copying the uninstaller.\rPerhaps the disk is full.'
  [warning_title]='Warning'
  [confirm_title]='Confirmation'
  [confirm_text]='Do you really want exit Setup?'
  [yes]='&Yes'
  [no]='&No'
  [ok]='&Ok'
  [link_run]='start Veltori Advanced.lnk'
  [link_uninstall]='uninstall Veltori Advanced.lnk'
  [link_help]='Veltori Advanced help.lnk'
  [uninstall_title]='VelTori Advanced Uninstall'
  [uninstall_button]='&Uninstall'
  [done_text]='Deinstallation completed!'
  [done_title]='Information'
  [item_exe]='VelTori.Exe'
  [item_help]='Help'
  [item_registry]='Registry entries'
  [item_startmenu]='Startmenu entries'
  [item_desktop]='Desktop shortcut'
  [item_config]='Configuration file'
  [item_text]='Cached text entries (current)'
  [item_picture]='Cached picture entries (current)'
  [item_other]='Other files in the VelTori directory'
  [item_uninstaller]='Setup (Uninstaller)'
)

# The text $2 in language $1 (Deutsch or English).
vlt_text() {
  local -n table="VLT_TEXTS_$1"
  [ -n "${table[$2]+set}" ] || vlt_die "no text $2 in $1"
  printf '%s' "${table[$2]}"
}

# A driver word for a text: in single quotes, which the driver reads
# literally (a path may end in a backslash); in double quotes with \"
# escapes when the text holds a single quote.
vlt_q() {
  if [[ $1 != *"'"* ]]; then
    printf "'%s'" "$1"
  elif [[ $1 != *\\ ]]; then
    printf '"%s"' "${1//\"/\\\"}"
  else
    vlt_die "no driver word can hold this text: $1"
  fi
}

# The product web site the build was configured with.
vlt_web_site() {
  local line
  line=$(grep -m1 '^VELTORI_WEBSITE:' "$VLT_BUILD_DIR/CMakeCache.txt" 2>/dev/null || true)
  printf '%s' "${line#*=}"
}

# The files the build packed as payload entries 0, 1, 2 (veltori.exe,
# veltori.hlp, veltori.cnt): VLT_PAYLOAD_FILES.
vlt_payload_files() {
  local line list
  line=$(grep -m1 '^VELTORI_PAYLOAD:' "$VLT_BUILD_DIR/CMakeCache.txt" 2>/dev/null || true)
  list=${line#*=}
  if [ -n "$list" ]; then
    IFS=';' read -r -a VLT_PAYLOAD_FILES <<<"$list"
  else
    VLT_PAYLOAD_FILES=("$VLT_BUILD_DIR/product/veltori.exe" "$VELTORI_SOURCE_DIR/product/veltori.hlp"
      "$VELTORI_SOURCE_DIR/product/veltori.cnt")
  fi
  local file
  for file in "${VLT_PAYLOAD_FILES[@]}"; do
    [ -f "$file" ] || vlt_die "packed payload file not found: $file"
  done
}

# The install folder the settings page proposes in either language: the
# product's folder in the Program Files folder the program sees.
vlt_proposed_dir() { printf '%s\\VelTori Advanced' "$(vlt_program_files_dir)"; }

# A directory as typed, with one trailing backslash removed: the folder that
# every installed path starts with.
vlt_install_dir() { local dir=$1; printf '%s' "${dir%\\}"; }

# Screenshot names of the road helpers start with the prefix set here
# ("first", "second", ...), so a case that walks a road twice keeps the
# pictures of both walks.
vlt_shot_prefix() { VLT_SHOT_PREFIX=$1; }
vlt_shot() { printf '%s%s' "${VLT_SHOT_PREFIX:+$VLT_SHOT_PREFIX-}" "$1"; }

# ------------------------------------------------------------- the wizard

# Starts the setup program without parameters (in the Windows folder $1
# when given): VLT_SETUP_PID.
# shellcheck disable=SC2120  # the folder is optional
vlt_setup_start() {
  if [ -n "${1:-}" ]; then vlt_start_in "$1" "$VLT_SETUP_EXE"; else vlt_start "$VLT_SETUP_EXE"; fi
  VLT_SETUP_PID=$VLT_LAST_PID
}

# Each vlt_road_* helper waits for its page, runs the extra driver lines
# given after its own arguments (checks of the page as shown), sets the page
# up, takes a screenshot and presses the page's button to go on.

# Language page: choose $1 (Deutsch or English), Next; the licence page shows.
vlt_road_language() {
  local lang=$1
  shift
  vlt_drive "wait-window $(vlt_q "$VLT_LANGUAGE_PAGE")" "$@" "tick $lang 1" \
    "screenshot $(vlt_shot language-page)" 'click "&Next >>"' \
    "wait-window $(vlt_q "$(vlt_text "$lang" wizard_2)")" "wait-gone $(vlt_q "$VLT_LANGUAGE_PAGE") --timeout 2"
}

# Licence page in language $1: Install; the settings page shows.
vlt_road_licence() {
  local lang=$1
  shift
  vlt_drive "wait-window $(vlt_q "$(vlt_text "$lang" wizard_2)")" "$@" \
    "screenshot $(vlt_shot licence-page)" "click $(vlt_q "$(vlt_text "$lang" install_button)")" \
    "wait-window $(vlt_q "$(vlt_text "$lang" wizard_3)")"
}

# Settings page in language $1: folder $2 ("-" keeps the proposed one),
# autostart $3, desktop shortcut $4, start-menu group $5 (1 or 0); Next runs
# the installation and the finish page shows.
vlt_road_settings() {
  local lang=$1 dir=$2 autostart=$3 desktop=$4 startmenu=$5
  shift 5
  local lines=("wait-window $(vlt_q "$(vlt_text "$lang" wizard_3)")" "$@")
  [ "$dir" = - ] || lines+=("set-text @Edit $(vlt_q "$dir")")
  lines+=("tick $(vlt_q "$(vlt_text "$lang" autostart_box)") $autostart"
    "tick $(vlt_q "$(vlt_text "$lang" desktop_box)") $desktop"
    "tick $(vlt_q "$(vlt_text "$lang" startmenu_box)") $startmenu"
    "screenshot $(vlt_shot settings-page)"
    "click $(vlt_q "$(vlt_text "$lang" next_button)")"
    "wait-window $(vlt_q "$(vlt_text "$lang" wizard_4)")")
  vlt_drive "${lines[@]}"
}

# Driver lines for one refused install folder on the settings page of
# language $1: type folder $2, press the next button, screenshot $3 of the
# directory warning, answer it; then the page is as it was, both buttons
# enabled and the folder still in the field.
vlt_dir_refused_lines() {
  local lang=$1 dir=$2 shot=$3
  printf '%s\n' \
    "set-text @Edit $(vlt_q "$dir")" \
    "click $(vlt_q "$(vlt_text "$lang" next_button)")" \
    "wait-window $(vlt_q "$(vlt_text "$lang" warning_title)") --class #32770" \
    "screenshot $shot" \
    "expect-msgbox $(vlt_q "$(vlt_text "$lang" dir_error)") --title $(vlt_q "$(vlt_text "$lang" warning_title)") --answer $(vlt_q "$(vlt_text "$lang" ok)")" \
    "wait-window $(vlt_q "$(vlt_text "$lang" wizard_3)")" \
    "expect-enabled $(vlt_q "$(vlt_text "$lang" next_button)") 1" \
    "expect-enabled $(vlt_q "$(vlt_text "$lang" cancel_button)") 1" \
    "expect-text @Edit $(vlt_q "$dir")"
}

# Finish page in language $1: start the product $2, open the web site $3
# (1 or 0), Finish; the setup program must end with exit code 0.
vlt_road_finish() {
  local lang=$1 start=$2 web=$3
  shift 3
  vlt_drive "wait-window $(vlt_q "$(vlt_text "$lang" wizard_4)")" "$@" \
    "tick $(vlt_q "$(vlt_text "$lang" start_box)") $start" \
    "tick $(vlt_q "$(vlt_text "$lang" web_box)") $web" \
    "screenshot $(vlt_shot finish-page)" "click $(vlt_q "$(vlt_text "$lang" finish_button)")" \
    'wait-exit --code 0'
  vlt_expect_exit_code "setup program's exit code" "$VLT_SETUP_PID" 0 10
}

# A whole installation: language $1, folder $2 (- = proposed), autostart $3,
# desktop shortcut $4, start-menu group $5; the finish page starts nothing.
vlt_install() {
  local lang=$1 dir=$2 autostart=$3 desktop=$4 startmenu=$5
  vlt_log "installing: $lang, folder ${dir/#-/(proposed)}, autostart $autostart, desktop $desktop, start menu $startmenu"
  vlt_setup_start
  vlt_road_language "$lang"
  vlt_road_licence "$lang"
  vlt_road_settings "$lang" "$dir" "$autostart" "$desktop" "$startmenu"
  vlt_road_finish "$lang" 0 0
}

vlt_install_with_defaults() { vlt_install Deutsch - 1 1 1; }

# --------------------------------------------- what an installation leaves

# The three product files equal the packed ones, vltsetup.exe the setup program.
vlt_expect_product_files() {
  local dir
  dir=$(vlt_install_dir "$1")
  vlt_payload_files
  vlt_expect_same_file "product executable" "$dir\\veltori.exe" "${VLT_PAYLOAD_FILES[0]}"
  vlt_expect_same_file "help file" "$dir\\veltori.hlp" "${VLT_PAYLOAD_FILES[1]}"
  vlt_expect_same_file "help contents" "$dir\\veltori.cnt" "${VLT_PAYLOAD_FILES[2]}"
  vlt_expect_same_file "uninstaller" "$dir\\vltsetup.exe" "$VLT_SETUP_EXE"
}

# The key of the 64-bit view where a 32-bit program's HKLM\Software key $1
# lands in a 64-bit prefix (WoW64 redirects it under Wow6432Node).
vlt_wow64_key() { local key=$1; printf 'HKLM\\Software\\Wow6432Node\\%s' "${key#HKLM\\Software\\}"; }

# Driver lines that look from the 64-bit side of a 64-bit prefix: the
# autostart value (when $2 is 1, none when 0, unchecked when -) and the
# uninstall entry ($3 likewise) of folder $1 under Wow6432Node, where
# Windows keeps a 32-bit program's entries, and not in the 64-bit keys of
# the same names (a write to the wrong view would show there). Nothing in a
# 32-bit prefix, which has one view.
vlt_wow64_registry_lines() {
  local dir=$1 autostart=$2 entry=$3 run uninstall
  [ "$VLT_PREFIX_ARCH" = win64 ] || return 0
  run=$(vlt_wow64_key "$VLT_RUN_KEY")
  uninstall=$(vlt_wow64_key "$VLT_UNINSTALL_KEY")
  case $autostart in
    1) vlt_reg_value_line "$run" "$VLT_AUTOSTART_VALUE" "\"$dir\\veltori.exe\"" 64 ;;
    0) vlt_no_reg_value_line "$run" "$VLT_AUTOSTART_VALUE" 64 ;;
  esac
  [ "$autostart" = - ] || vlt_no_reg_value_line "$VLT_RUN_KEY" "$VLT_AUTOSTART_VALUE" 64
  case $entry in
    1) vlt_reg_value_line "$uninstall" UninstallString "\"$dir\\vltsetup.exe\" -remove" 64 ;;
    0) vlt_no_reg_key_line "$uninstall" 64 ;;
  esac
  [ "$entry" = - ] || vlt_no_reg_key_line "$VLT_UNINSTALL_KEY" 64
}

# The autostart value (when $2 is 1, else none) and the uninstall entry
# with exactly its two values, in the 32-bit view where the program writes
# (and in a 64-bit prefix seen from the 64-bit side as well).
vlt_expect_registry_entries() {
  local dir=$1 autostart=$2 lines=()
  dir=$(vlt_install_dir "$dir")
  if [ "$autostart" = 1 ]; then
    lines+=("$(vlt_reg_value_line "$VLT_RUN_KEY" "$VLT_AUTOSTART_VALUE" "\"$dir\\veltori.exe\"" 32)")
  else
    lines+=("$(vlt_no_reg_value_line "$VLT_RUN_KEY" "$VLT_AUTOSTART_VALUE" 32)")
  fi
  lines+=("$(vlt_reg_names_line "$VLT_UNINSTALL_KEY" $'DisplayName\nUninstallString' 32)"
    "$(vlt_reg_value_line "$VLT_UNINSTALL_KEY" DisplayName "VelTori Advanced" 32)"
    "$(vlt_reg_value_line "$VLT_UNINSTALL_KEY" UninstallString "\"$dir\\vltsetup.exe\" -remove" 32)")
  mapfile -t -O "${#lines[@]}" lines < <(vlt_wow64_registry_lines "$dir" "$autostart" 1)
  vlt_drive "${lines[@]}"
}

# No autostart value, no uninstall entry: in the program's view, and in a
# 64-bit prefix from the 64-bit side too.
vlt_expect_no_autostart_value() {
  local lines=("$(vlt_no_reg_value_line "$VLT_RUN_KEY" "$VLT_AUTOSTART_VALUE" 32)")
  mapfile -t -O 1 lines < <(vlt_wow64_registry_lines '' 0 -)
  vlt_drive "${lines[@]}"
}
vlt_expect_no_uninstall_entry() {
  local lines=("$(vlt_no_reg_key_line "$VLT_UNINSTALL_KEY" 32)")
  mapfile -t -O 1 lines < <(vlt_wow64_registry_lines '' - 0)
  vlt_drive "${lines[@]}"
}

# config.vlt of a fresh installation: the language first, then autostart.
vlt_expect_fresh_config() {
  local dir=$1 lang=$2 autostart=$3 value=nein
  [ "$autostart" = 1 ] && value=ja
  vlt_expect_text "config.vlt" "$(vlt_install_dir "$dir")\\config.vlt" \
    "[Sprache]"$'\r\n'"Sprache=$lang"$'\r\n'"[Allgemein]"$'\r\n'"Autostart=$value"$'\r\n'
}

vlt_start_menu_group() { printf '%s\\%s' "$(vlt_programs_dir)" "$VLT_START_MENU_GROUP"; }
vlt_desktop_link() { printf '%s\\%s' "$(vlt_desktop_dir)" "$VLT_DESKTOP_LINK"; }

# A read-link line of the driver that checks target, arguments and working directory.
vlt_link_line() {
  printf 'read-link %s --target %s --arguments %s --workdir %s' \
    "$(vlt_q "$1")" "$(vlt_q "$2")" "$(vlt_q "$3")" "$(vlt_q "$4")"
}

# The start-menu group holds exactly the four shortcuts, named in language $2.
vlt_expect_start_menu_group() {
  local dir lang=$2 group names
  dir=$(vlt_install_dir "$1")
  group=$(vlt_start_menu_group)
  names=$(printf '%s\n' "$(vlt_text "$lang" link_run)" "$(vlt_text "$lang" link_uninstall)" \
    "$(vlt_text "$lang" link_help)" "$VLT_HOMEPAGE_LINK" | LC_ALL=C sort)
  vlt_expect_listing "shortcuts in the start-menu group" "$group" "$names"
  vlt_drive \
    "$(vlt_link_line "$group\\$(vlt_text "$lang" link_run)" "$dir\\veltori.exe" "" "$dir")" \
    "$(vlt_link_line "$group\\$(vlt_text "$lang" link_uninstall)" "$dir\\vltsetup.exe" -remove "$dir")" \
    "$(vlt_link_line "$group\\$(vlt_text "$lang" link_help)" "$dir\\veltori.hlp" "" "$dir")" \
    "read-link $(vlt_q "$group\\$VLT_HOMEPAGE_LINK") --arguments \"\""
  vlt_expect_homepage_link "$group\\$VLT_HOMEPAGE_LINK"
}

# A field (target, arguments, workdir) of a shortcut as the shell link
# object reads it back.
vlt_link_field() {
  local report line
  report=$(vlt_drive "read-link $(vlt_q "$1")")
  line=$(grep -m1 "^ *$2: " <<<"$report" | tr -d '\r' || true)
  [ -n "$line" ] || vlt_die "the driver's read-link of $1 printed no field \"$2\": $report"
  line=${line#*"$2": *\"}
  printf '%s' "${line%\"}"
}

vlt_link_target() { vlt_link_field "$1" target; }

# Starts what shortcut $1 starts, as the shell does: its target with its
# arguments, in its working directory. VLT_LAST_PID.
vlt_start_link() {
  local target arguments workdir args
  target=$(vlt_link_field "$1" target)
  arguments=$(vlt_link_field "$1" arguments)
  workdir=$(vlt_link_field "$1" workdir)
  read -r -a args <<<"$arguments"
  vlt_start_in "$workdir" "$target" "${args[@]}"
}

# The homepage shortcut names the product web site. Windows keeps the
# address as the target; Wine's link object turns any target into a full
# file path, so there the address comes back behind the program's working
# directory, with "//" made "\" ("Z:\...\http:\www.example"): accepted, and noted.
vlt_expect_homepage_link() {
  local link=$1 site target wine_form
  site=$(vlt_web_site)
  target=$(vlt_link_target "$link")
  wine_form=${site//:\/\//:\\}
  wine_form=${wine_form//\//\\}
  if [ "$target" = "$site" ]; then
    vlt_log "ok: homepage shortcut target = \"$target\""
  elif [[ $target == *"\\$wine_form" ]]; then
    vlt_log "ok: homepage shortcut target = \"$target\" (note: Wine stores the address $site as a file path)"
  else
    vlt_die "homepage shortcut: expected the target $site, got \"$target\""
  fi
}

vlt_expect_no_start_menu_group() { vlt_expect_no_dir "$(vlt_start_menu_group)"; vlt_log "ok: no start-menu group"; }

vlt_expect_desktop_link() {
  local dir
  dir=$(vlt_install_dir "$1")
  vlt_drive "$(vlt_link_line "$(vlt_desktop_link)" "$dir\\veltori.exe" "" "$dir")"
}

vlt_expect_no_desktop_link() { vlt_expect_no_file "$(vlt_desktop_link)"; vlt_log "ok: no desktop shortcut"; }

# Everything a fresh installation with these choices leaves: language $1,
# folder $2 as typed, autostart $3, desktop shortcut $4, start-menu group $5.
vlt_expect_installation() {
  local lang=$1 dir=$2 autostart=$3 desktop=$4 startmenu=$5
  vlt_expect_product_files "$dir"
  vlt_expect_listing "files in the install directory" "$(vlt_install_dir "$dir")" \
    $'config.vlt\nveltori.cnt\nveltori.exe\nveltori.hlp\nvltsetup.exe'
  vlt_expect_registry_entries "$dir" "$autostart"
  vlt_expect_fresh_config "$dir" "$lang" "$autostart"
  if [ "$startmenu" = 1 ]; then vlt_expect_start_menu_group "$dir" "$lang"; else vlt_expect_no_start_menu_group; fi
  if [ "$desktop" = 1 ]; then vlt_expect_desktop_link "$dir"; else vlt_expect_no_desktop_link; fi
}

# No trace of an installation in folder $1 or anywhere else.
vlt_expect_nothing_installed() {
  local lines=("$(vlt_no_reg_value_line "$VLT_RUN_KEY" "$VLT_AUTOSTART_VALUE" 32)"
    "$(vlt_no_reg_key_line "$VLT_UNINSTALL_KEY" 32)")
  vlt_expect_no_dir "$1"
  mapfile -t -O 2 lines < <(vlt_wow64_registry_lines '' 0 0)
  vlt_drive "${lines[@]}"
  vlt_expect_no_start_menu_group
  vlt_expect_no_desktop_link
}

# --------------------------------------------------------- the uninstaller

# Starts the uninstaller the way the uninstall entry does: the command of
# UninstallString, from another working directory (default C:\windows).
# VLT_UNINSTALL_PID.
vlt_start_uninstall_entry() {
  local command
  command=$(vlt_reg_value "$VLT_UNINSTALL_KEY" UninstallString 32)
  [[ $command =~ ^\"([^\"]+)\"\ (.*)$ ]] || vlt_die "UninstallString is not a quoted program and its arguments: $command"
  vlt_start_uninstaller "${1:-C:\\windows}" "${BASH_REMATCH[1]}" "${BASH_REMATCH[2]}"
}

# Starts the uninstaller the way shortcut $1 does. VLT_UNINSTALL_PID.
vlt_start_uninstall_link() {
  vlt_start_link "$1"
  VLT_UNINSTALL_PID=$VLT_LAST_PID
}

# Starts program $2 with arguments $3... in folder $1 as the uninstaller
# whose end vlt_answer_completion waits for. VLT_UNINSTALL_PID.
vlt_start_uninstaller() {
  vlt_start_in "$@"
  VLT_UNINSTALL_PID=$VLT_LAST_PID
}

# Uninstall page in language $1: the extra lines run on it, then a screenshot,
# the uninstall button, and the completion box is waited for (and pictured).
vlt_road_uninstall() {
  local lang=$1
  shift
  vlt_drive "wait-window $(vlt_q "$(vlt_text "$lang" uninstall_title)")" "$@" \
    "screenshot $(vlt_shot uninstall-page)" \
    "click $(vlt_q "$(vlt_text "$lang" uninstall_button)")" \
    "wait-window $(vlt_q "$(vlt_text "$lang" done_title)") --class #32770" \
    "screenshot $(vlt_shot uninstall-done)"
}

# Closes the completion box of language $1; the uninstaller must end.
vlt_answer_completion() {
  local lang=$1
  vlt_drive "wait-window $(vlt_q "$(vlt_text "$lang" uninstall_title)")" \
    "expect-msgbox $(vlt_q "$(vlt_text "$lang" done_text)") --title $(vlt_q "$(vlt_text "$lang" done_title)") --answer $(vlt_q "$(vlt_text "$lang" ok)")" \
    'wait-exit --code 0'
  if [ -n "${VLT_UNINSTALL_PID:-}" ]; then
    vlt_expect_exit_code "uninstaller's exit code" "$VLT_UNINSTALL_PID" 0 10
  fi
}

# Driver lines: the uninstall items $3... (all when none are named; names
# as in VLT_UNINSTALL_ITEMS) of language $1 are offered and ticked ($2 = 1)
# or greyed and unticked ($2 = 0). The other-files item is offered unticked
# (the folder may hold the user's own files): with $2 = 1 the lines check
# that and then tick it, as a user who wants everything removed does.
vlt_item_state_lines() {
  local lang=$1 state=$2 item caption items
  shift 2
  items=("$@")
  [ $# -gt 0 ] || read -r -a items <<<"$VLT_UNINSTALL_ITEMS"
  for item in "${items[@]}"; do
    caption=$(vlt_q "$(vlt_text "$lang" "item_$item")")
    if [ "$item" = other ] && [ "$state" = 1 ]; then
      printf '%s\n' "expect-enabled $caption 1" "expect-checked $caption 0" "tick $caption 1"
    else
      printf '%s\n' "expect-enabled $caption $state" "expect-checked $caption $state"
    fi
  done
}

# Driver lines that tick ($2 = 1) or untick the uninstall items $3... .
vlt_item_tick_lines() {
  local lang=$1 state=$2 item
  shift 2
  for item in "$@"; do
    printf '%s\n' "tick $(vlt_q "$(vlt_text "$lang" "item_$item")") $state"
  done
}

# The self-removal script's folder: the system's temporary folder.
vlt_script_folder() { echo 'C:\windows\Temp'; }

# The scripts' names are new every time: "vltsetup-", eight hex digits,
# ".bat". Those the case's program writes are newer than the marker that
# vlt_case_begin sets (a case that plants such names itself sets it again
# with vlt_mark_scripts afterwards). Prints their names, newest first.
vlt_new_scripts() {
  local unix
  unix=$(vlt_unix_path "$(vlt_script_folder)")
  (cd "$unix" && find . -maxdepth 1 -type f -name 'vltsetup-*.bat' -newer "$VLT_CASE_DIR/scripts-after" \
    -printf '%T@ %f\n' | sort -rn | cut -d' ' -f2-)
}
vlt_mark_scripts() { touch "$VLT_CASE_DIR/scripts-after"; }

# The self-removal script the program wrote last.
vlt_script_path() {
  local name
  name=$(vlt_new_scripts | head -n1)
  [ -n "$name" ] || vlt_die "no self-removal script (vltsetup-*.bat) in $(vlt_script_folder)"
  printf '%s\\%s' "$(vlt_script_folder)" "$name"
}

# Waits (up to $1 s, default 20) until every self-removal script the
# program wrote has run to its end: it erases itself last.
vlt_wait_self_removal() {
  vlt_wait_while "${1:-20}" "the self-removal script" vlt_any_new_script
}
vlt_any_new_script() { [ -n "$(vlt_new_scripts)" ]; }

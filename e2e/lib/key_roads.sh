# shellcheck shell=bash
# The setup program's roads walked by the keyboard alone: every step is a
# key pressed through the driver's "press" and "type" (SendInput into the
# page in front), never a click or a message to a control. The texts and
# the checks of what an installation leaves come from setup_roads.sh.
# Each key's effect is waited for (expect-focus, wait-window ...) before the
# next key relies on it, so the walk also checks the pages' tab order.
#
#   vlt_keys_language English                           Tab to the radio group, Down, Enter
#   vlt_keys_licence Deutsch 'press Alt+I'              the last lines leave the page
#   vlt_keys_settings Deutsch 'C:\Keys' 1 0 1 'press Alt+W'
#   vlt_keys_finish Deutsch 0 0 'press Alt+F'
#   vlt_keys_focus_lines Deutsch item_config item_exe   Tab, then the focus on each in turn

# Driver lines: one Tab for each text key $2... of language $1, the focus
# on that control after it.
vlt_keys_focus_lines() {
  local lang=$1 key
  shift
  for key in "$@"; do
    printf '%s\n' 'press Tab' "expect-focus $(vlt_q "$(vlt_text "$lang" "$key")")"
  done
}

# Driver lines: Space on the focused check box $2 (text key) of language
# $1 when its state is not $3 yet (they all start checked), then its state.
vlt_keys_box_lines() {
  local lang=$1 key=$2 wanted=$3 box
  box=$(vlt_q "$(vlt_text "$lang" "$key")")
  [ "$wanted" = 1 ] || printf '%s\n' 'press Space'
  printf '%s\n' "expect-checked $box $wanted"
}

# Language page: choose $1. The page opens with the focus on Next; Tab
# passes Cancel and stops at the checked radio button of the group (the
# side panel takes no stop); Down moves to English and checks it. Next by
# Alt+N for German, by Tab back to it and Enter for English.
vlt_keys_language() {
  local lang=$1
  local lines=("wait-window $(vlt_q "$VLT_LANGUAGE_PAGE")"
    'expect-focus "&Next >>"'
    'press Tab' 'expect-focus "&Cancel"'
    'press Tab' 'expect-focus Deutsch' 'expect-checked Deutsch 1')
  if [ "$lang" = English ]; then
    lines+=('press Down' 'expect-focus English' 'expect-checked English 1' 'expect-checked Deutsch 0'
      "screenshot $(vlt_shot keys-language-page)"
      'press Tab' 'expect-focus "&Next >>"' 'press Enter')
  else
    lines+=("screenshot $(vlt_shot keys-language-page)" 'press Alt+N')
  fi
  lines+=("wait-window $(vlt_q "$(vlt_text "$lang" wizard_2)")"
    "wait-gone $(vlt_q "$VLT_LANGUAGE_PAGE") --timeout 2")
  vlt_drive "${lines[@]}"
}

# Licence page in language $1: the memo is named by its hidden label, Tab
# runs Install, Cancel, memo and back to Install, Escape in the memo does
# nothing; the lines $2... leave the page for the settings page.
vlt_keys_licence() {
  local lang=$1 install name
  shift
  install=$(vlt_q "$(vlt_text "$lang" install_button)")
  name=$(vlt_q "$(vlt_text "$lang" licence_label)")
  vlt_drive "wait-window $(vlt_q "$(vlt_text "$lang" wizard_2)")" \
    "expect-label @Edit $name" "expect-acc-name @Edit $name" \
    "expect-focus $install" \
    'press Tab' "expect-focus $(vlt_q "$(vlt_text "$lang" cancel_button)")" \
    'press Tab' 'expect-focus @Edit' \
    'press Escape' "expect-window $(vlt_q "$(vlt_text "$lang" wizard_2)") --for 0.5" 'expect-focus @Edit' \
    'press Tab' "expect-focus $install" \
    "screenshot $(vlt_shot keys-licence-page)" \
    "$@" \
    "wait-window $(vlt_q "$(vlt_text "$lang" wizard_3)")"
}

# Settings page in language $1: the folder field is named by its label;
# Tab passes Browse to the field, whose text is selected, and folder $2 is
# typed over it; Tab to each check box, Space where autostart $3, desktop
# shortcut $4, start-menu group $5 must be cleared. The lines $6... start
# the installation; the finish page shows.
vlt_keys_settings() {
  local lang=$1 dir=$2 autostart=$3 desktop=$4 startmenu=$5 name
  shift 5
  name=$(vlt_q "$(vlt_text "$lang" dir_label)")
  local lines=("wait-window $(vlt_q "$(vlt_text "$lang" wizard_3)")"
    "expect-label @Edit $name" "expect-acc-name @Edit $name"
    "expect-focus $(vlt_q "$(vlt_text "$lang" next_button)")")
  mapfile -t -O "${#lines[@]}" lines < <(vlt_keys_focus_lines "$lang" browse_button)
  lines+=('press Tab' 'expect-focus @Edit' "type $(vlt_q "$dir")" "expect-text @Edit $(vlt_q "$dir")"
    'press Tab' "expect-focus $(vlt_q "$(vlt_text "$lang" autostart_box)")")
  mapfile -t -O "${#lines[@]}" lines < <(vlt_keys_box_lines "$lang" autostart_box "$autostart"
    vlt_keys_focus_lines "$lang" desktop_box
    vlt_keys_box_lines "$lang" desktop_box "$desktop"
    vlt_keys_focus_lines "$lang" startmenu_box
    vlt_keys_box_lines "$lang" startmenu_box "$startmenu")
  lines+=("screenshot $(vlt_shot keys-settings-page)" "$@"
    "wait-window $(vlt_q "$(vlt_text "$lang" wizard_4)")")
  vlt_drive "${lines[@]}"
}

# Finish page in language $1: Tab to the start box and the web-site box,
# Space where starting the product $2 or opening the site $3 is not wanted;
# the lines $4... press Finish, and the program ends with exit code 0.
vlt_keys_finish() {
  local lang=$1 start=$2 web=$3
  shift 3
  local lines=("wait-window $(vlt_q "$(vlt_text "$lang" wizard_4)")"
    "expect-focus $(vlt_q "$(vlt_text "$lang" finish_button)")")
  mapfile -t -O "${#lines[@]}" lines < <(vlt_keys_focus_lines "$lang" start_box
    vlt_keys_box_lines "$lang" start_box "$start"
    vlt_keys_focus_lines "$lang" web_box
    vlt_keys_box_lines "$lang" web_box "$web")
  lines+=("screenshot $(vlt_shot keys-finish-page)" "$@" 'wait-exit --code 0')
  vlt_drive "${lines[@]}"
  vlt_expect_exit_code "setup program's exit code" "$VLT_SETUP_PID" 0 10
}

# Driver lines for the cancel question of language $1 on page $2, opened by
# the keys $3 and answered by the keys $4 (a word of "press"); the answer
# "no" ($5) leaves the page shown and its program running.
vlt_keys_question_lines() {
  local lang=$1 page=$2 open=$3 answer=$4 outcome=$5 title
  title=$(vlt_q "$(vlt_text "$lang" confirm_title)")
  printf '%s\n' "wait-window $(vlt_q "$page")" "press $open" \
    "wait-window $title --class #32770" \
    "expect-msgbox $(vlt_q "$(vlt_text "$lang" confirm_text)") --title $title" \
    "expect-focus $(vlt_q "$(vlt_text "$lang" yes)")" \
    "press $answer"
  if [ "$outcome" = no ]; then
    printf '%s\n' "wait-gone $title --class #32770" "wait-window $(vlt_q "$page")" 'expect-running --for 0.5'
  fi
}

# The completion box of the removal in language $1: the focus on its OK
# button, Enter closes it, and the uninstaller ends with exit code 0.
vlt_keys_completion() {
  local lang=$1 title
  title=$(vlt_q "$(vlt_text "$lang" done_title)")
  vlt_drive "wait-window $title --class #32770" \
    "expect-msgbox $(vlt_q "$(vlt_text "$lang" done_text)") --title $title" \
    "expect-focus $(vlt_q "$(vlt_text "$lang" ok)")" \
    "screenshot $(vlt_shot keys-uninstall-done)" \
    'press Enter' 'wait-exit --code 0'
  vlt_expect_exit_code "uninstaller's exit code" "$VLT_UNINSTALL_PID" 0 10
}

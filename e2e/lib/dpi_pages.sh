# shellcheck shell=bash
# The pages at a display scale other than 100 %: the install road in one
# language to the finish page and the removal, with checks on every page
# and on two message boxes, through the real windows:
#   - every control sits where its 96-DPI rectangle scaled puts it (within
#     two pixels; a label's width follows its text, so only its place and
#     height count; the finish page's wrapping text is as high as its text
#     needs, at least as designed, and the note below it moves down with it);
#   - no text of a label, button, check box or title bar is cut off,
#     measured in the pages' font at that scale (8 points of "MS Sans Serif"
#     where the system has that bitmap font in the size, else of the dialog
#     font "MS Shell Dlg"), in the message font for the boxes, and no label
#     overlaps a control beside it.
# The rectangles are the pages' 96-DPI layouts written down a second time on
# purpose, like the texts in setup_roads.sh. Controls are named by their
# text in the road's language; those without one (panel, picture, line, the
# finish page's text, which holds the configured web site) by their control
# id, 100 + their place in the page's layout, which a reordered layout changes.
# Sourced by a case begun with vlt_case_begin ... --dpi N.

readonly VLT_PAGE_FONT='MS Sans Serif,MS Shell Dlg:8'
# Typed, so that the road does not depend on the folder the page proposes.
# shellcheck disable=SC2034  # used by the cases
readonly VLT_DPI_DIR='C:\Tools\VelTori'

# The labels' texts that no road of setup_roads.sh reads, written down the same way.
# shellcheck disable=SC2034  # read through a name reference
declare -A VLT_DPI_TEXTS_Deutsch=(
  [options_label]='Bitte nehmen Sie die Installationseinstellungen vor:'
  [hotkey_note]='Hinweis: Die Standardaufruftaste ist die Taste "Rollen"'
  [have_fun]='Viel Spaß'
  [choose_label]='Was soll entfernt werden?'
)
# shellcheck disable=SC2034  # read through a name reference
declare -A VLT_DPI_TEXTS_English=(
  [options_label]='Please select your options:'
  [hotkey_note]='Note: the  default hotkey is "Scroll Lock"'
  [have_fun]='Have fun!'
  [choose_label]='Choose Components:'
)

# A driver word for the text $2 in language $1, from either table.
vlt_dpi_word() {
  local -n labels="VLT_DPI_TEXTS_$1"
  if [ -n "${labels[$2]+set}" ]; then vlt_q "${labels[$2]}"; else vlt_q "$(vlt_text "$1" "$2")"; fi
}

# The side panel with its picture, the separator line: the same on every page.
vlt_dpi_side_lines() {
  local dpi=$1 panel=$2 image=$3
  printf '%s\n' "expect-rect '#$panel' 8 8 113 201 --dpi $dpi" "expect-rect '#$image' 9 9 111 199 --dpi $dpi"
}

vlt_dpi_page_lines() {
  local dpi=$1 page=$2 lang=${3:-Deutsch}
  case $page in
    language)
      vlt_dpi_side_lines "$dpi" 100 101
      printf '%s\n' \
        "expect-rect 'Bitte Ihre Sprache auswählen:' 128 32 - 13 --dpi $dpi" \
        "expect-rect 'Please select your language:' 296 32 - 13 --dpi $dpi" \
        "expect-rect '#104' 168 72 60 30 --dpi $dpi" "expect-rect '#105' 336 72 60 30 --dpi $dpi" \
        "expect-rect Deutsch 168 120 65 17 --dpi $dpi" "expect-rect English 336 120 65 17 --dpi $dpi" \
        "expect-rect '#108' 128 176 316 2 --dpi $dpi" \
        "expect-rect '&Cancel' 240 184 100 25 --dpi $dpi" "expect-rect '&Next >>' 344 184 100 25 --dpi $dpi" ;;
    licence)
      vlt_dpi_side_lines "$dpi" 105 106
      printf '%s\n' \
        "expect-rect @Edit 128 8 316 161 --dpi $dpi" "expect-rect '#100' 128 176 316 2 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" cancel_button) 240 184 100 25 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" install_button) 344 184 100 25 --dpi $dpi" ;;
    settings)
      vlt_dpi_side_lines "$dpi" 110 111
      printf '%s\n' \
        "expect-rect $(vlt_dpi_word "$lang" options_label) 136 8 - 13 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" autostart_box) 136 40 273 17 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" desktop_box) 136 60 273 17 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" startmenu_box) 136 80 273 17 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" dir_label) 136 120 - 13 --dpi $dpi" "expect-rect @Edit 136 136 201 21 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" browse_button) 344 134 100 25 --dpi $dpi" "expect-rect '#101' 128 176 316 2 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" cancel_button) 240 184 100 25 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" next_button) 344 184 100 25 --dpi $dpi" ;;
    finish)
      # The text's height is what it needs (expect-whole-texts), and the
      # note follows it down; expect-whole-texts also finds them overlapping.
      vlt_dpi_side_lines "$dpi" 107 108
      printf '%s\n' \
        "expect-rect '#101' 136 8 305 - --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" hotkey_note) 136 - - 13 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" web_box) 136 88 281 17 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" start_box) 136 108 281 17 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" have_fun) 136 152 - 13 --dpi $dpi" "expect-rect '#100' 128 176 316 2 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" finish_button) 344 184 100 25 --dpi $dpi" ;;
    uninstall)
      vlt_dpi_side_lines "$dpi" 100 101
      printf '%s\n' "expect-rect $(vlt_dpi_word "$lang" choose_label) 137 6 - 13 --dpi $dpi"
      local top item tops=(24 39 54 69 84 100 115 130 145 161)
      for item in $VLT_UNINSTALL_ITEMS; do
        top=${tops[0]}
        tops=("${tops[@]:1}")
        printf '%s\n' "expect-rect $(vlt_dpi_word "$lang" "item_$item") 137 $top 305 17 --dpi $dpi"
      done
      printf '%s\n' "expect-rect '#113' 128 178 316 2 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" cancel_button) 240 184 100 25 --dpi $dpi" \
        "expect-rect $(vlt_dpi_word "$lang" uninstall_button) 344 184 100 25 --dpi $dpi" ;;
    *) vlt_die "no layout for page $page" ;;
  esac
  printf '%s\n' "expect-whole-texts --dpi $dpi --font '$VLT_PAGE_FONT'"
}

# The lines of page $2 at $1 DPI in language $3, as an array for the road
# helpers: VLT_DPI_LINES.
vlt_dpi_lines() {
  mapfile -t VLT_DPI_LINES < <(vlt_dpi_page_lines "$@")
}

# Install (in language $2, German when not given, every option) and remove
# everything, checking every page at $1 DPI, and the cancel question and
# the completion box.
vlt_dpi_road() {
  local dpi=$1 lang=${2:-Deutsch} confirm
  confirm=$(vlt_text "$lang" confirm_title)
  vlt_setup_start
  vlt_dpi_lines "$dpi" language "$lang"
  vlt_road_language "$lang" "${VLT_DPI_LINES[@]}"
  vlt_dpi_lines "$dpi" licence "$lang"
  vlt_road_licence "$lang" "${VLT_DPI_LINES[@]}"
  vlt_dpi_lines "$dpi" settings "$lang"
  vlt_road_settings "$lang" "$VLT_DPI_DIR" 1 1 1 "${VLT_DPI_LINES[@]}" \
    "click $(vlt_q "$(vlt_text "$lang" cancel_button)")" \
    "wait-window $(vlt_q "$confirm") --class #32770" \
    "expect-whole-texts --dpi $dpi" \
    "screenshot $(vlt_shot cancel-question)" \
    "expect-msgbox $(vlt_q "$(vlt_text "$lang" confirm_text)") --title $(vlt_q "$confirm") --answer $(vlt_q "$(vlt_text "$lang" no)")" \
    "wait-window $(vlt_q "$(vlt_text "$lang" wizard_3)")"
  vlt_dpi_lines "$dpi" finish "$lang"
  vlt_road_finish "$lang" 0 0 "${VLT_DPI_LINES[@]}"

  vlt_start_uninstall_entry
  vlt_dpi_lines "$dpi" uninstall "$lang"
  vlt_road_uninstall "$lang" "${VLT_DPI_LINES[@]}"
  vlt_drive "wait-window $(vlt_q "$(vlt_text "$lang" done_title)") --class #32770" "expect-whole-texts --dpi $dpi"
  vlt_answer_completion "$lang"
  vlt_wait_self_removal
}

# shellcheck shell=bash
# Checks that read the result themselves and compare it, so a reader that
# fails ends the case with its own reason instead of handing an empty value
# to a comparison. Sourced by harness.sh. Each logs "ok: ..." or fails the
# case with what was expected and what was found.

vlt_expect_eq() {
  local what=$1 expected=$2 actual=$3
  vlt_check_failure_note
  if [ "$expected" != "$actual" ]; then
    vlt_die "$what: expected \"$expected\", got \"$actual\""
  fi
  vlt_log "ok: $what = \"$actual\""
}

# Registry checks run in the driver, inside the prefix: one driver run can
# hold many (each `reg query` is a process start, seconds in the emulated
# machine). These print its lines; the vlt_expect_* below run one each.
vlt_view_option() { [ -z "${1:-}" ] || printf ' --view %s' "$1"; }

# KEY NAME EXPECTED [VIEW]: the value must be EXPECTED.
vlt_reg_value_line() {
  printf 'expect-reg %s %s %s%s\n' "$(vlt_q "$1")" "$(vlt_q "$2")" "$(vlt_q "$3")" "$(vlt_view_option "${4:-}")"
}

# KEY NAMES [VIEW]: the key holds exactly the values named in the lines of NAMES.
vlt_reg_names_line() {
  local key=$1 names=$2 view=${3:-} name line
  line="expect-reg-names $(vlt_q "$key")"
  while IFS= read -r name; do
    [ -z "$name" ] || line+=" $(vlt_q "$name")"
  done <<<"$names"
  printf '%s%s\n' "$line" "$(vlt_view_option "$view")"
}

# KEY NAME [VIEW]: no such value. KEY [VIEW]: no such key.
vlt_no_reg_value_line() { printf 'expect-no-reg %s %s%s\n' "$(vlt_q "$1")" "$(vlt_q "$2")" "$(vlt_view_option "${3:-}")"; }
vlt_no_reg_key_line() { printf 'expect-no-reg %s%s\n' "$(vlt_q "$1")" "$(vlt_view_option "${2:-}")"; }

# Runs the one driver line that the line writer $1 makes of the other
# arguments (a writer that fails ends the case, not the driver).
vlt_drive_line_of() {
  local line
  line=$("$@")
  vlt_drive "$line"
}

# Registry value KEY\NAME must be EXPECTED (view 32 or 64 as $4).
vlt_expect_reg_value() { vlt_drive_line_of vlt_reg_value_line "$@"; }
# The value names of registry key $1 must be the lines of $2.
vlt_expect_reg_value_names() { vlt_drive_line_of vlt_reg_names_line "$@"; }
vlt_expect_no_reg_value() { vlt_drive_line_of vlt_no_reg_value_line "$@"; }
vlt_expect_no_reg_key() { vlt_drive_line_of vlt_no_reg_key_line "$@"; }

# INI value [SECTION] KEY of FILE must be EXPECTED (as GetPrivateProfileString reads it).
vlt_expect_ini_value() {
  local file=$1 section=$2 key=$3 expected=$4 actual
  actual=$(vlt_ini_value "$file" "$section" "$key")
  vlt_expect_eq "[$section] $key of $file" "$expected" "$actual"
}

# The names in folder $2 must be the lines of $3 (sorted).
vlt_expect_listing() {
  local what=$1 folder=$2 expected=$3 actual
  actual=$(vlt_dir_listing "$folder")
  vlt_expect_eq "$what ($folder)" "$expected" "$actual"
}

# The lines of text file $2 (CR removed) must be $3.
vlt_expect_lines() {
  local what=$1 file=$2 expected=$3 actual
  actual=$(vlt_file_lines "$file")
  vlt_expect_eq "$what ($file)" "$expected" "$actual"
}

# Background program $2 must end within $4 seconds (default 15) with exit code $3.
vlt_expect_exit_code() {
  local what=$1 pid=$2 expected=$3 actual
  actual=$(vlt_wait_pid "$pid" "${4:-15}")
  vlt_expect_eq "$what" "$expected" "$actual"
}

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

# Registry value KEY\NAME must be EXPECTED (view 32 or 64 as $4).
vlt_expect_reg_value() {
  local key=$1 name=$2 expected=$3 view=${4:-} actual
  actual=$(vlt_reg_value "$key" "$name" "$view")
  vlt_expect_eq "registry value $key\\$name${view:+ (view $view)}" "$expected" "$actual"
}

# The value names of registry key $1 must be the lines of $2 (sorted).
vlt_expect_reg_value_names() {
  local key=$1 expected=$2 view=${3:-} actual
  actual=$(vlt_reg_value_names "$key" "$view")
  vlt_expect_eq "values of $key${view:+ (view $view)}" "$expected" "$actual"
}

vlt_expect_no_reg_value() {
  local key=$1 name=$2 view=${3:-}
  vlt_check_failure_note
  if vlt_reg_value_exists "$key" "$name" "$view"; then
    vlt_die "registry value $key\\$name${view:+ (view $view)} should not exist: $(vlt_reg_value "$key" "$name" "$view")"
  fi
  vlt_log "ok: no registry value $key\\$name${view:+ (view $view)}"
}

vlt_expect_no_reg_key() {
  local key=$1 view=${2:-}
  vlt_check_failure_note
  if vlt_reg_key_exists "$key" "$view"; then
    vlt_die "registry key $key${view:+ (view $view)} should not exist"
  fi
  vlt_log "ok: no registry key $key${view:+ (view $view)}"
}

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

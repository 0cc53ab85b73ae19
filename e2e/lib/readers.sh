# shellcheck shell=bash
# Reading results from outside the programs: Windows paths in the prefix,
# files and folders, INI values, registry values. Sourced by harness.sh.
# Every reader fails the case (vlt_die, to standard error) when there is
# nothing to read; a reader used in $(...) as an argument cannot stop the
# command it feeds, so the harness also notes every failure and the case
# fails at the next check (see vlt_check_failure_note). Prefer the checks of
# expect.sh, which read for themselves.

# The Unix path of a Windows path in the prefix ('C:\users\x', 'Z:\tmp', or
# a drive a case added with vlt_small_drive). Names are matched without
# regard to case, as Windows does; a missing part
# keeps the spelling given.
vlt_unix_path() {
  local win=$1 path rest part entry found
  case ${win:0:2} in
    [Cc]:) path=$WINEPREFIX/drive_c ;;
    [Zz]:) path= ;;
    [A-Ya-y]:)
      # Another drive of the prefix (vlt_small_drive): where its link leads.
      path=${win:0:1}
      path=$(readlink -e "$WINEPREFIX/dosdevices/${path,,}:" 2>/dev/null) ||
        vlt_die "no drive ${win:0:2} in the prefix"
      path=${path%/}
      ;;
    *) vlt_die "not a drive path: $win" ;;
  esac
  rest=${win:3}
  # shellcheck disable=SC2141,SC1003  # split at backslashes, on purpose
  IFS='\' read -r -a parts <<<"$rest"
  for part in "${parts[@]}"; do
    [ -n "$part" ] || continue
    found=
    if [ -d "${path:-/}" ]; then
      for entry in "${path:-}"/* "${path:-}"/.*; do
        entry=${entry##*/}
        if [ "${entry,,}" = "${part,,}" ]; then found=$entry; break; fi
      done
    fi
    path=$path/${found:-$part}
  done
  echo "${path:-/}"
}

# The Windows user profile folder of the prefix, e.g. 'C:\users\root'.
vlt_profile_dir() {
  local entry
  # Wine names the profile after the user who runs it.
  entry=$(id -un)
  if [ -d "$WINEPREFIX/drive_c/users/$entry" ]; then
    echo "C:\\users\\$entry"
    return 0
  fi
  for entry in "$WINEPREFIX"/drive_c/users/*; do
    entry=${entry##*/}
    [ "$entry" = Public ] && continue
    echo "C:\\users\\$entry"
    return 0
  done
  vlt_die "the prefix has no user profile"
}

vlt_desktop_dir() { echo "$(vlt_profile_dir)\\Desktop"; }
vlt_programs_dir() { echo "$(vlt_profile_dir)\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"; }

vlt_file_exists() { [ -f "$(vlt_unix_path "$1")" ]; }
vlt_dir_exists() { [ -d "$(vlt_unix_path "$1")" ]; }

vlt_expect_file() { vlt_file_exists "$1" || vlt_die "missing file $1"; }
vlt_expect_no_file() { vlt_file_exists "$1" && vlt_die "file should not exist: $1"; return 0; }

# Copies a Unix file into the prefix under a Windows path, folders included.
vlt_put_file() {
  local target
  target=$(vlt_unix_path "$2")
  mkdir -p "$(dirname "$target")"
  cp "$1" "$target"
}

# Writes text (given in UTF-8, written in Windows-1252 as the program's
# INI files are) to a Windows path in the prefix, byte for byte otherwise:
# put the \r\n line ends into the text.
vlt_put_text() {
  local target
  target=$(vlt_unix_path "$1")
  mkdir -p "$(dirname "$target")"
  printf '%s' "$2" | iconv -f UTF-8 -t WINDOWS-1252 >"$target"
}

# A value from an INI file in the prefix, as GetPrivateProfileString reads
# it: sections and keys without regard to case, CR LF or LF, surrounding
# blanks trimmed, Windows-1252 turned into UTF-8. Fails when there is none.
vlt_ini_value() {
  local file=$1 section=$2 key=$3 unix
  unix=$(vlt_unix_path "$file")
  [ -f "$unix" ] || vlt_die "no INI file $file"
  iconv -f WINDOWS-1252 -t UTF-8 "$unix" | tr -d '\r' | awk -v section="$section" -v key="$key" '
    function trim(s) { sub(/^[ \t]+/, "", s); sub(/[ \t]+$/, "", s); return s }
    /^[ \t]*\[/ { name = $0; sub(/^[ \t]*\[/, "", name); sub(/\].*$/, "", name)
                  inside = (tolower(trim(name)) == tolower(section)); next }
    inside && index($0, "=") {
      k = trim(substr($0, 1, index($0, "=") - 1))
      if (tolower(k) == tolower(key)) { print trim(substr($0, index($0, "=") + 1)); found = 1; exit }
    }
    END { exit found ? 0 : 1 }' || vlt_die "no key $key in section [$section] of $file"
}

# A registry value as `reg query` shows it, CR LF removed. $3 picks the
# view: 32 (where a 32-bit program's HKLM\Software writes land) or 64.
# Fails when the value does not exist.
vlt_reg_value() {
  local key=$1 name=$2 view=${3:-} output line
  local args=(reg query "$key" /v "$name")
  [ -n "$view" ] && args+=("/reg:$view")
  output=$("$VLT_WINE" "${args[@]}" 2>/dev/null | tr -d '\r') || vlt_die "no registry value $key\\$name${view:+ (view $view)}"
  while IFS= read -r line; do
    if [[ $line =~ ^\ {4}(.*)\ {4}(REG_[A-Z_]+)\ {4}(.*)$ ]] && [ "${BASH_REMATCH[1]}" = "$name" ]; then
      printf '%s\n' "${BASH_REMATCH[3]}"
      return 0
    fi
    if [[ $line =~ ^\ {4}(.*)\ {4}(REG_[A-Z_]+)$ ]] && [ "${BASH_REMATCH[1]}" = "$name" ]; then
      echo ""
      return 0
    fi
  done <<<"$output"
  vlt_die "no registry value $key\\$name${view:+ (view $view)} in: $output"
}

# The names of the values of a registry key (view $2), one a line, sorted;
# nothing for a key without values. Fails when the key does not exist.
vlt_reg_value_names() {
  local key=$1 view=${2:-} output line
  local args=(reg query "$key")
  [ -n "$view" ] && args+=("/reg:$view")
  output=$("$VLT_WINE" "${args[@]}" 2>/dev/null | tr -d '\r') || vlt_die "no registry key $key${view:+ (view $view)}"
  while IFS= read -r line; do
    if [[ $line =~ ^\ {4}(.*)\ {4}REG_[A-Z_]+(\ {4}.*)?$ ]]; then
      printf '%s\n' "${BASH_REMATCH[1]}"
    fi
  done <<<"$output" | LC_ALL=C sort
}

# True when the value exists (in view $3, 32 or 64).
vlt_reg_value_exists() {
  local args=(reg query "$1" /v "$2")
  [ -n "${3:-}" ] && args+=("/reg:$3")
  "$VLT_WINE" "${args[@]}" >/dev/null 2>&1
}

# True when the registry key exists (in view $2, 32 or 64).
vlt_reg_key_exists() {
  local args=(reg query "$1")
  [ -n "${2:-}" ] && args+=("/reg:$2")
  "$VLT_WINE" "${args[@]}" >/dev/null 2>&1
}

# A file's text as the program wrote it: Windows-1252 turned into UTF-8,
# line ends kept, so CR LF shows as "\r\n" when compared with $'...' texts.
vlt_file_text() {
  local unix
  unix=$(vlt_unix_path "$1")
  [ -f "$unix" ] || vlt_die "no file $1"
  iconv -f WINDOWS-1252 -t UTF-8 "$unix"
  printf '.'  # keeps trailing line ends through $(...); vlt_expect_text drops it
}

# A text file's lines, CR removed, in UTF-8.
vlt_file_lines() {
  local text
  text=$(vlt_file_text "$1")
  printf '%s' "${text%.}" | tr -d '\r'
}

# The text of file $2 must be $3 exactly (line ends included).
vlt_expect_text() {
  local what=$1 file=$2 expected=$3 actual
  actual=$(vlt_file_text "$file")
  actual=${actual%.}
  if [ "$expected" != "$actual" ]; then
    vlt_die "$what ($file): expected $(printf '%q' "$expected"), got $(printf '%q' "$actual")"
  fi
  vlt_log "ok: $what: $(printf '%q' "$actual")"
}

# File $2 in the prefix must hold the same bytes as the Unix file $3.
vlt_expect_same_file() {
  local what=$1 file=$2 original=$3 unix
  unix=$(vlt_unix_path "$file")
  [ -f "$unix" ] || vlt_die "$what: missing file $file"
  cmp -s "$unix" "$original" || vlt_die "$what: $file differs from $original"
  vlt_log "ok: $what: $file equals $original ($(stat -c %s "$unix") bytes)"
}

vlt_expect_dir() { vlt_dir_exists "$1" || vlt_die "missing folder $1"; }
vlt_expect_no_dir() { vlt_dir_exists "$1" && vlt_die "folder should not exist: $1"; return 0; }

# The names in a folder of the prefix, one a line, sorted (hidden ones too).
vlt_dir_listing() {
  local unix
  unix=$(vlt_unix_path "$1")
  [ -d "$unix" ] || vlt_die "no folder $1"
  (cd "$unix" && find . -mindepth 1 -maxdepth 1 -printf '%f\n' | LC_ALL=C sort)
}

# Waits up to $1 seconds (times the lane's factor) while the command $3...
# succeeds; $2 names what is waited for, in the log and the failure.
vlt_wait_while() {
  local limit=$(($1 * 10 * VLT_TIME_FACTOR)) what=$2 waited=0
  shift 2
  while "$@"; do
    [ "$waited" -lt "$limit" ] || vlt_die "$what still exists after $((limit / 10)) s"
    sleep 0.1
    waited=$((waited + 1))
  done
  vlt_log "gone after $((waited / 10)).$((waited % 10)) s: $what"
}

# Waits up to $2 seconds (default 20) until the file $1 no longer exists.
vlt_wait_file_gone() {
  vlt_wait_while "${2:-20}" "$1" test -e "$(vlt_unix_path "$1")"
}

#!/usr/bin/env bash
# The harness's readers of results, without Wine: Windows paths in a
# prefix, INI values as GetPrivateProfileString reads them, `reg query`
# output with CR LF line ends. A fake prefix and a fake `reg` stand in.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export WINEPREFIX=$scratch/prefix
failures=0
checks=0

check() {
  local what=$1 expected=$2 actual=$3
  checks=$((checks + 1))
  if [ "$expected" = "$actual" ]; then
    echo "ok: $what"
  else
    echo "FAILED: $what: expected \"$expected\", got \"$actual\""
    failures=$((failures + 1))
  fi
}

# Paths: drive letters, case-insensitive names, missing parts kept as given.
mkdir -p "$WINEPREFIX/drive_c/Programme/VelTori Advanced" "$WINEPREFIX/drive_c/users/tester/Desktop"
check "C: path, names in other case" "$WINEPREFIX/drive_c/Programme/VelTori Advanced/config.vlt" \
  "$(vlt_unix_path 'c:\PROGRAMME\veltori advanced\config.vlt')"
# shellcheck disable=SC1003  # a Windows path ending in a backslash
check "trailing backslash" "$WINEPREFIX/drive_c/Programme" "$(vlt_unix_path 'C:\programme\')"
check "Z: path" "/tmp/x y" "$(vlt_unix_path 'Z:\tmp\x y')"
check "profile folder" 'C:\users\tester' "$(vlt_profile_dir)"
check "desktop folder" 'C:\users\tester\Desktop' "$(vlt_desktop_dir)"

# INI files: written in Windows-1252 with CR LF, read back in UTF-8.
vlt_put_text 'C:\Programme\VelTori Advanced\config.vlt' \
  $'[Allgemein]\r\nAutostart=1\r\n[ SPRACHE ]\r\n  sprache =  English  \r\nGruß=Grüße\r\n'
check "text written in Windows-1252" "$(printf 'Gru\xdf=Gr\xfc\xdfe')" \
  "$(grep -a Gru "$WINEPREFIX/drive_c/Programme/VelTori Advanced/config.vlt" | tr -d '\r')"
ini='C:\Programme\VelTori Advanced\config.vlt'
check "key in its section, blanks trimmed" English "$(vlt_ini_value "$ini" Sprache Sprache)"
check "key of the first section" 1 "$(vlt_ini_value "$ini" allgemein AUTOSTART)"
check "umlauts come back as UTF-8" "Grüße" "$(vlt_ini_value "$ini" Sprache "Gruß")"
check "a key of another section is not found" missing "$( (vlt_ini_value "$ini" Allgemein Sprache >/dev/null) && echo found || echo missing)"

# Registry: `reg query` prints CR LF lines and four-blank columns.
fake_reg=$scratch/fake-wine
cat >"$fake_reg" <<'EOF'
#!/usr/bin/env bash
# Answers like Wine's reg.exe: the value exists only in the 32-bit view.
if [[ " $* " == *" /reg:32 "* ]]; then
  printf '\r\nHKEY_LOCAL_MACHINE\\Software\\VelToriTest\r\n    %s    REG_SZ    %s\r\n\r\n' "$5" 'C:\Programme\VelTori Advanced\veltori.exe -x'
  exit 0
fi
printf 'reg: Unable to find the specified registry key\r\n' >&2
exit 1
EOF
chmod +x "$fake_reg"
VLT_WINE=$fake_reg
check "value in the 32-bit view, CR removed" 'C:\Programme\VelTori Advanced\veltori.exe -x' \
  "$(vlt_reg_value 'HKLM\Software\VelToriTest' Path 32)"
check "a missing value fails" missing "$( (vlt_reg_value 'HKLM\Software\VelToriTest' Path 64 >/dev/null) && echo found || echo missing)"
check "key test per view" "yes no" \
  "$(vlt_reg_key_exists 'HKLM\Software\VelToriTest' 32 && echo yes || echo no) $(vlt_reg_key_exists 'HKLM\Software\VelToriTest' 64 && echo yes || echo no)"

# Value names of a key: the value lines only, not the key or subkey lines.
fake_key=$scratch/fake-wine-key
cat >"$fake_key" <<'EOF'
#!/usr/bin/env bash
printf '\r\nHKEY_LOCAL_MACHINE\\Software\\VelToriTest\r\n'
printf '    UninstallString    REG_SZ    "C:\\My Tools\\vltsetup.exe" -remove\r\n'
printf '    DisplayName    REG_SZ    VelTori Advanced\r\n    Empty    REG_SZ\r\n\r\n'
printf 'HKEY_LOCAL_MACHINE\\Software\\VelToriTest\\Sub\r\n\r\n'
EOF
chmod +x "$fake_key"
VLT_WINE=$fake_key
check "value names, sorted" $'DisplayName\nEmpty\nUninstallString' "$(vlt_reg_value_names 'HKLM\Software\VelToriTest' 32)"

# Whole files: CR LF kept for exact comparisons, dropped for reading lines.
vlt_put_text 'C:\Programme\VelTori Advanced\script.bat' $'rmdir "C:\\Größe"\r\nErase x\r\n\r\n'
text=$(vlt_file_text 'C:\Programme\VelTori Advanced\script.bat')
check "file text, line ends kept" $'rmdir "C:\\Größe"\r\nErase x\r\n\r\n' "${text%.}"
check "file lines" $'rmdir "C:\\Größe"\nErase x' "$(vlt_file_lines 'C:\Programme\VelTori Advanced\script.bat')"
check "folder listing" $'config.vlt\nscript.bat' "$(vlt_dir_listing 'C:\Programme\VelTori Advanced')"

# Driver words and lines built by the roads.
# shellcheck disable=SC1003  # Windows paths ending in a backslash
check "driver word, literal" "'C:\\My Tools\\'" "$(vlt_q 'C:\My Tools\')"
check "driver word with a single quote" '"it'"'"'s \"so\""' "$(vlt_q "it's \"so\"")"
# shellcheck disable=SC1003
check "install folder as typed, one backslash off" 'C:\My Tools' "$(vlt_install_dir 'C:\My Tools\')"
check "item lines" $'expect-enabled \'Hilfe\' 0\nexpect-checked \'Hilfe\' 0' "$(vlt_item_state_lines Deutsch 0 help)"
# Two lines an item; the other-files item, offered unticked, is ticked by a third.
check "item lines for every item" 21 "$(vlt_item_state_lines English 1 | wc -l)"
check "other files offered unticked, then ticked" \
  $'expect-enabled \'Other files in the VelTori directory\' 1\nexpect-checked \'Other files in the VelTori directory\' 0\ntick \'Other files in the VelTori directory\' 1' \
  "$(vlt_item_state_lines English 1 other)"

# Prefix kinds: the i686 build runs in a 64-bit prefix unless its case's
# header line (or the switch, over it) asks for a 32-bit one; the Program
# Files folder the setup program is shown follows (the fixture checks it
# against each real template).
prefix_of() {
  (
    export VELTORI_E2E_LANE=$1 VELTORI_E2E_PREFIX=$2 VELTORI_E2E_STATE=$scratch/state
    vlt_choose_lane
    vlt_use_prefix "$(vlt_case_prefix_arch "$3")"
    printf '%s|%s' "$VLT_PREFIX_ARCH" "$(vlt_program_files_dir)"
  )
}
wants32=$scratch/wants32.sh
printf '#!/usr/bin/env bash\n# ctest-timeout: 90\n# wine32-prefix: win32\n' >"$wants32"
check "i686 build, no header: WoW64" 'win64|C:\Program Files (x86)' "$(prefix_of wine32 '' /nonexistent)"
check "i686 build, header asks for win32" 'win32|C:\Program Files' "$(prefix_of wine32 '' "$wants32")"
check "the switch over the header" 'win64|C:\Program Files (x86)' "$(prefix_of wine32 win64 "$wants32")"
check "x86_64 build: always win64" 'win64|C:\Program Files' "$(prefix_of wine win32 "$wants32")"
check "an unknown kind is refused" refused "$( (prefix_of wine32 win16 x >/dev/null 2>&1) && echo taken || echo refused)"

# Exit codes of background programs, read in a command substitution.
fake_exit=$scratch/fake-wine-exit
printf '#!/bin/sh\nsleep 0.3\nexit 3\n' >"$fake_exit"
chmod +x "$fake_exit"
VLT_WINE=$fake_exit
VLT_CASE_DIR=$scratch/case
mkdir -p "$VLT_CASE_DIR"
vlt_start 'C:\x.exe' >/dev/null
check "exit code of a background program" 3 "$(vlt_wait_pid "$VLT_LAST_PID" 5)"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

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

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

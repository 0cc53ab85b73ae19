#!/usr/bin/env bash
# The harness's failure paths, without Wine: every failure must end the
# case with its own reason on standard error, also where it happens one
# $(...) deep, inside an argument or in a <(...) feeding a loop. Each
# scenario runs as a small case of its own (a child bash) against a fake
# Wine that answers like the driver and reg.exe; its exit code and
# standard error are checked.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
checks=0

# The fake Wine: "read-link" of C:\missing.lnk fails as the driver's step
# does, other links read back; `reg query` knows one value.
cat >"$scratch/fake-wine" <<'FAKE'
#!/usr/bin/env bash
program=$1
shift
case $program in
  *vltdrive.exe)
    [ "${1:-}" != --timeout ] || shift 2
    # A driver that Wine cannot start, or that ends before its first step.
    if [ "${1:-}" = vanish ]; then
      echo 'wine: could not load vltdrive.exe: out of memory' >&2
      exit 1
    fi
    step=0
    for line in "$@"; do
      step=$((step + 1))
      printf '0.0 %s %s\r\n' "$step" "$line"
      case $line in
        *missing.lnk*)
          printf 'FAILED at step %s: %s\r\n  cannot load C:\\missing.lnk: file not found (0x80070002)\r\nshown windows:\r\n' "$step" "$line"
          exit 1 ;;
        expect-reg\ *)
          eval "set -- ${line#expect-reg }"
          if [ "$1" != 'HKLM\Software\VelToriTest' ] || [ "$2" != Path ]; then
            printf 'FAILED at step %s: %s\r\n  no registry value %s\\%s (view 32)\r\n' "$step" "$line" "$1" "$2"
            exit 1
          elif [ "$3" != 'C:\Tools' ]; then
            printf 'FAILED at step %s: %s\r\n  wanted %s\\%s (view 32) = "%s", saw "C:\\Tools"\r\n' "$step" "$line" "$1" "$2" "$3"
            exit 1
          fi ;;
        expect-no-reg\ *)
          eval "set -- ${line#expect-no-reg }"
          if [ "$1" = 'HKLM\Software\VelToriTest' ] && [ "${2:-}" = Path ]; then
            printf 'FAILED at step %s: %s\r\n  registry value exists\r\n' "$step" "$line"
            exit 1
          fi ;;
        read-link*)
          printf '  target:      "C:\\Tools\\veltori.exe"\r\n  arguments:   ""\r\n  workdir:     "C:\\Tools"\r\n' ;;
      esac
    done ;;
  reg)
    if [ "$2" = 'HKLM\Software\VelToriTest' ] && [ "${4:-}" = Path ]; then
      printf '\r\nHKEY_LOCAL_MACHINE\\Software\\VelToriTest\r\n    Path    REG_SZ    C:\\Tools\r\n\r\n'
      exit 0
    fi
    echo 'reg: Unable to find the specified registry key or value' >&2
    exit 1 ;;
esac
FAKE
chmod +x "$scratch/fake-wine"

# Runs the case body $2 (bash source) as a case of its own; sets
# case_status, case_stdout and case_stderr.
run_case() {
  local name=$1 body=$2 dir=$scratch/$1
  mkdir -p "$dir/prefix/drive_c/users/tester/Desktop"
  printf '[Sprache]\r\nSprache=English\r\n' >"$dir/prefix/drive_c/config.vlt"
  cat >"$dir/case.sh" <<CASE
source "$here/../lib/harness.sh"
export WINEPREFIX=$dir/prefix
VELTORI_E2E_STATE=$dir/state VLT_BUILD_DIR=$dir/build VLT_CASE=$name VLT_CASE_START=\$(vlt_now)
VLT_WINE=$scratch/fake-wine VLT_DRIVER=vltdrive.exe VLT_WINESERVER=true
vlt_case_track
$body
CASE
  case_status=0
  DISPLAY= bash "$dir/case.sh" >"$dir/stdout" 2>"$dir/stderr" || case_status=$?
  case_stdout=$(cat "$dir/stdout")
  case_stderr=$(cat "$dir/stderr")
}

# The last case must have failed, with $2 on standard error.
expect_failure() {
  local what=$1 reason=$2
  checks=$((checks + 1))
  if [ "$case_status" -ne 0 ] && [[ $case_stderr == *"$reason"* ]]; then
    echo "ok: $what"
  else
    echo "FAILED: $what: expected a failure naming \"$reason\"; exit $case_status, stderr:"
    printf '%s\n' "$case_stderr" | sed 's/^/  | /'
    failures=$((failures + 1))
  fi
}

expect_pass() {
  local what=$1
  checks=$((checks + 1))
  if [ "$case_status" -eq 0 ]; then
    echo "ok: $what"
  else
    echo "FAILED: $what: expected it to pass; exit $case_status, stderr:"
    printf '%s\n' "$case_stderr" | sed 's/^/  | /'
    failures=$((failures + 1))
  fi
}

# A reader whose driver step fails: the case fails with the step's message.
run_case link_target_assigned 'target=$(vlt_link_target "C:\missing.lnk"); echo "went on with [$target]"; vlt_case_pass'
expect_failure "a reader's failed driver step, one \$(...) deep, ends the case" 'cannot load C:\missing.lnk: file not found'
checks=$((checks + 1))
if [[ $case_stdout != *"went on with"* ]]; then echo "ok: ... before the next command"; else
  echo "FAILED: the case went on after the failed reader"; failures=$((failures + 1)); fi

run_case link_target_argument 'vlt_expect_eq "target" "C:\Tools\veltori.exe" "$(vlt_link_target "C:\missing.lnk")"; vlt_case_pass'
expect_failure "a failed reader inside a check's argument fails that check with its reason" 'cannot load C:\missing.lnk'

run_case link_target_read 'vlt_expect_eq "target" "C:\Tools\veltori.exe" "$(vlt_link_target "C:\Desktop\present.lnk")"; vlt_case_pass'
expect_pass "a link that reads back passes"

run_case drive_step 'vlt_drive "wait-window Setup" "read-link C:\missing.lnk" "click OK"; vlt_case_pass'
expect_failure "a failed driver step names the step" 'FAILED at step 2: read-link C:\missing.lnk'

run_case drive_vanishes 'vlt_drive vanish "click OK"; vlt_case_pass'
expect_failure "a driver that reports no step says so, with its standard error" \
  'exit 1 without reporting a failed step; it began no step (0 lines of output); its standard error:
 | wine: could not load vltdrive.exe: out of memory'

# Readers in arguments and in process substitutions, where errexit cannot reach.
run_case reg_in_echo 'echo "value: $(vlt_reg_value "HKLM\Software\VelToriTest" Missing 32)"; vlt_case_pass'
expect_failure "a failed reader in an argument fails the case at its end" 'no registry value HKLM\Software\VelToriTest\Missing (view 32)'

run_case text_in_mapfile 'mapfile -t lines < <(vlt_item_state_lines Deutsch 1 nosuchitem); vlt_drive "${lines[@]}"; vlt_case_pass'
expect_failure "a failed reader in <(...) fails the next driver run" 'no text item_nosuchitem in Deutsch'

# Checks that read for themselves.
run_case reg_expect_wrong 'vlt_expect_reg_value "HKLM\Software\VelToriTest" Path "C:\Other" 32; vlt_case_pass'
expect_failure "a registry value that differs" 'wanted HKLM\Software\VelToriTest\Path (view 32) = "C:\Other", saw "C:\Tools"'
run_case reg_expect_missing 'vlt_expect_reg_value "HKLM\Software\VelToriTest" Gone "C:\Tools" 32; vlt_case_pass'
expect_failure "a registry value that is missing" 'no registry value HKLM\Software\VelToriTest\Gone'
run_case reg_expect_right 'vlt_expect_reg_value "HKLM\Software\VelToriTest" Path "C:\Tools" 32; vlt_expect_no_reg_value "HKLM\Software\VelToriTest" Gone 32; vlt_case_pass'
expect_pass "a registry value as expected, and one that is absent"
run_case ini_expect_missing 'vlt_expect_ini_value "C:\config.vlt" Allgemein Autostart ja; vlt_case_pass'
expect_failure "an INI key that is missing" 'no key Autostart in section [Allgemein] of C:\config.vlt'
run_case ini_expect_right 'vlt_expect_ini_value "C:\config.vlt" sprache SPRACHE English; vlt_case_pass'
expect_pass "an INI value as expected"

# Diagnostics go to standard error, so they never become a value.
run_case die_to_stderr 'out=$( (vlt_die "the reason") 2>/dev/null || true); printf "captured [%s]\n" "$out"; exit 0'
checks=$((checks + 1))
if [[ $case_stdout == *"captured []"* ]]; then echo "ok: vlt_die writes to standard error"; else
  echo "FAILED: vlt_die's text reached standard output: $case_stdout"; failures=$((failures + 1)); fi

run_case plain_command 'ls /no/such/folder >/dev/null
vlt_case_pass'
expect_failure "a failing command is named with its line" '"ls /no/such/folder > /dev/null" exited with 2 at '

checks=$((checks + 1))
if [[ $case_stderr == *"plain_command/case.sh:6"* ]]; then echo "ok: ... at its line"; else
  echo "FAILED: the failing command's line is not named: $case_stderr"; failures=$((failures + 1)); fi

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

#!/usr/bin/env bash
# Exceptions thrown through the standard library reach their handlers in a
# program linked as the setup program is: string, wide string, function,
# allocation, vector and sort, each caught by the handler for its type. A
# link that dropped an unwind entry a kept function needs ends the program
# in std::terminate (exit code 3) instead.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin exceptions_through_library

vlt_start "$VLT_BIN/e2e/unwind_probe.exe"
vlt_expect_exit_code "exit code of the probe" "$VLT_LAST_PID" 0 30
vlt_expect_eq "the probe's last line" "all caught" \
  "$(tr -d '\r' <"$VLT_CASE_DIR/unwind_probe.log" | grep -v '^wine: ' | tail -n1)"
vlt_case_pass

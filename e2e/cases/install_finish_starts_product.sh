#!/usr/bin/env bash
# ctest-timeout: 90
# The finish page with both boxes ticked (as it opens): Finish starts the
# installed product from the install folder and opens the product web site
# in the browser, and the setup program ends without waiting for either.
# Wine's browser launcher is pointed at a script that notes the address.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
vlt_case_begin install_finish_starts_product --needs-setup

browser=$VLT_CASE_DIR/browser.sh
opened=$VLT_CASE_DIR/browser-opened.txt
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$opened" >"$browser"
chmod +x "$browser"
vlt_wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$browser" /f >/dev/null

dir=$(vlt_proposed_dir)
vlt_setup_start
vlt_road_language Deutsch
vlt_road_licence Deutsch
vlt_road_settings Deutsch - 0 0 0
vlt_road_finish Deutsch 1 1
vlt_drive \
  "wait-window '$VLT_PRODUCT_WINDOW'" \
  'expect-process veltori.exe --count 1' \
  'screenshot product-started' \
  'close' \
  'wait-exit --code 0'
for _ in $(seq 1 50); do [ -s "$opened" ] && break; sleep 0.1; done
[ -s "$opened" ] || vlt_die "the web site was not opened (no call of the browser within 5 s)"
# Wine's launcher passes the address on in its canonical form, with a "/" path.
site=$(vlt_web_site)
address=$(head -n1 "$opened")
[ "$address" = "$site" ] || [ "$address" = "$site/" ] ||
  vlt_die "the browser was given \"$address\", not the web site $site"
vlt_log "ok: the browser was given $address"
vlt_case_pass

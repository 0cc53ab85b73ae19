#!/usr/bin/env bash
# ctest-timeout: 120
# At 125 % display scaling (120 DPI): the German road through every page and
# the removal, each control at its 96-DPI place scaled (a scale that rounds
# a quarter of the layout's edges up, a quarter down) and no text cut off,
# the cancel question and the completion box whole too. The screenshots
# show every page at this scale.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
# shellcheck source=../lib/dpi_pages.sh
source "$(dirname "$0")/../lib/dpi_pages.sh"
vlt_case_begin dpi_120_pages --needs-setup --dpi 120

vlt_dpi_road 120 Deutsch
vlt_expect_nothing_installed "$VLT_DPI_DIR"
vlt_case_pass

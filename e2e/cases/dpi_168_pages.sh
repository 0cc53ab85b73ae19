#!/usr/bin/env bash
# ctest-timeout: 120
# At 175 % display scaling (168 DPI): the English road through every page and
# the removal, each control at its 96-DPI place scaled and no text cut off,
# the cancel question and the completion box whole too. English because its
# finish text needs a fourth line here, one more than its label was laid
# out for: the label grows and the note below it moves down. The
# screenshots show every page at this scale.
# shellcheck source=../lib/harness.sh
source "$(dirname "$0")/../lib/harness.sh"
# shellcheck source=../lib/dpi_pages.sh
source "$(dirname "$0")/../lib/dpi_pages.sh"
vlt_case_begin dpi_168_pages --needs-setup --dpi 168

vlt_dpi_road 168 English
vlt_expect_nothing_installed "$VLT_DPI_DIR"
vlt_case_pass

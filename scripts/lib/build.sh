# Configures and builds the three trees: native (tests, host tools), win32
# (the shipped setup program) and win64 (the same sources for hosts whose
# Wine cannot run 32-bit programs). Sourced by scripts/test and scripts/demo.

veltori_build() {
  local preset
  for preset in native win32 win64; do
    echo "== build: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
  done
}

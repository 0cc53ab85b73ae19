#!/usr/bin/env bash
# with_windows_build.sh SOURCE_DIR COMMAND ARG...: runs COMMAND on the Windows
# build of SOURCE_DIR (build/win32, else build/win64), with @build@, @setup@
# and @product@ in the arguments replaced by that build's folder, its
# VelToriSetup.exe and its stand-in veltori.exe. Exits 77 (skipped) when
# neither is built.
set -euo pipefail
source_dir=$1
shift
build=
for arch in win32 win64; do
  if [ -f "$source_dir/build/$arch/bin/VelToriSetup.exe" ]; then
    build=$source_dir/build/$arch
    break
  fi
done
if [ -z "$build" ]; then
  echo "skipped: no Windows build in $source_dir/build (win32 or win64)"
  exit 77
fi
args=()
for arg in "$@"; do
  arg=${arg//@build@/$build}
  arg=${arg//@setup@/$build/bin/VelToriSetup.exe}
  arg=${arg//@product@/$build/product/veltori.exe}
  args+=("$arg")
done
echo "Windows build: $build"
exec "${args[@]}"

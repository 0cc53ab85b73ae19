#!/usr/bin/env bash
# Builds the payload record fuzzer with clang's libFuzzer and the address and
# undefined-behaviour sanitizers, seeds a corpus with records that
# payload-pack writes, and fuzzes for SECONDS seconds.
#   fuzz/run-fuzz.sh SECONDS
# Environment: VELTORI_HOST_TOOLS (where payload-pack is; default
# build/native/bin), VELTORI_FUZZ_DIR (work directory; default build/fuzz).
# Exits non-zero when the fuzzer finds a fault; the input is kept in
# $VELTORI_FUZZ_DIR/artifacts.
set -euo pipefail

seconds=${1:?usage: run-fuzz.sh SECONDS}
root=$(cd "$(dirname "$0")/.." && pwd)
work=${VELTORI_FUZZ_DIR:-$root/build/fuzz}
pack=${VELTORI_HOST_TOOLS:-$root/build/native/bin}/payload-pack
clangxx=${CLANGXX:-clang++}

if [[ ! -x $pack ]]; then
  echo "run-fuzz.sh: $pack is missing: build the native preset first" >&2
  exit 1
fi
mkdir -p "$work/corpus" "$work/seeds" "$work/artifacts" "$work/files"

# Rebuild only when a source is newer than the fuzzer.
fuzzer=$work/payload_record_fuzzer
sources=("$root/fuzz/payload_record_fuzzer.cpp" "$root"/payload/*.cpp "$root"/common/*.cpp)
if [[ ! -x $fuzzer ]] || [[ -n $(find "${sources[@]}" "$root"/payload/*.h "$root"/platform/*.h "$root"/common/*.h -newer "$fuzzer") ]]; then
  echo "building $fuzzer"
  "$clangxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root" "${sources[@]}" -lz -o "$fuzzer"
fi

# Seeds: real records of small files, in the shapes a build produces.
files=$work/files
printf 'MZ\x90\x00\x03\x00\x00\x00\x04\x00\x00\x00\xff\xff\x00\x00' > "$files/veltori.exe"
for i in $(seq 1 40); do printf '\x55\x8b\xec\x83\xec\x10\xe8\x00\x00\x00\x00\xc3' >> "$files/veltori.exe"; done
printf ':Base veltori.hlp\r\n:Title VelTori Advanced\r\n1 Inhalt\r\n2 Einstieg=IDH_START\r\n' > "$files/veltori.cnt"
printf '?_\x03\x00VelTori Hilfe\x00' > "$files/veltori.hlp"
: > "$files/empty.txt"
"$pack" "$work/seeds/product.rec" "$files/veltori.exe" "$files/veltori.hlp" "$files/veltori.cnt" > /dev/null
"$pack" "$work/seeds/one.rec" "$files/veltori.cnt" > /dev/null
"$pack" "$work/seeds/with-empty.rec" "$files/empty.txt" "$files/veltori.hlp" > /dev/null

# Seeds for the comparison with zlib: a choice byte (odd: the zlib stream as
# it is; even: raw deflate data, behind a header the target adds) before
# streams of every block kind zlib makes.
python3 - "$work/seeds" <<'PY'
import sys, zlib
data = (b"MZ\x90\x00" + bytes(range(256)) + b"\x00" * 300 + b"VelTori Advanced Hilfe " * 20 +
        bytes((i * 7919) % 251 for i in range(600)))
strategies = {"default": zlib.Z_DEFAULT_STRATEGY, "filtered": zlib.Z_FILTERED,
              "huffman": zlib.Z_HUFFMAN_ONLY, "rle": zlib.Z_RLE, "fixed": zlib.Z_FIXED}
for name, strategy in strategies.items():
    for level in (0, 1, 9):
        for wbits, choice in ((15, b"\x01"), (-9, b"\x00")):
            c = zlib.compressobj(level, zlib.DEFLATED, wbits, 8, strategy)
            stream = c.compress(data) + c.flush()
            with open("%s/inflate-%s-%d-%d" % (sys.argv[1], name, level, abs(wbits)), "wb") as f:
                f.write(choice + stream)
PY

"$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -dict="$root/fuzz/record.dict" -artifact_prefix="$work/artifacts/" \
  "$work/corpus" "$work/seeds"

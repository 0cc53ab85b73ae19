"""payload-pack --list on sound and damaged payloads: a record, a built setup
program, and files cut short, with a flipped byte, with an entry outside the
block, or with no record at all.
Usage: list_tool_test.py PAYLOAD_PACK SETUP_EXE PRODUCT_EXE
(SETUP_EXE: a built VelToriSetup.exe; PRODUCT_EXE: a Windows program without
a payload.)"""
import os
import subprocess
import sys
import tempfile
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import record_reader  # noqa: E402

TOOL, SETUP, PRODUCT = sys.argv[1:4]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def listing(path):
    return subprocess.run([TOOL, "--list", path], capture_output=True, text=True)


def expect_damaged(path, words, what):
    result = listing(path)
    check(result.returncode == 1, "%s: exit code 1, not %d" % (what, result.returncode))
    check(result.stdout == "", "%s: no table printed: %r" % (what, result.stdout))
    message = result.stderr.lower()
    check(path.lower() in message, "%s: the message names the file: %s" % (what, result.stderr.strip()))
    for word in words:
        check(word in message, "%s: '%s' in: %s" % (what, word, result.stderr.strip()))


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)
    return path


def expect_table(result, record, inflated, what):
    check(result.returncode == 0, "%s: exit 0: %s" % (what, result.stderr.strip()))
    lines = result.stdout.splitlines()
    check(lines and lines[0].split() == ["index", "name", "size", "start"], "%s: header row" % what)
    for i, e in enumerate(record["entries"]):
        check(len(lines) > i + 1 and lines[i + 1].split() == [str(i), e["name"], str(e["size"]), str(e["start"])],
              "%s: row %d" % (what, i))
    check("compressed block: %d bytes" % len(record["block"]) in result.stdout, "%s: compressed length" % what)
    check("inflated block:   %d bytes" % inflated in result.stdout, "%s: inflated length" % what)


with open(SETUP, "rb") as f:
    setup = f.read()

with tempfile.TemporaryDirectory() as tmp:
    files = []
    for name, size in (("veltori.exe", 5000), ("veltori.hlp", 300), ("veltori.cnt", 40)):
        files.append(write(os.path.join(tmp, name), bytes((i * 7 + size) % 251 for i in range(size))))
    good = os.path.join(tmp, "payload.rec")
    check(subprocess.run([TOOL, good, *files], capture_output=True).returncode == 0, "packing works")
    with open(good, "rb") as f:
        record_bytes = f.read()
    record = record_reader.read_record(record_bytes)

    # A sound record: the table and both lengths, exit 0.
    expect_table(listing(good), record, 5340, "good record")

    # A built setup program: the record found in its resources is the one the
    # build packed, and it is sound.
    result = listing(SETUP)
    check(result.returncode == 0, "built setup: exit 0: " + result.stderr.strip())
    check("veltori.exe" in result.stdout and "veltori.hlp" in result.stdout and "veltori.cnt" in result.stdout,
          "built setup: the three entries: " + result.stdout)
    start = setup.find(b"\x10TFileArrayBinder")
    check(start > 0, "built setup: the record is in the file")
    embedded = record_reader.read_record(setup[start:], trailing_ok=True) if start > 0 else None
    if embedded:
        expect_table(result, embedded, len(zlib.decompress(embedded["block"])), "built setup")

    # Cut short: a record, and the setup program inside its resources.
    expect_damaged(write(os.path.join(tmp, "short.rec"), record_bytes[:-20]), ["record"], "truncated record")
    expect_damaged(write(os.path.join(tmp, "short.exe"), setup[:start + 100]), ["cut short"],
                   "truncated setup program")

    # A flipped byte in the compressed block: the record loads, the block does
    # not inflate.
    block_at = record_bytes.find(record["block"])
    flipped = bytearray(record_bytes)
    flipped[block_at + len(record["block"]) // 2] ^= 0x20
    expect_damaged(write(os.path.join(tmp, "flipped.rec"), bytes(flipped)), ["inflate", "data error"],
                   "flipped byte in the block")
    if start > 0:
        setup_block = setup.find(embedded["block"], start)
        damaged_setup = bytearray(setup)
        damaged_setup[setup_block + len(embedded["block"]) // 2] ^= 0x20
        expect_damaged(write(os.path.join(tmp, "flipped.exe"), bytes(damaged_setup)), ["inflate"],
                       "flipped byte in the setup program's block")

    # An entry that reaches past the inflated block: veltori.hlp is 300 bytes,
    # written as a 16-bit integer; make it 30,000.
    size_at = record_bytes.find(b"\x0cDateiGroesse\x03" + (300).to_bytes(2, "little"))
    check(size_at > 0, "the entry size is in the record")
    outside = bytearray(record_bytes)
    outside[size_at + 14:size_at + 16] = (30000).to_bytes(2, "little")
    expect_damaged(write(os.path.join(tmp, "outside.rec"), bytes(outside)),
                   ["entry 1", "veltori.hlp", "outside"], "entry outside the block")

    # No record: a Windows program without one, plain text, an empty file.
    expect_damaged(PRODUCT, ["no payload record", "payload"], "program without a record")
    expect_damaged(write(os.path.join(tmp, "notes.txt"), b"just some text\n"), ["record"], "text file")
    expect_damaged(write(os.path.join(tmp, "empty.rec"), b""), ["record"], "empty file")
    expect_damaged(os.path.join(tmp, "missing.rec"), ["cannot read"], "missing file")

    # Arguments.
    for args in (["--list"], ["--list", good, good]):
        result = subprocess.run([TOOL, *args], capture_output=True, text=True)
        check(result.returncode == 2 and "usage" in result.stderr, "bad --list arguments: %s" % args)

print("%d failures" % len(failures))
sys.exit(1 if failures else 0)

"""Runs the built payload-pack on good and bad arguments and reads what it
writes with the independent reader.
Usage: pack_tool_test.py PAYLOAD_PACK PROJECT_VERSION"""
import os
import random
import subprocess
import sys
import tempfile
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import record_reader  # noqa: E402

TOOL, VERSION = sys.argv[1:3]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def run(*args):
    return subprocess.run([TOOL, *args], capture_output=True, text=True)


def exe_like(size, seed):
    rnd = random.Random(seed)
    out = bytearray(b"MZ")
    while len(out) < size:
        out += bytes(rnd.choice([0x8B, 0x89, 0xE8, 0xC3, 0x55, 0x00]) for _ in range(rnd.randint(1, 40)))
        out += b"\x00" * rnd.randint(0, 30)
    return bytes(out[:size])


with tempfile.TemporaryDirectory() as tmp:
    sub = os.path.join(tmp, "product")
    os.mkdir(sub)
    files = {"veltori.exe": exe_like(20000, 1), "veltori.hlp": exe_like(3000, 2),
             "empty.txt": b"", "veltori.cnt": b":Base veltori.hlp\r\n1 Inhalt\r\n"}
    paths = []
    for name, content in files.items():
        path = os.path.join(sub, name)
        with open(path, "wb") as f:
            f.write(content)
        paths.append(path)
    output = os.path.join(tmp, "payload.rec")

    # Good arguments: the record holds the files in the given order.
    result = run(output, *paths)
    check(result.returncode == 0, "good run exits 0: " + result.stderr)
    with open(output, "rb") as f:
        record = record_reader.read_record(f.read())
    check(record["name"] == "FileArrayBinder1", "component name")
    check((record["left"], record["top"]) == (128, 184), "design position")
    check(record["block"][:2] == b"\x78\xda", "block begins 78 DA")
    inflated = zlib.decompress(record["block"])
    check(inflated == b"".join(files.values()), "inflated block is the joined files")
    start = 0
    for i, (name, content) in enumerate(files.items()):
        e = record["entries"][i]
        check((e["name"], e["description"], e["size"], e["start"]) == (name, "", len(content), start),
              "entry %d table row" % i)
        check(record_reader.entry_bytes(record, i) == content, "entry %d bytes" % i)
        check(b"DateiBeschreibung" not in e["raw"], "entry %d has no empty description" % i)
        start += len(content)
    check(all(tag == record_reader.smallest_tag(v) for v, tag in record["tags"]),
          "every integer in its smallest tag")
    for line in ("veltori.exe", "compressed block: %d bytes" % len(record["block"]),
                 "inflated block:   %d bytes" % len(inflated)):
        check(line in result.stdout, "printed: " + line)
    check(os.listdir(tmp) == ["payload.rec", "product"] or sorted(os.listdir(tmp)) == ["payload.rec", "product"],
          "no temporary file left")

    # Bad arguments: a message, a non-zero exit, no new output file, and an
    # existing output left as it was.
    with open(output, "wb") as f:
        f.write(b"old")
    bad_cases = [
        ([], "no output file"),
        ([output], "no input files"),
        ([output, os.path.join(sub, "missing.exe")], "no such file"),
        ([output, paths[0], sub], "not a regular file"),
        ([output, "-x", paths[0]], "unknown option"),
        ([os.path.join(tmp, "nodir", "payload.rec"), paths[0]], "cannot write"),
    ]
    if os.geteuid() != 0:
        locked = os.path.join(sub, "locked.bin")
        with open(locked, "wb") as f:
            f.write(b"x")
        os.chmod(locked, 0)
        bad_cases.append(([output, locked], "cannot read"))
    for args, message in bad_cases:
        result = run(*args)
        check(result.returncode != 0, "exit code for %s" % message)
        check(message in result.stderr.lower(), "message '%s' in: %s" % (message, result.stderr.strip()))
        with open(output, "rb") as f:
            check(f.read() == b"old", "output untouched after: " + message)
        check(sorted(os.listdir(tmp)) == ["payload.rec", "product"], "nothing left behind after: " + message)

    help_run = run("--help")
    check(help_run.returncode == 0 and "usage" in help_run.stdout, "--help prints usage")
    version_run = run("--version")
    check(version_run.returncode == 0 and version_run.stdout == "payload-pack %s\n" % VERSION,
          "--version prints the project version: %r" % version_run.stdout)

print("%d failures" % len(failures))
sys.exit(1 if failures else 0)

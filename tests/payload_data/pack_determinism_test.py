"""The record payload-pack writes depends only on the files' bytes and names
and the order they are given in: not on their times, their folder's path,
the order the folder lists them in, the working directory or the time zone.
Usage: pack_determinism_test.py PAYLOAD_PACK"""
import os
import subprocess
import sys
import tempfile

TOOL = sys.argv[1]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


FILES = {"veltori.exe": bytes(range(256)) * 40 + b"MZ" * 100,
         "veltori.hlp": b"help text " * 90,
         "veltori.cnt": b":Base veltori.hlp\r\n"}


def make_copy(folder, names, mtime):
    """The files in `folder`, created in the order `names`, all with `mtime`."""
    os.makedirs(folder)
    for name in names:
        path = os.path.join(folder, name)
        with open(path, "wb") as f:
            f.write(FILES[name])
        os.utime(path, (mtime, mtime))


def pack(output, paths, cwd, tz):
    env = dict(os.environ, TZ=tz)
    env.pop("SOURCE_DATE_EPOCH", None)
    result = subprocess.run([TOOL, output, *paths], cwd=cwd, env=env, capture_output=True)
    check(result.returncode == 0, "packing in %s: %s" % (cwd, result.stderr))
    with open(output, "rb") as f:
        return f.read()


order = ["veltori.exe", "veltori.hlp", "veltori.cnt"]
with tempfile.TemporaryDirectory() as one, tempfile.TemporaryDirectory() as two:
    a = os.path.join(one, "product")
    b = os.path.join(two, "somewhere", "else", "files")
    make_copy(a, order, 1_000_000_000)
    make_copy(b, list(reversed(order)), 1_700_000_000)  # other times, other creation order
    first = pack(os.path.join(one, "a.rec"), [os.path.join(a, n) for n in order], one, "UTC")
    # Relative paths from another working directory, another time zone.
    second = pack(os.path.join(two, "b.rec"), [os.path.join("somewhere", "else", "files", n) for n in order],
                  two, "Pacific/Auckland")
    check(first == second, "same bytes and names give the same record")
    for name in order:
        check(os.path.join(one, "product").encode() not in first, "no source path in the record")

    # The order given is the order of the entries: it changes the record.
    swapped = pack(os.path.join(one, "c.rec"), [os.path.join(a, n) for n in reversed(order)], one, "UTC")
    check(swapped != first, "another order gives another record")

    # The bytes and the names count.
    with open(os.path.join(b, "veltori.cnt"), "ab") as f:
        f.write(b"1 Inhalt\r\n")
    changed = pack(os.path.join(two, "d.rec"), [os.path.join(b, n) for n in order], two, "UTC")
    check(changed != first, "other bytes give another record")
    os.rename(os.path.join(a, "veltori.cnt"), os.path.join(a, "VELTORI.CNT"))
    renamed = pack(os.path.join(one, "e.rec"), [os.path.join(a, n) for n in order[:2]] +
                   [os.path.join(a, "VELTORI.CNT")], one, "UTC")
    check(renamed != first, "another name gives another record")

print("%d failures" % len(failures))
sys.exit(1 if failures else 0)

"""An independent reader of the payload record, written from its byte table
alone (no code shared with the C++ loader). Used to prove that what
payload-pack writes is the documented format.

Usage as a program: record_reader.py RECORD [OUTDIR]
prints the entry table and, with OUTDIR, writes every entry there.
"""
import struct
import sys
import zlib


class Malformed(Exception):
    pass


class Cursor:
    def __init__(self, data):
        self.data = data
        self.pos = 0

    def take(self, n):
        if n > len(self.data) - self.pos:
            raise Malformed("need %d bytes at %d, %d left" % (n, self.pos, len(self.data) - self.pos))
        chunk = self.data[self.pos:self.pos + n]
        self.pos += n
        return chunk

    def byte(self):
        return self.take(1)[0]

    def peek(self):
        if self.pos >= len(self.data):
            raise Malformed("record ends at %d" % self.pos)
        return self.data[self.pos]

    def short_string(self):
        return self.take(self.byte()).decode("latin-1")

    def integer(self):
        tag = self.byte()
        if tag == 0x02:
            return struct.unpack("<b", self.take(1))[0], tag
        if tag == 0x03:
            return struct.unpack("<h", self.take(2))[0], tag
        if tag == 0x04:
            return struct.unpack("<i", self.take(4))[0], tag
        raise Malformed("tag %#x is not an integer" % tag)


def smallest_tag(value):
    if -128 <= value <= 127:
        return 0x02
    if -32768 <= value <= 32767:
        return 0x03
    return 0x04


def read_record(data, trailing_ok=False):
    """Returns a dict: name, block, entries [dict name, description, size,
    start, raw (the item's bytes between 0x01 and 0x00)], left, top, the
    integer tags seen, for checks of the smallest-tag rule, and the record's
    length. Bytes after the record are an error unless trailing_ok."""
    c = Cursor(data)
    result = {"tags": []}
    if c.short_string() != "TFileArrayBinder":
        raise Malformed("class name")
    result["name"] = c.short_string()
    if c.short_string() != "DateiSammlung.FDateiSammlungsDaten":
        raise Malformed("first property must be the byte block")
    if c.byte() != 0x0A:
        raise Malformed("byte block tag")
    (length,) = struct.unpack("<I", c.take(4))
    result["block"] = c.take(length)
    if c.short_string() != "DateiSammlung" or c.byte() != 0x0E:
        raise Malformed("collection property")
    entries = []
    while c.peek() != 0x00:
        if c.byte() != 0x01:
            raise Malformed("item start")
        item_start = c.pos
        entry = {"name": "", "description": "", "size": 0, "start": 0}
        while c.peek() != 0x00:
            prop = c.short_string()
            if prop in ("Dateiname", "DateiBeschreibung"):
                if c.byte() != 0x06:
                    raise Malformed("string tag")
                entry["name" if prop == "Dateiname" else "description"] = c.short_string()
            elif prop in ("DateiGroesse", "DateiStart"):
                value, tag = c.integer()
                result["tags"].append((value, tag))
                entry["size" if prop == "DateiGroesse" else "start"] = value
            else:
                raise Malformed("unknown item property " + prop)
        entry["raw"] = data[item_start:c.pos]
        c.byte()
        entries.append(entry)
    c.byte()
    result["entries"] = entries
    for prop in ("Left", "Top"):
        if c.short_string() != prop:
            raise Malformed("design position")
        value, tag = c.integer()
        result["tags"].append((value, tag))
        result[prop.lower()] = value
    if c.take(2) != b"\x00\x00":
        raise Malformed("closing bytes")
    if c.pos != len(data) and not trailing_ok:
        raise Malformed("%d trailing bytes" % (len(data) - c.pos))
    result["length"] = c.pos
    return result


def entry_bytes(record, index):
    inflated = zlib.decompress(record["block"])
    e = record["entries"][index]
    return inflated[e["start"]:e["start"] + e["size"]]


def main(argv):
    with open(argv[1], "rb") as f:
        record = read_record(f.read())
    for i, e in enumerate(record["entries"]):
        print(i, e["name"], e["size"], e["start"])
        if len(argv) > 2:
            with open("%s/%s" % (argv[2], e["name"]), "wb") as out:
                out.write(entry_bytes(record, i))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

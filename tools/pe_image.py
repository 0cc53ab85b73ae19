"""A small reader of Windows executable images for the build host: sections,
the resource tree and the version resource. Independent of the C++ reader of
payload-pack (tools/PeResources.cpp), so that tests can check one against the
other, and used by scripts/size-report."""
import struct

RESOURCE_TYPES = {1: "CURSOR", 2: "BITMAP", 3: "ICON", 4: "MENU", 5: "DIALOG", 6: "STRING",
                  10: "RCDATA", 14: "GROUP_ICON", 16: "VERSION", 24: "MANIFEST"}


class PeFormatError(Exception):
    pass


class Image:
    def __init__(self, data):
        if data[:2] != b"MZ":
            raise PeFormatError("no MZ header")
        (pe,) = struct.unpack_from("<I", data, 0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise PeFormatError("no PE signature")
        self.data = data
        coff = pe + 4
        (self.machine, count, self.timestamp, _, _, optional_size,
         self.characteristics) = struct.unpack_from("<HHIIIHH", data, coff)
        optional = coff + 20
        (magic,) = struct.unpack_from("<H", data, optional)
        self.pe32plus = magic == 0x20B
        directories = optional + (112 if self.pe32plus else 96)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i)
                            for i in range(struct.unpack_from("<I", data, directories - 4)[0])]
        self.sections = []
        for i in range(count):
            at = optional + optional_size + 40 * i
            name = data[at:at + 8].rstrip(b"\0").decode("latin-1")
            vsize, va, raw_size, raw_at = struct.unpack_from("<IIII", data, at + 8)
            self.sections.append({"name": name, "virtual_size": vsize, "rva": va,
                                  "raw_size": raw_size, "raw_offset": raw_at})

    def offset(self, rva):
        for s in self.sections:
            if s["rva"] <= rva < s["rva"] + s["raw_size"]:
                return rva - s["rva"] + s["raw_offset"]
        raise PeFormatError("RVA 0x%x lies in no section" % rva)

    def resources(self):
        """Every resource as a dict: type, name, language (numbers, or names as
        text), rva, offset, size. Numbered types get their usual names."""
        if len(self.directories) <= 2 or self.directories[2][0] == 0:
            return []
        base = self.offset(self.directories[2][0])
        found = []

        def entries(at):
            named, numbered = struct.unpack_from("<HH", self.data, base + at + 12)
            for i in range(named + numbered):
                ident, target = struct.unpack_from("<II", self.data, base + at + 16 + 8 * i)
                if ident & 0x80000000:
                    (length,) = struct.unpack_from("<H", self.data, base + (ident & 0x7FFFFFFF))
                    start = base + (ident & 0x7FFFFFFF) + 2
                    ident = self.data[start:start + 2 * length].decode("utf-16-le")
                yield ident, target

        def walk(at, path):
            for ident, target in entries(at):
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, path + [ident])
                else:
                    rva, size = struct.unpack_from("<II", self.data, base + target)
                    kind = RESOURCE_TYPES.get(path[0], path[0])
                    found.append({"type": kind, "name": path[1], "language": ident,
                                  "rva": rva, "offset": self.offset(rva), "size": size})

        walk(0, [])
        return found

    def resource(self, kind, name):
        for r in self.resources():
            if r["type"] == kind and str(r["name"]).upper() == str(name).upper():
                return self.data[r["offset"]:r["offset"] + r["size"]]
        return None

    def version_info(self):
        """The version resource as a dict: file_version and product_version
        (tuples of four numbers, from the fixed part) and strings (the first
        string table's values); None when there is none."""
        data = self.resource("VERSION", 1)
        if data is None:
            return None
        key, value, _, children = _version_node(data, 0)[0]
        if key != "VS_VERSION_INFO":
            raise PeFormatError("version resource key " + key)
        (signature, _, fms, fls, pms, pls) = struct.unpack_from("<IIIIII", value, 0)
        if signature != 0xFEEF04BD:
            raise PeFormatError("no fixed file information")
        info = {"file_version": (fms >> 16, fms & 0xFFFF, fls >> 16, fls & 0xFFFF),
                "product_version": (pms >> 16, pms & 0xFFFF, pls >> 16, pls & 0xFFFF),
                "strings": {}}
        for ckey, _, _, tables in children:
            if ckey == "StringFileInfo" and tables:
                for skey, svalue, _, _ in tables[0][3]:
                    info["strings"][skey] = svalue.decode("utf-16-le").rstrip("\0")
        return info


def _align(n):
    return (n + 3) & ~3


def _version_node(data, at):
    length, value_length, kind = struct.unpack_from("<HHH", data, at)
    end = at + 6
    while data[end:end + 2] != b"\0\0":
        end += 2
    key = data[at + 6:end].decode("utf-16-le")
    pos = _align(end + 2)
    size = value_length * 2 if kind == 1 else value_length
    value = data[pos:pos + size]
    pos = _align(pos + size)
    children = []
    while pos < at + length:
        child, child_length = _version_node(data, pos)
        children.append(child)
        pos = _align(pos + child_length)
    return (key, value, kind, children), length

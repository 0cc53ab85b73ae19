#!/usr/bin/env python3
"""Links a MinGW program (DWARF unwinding, i686) so that the linker's garbage
collection can drop the library functions that nothing calls.

Usage, as CMake's CXX_LINKER_LAUNCHER:  unwind_gc_link.py COMPILER ARG...

GNU ld's PE script keeps every unwind section: KEEP(*(.eh_frame*)). A function
that is a COMDAT (a template instantiation, an inline function; libstdc++'s
string code is made of them) has its unwind entry in a section of its own,
.eh_frame$NAME, beside its code in .text$NAME. Keeping all of them keeps every
such function of every archive member that is linked, used or not. The other
functions of an object share its one .eh_frame section, which keeps them all,
also in an archive member linked for one datum or pulled in by code that is
dropped later.

This links with the same script, changed to keep only the .eh_frame$NAME of
functions the program keeps and only the .eh_frame of archive members whose
code it keeps (the program's own objects keep theirs): it links, reads the
map, adds the entries of kept code whose entry was dropped, and links again
until none is missing. The last link, whose map proves that no kept code
lacks its entry, is the output. The entries stay in one statement, in
the order of the input files, so that crtend.o's end marker stays the last
entry the unwinder reads.
"""

import os
import re
import subprocess
import sys
import tempfile

KEEP_ALL = "KEEP(*(.eh_frame*))"
SCRIPT_RULE = "=" * 50
MAX_LINKS = 12


class LinkFailed(Exception):
    def __init__(self, code, message=None):
        super().__init__(message)
        self.code = code
        self.message = message


def run(command, capture=False):
    result = subprocess.run(command, stdout=subprocess.PIPE if capture else None,
                            universal_newlines=True)
    if result.returncode != 0:
        raise LinkFailed(result.returncode)
    return result.stdout if capture else None


def default_script(verbose_output):
    """The linker script ld used, from the output of a link with --verbose."""
    lines = verbose_output.splitlines()
    marks = [i for i, line in enumerate(lines) if line.startswith(SCRIPT_RULE)]
    if len(marks) < 2:
        return None
    return "\n".join(lines[marks[0] + 1:marks[1]]) + "\n"


def script_keeping(script, names, dropped_members=()):
    """The script keeping the .eh_frame$NAME of NAMES and the .eh_frame of all
    objects but the archive members DROPPED_MEMBERS, as (archive, member)."""
    entries = [".eh_frame"] + [".eh_frame$" + name for name in sorted(names)]
    if dropped_members:
        patterns = " ".join("*%s:%s" % member for member in sorted(dropped_members))
        entries[0] = "EXCLUDE_FILE(%s) .eh_frame" % patterns
    return script.replace(KEEP_ALL, "KEEP(*(%s))" % " ".join(entries))


def map_entries(map_text):
    """The input sections of a link map, in order: (kept, output section,
    input section, file); kept is False for the discarded ones."""
    kept = None
    output = None
    pending = None
    for line in map_text.splitlines():
        if line.startswith("Discarded input sections"):
            kept = False
            continue
        if line.startswith("Linker script and memory map"):
            kept = True
            continue
        if kept is None:
            continue
        if kept and re.match(r"^\.\S", line):
            output = line.split()[0]
            pending = None
            continue
        whole = re.match(r"^ (\.\S+)\s+0x[0-9a-f]+\s+0x[0-9a-f]+\s+(\S.*)$", line)
        if whole:
            yield kept, output, whole.group(1), whole.group(2)
            pending = None
            continue
        alone = re.match(r"^ (\.\S+)$", line)
        if alone:
            pending = alone.group(1)
            continue
        rest = re.match(r"^\s+0x[0-9a-f]+\s+0x[0-9a-f]+\s+(\S.*)$", line)
        if rest and pending:
            yield kept, output, pending, rest.group(1)
        pending = None


def comdat_name(section, prefix):
    """NAME of a section PREFIX...$NAME (also .text.unlikely$NAME), else None."""
    if not section.startswith(prefix) or "$" not in section:
        return None
    return section.split("$", 1)[1]


def archive_member(source):
    """(archive file name, member) of a map's file column, else None."""
    match = re.match(r"^(?:.*/)?([^/(]+\.a)\(([^()]+)\)$", source)
    return (match.group(1), match.group(2)) if match else None


def unwind_sections(map_text):
    """The archive members whose plain .eh_frame a link kept, and for each
    member the NAMEs of its .eh_frame$NAME sections."""
    members, own_entries = set(), {}
    for kept, _, section, source in map_entries(map_text):
        member = archive_member(source)
        if not member:
            continue
        if kept and section == ".eh_frame":
            members.add(member)
        name = comdat_name(section, ".eh_frame")
        if name:
            own_entries.setdefault(member, set()).add(name)
    return members, own_entries


def members_with_kept_code(map_text, own_entries):
    """The archive members with kept code whose unwind entries are in their
    plain .eh_frame: code other than a .text$NAME with an .eh_frame$NAME."""
    members = set()
    for kept, _, section, source in map_entries(map_text):
        member = archive_member(source)
        if not kept or not member or not section.startswith(".text"):
            continue
        if comdat_name(section, ".text") not in own_entries.get(member, ()):
            members.add(member)
    return members


def missing_entries(map_text):
    """The functions kept whose unwind entry was dropped."""
    kept_code, kept_entries, dropped_entries = set(), set(), set()
    for kept, _, section, _ in map_entries(map_text):
        code = comdat_name(section, ".text")
        entry = comdat_name(section, ".eh_frame")
        if kept and code:
            kept_code.add(code)
        elif entry:
            (kept_entries if kept else dropped_entries).add(entry)
    return (kept_code & dropped_entries) - kept_entries


def entries_in_order(map_text):
    """True when every unwind entry is in the .eh_frame output section and
    crtend.o's end marker is the last of them."""
    last = None
    for kept, output, section, source in map_entries(map_text):
        if not kept or not section.startswith(".eh_frame"):
            continue
        if output != ".eh_frame":
            return False
        last = source
    return last is not None and os.path.basename(last) == "crtend.o"


def split_map_option(args):
    """The arguments without -Wl,-Map=..., and that map's path (or None)."""
    rest, wanted = [], None
    for arg in args:
        match = re.match(r"^-Wl,-Map[=,](.+)$", arg)
        if match:
            wanted = match.group(1)
        else:
            rest.append(arg)
    return rest, wanted


def output_path(args):
    """The program the link writes (-o FILE), or None."""
    for i, arg in enumerate(args[:-1]):
        if arg == "-o":
            return args[i + 1]
    return None


def link(command, wanted_map):
    with tempfile.TemporaryDirectory(prefix="unwind-gc-") as work:
        script_path = os.path.join(work, "link.x")
        map_path = os.path.join(work, "link.map")
        script = default_script(run(command + ["-Wl,--verbose", "-Wl,-Map=" + map_path],
                                    capture=True))
        if script is None or KEEP_ALL not in script:
            sys.stderr.write("unwind_gc_link: the linker script does not keep %s; "
                             "linked as usual\n" % KEEP_ALL)
            run(command + (["-Wl,-Map=" + wanted_map] if wanted_map else []))
            return
        with open(map_path) as source:
            dropped_members, own_entries = unwind_sections(source.read())
        names = set()
        for _ in range(MAX_LINKS):
            with open(script_path, "w") as out:
                out.write(script_keeping(script, names, dropped_members))
            run(command + ["-Wl,-T," + script_path, "-Wl,-Map=" + map_path], capture=True)
            with open(map_path) as source:
                map_text = source.read()
            missing = missing_entries(map_text)
            needed_members = dropped_members & members_with_kept_code(map_text, own_entries)
            if not missing and not needed_members:
                break
            names |= missing
            dropped_members -= needed_members
        else:
            raise LinkFailed(1, "kept code still lacks its unwind entries after %d links"
                             % MAX_LINKS)
        if not entries_in_order(map_text):
            raise LinkFailed(1, "crtend.o's unwind entry is not the last one; "
                             "the unwinder would miss entries")
        if wanted_map:
            with open(wanted_map, "w") as out:
                out.write(map_text)


def main():
    if len(sys.argv) < 2:
        sys.stderr.write("usage: unwind_gc_link.py COMPILER ARG...\n")
        return 2
    command, wanted_map = split_map_option(sys.argv[1:])
    try:
        link(command, wanted_map)
        return 0
    except LinkFailed as failure:
        if failure.message:
            sys.stderr.write("unwind_gc_link: %s\n" % failure.message)
        code = failure.code
    except BaseException:
        remove_output(command)
        raise
    remove_output(command)
    return code


def remove_output(command):
    # A program from an earlier pass of this link must not pass for the
    # result (nor look up to date to the build tool).
    output = output_path(command)
    if output and os.path.exists(output):
        os.remove(output)


if __name__ == "__main__":
    sys.exit(main())

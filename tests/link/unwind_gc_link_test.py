"""The link launcher's reading of ld's map and its linker script: which kept
functions lost their unwind entry, and whether crtend.o's end marker is the
last entry. Usage: unwind_gc_link_test.py (no arguments)."""
import os
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "cmake"))
import unwind_gc_link as link  # noqa: E402

LIB = "/usr/lib/gcc/i686-w64-mingw32/12-win32/libstdc++.a(string-inst.o)"
LONG = "_ZNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEE9_M_createERjj"


def link_map(discarded, kept):
    return ("Archive member included to satisfy reference by file (symbol)\n\n"
            "Discarded input sections\n\n%s\n"
            "Memory Configuration\n\nName             Origin\n\n"
            "Linker script and memory map\n\n%s\n" % (discarded, kept))


class MissingEntries(unittest.TestCase):
    def test_kept_function_whose_entry_was_dropped(self):
        text = link_map(
            " .eh_frame$_Z3foov\n                0x00000000       0x2c %s\n" % LIB,
            ".text           0x00401000     0x1000\n"
            " .text$_Z3foov  0x00401000       0x10 %s\n" % LIB)
        self.assertEqual(link.missing_entries(text), {"_Z3foov"})

    def test_long_names_on_two_lines_and_cold_parts(self):
        text = link_map(
            " .eh_frame$%s\n                0x00000000       0x2c %s\n" % (LONG, LIB),
            ".text           0x00401000     0x1000\n"
            " .text.unlikely$%s\n                0x00401000       0x40 %s\n" % (LONG, LIB))
        self.assertEqual(link.missing_entries(text), {LONG})

    def test_nothing_missing_when_both_go_or_both_stay(self):
        text = link_map(
            " .text$_Z3barv  0x00000000       0x10 %s\n"
            " .eh_frame$_Z3barv\n                0x00000000       0x2c %s\n"
            " .eh_frame$_Z3foov\n                0x00000000       0x2c %s\n" % (LIB, LIB, LIB),
            ".text           0x00401000     0x1000\n"
            " .text$_Z3foov  0x00401000       0x10 %s\n"
            ".eh_frame       0x00402000      0x200\n"
            " .eh_frame$_Z3foov\n                0x00402000       0x2c /other.a(x.o)\n" % LIB)
        self.assertEqual(link.missing_entries(text), set())


class ArchiveMembers(unittest.TestCase):
    RANDOM = "/usr/lib/gcc/i686-w64-mingw32/12-win32/libstdc++.a(random.o)"
    OURS = "/tmp/ccX.ltrans0.ltrans.o"

    def test_member_of_a_map_file_column(self):
        self.assertEqual(link.archive_member(LIB), ("libstdc++.a", "string-inst.o"))
        self.assertIsNone(link.archive_member(self.OURS))

    def test_unwind_sections_of_members_only(self):
        text = link_map("", ".eh_frame       0x00402000      0x200\n"
                        " .eh_frame      0x00402000       0x40 %s\n"
                        " .eh_frame      0x00402040       0x40 %s\n"
                        " .eh_frame$%s\n                0x00402080       0x2c %s\n"
                        % (self.RANDOM, self.OURS, LONG, LIB))
        members, own = link.unwind_sections(text)
        self.assertEqual(members, {("libstdc++.a", "random.o")})
        self.assertEqual(own, {("libstdc++.a", "string-inst.o"): {LONG}})

    def test_code_with_its_entry_in_the_plain_section(self):
        own = {("libstdc++.a", "string-inst.o"): {LONG}}
        text = link_map("", ".text           0x00401000     0x1000\n"
                        " .text$%s\n                0x00401000       0x40 %s\n"
                        " .text          0x00401040       0x10 %s\n"
                        " .text          0x00401050       0x10 %s\n"
                        % (LONG, LIB, self.RANDOM, self.OURS))
        # string-inst.o's kept function has an entry of its own; random.o's
        # plain .text needs random.o's .eh_frame; our objects are not asked.
        self.assertEqual(link.members_with_kept_code(text, own), {("libstdc++.a", "random.o")})


class EntryOrder(unittest.TestCase):
    CRTEND = " .eh_frame      0x00402100       0x30 /usr/lib/gcc/i686-w64-mingw32/12-win32/crtend.o\n"

    def test_end_marker_last(self):
        text = link_map("", ".eh_frame       0x00402000      0x200\n"
                        " .eh_frame      0x00402000       0x40 a.o\n"
                        " .eh_frame$%s\n                0x00402040       0x2c %s\n" % (LONG, LIB)
                        + self.CRTEND + "\n.pdata\n")
        self.assertTrue(link.entries_in_order(text))

    def test_entry_after_the_end_marker(self):
        text = link_map("", ".eh_frame       0x00402000      0x200\n" + self.CRTEND
                        + " .eh_frame$%s\n                0x00402130       0x2c %s\n" % (LONG, LIB))
        self.assertFalse(link.entries_in_order(text))

    def test_entry_outside_the_eh_frame_section(self):
        text = link_map("", ".eh_frame       0x00402000      0x200\n" + self.CRTEND
                        + ".eh_frame$_Z3foov 0x00403000 0x2c\n"
                        " .eh_frame$_Z3foov\n                0x00403000       0x2c %s\n" % LIB)
        self.assertFalse(link.entries_in_order(text))


class Script(unittest.TestCase):
    VERBOSE = ("GNU ld (GNU Binutils) 2.40\n  Supported emulations:\n   i386pe\n"
               "using internal linker script:\n" + "=" * 50 + "\n"
               "SECTIONS\n{\n  .eh_frame BLOCK(__section_alignment__) :\n  {\n"
               "    KEEP(*(.eh_frame*))\n  }\n}\n" + "=" * 50 + "\nattempt to open a.o succeeded\n")

    def test_one_statement_in_input_order(self):
        script = link.default_script(self.VERBOSE)
        changed = link.script_keeping(script, {"_Z3foov", "_Z3barv"})
        self.assertIn("KEEP(*(.eh_frame .eh_frame$_Z3barv .eh_frame$_Z3foov))", changed)
        self.assertNotIn("KEEP(*(.eh_frame*))", changed)
        self.assertEqual(changed.count("KEEP("), 1)

    def test_members_left_out_of_the_plain_sections(self):
        script = link.default_script(self.VERBOSE)
        changed = link.script_keeping(script, {"_Z3foov"}, {("libstdc++.a", "random.o")})
        self.assertIn("KEEP(*(EXCLUDE_FILE(*libstdc++.a:random.o) .eh_frame .eh_frame$_Z3foov))",
                      changed)

    def test_no_script_in_output(self):
        self.assertIsNone(link.default_script("ld: no input files\n"))


class FailedLink(unittest.TestCase):
    def test_failed_link_leaves_no_program(self):
        with tempfile.TemporaryDirectory() as work:
            program = os.path.join(work, "VelToriSetup.exe")
            with open(program, "w") as out:
                out.write("an older program")
            sys.argv = ["unwind_gc_link.py", "sh", "-c", "exit 3", "-o", program]
            self.assertEqual(link.main(), 3)
            self.assertFalse(os.path.exists(program))


if __name__ == "__main__":
    unittest.main()

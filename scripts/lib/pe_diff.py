"""pe_diff.py A B: where two builds of one Windows program differ: the first
differing bytes of every section (and the headers), for the reproducibility
check's report."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import pe_image  # noqa: E402

a, b = (open(p, "rb").read() for p in sys.argv[1:3])
if len(a) != len(b):
    print("  sizes differ: %d and %d bytes" % (len(a), len(b)))
image = pe_image.Image(a)
regions = [("headers", 0, image.sections[0]["raw_offset"] if image.sections else len(a))]
regions += [(s["name"], s["raw_offset"], s["raw_offset"] + s["raw_size"]) for s in image.sections]
regions.append(("after the sections", regions[-1][2], max(len(a), len(b))))
for name, start, end in regions:
    diff = [i for i in range(start, min(end, len(a), len(b))) if a[i] != b[i]]
    if diff:
        print("  %-20s %d bytes differ, first at file offset 0x%x" % (name, len(diff), diff[0]))

"""The version resources of the built setup program and the stand-in product:
the project's version in the fixed part and the strings, and the company and
product names the Windows build was configured with. The setup program's
manifest carries the same version and product name, and stays a manifest
that asks for administrator rights and the version 6 common controls.
Usage: version_resource_test.py PROJECT_VERSION WINDOWS_BUILD_DIR"""
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import pe_image  # noqa: E402

VERSION, BUILD = sys.argv[1:3]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def cached(name):
    with open(os.path.join(BUILD, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            m = re.match(r"%s:[A-Z]+=(.*)$" % name, line.rstrip("\n"))
            if m:
                return m.group(1)
    raise SystemExit("%s not in the cache of %s" % (name, BUILD))


company, product = cached("VELTORI_COMPANY_NAME"), cached("VELTORI_PRODUCT_NAME")
numbers = tuple(int(n) for n in VERSION.split(".")) + (0,) * (4 - len(VERSION.split(".")))

for path, filename, description in (
        (os.path.join(BUILD, "bin", "VelToriSetup.exe"), "VelToriSetup.exe", product + " Setup"),
        (os.path.join(BUILD, "product", "veltori.exe"), "veltori.exe", product)):
    with open(path, "rb") as f:
        info = pe_image.Image(f.read()).version_info()
    check(info is not None, "%s has a version resource" % filename)
    if info is None:
        continue
    print(filename, info)
    check(info["file_version"] == numbers, "%s: file version %s" % (filename, info["file_version"]))
    check(info["product_version"] == numbers, "%s: product version %s" % (filename, info["product_version"]))
    expected = {"FileVersion": VERSION, "ProductVersion": VERSION, "CompanyName": company,
                "ProductName": product, "FileDescription": description, "OriginalFilename": filename}
    for key, value in expected.items():
        check(info["strings"].get(key) == value,
              "%s: %s is %r, not %r" % (filename, key, info["strings"].get(key), value))

ASM = "{urn:schemas-microsoft-com:asm.v1}"
with open(os.path.join(BUILD, "bin", "VelToriSetup.exe"), "rb") as f:
    manifest = pe_image.Image(f.read()).resource("MANIFEST", 1)
check(manifest is not None, "VelToriSetup.exe has a manifest")
if manifest is not None:
    root = ElementTree.fromstring(manifest)  # raises for a manifest that is not XML
    identities = root.findall(ASM + "assemblyIdentity")
    check(len(identities) == 1, "manifest: one identity of its own")
    check(identities[0].get("version") == ".".join(map(str, numbers)),
          "manifest: version %s" % identities[0].get("version"))
    description = root.find(ASM + "description")
    check(description is not None and description.text == product + " Setup",
          "manifest: description %r" % (description.text if description is not None else None))
    check(b'requestedExecutionLevel level="requireAdministrator"' in manifest,
          "manifest: asks for administrator rights")
    check(b'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' in manifest,
          "manifest: the version 6 common controls")

print("%d failures" % len(failures))
sys.exit(1 if failures else 0)

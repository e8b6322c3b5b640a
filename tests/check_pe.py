#!/usr/bin/python3
"""Checks the built Velmora.exe: machine, PE flags, imports, version record,
icon group and manifest.   usage: check_pe.py Velmora.exe VERSION"""
import struct
import sys

import pefile

exe, version = sys.argv[1], sys.argv[2]
pe = pefile.PE(exe)
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


check(pe.FILE_HEADER.Machine == pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"], "i386 image")
check(pe.OPTIONAL_HEADER.Subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"],
      "GUI subsystem")
check((pe.OPTIONAL_HEADER.MajorSubsystemVersion, pe.OPTIONAL_HEADER.MinorSubsystemVersion) == (6, 1),
      "subsystem version 6.1 (Windows 7)")
flags = pe.OPTIONAL_HEADER.DllCharacteristics
check(flags & 0x0040 != 0, "ASLR (DYNAMIC_BASE)")
check(flags & 0x0100 != 0, "DEP (NX_COMPAT)")
check(pe.FILE_HEADER.TimeDateStamp == 0, "no timestamp (reproducible)")

allowed = {"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL", "ADVAPI32.DLL", "MSVCRT.DLL"}
imports = {entry.dll.decode().upper(): [i.name.decode() for i in entry.imports if i.name]
           for entry in pe.DIRECTORY_ENTRY_IMPORT}
check(set(imports) <= allowed, f"imports only system DLLs: {sorted(imports)}")
# Windows 10-only functions must be looked up at run time, or Windows 7 refuses the exe.
late = {"GetDpiForWindow", "AdjustWindowRectExForDpi", "SystemParametersInfoForDpi",
        "SetProcessDpiAwarenessContext", "GetDpiForSystem"}
static_late = late & set(imports.get("USER32.DLL", []))
check(not static_late, f"no static import of post-Windows 7 functions {sorted(static_late)}")
check({"RegOpenKeyA", "RegQueryValueExA", "RegCloseKey"} <= set(imports.get("ADVAPI32.DLL", [])),
      "ANSI registry functions imported")

# Version record.
parts = [int(p) for p in version.split(".")]
fixed = pe.VS_FIXEDFILEINFO[0]
ms, ls = (parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3]
check((fixed.FileVersionMS, fixed.FileVersionLS) == (ms, ls), f"file version {version}")
check((fixed.ProductVersionMS, fixed.ProductVersionLS) == (ms, ls), f"product version {version}")
strings, translations = {}, []
for info in pe.FileInfo[0]:
    if info.Key == b"StringFileInfo":
        for table in info.StringTable:
            check(table.LangID == b"040904B0", f"string block 040904B0 (got {table.LangID})")
            strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    elif info.Key == b"VarFileInfo":
        for var in info.Var:
            translations += list(var.entry.values())
text = f"{parts[0]}.{parts[1]:02d}.{parts[3]:04d}"
for key, want in [("FileVersion", text), ("ProductVersion", text),
                  ("Comments", "Displays Catalyst info"), ("ProductName", "Velmora")]:
    check(strings.get(key) == want, f"{key} = {want!r} (got {strings.get(key)!r})")
check(translations == ["0x0409 0x04b0"], f"translation 0x409, 1200 (got {translations})")

# Resources: icon group and manifest.
resources = {}
for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
    for entry in kind.directory.entries:
        for lang in entry.directory.entries:
            data = pe.get_data(lang.data.struct.OffsetToData, lang.data.struct.Size)
            resources.setdefault(kind.id, []).append((entry.id, data))
groups = resources.get(pefile.RESOURCE_TYPE["RT_GROUP_ICON"], [])
check(len(groups) == 1, "one icon group")
if groups:
    gid, data = groups[0]
    check(gid == 1, "icon group has the lowest id, 1")
    _, _, count = struct.unpack_from("<HHH", data)
    images = set()
    for i in range(count):
        w, h, colours, _, _, bits, _, _ = struct.unpack_from("<BBBBHHIH", data, 6 + 14 * i)
        images.add((w or 256, h or 256, bits))
    check(images == {(32, 32, 1), (32, 32, 4), (16, 16, 4)},
          f"icons 32x32 2 colours, 32x32 16 colours, 16x16 16 colours (got {sorted(images)})")
manifests = resources.get(pefile.RESOURCE_TYPE["RT_MANIFEST"], [])
check([m[0] for m in manifests] == [1], "one manifest, id 1")
if manifests:
    xml = manifests[0][1].decode()
    for needle in ['level="asInvoker"', "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                   "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                   "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", ">true/pm<", "PerMonitorV2"]:
        check(needle in xml, f"manifest has {needle}")

print(f"size of {exe.rsplit('/', 1)[-1]}: {len(pe.__data__)} bytes")
sys.exit(1 if failures else 0)

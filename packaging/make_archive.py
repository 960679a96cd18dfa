#!/usr/bin/python3
"""Packs one Windows build into the archive a user downloads, the same bytes every time."""
import argparse
import sys
import time
import zipfile
from pathlib import Path

PLUGIN_FILES = ("Tessaly2CHM.dll", "irun.dll", "HHC.exe")
BITS_ADVICE = {
    32: "This is the 32-bit build, for the 32-bit Tessaly (it runs on 64-bit Windows too).",
    64: "This is the 64-bit build, for a 64-bit Tessaly; the 32-bit Tessaly needs the win32 archive.",
}


def cache_value(build: Path, name: str) -> str:
    """A variable of the build's CMake cache, such as the project's version."""
    for line in (build / "CMakeCache.txt").read_text().splitlines():
        key, _, value = line.partition("=")
        if key.split(":")[0] == name:
            return value
    sys.exit(f"make_archive: {build} is no configured build (no {name} in its CMakeCache.txt)")


def pe_bits(path: Path) -> int:
    """32 or 64, from the machine field of the library's PE header."""
    data = path.read_bytes()
    header = int.from_bytes(data[0x3C:0x40], "little") if len(data) >= 0x40 else 0
    machine = int.from_bytes(data[header + 4:header + 6], "little") if data[header:header + 4] == b"PE\0\0" else 0
    bits = {0x14C: 32, 0x8664: 64}.get(machine)
    if bits is None:
        sys.exit(f"make_archive: {path} is no 32-bit or 64-bit Windows library")
    return bits


def entry(name: str, stamp: time.struct_time, directory: bool = False) -> zipfile.ZipInfo:
    info = zipfile.ZipInfo(name, date_time=tuple(stamp)[:6])
    info.create_system = 0  # MS-DOS: attributes as Windows reads them, nothing of this machine's
    info.external_attr = 0x10 if directory else 0x20
    info.compress_type = zipfile.ZIP_STORED if directory else zipfile.ZIP_DEFLATED
    return info


def install_text(template: Path, version: str, bits: int) -> bytes:
    text = template.read_text(encoding="utf-8")
    text = text.replace("@VERSION@", version).replace("@BITS@", str(bits))
    text = text.replace("@BITS_ADVICE@", BITS_ADVICE[bits])
    # Notepad of every Windows reads the ANSI code page's ellipsis; lines end as there.
    return text.replace("\n", "\r\n").encode("cp1252")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("build", type=Path, help="a configured and built windows or windows64 preset folder")
    parser.add_argument("out_dir", type=Path, help="where Tessaly2CHM-VERSION-winNN.zip goes")
    parser.add_argument("--source-date", type=int, required=True,
                        help="seconds since 1970 written as every entry's date")
    args = parser.parse_args()

    root = Path(__file__).resolve().parent.parent
    version = cache_value(args.build, "CMAKE_PROJECT_VERSION")
    plugins = args.build / "dist" / "Plugins"
    missing = [name for name in PLUGIN_FILES if not (plugins / name).is_file()]
    if missing:
        sys.exit(f"make_archive: not built in {plugins}: {', '.join(missing)}")
    bits = pe_bits(plugins / PLUGIN_FILES[0])

    # Zip dates carry no time zone: the archive says the same on every machine in UTC.
    stamp = time.gmtime(max(args.source_date, 315532800))
    files = {"INSTALL.txt": install_text(root / "packaging" / "INSTALL.txt", version, bits)}
    for name in PLUGIN_FILES:
        files["Plugins/" + name] = (plugins / name).read_bytes()
    licence = root / "LICENSE.txt"
    if licence.is_file():
        files["LICENSE.txt"] = licence.read_bytes()
    else:
        print("no LICENSE.txt in the repository: the archive has no licence", file=sys.stderr)

    args.out_dir.mkdir(parents=True, exist_ok=True)
    archive = args.out_dir / f"Tessaly2CHM-{version}-win{bits}.zip"
    partial = archive.with_name(archive.name + ".part")
    with zipfile.ZipFile(partial, "w") as out:
        out.writestr(entry("Plugins/", stamp, directory=True), b"")
        for name in sorted(files):
            out.writestr(entry(name, stamp), files[name], compresslevel=9)
    partial.replace(archive)
    print(archive)
    return 0


if __name__ == "__main__":
    sys.exit(main())

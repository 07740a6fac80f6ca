#!/usr/bin/env python3
"""Puts a DLL's export name table in byte order, in place.

The loader finds an export by a binary search of that table. The 32-bit
linker sorts the table by the .def's decorated names ("Name@N"), but writes
the plain names ("Name" == "Name@N" entries), and a name that is the start
of another sorts differently once the "@N" is gone: "MakeCovariances0@28"
comes before "MakeCovariances@28", while "MakeCovariances" must come before
"MakeCovariances0". The names and their ordinals are reordered as pairs;
nothing else in the file moves.

Usage: sort_exports.py file.dll
"""
import struct
import sys


def section_offset(sections, rva):
    for virtual_address, virtual_size, raw_pointer in sections:
        if virtual_address <= rva < virtual_address + virtual_size:
            return rva - virtual_address + raw_pointer
    raise ValueError("RVA %#x lies in no section" % rva)


def sort_exports(path):
    with open(path, "rb") as f:
        image = bytearray(f.read())
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError("%s is not a PE file" % path)
    section_count, optional_size = struct.unpack_from("<H12xH", image, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", image, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    export_rva = struct.unpack_from("<I", image, directories)[0]
    sections = []
    for i in range(section_count):
        header = optional + optional_size + 40 * i
        virtual_size, virtual_address, _, raw_pointer = struct.unpack_from("<IIII", image, header + 8)
        sections.append((virtual_address, virtual_size, raw_pointer))
    if not export_rva:
        return
    directory = section_offset(sections, export_rva)
    count, names_rva, ordinals_rva = struct.unpack_from("<I4xII", image, directory + 24)
    names = section_offset(sections, names_rva)
    ordinals = section_offset(sections, ordinals_rva)

    def name(rva):
        start = section_offset(sections, rva)
        return bytes(image[start:image.index(b"\0", start)])

    pairs = [(struct.unpack_from("<I", image, names + 4 * i)[0], struct.unpack_from("<H", image, ordinals + 2 * i)[0])
             for i in range(count)]
    pairs.sort(key=lambda pair: name(pair[0]))
    for i, (name_rva, ordinal) in enumerate(pairs):
        struct.pack_into("<I", image, names + 4 * i, name_rva)
        struct.pack_into("<H", image, ordinals + 2 * i, ordinal)
    with open(path, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    sort_exports(sys.argv[1])

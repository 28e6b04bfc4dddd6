#!/usr/bin/env python3
"""Puts back in a widl-made type library what widl 7 gets wrong or cannot
express, at build time and on the build host (no Windows program runs):

  - The library identifier: widl damages its GUID-table entry when the
    library holds both a dispinterface and a dual interface.
  - A type's version: widl refuses version() on a dispinterface.

  repair_typelib.py in.tlb out.tlb {LIBID} [version:INDEX:MAJOR.MINOR]...

The file layout is the same for 32-bit and 64-bit libraries."""
import re
import struct
import sys
import uuid

HEADER_SIZE = 0x54
LIBID_POSITION = 0x08   # in the header: offset of the LIBID in the GUID table
LIBRARY_FLAGS = 0x14
TYPE_COUNT = 0x20
HAS_HELP_DLL = 0x100
TYPE_VERSION = 0x38     # in a type's base record


class Library:
    def __init__(self, data):
        self.data = bytearray(data)

    def valid(self):
        return len(self.data) >= HEADER_SIZE and self.data[:4] == b"MSFT"

    def u32(self, at):
        return struct.unpack_from("<I", self.data, at)[0]

    def fits(self, at, size):
        return at + size <= len(self.data)

    # The segment directory follows the header, one offset per type and an
    # optional help-DLL name; segment 0 holds the types, segment 5 the GUIDs.
    def segment(self, index):
        directory = HEADER_SIZE + 4 * self.u32(TYPE_COUNT)
        if self.u32(LIBRARY_FLAGS) & HAS_HELP_DLL:
            directory += 4
        return self.u32(directory + 16 * index)

    def type_record(self, index):
        if index >= self.u32(TYPE_COUNT):
            return None
        return self.segment(0) + self.u32(HEADER_SIZE + 4 * index)

    def set_libid(self, libid):
        at = self.segment(5) + self.u32(LIBID_POSITION)
        if not self.fits(at, 16):
            return False
        self.data[at:at + 16] = libid.bytes_le
        return True

    def apply(self, change):
        m = re.fullmatch(r"version:(\d+):(\d+)\.(\d+)", change)
        if not m:
            return False
        at = self.type_record(int(m.group(1)))
        if at is None or not self.fits(at + TYPE_VERSION, 4):
            return False
        struct.pack_into("<I", self.data, at + TYPE_VERSION,
                         int(m.group(2)) | (int(m.group(3)) << 16))
        return True


def main(argv):
    if len(argv) < 4:
        print("usage: repair_typelib.py in.tlb out.tlb {LIBID} [changes...]", file=sys.stderr)
        return 2
    with open(argv[1], "rb") as f:
        library = Library(f.read())
    try:
        libid = uuid.UUID(argv[3])
    except ValueError:
        libid = None
    if not library.valid() or libid is None or not library.set_libid(libid):
        print(f"repair_typelib: {argv[1]} is no type library of ours", file=sys.stderr)
        return 1
    for change in argv[4:]:
        if not library.apply(change):
            print(f"repair_typelib: cannot apply {change}", file=sys.stderr)
            return 1
    with open(argv[2], "wb") as f:
        f.write(library.data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

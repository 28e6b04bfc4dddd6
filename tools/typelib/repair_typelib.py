#!/usr/bin/env python3
"""Puts back in a widl-made type library what widl 7 gets wrong or cannot
express, at build time and on the build host (no Windows program runs):

  - The library identifier: widl damages its GUID-table entry when the
    library holds both a dispinterface and a dual interface.
  - A type's version: widl refuses version() on a dispinterface.
  - The order of the types: widl lists a type where another first uses
    it, not where the library declares it.
  - Help strings on enumerators, which widl refuses: each becomes the
    enumerator's own name.

  repair_typelib.py in.tlb out.tlb {LIBID} [change]...
    version:INDEX:MAJOR.MINOR   the type's version
    order:OLD,OLD,...           the types in this order, by widl's indexes
    enumhelp:INDEX              an enumeration's members named in help

Changes apply in the order given (indexes after an order are the new ones).

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
TYPE_RECORD_SIZE = 0x64
TYPE_KIND = 0x00        # low nibble: TKIND_...
TYPE_MEMBERS = 0x04     # file offset of the member records' block
TYPE_COUNTS = 0x18      # functions (low word) and variables (high word)
TYPE_BASE_REF = 0x54    # an interface's base type
TKIND_ENUM, TKIND_INTERFACE, TKIND_DISPATCH = 0, 3, 4
TYPE_OFFSETS = HEADER_SIZE  # the header's table of type-record offsets
SEG_TYPES, SEG_REFERENCES, SEG_GUIDS, SEG_NAMES, SEG_STRINGS, SEG_TYPEDESCS = 0, 3, 5, 7, 8, 9
SEGMENT_COUNT = 15
VT_USERDEFINED = 29
VAR_RECORD_SIZE = 0x14  # a constant's record without help fields
VAR_HELP_RECORD_SIZE = 0x1C


class Malformed(Exception):
    """A read or write outside the file: the file is no library we can repair."""


class Library:
    def __init__(self, data):
        self.data = bytearray(data)

    def valid(self):
        return len(self.data) >= HEADER_SIZE and self.data[:4] == b"MSFT"

    def u32(self, at):
        if at < 0 or not self.fits(at, 4):
            raise Malformed(at)
        return struct.unpack_from("<I", self.data, at)[0]

    def byte(self, at):
        if at < 0 or not self.fits(at, 1):
            raise Malformed(at)
        return self.data[at]

    def fits(self, at, size):
        return at + size <= len(self.data)

    # The segment directory follows the header, one offset per type and an
    # optional help-DLL name; segment 0 holds the types, segment 5 the GUIDs.
    def directory(self):
        directory = HEADER_SIZE + 4 * self.u32(TYPE_COUNT)
        if self.u32(LIBRARY_FLAGS) & HAS_HELP_DLL:
            directory += 4
        return directory

    def segment(self, index):
        return self.u32(self.directory() + 16 * index)

    def segment_length(self, index):
        return self.u32(self.directory() + 16 * index + 4)

    def put32(self, at, value):
        if at < 0 or not self.fits(at, 4):
            raise Malformed(at)
        struct.pack_into("<I", self.data, at, value & 0xFFFFFFFF)

    # Bytes put in at the end of one segment: the segments behind it and
    # every member block (all after the segments) move along.
    def insert(self, segment, extra):
        at = self.segment(segment) + self.segment_length(segment)
        self.data[at:at] = extra
        for i in range(SEGMENT_COUNT):
            entry = self.directory() + 16 * i
            offset = self.u32(entry)
            if offset != 0xFFFFFFFF and (offset > at or (offset == at and i > segment)):
                self.put32(entry, offset + len(extra))
        self.put32(self.directory() + 16 * segment + 4, self.segment_length(segment) + len(extra))
        for i in range(self.u32(TYPE_COUNT)):
            record = self.type_record(i)
            members = self.u32(record + TYPE_MEMBERS)
            if members != 0xFFFFFFFF and members >= at:
                self.put32(record + TYPE_MEMBERS, members + len(extra))

    def reorder(self, order):
        count = self.u32(TYPE_COUNT)
        if len(order) != count or sorted(order) != list(range(count)):
            return False
        base = self.segment(SEG_TYPES)
        new_of_old = {old: new for new, old in enumerate(order)}

        def moved(ref):
            if ref < count * TYPE_RECORD_SIZE and ref % TYPE_RECORD_SIZE == 0:
                return new_of_old[ref // TYPE_RECORD_SIZE] * TYPE_RECORD_SIZE
            return ref

        def remap(at):
            self.put32(at, moved(self.u32(at)))

        if not self.fits(base, count * TYPE_RECORD_SIZE):
            return False
        records = [bytes(self.data[base + i * TYPE_RECORD_SIZE:base + (i + 1) * TYPE_RECORD_SIZE])
                   for i in range(count)]
        for new, old in enumerate(order):
            self.data[base + new * TYPE_RECORD_SIZE:base + (new + 1) * TYPE_RECORD_SIZE] = records[old]
        for i in range(count):
            record = base + i * TYPE_RECORD_SIZE
            if self.u32(record + TYPE_KIND) & 0xF in (TKIND_INTERFACE, TKIND_DISPATCH):
                remap(record + TYPE_BASE_REF)
        # Every reference to a type of this library is its record's offset.
        guids = self.segment(SEG_GUIDS)
        for at in range(guids, guids + self.segment_length(SEG_GUIDS), 24):
            remap(at + 16)
        names = self.segment(SEG_NAMES)
        at = names
        while at < names + self.segment_length(SEG_NAMES):
            remap(at)
            at += 12 + ((self.byte(at + 8) + 3) & ~3)
        refs = self.segment(SEG_REFERENCES)
        if refs != 0xFFFFFFFF:
            for at in range(refs, refs + self.segment_length(SEG_REFERENCES), 16):
                remap(at)
        descs = self.segment(SEG_TYPEDESCS)
        if descs != 0xFFFFFFFF:
            for at in range(descs, descs + self.segment_length(SEG_TYPEDESCS), 8):
                if self.u32(at) & 0xFFFF == VT_USERDEFINED:
                    remap(at + 4)
        return True

    # A string in the string segment: a 16-bit length, the text, padded.
    def add_string(self, text):
        encoded = bytes([len(text) & 0xFF, len(text) >> 8]) + text
        size = (len(text) + 5) & ~3
        if len(text) < 2:
            size += 4
        encoded += b"\x57" * (size - len(encoded))
        length = self.segment_length(SEG_STRINGS)
        self.insert(SEG_STRINGS, encoded)
        return length

    def name(self, offset):
        at = self.segment(SEG_NAMES) + offset
        length = self.byte(at + 8)
        if not self.fits(at + 12, length):
            raise Malformed(at)
        return bytes(self.data[at + 12:at + 12 + length])

    # The block of an enumeration's constants: its size, the records, then
    # their member ids, name offsets and record offsets.
    def enum_help(self, index):
        record = self.type_record(index)
        if record is None or self.u32(record + TYPE_KIND) & 0xF != TKIND_ENUM:
            return False
        count = self.u32(record + TYPE_COUNTS) >> 16
        names = []
        block = self.u32(record + TYPE_MEMBERS)
        size = self.u32(block)
        arrays = block + 4 + size
        for i in range(count):
            names.append(self.name(self.u32(arrays + 4 * (count + i))))
        helps = [self.add_string(n) for n in names]
        block = self.u32(record + TYPE_MEMBERS)
        at = block + 4
        rebuilt = b""
        if not self.fits(at, count * (VAR_RECORD_SIZE + 12)):
            raise Malformed(at)
        for i in range(count):
            old = bytes(self.data[at:at + VAR_RECORD_SIZE])
            if struct.unpack_from("<H", old)[0] != VAR_RECORD_SIZE:
                return False
            info = VAR_HELP_RECORD_SIZE | (struct.unpack_from("<I", old)[0] & 0xFFFF0000)
            rebuilt += struct.pack("<I", info) + old[4:] + struct.pack("<Ii", 0, helps[i])
            at += VAR_RECORD_SIZE
        arrays = bytearray(self.data[at:at + 12 * count])
        for i in range(count):
            struct.pack_into("<I", arrays, 4 * (2 * count + i), i * VAR_HELP_RECORD_SIZE)
        self.data[block + 4:at + 12 * count] = rebuilt + arrays
        self.put32(block, len(rebuilt))
        grown = len(rebuilt) - count * VAR_RECORD_SIZE
        for i in range(self.u32(TYPE_COUNT)):
            other = self.type_record(i)
            members = self.u32(other + TYPE_MEMBERS)
            if members != 0xFFFFFFFF and members > block:
                self.put32(other + TYPE_MEMBERS, members + grown)
        return True

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
        m = re.fullmatch(r"order:([\d,]+)", change)
        if m:
            return self.reorder([int(i) for i in m.group(1).split(",")])
        m = re.fullmatch(r"enumhelp:(\d+)", change)
        if m:
            return self.enum_help(int(m.group(1)))
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
    try:
        if not library.valid() or libid is None or not library.set_libid(libid):
            print(f"repair_typelib: {argv[1]} is no type library of ours", file=sys.stderr)
            return 1
        for change in argv[4:]:
            if not library.apply(change):
                print(f"repair_typelib: cannot apply {change}", file=sys.stderr)
                return 1
    except Malformed as e:
        print(f"repair_typelib: {argv[1]} is damaged (offset {e.args[0]} is outside it)", file=sys.stderr)
        return 1
    with open(argv[2], "wb") as f:
        f.write(library.data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

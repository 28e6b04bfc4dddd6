#!/usr/bin/env python3
"""Rewrites a PE image (program or DLL) so that its headers and every
section start on a page boundary in the file as they do in memory.

Wine maps such an image straight from its file; an image whose sections
sit at 512-byte steps is read into fresh memory section by section at every
load, which took three times as long for the compiler's runtime DLLs we
ship (they come built that way). Our own modules are linked page-aligned;
this is for the files we copy.

Nothing the loader sees changes: the same sections at the same addresses
with the same bytes. File offsets that point into the image (the debug
directory's data, the COFF symbol table after the sections) move with it,
and the checksum is made again.

usage: page_align.py <in> <out>
"""
import struct
import sys

PAGE = 0x1000


def align(value, step):
    return (value + step - 1) // step * step


def pe_checksum(data):
    """The image checksum, of a file whose checksum field reads zero."""
    total = 0
    padded = data + b"\0" * (len(data) & 1)
    for (word,) in struct.iter_unpack("<H", padded):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return (total & 0xFFFF) + len(data)


class Image:
    def __init__(self, data):
        if data[:2] != b"MZ":
            raise ValueError("not an MZ executable")
        self.pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[self.pe:self.pe + 4] != b"PE\0\0":
            raise ValueError("no PE signature")
        coff = self.pe + 4
        (self.sections_count,) = struct.unpack_from("<H", data, coff + 2)
        self.symbols_at, self.symbols_count = struct.unpack_from("<II", data, coff + 8)
        (optional_size,) = struct.unpack_from("<H", data, coff + 16)
        self.optional = coff + 20
        magic = struct.unpack_from("<H", data, self.optional)[0]
        if magic not in (0x10B, 0x20B):
            raise ValueError("unknown optional header 0x%x" % magic)
        self.directories = self.optional + (96 if magic == 0x10B else 112)
        self.section_table = self.optional + optional_size
        self.sections = []
        for i in range(self.sections_count):
            at = self.section_table + 40 * i
            name = data[at:at + 8].rstrip(b"\0")
            virtual_size, address, raw_size, raw_at = struct.unpack_from("<IIII", data, at + 8)
            self.sections.append((at, name, virtual_size, address, raw_size, raw_at))

    def file_alignment(self, data):
        return struct.unpack_from("<I", data, self.optional + 36)[0]


def page_align(data):
    image = Image(data)
    old_alignment = image.file_alignment(data)
    if old_alignment >= PAGE:
        return data
    headers_size = struct.unpack_from("<I", data, image.optional + 60)[0]
    new_headers = align(headers_size, PAGE)
    out = bytearray(data[:headers_size]) + bytearray(new_headers - headers_size)

    moves = []  # (old start, old end, new start) of every piece of the file that moves
    end_of_sections = headers_size
    for at, name, virtual_size, address, raw_size, raw_at in image.sections:
        if raw_size == 0:
            continue
        new_at = align(len(out), PAGE)
        out += bytearray(new_at - len(out))
        out += data[raw_at:raw_at + raw_size]
        new_size = align(raw_size, PAGE)
        out += bytearray(new_size - raw_size)
        struct.pack_into("<II", out, at + 16, new_size, new_at)
        moves.append((raw_at, raw_at + raw_size, new_at))
        end_of_sections = max(end_of_sections, raw_at + raw_size)

    # What follows the sections (the COFF symbol and string tables) goes
    # along unchanged, after them.
    tail_at = len(out)
    out += data[end_of_sections:]
    moves.append((end_of_sections, len(data), tail_at))

    def moved(offset):
        for start, end, new_start in moves:
            if start <= offset < end or (offset == end == len(data)):
                return new_start + offset - start
        raise ValueError("file offset 0x%x is in no section" % offset)

    coff = image.pe + 4
    if image.symbols_at:
        struct.pack_into("<I", out, coff + 8, moved(image.symbols_at))
    debug_rva, debug_size = struct.unpack_from("<II", data, image.directories + 8 * 6)
    if debug_rva and debug_size:
        for at, name, virtual_size, address, raw_size, raw_at in image.sections:
            if address <= debug_rva < address + max(virtual_size, raw_size):
                entries = raw_at + debug_rva - address
                for i in range(debug_size // 28):
                    field = entries + 28 * i + 24
                    (pointer,) = struct.unpack_from("<I", data, field)
                    if pointer:
                        struct.pack_into("<I", out, moved(field), moved(pointer))
                break

    struct.pack_into("<I", out, image.optional + 36, PAGE)
    struct.pack_into("<I", out, image.optional + 60, new_headers)
    checksum_at = image.optional + 64
    struct.pack_into("<I", out, checksum_at, 0)
    struct.pack_into("<I", out, checksum_at, pe_checksum(bytes(out)))
    return bytes(out)


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(argv[1], "rb") as f:
        data = f.read()
    try:
        result = page_align(data)
    except (ValueError, struct.error) as error:
        sys.exit("%s: %s" % (argv[1], error))
    with open(argv[2], "wb") as f:
        f.write(result)


if __name__ == "__main__":
    main(sys.argv)

"""Byte-exact writers for the three file formats the suite loads.

Pixels come in as rows listed top to bottom, the way they are drawn; the
writers turn them bottom-up as the bitmap formats require and pad each row
to a multiple of four bytes.
"""

import struct

PIXELS_PER_METRE = 2835  # 72 dots per inch, what paint programs write by default

# The platform's 16 standard colours, as (red, green, blue), in their order.
STANDARD_16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def _row_stride(width, bits):
    return ((width * bits + 31) // 32) * 4


def _info_header(width, height, bits, image_size, colours_used):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0,
                       image_size, PIXELS_PER_METRE, PIXELS_PER_METRE,
                       colours_used, 0)


def _palette_bytes(palette):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)


def _pack_bits(values, bits, stride):
    """Packs palette indices of 1, 4 or 8 bits, leftmost pixel in the high bits."""
    out = bytearray(stride)
    per_byte = 8 // bits
    for i, v in enumerate(values):
        shift = 8 - bits * (i % per_byte + 1)
        out[i // per_byte] |= (v & ((1 << bits) - 1)) << shift
    return bytes(out)


def _file(info_and_palette, pixel_data):
    offset = 14 + len(info_and_palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixel_data), 0, 0, offset)
    return header + info_and_palette + pixel_data


def bmp_24(rows):
    """rows: list of rows of (r, g, b)."""
    height, width = len(rows), len(rows[0])
    stride = _row_stride(width, 24)
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r))
        data += line + bytes(stride - len(line))
    return _file(_info_header(width, height, 24, len(data), 0), bytes(data))


def bmp_indexed(rows, palette, bits):
    """rows: list of rows of palette indices; palette: list of (r, g, b)."""
    assert len(palette) <= 1 << bits
    height, width = len(rows), len(rows[0])
    stride = _row_stride(width, bits)
    data = b''.join(_pack_bits(row, bits, stride) for row in reversed(rows))
    info = _info_header(width, height, bits, len(data), len(palette))
    return _file(info + _palette_bytes(palette), data)


def bmp_mask(rows):
    """rows: list of rows of booleans, True where the background shows through.

    Index 0 is black and index 1 white, so a set bit is the transparent
    background, as the image list expects of a mask.
    """
    indices = [[1 if t else 0 for t in row] for row in rows]
    return bmp_indexed(indices, [(0, 0, 0), (255, 255, 255)], 1)


def ico(images):
    """images: list of (index_rows, palette16, transparent_rows), largest first.

    Each entry is a 4-bit colour image followed by its AND mask; the header's
    height counts both halves, as icon resources require.
    """
    blobs = []
    for rows, palette, transparent in images:
        height, width = len(rows), len(rows[0])
        colour_stride = _row_stride(width, 4)
        mask_stride = _row_stride(width, 1)
        colour = b''.join(_pack_bits(r, 4, colour_stride) for r in reversed(rows))
        mask = b''.join(_pack_bits([1 if t else 0 for t in r], 1, mask_stride)
                        for r in reversed(transparent))
        info = _info_header(width, height * 2, 4, len(colour) + len(mask), 0)
        padded = list(palette) + [(0, 0, 0)] * (16 - len(palette))
        blobs.append((width, height, info + _palette_bytes(padded) + colour + mask))
    out = bytearray(struct.pack('<HHH', 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for width, height, blob in blobs:
        out += struct.pack('<BBBBHHII', width % 256, height % 256, 16, 0, 1, 4,
                           len(blob), offset)
        offset += len(blob)
    for _, _, blob in blobs:
        out += blob
    return bytes(out)


def wav_16_mono(samples, rate):
    """samples: list of ints already in the signed 16-bit range."""
    data = b''.join(struct.pack('<h', s) for s in samples)
    fmt = struct.pack('<HHIIHH', 1, 1, rate, rate * 2, 2, 16)
    body = (b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt
            + b'data' + struct.pack('<I', len(data)) + data)
    if len(data) % 2:
        body += b'\0'
    return b'RIFF' + struct.pack('<I', len(body)) + body

"""The aligned image holds the same sections with the same bytes, on page
boundaries, with its symbol table and checksum carried along."""
import os
import struct
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(__file__), ".."))
import page_align  # noqa: E402


class PageAlignTest(unittest.TestCase):
    def setUp(self):
        with open(os.environ["PAGE_ALIGN_SAMPLE"], "rb") as f:
            self.original = f.read()

    def test_sections_keep_their_bytes_on_page_boundaries(self):
        before = page_align.Image(self.original)
        self.assertLess(before.file_alignment(self.original), page_align.PAGE, "the sample is already aligned")
        aligned = page_align.page_align(self.original)
        after = page_align.Image(aligned)
        self.assertEqual(after.file_alignment(aligned), page_align.PAGE)
        self.assertEqual(len(after.sections), len(before.sections))
        for old, new in zip(before.sections, after.sections):
            _, name, virtual_size, address, raw_size, raw_at = old
            _, new_name, new_virtual_size, new_address, new_raw_size, new_raw_at = new
            self.assertEqual((new_name, new_virtual_size, new_address), (name, virtual_size, address))
            if raw_size == 0:
                self.assertEqual(new_raw_size, 0)
                continue
            self.assertEqual(new_raw_at % page_align.PAGE, 0, name)
            self.assertEqual(new_raw_size % page_align.PAGE, 0, name)
            self.assertEqual(aligned[new_raw_at:new_raw_at + raw_size], self.original[raw_at:raw_at + raw_size], name)
            self.assertEqual(aligned[new_raw_at + raw_size:new_raw_at + new_raw_size].strip(b"\0"), b"", name)

        # The symbol table moved with what follows the sections.
        self.assertTrue(before.symbols_at)
        self.assertEqual(aligned[after.symbols_at:], self.original[before.symbols_at:])

        # The checksum is the one the platform computes for the new file.
        at = after.optional + 64
        stored = struct.unpack_from("<I", aligned, at)[0]
        zeroed = bytearray(aligned)
        struct.pack_into("<I", zeroed, at, 0)
        self.assertEqual(stored, page_align.pe_checksum(bytes(zeroed)))

        # Aligned once is aligned for good.
        self.assertEqual(page_align.page_align(aligned), aligned)


if __name__ == "__main__":
    unittest.main()

"""Checks the committed assets: up to date with the generator, and in the
exact formats the programs load. Files are parsed here independently of
the generator's writers, so a writer fault cannot hide itself."""

import math
import os
import struct
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, '..', '..', '..'))
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(HERE))

import generate_assets  # noqa: E402


def asset(rel):
    with open(os.path.join(REPO, rel), 'rb') as f:
        return f.read()


class Bmp:
    """Just enough of a bitmap reader: header fields, palette, pixel rows top first."""

    def __init__(self, data, offset=0, in_icon=False):
        if not in_icon:
            magic, size, _, _, bits_at = struct.unpack_from('<2sIHHI', data, 0)
            assert magic == b'BM' and size == len(data), 'bad file header'
            offset = 14
        (hsize, self.width, self.height, planes, self.bits, self.compression,
         self.image_size, _, _, used, _) = struct.unpack_from('<IiiHHIIiiII', data, offset)
        assert hsize == 40 and planes == 1
        rows = self.height // 2 if in_icon else self.height
        count = (used or 1 << self.bits) if self.bits <= 8 else 0
        pal_at = offset + 40
        self.palette = [struct.unpack_from('<BBB', data, pal_at + 4 * i)[::-1]
                        for i in range(count)]
        pixels_at = pal_at + 4 * count
        if not in_icon:
            assert pixels_at == bits_at, 'pixel offset'
        stride = ((self.width * self.bits + 31) // 32) * 4
        self.rows = [self._row(data, pixels_at + (rows - 1 - y) * stride)
                     for y in range(rows)]
        self.end = pixels_at + stride * rows

    def _row(self, data, at):
        if self.bits == 24:
            return [tuple(data[at + 3 * x: at + 3 * x + 3][::-1]) for x in range(self.width)]
        per = 8 // self.bits
        return [(data[at + x // per] >> (8 - self.bits * (x % per + 1))) & ((1 << self.bits) - 1)
                for x in range(self.width)]


class GeneratorTest(unittest.TestCase):
    def test_committed_files_are_what_the_generator_writes(self):
        with tempfile.TemporaryDirectory() as out:
            with open(os.devnull, 'w') as quiet:
                saved, sys.stdout = sys.stdout, quiet
                try:
                    generate_assets.main(['generate_assets.py', out])
                finally:
                    sys.stdout = saved
            for rel in generate_assets.all_files():
                with open(os.path.join(out, rel), 'rb') as f:
                    self.assertEqual(f.read(), asset(rel), rel + ' is stale: rerun the generator')


class PictureTest(unittest.TestCase):
    def check(self, rel, width, height, bits):
        bmp = Bmp(asset(rel))
        self.assertEqual((bmp.width, bmp.height, bmp.bits, bmp.compression),
                         (width, height, bits, 0), rel)
        return bmp

    def test_sizes_and_depths(self):
        for rel, w, h, bits in [('game/assets/monster_left.bmp', 256, 64, 24),
                                ('game/assets/monster_right.bmp', 256, 64, 24),
                                ('game/assets/monster_death.bmp', 64, 64, 24),
                                ('game/assets/monster_left_mask.bmp', 256, 64, 1),
                                ('game/assets/monster_right_mask.bmp', 256, 64, 1),
                                ('game/assets/monster_death_mask.bmp', 64, 64, 1),
                                ('game/assets/ground.bmp', 1600, 32, 8),
                                ('game/assets/play_glyph.bmp', 64, 64, 24),
                                ('game/assets/about_picture.bmp', 294, 312, 24),
                                ('surface/assets/background.bmp', 622, 447, 8)]:
            self.check(rel, w, h, bits)

    def test_masks_cover_the_monster_and_nothing_shows_outside(self):
        for name, frames in (('left', 4), ('right', 4), ('death', 1)):
            image = self.check('game/assets/monster_%s.bmp' % name, 64 * frames, 64, 24)
            mask = self.check('game/assets/monster_%s_mask.bmp' % name, 64 * frames, 64, 1)
            self.assertEqual(mask.palette, [(0, 0, 0), (255, 255, 255)])
            for f in range(frames):
                drawn = 0
                for y in range(64):
                    for x in range(64 * f, 64 * f + 64):
                        if mask.rows[y][x]:
                            self.assertEqual(image.rows[y][x], (0, 0, 0), (name, x, y))
                        else:
                            drawn += 1
                self.assertGreater(drawn, 64 * 64 // 6, (name, f))
                # The frame's border is background, so no sprite is cut off.
                self.assertTrue(all(mask.rows[63][x] for x in range(64 * f, 64 * f + 64)))

    def test_the_wings_beat_and_the_right_strip_mirrors_each_frame(self):
        left = Bmp(asset('game/assets/monster_left_mask.bmp')).rows
        right = Bmp(asset('game/assets/monster_right_mask.bmp')).rows
        left_img = Bmp(asset('game/assets/monster_left.bmp')).rows
        right_img = Bmp(asset('game/assets/monster_right.bmp')).rows

        def frame(rows, f):
            return [row[64 * f: 64 * f + 64] for row in rows]

        up, mid, down, mid_again = (frame(left, f) for f in range(4))
        self.assertEqual(mid, mid_again)
        top = [min(y for y in range(64) if not all(fr[y])) for fr in (up, mid, down)]
        bottom = [max(y for y in range(64) if not all(fr[y])) for fr in (up, mid, down)]
        self.assertLess(top[0], top[1] - 5, 'raised wings reach higher')
        self.assertGreater(bottom[2], bottom[1] + 5, 'lowered wings reach lower')
        for f in range(4):
            self.assertEqual(frame(right, f), [r[::-1] for r in frame(left, f)])
            self.assertEqual(frame(right_img, f), [r[::-1] for r in frame(left_img, f)])

    def test_ground_tiles_sideways(self):
        ground = self.check('game/assets/ground.bmp', 1600, 32, 8)
        self.assertEqual(len(ground.palette), 256)

        def step(a, b):
            return sum(sum(abs(p - q) for p, q in zip(ground.palette[ground.rows[y][a]],
                                                      ground.palette[ground.rows[y][b]]))
                       for y in range(32))
        typical = sum(step(x, x + 1) for x in range(1599)) / 1599
        self.assertLess(step(1599, 0), 2.5 * typical)

    def test_background_palette_is_full_and_distinct(self):
        bg = self.check('surface/assets/background.bmp', 622, 447, 8)
        self.assertEqual(len(bg.palette), 256)
        self.assertEqual(len(set(bg.palette)), 256)
        used = {i for row in bg.rows for i in row}
        self.assertGreater(len(used), 200, 'the picture should use its palette')

    def test_glyph_corner_is_button_face(self):
        glyph = self.check('game/assets/play_glyph.bmp', 64, 64, 24)
        face = glyph.rows[63][0]
        self.assertEqual(face, (192, 192, 192))
        self.assertGreater(sum(p != face for row in glyph.rows for p in row), 64 * 64 // 4)


class PackagePictureTest(unittest.TestCase):
    STANDARD_16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
                   (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
                   (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]

    def test_palette_bitmaps_in_their_colours(self):
        navy, olive, grey, yellow, green, red, white = ((0, 0, 128), (128, 128, 0), (192, 192, 192),
                                                        (255, 255, 0), (0, 128, 0), (255, 0, 0),
                                                        (255, 255, 255))
        # name, size, corner colour, colours of what is drawn
        for name, size, corner, drawn in [('TMyClock', 28, olive, {navy, grey}),
                                          ('TColorClock', 28, navy, {yellow}),
                                          ('TMyClock2', 24, olive, {green}),
                                          ('TColorClock2', 28, navy, {yellow}),
                                          ('TBigEdit', 24, olive, {white}),
                                          ('TRadio2Panel', 24, red, {yellow})]:
            bmp = Bmp(asset('package/assets/%s.bmp' % name))
            self.assertEqual((bmp.width, bmp.height, bmp.bits, bmp.compression), (size, size, 4, 0), name)
            self.assertEqual(bmp.palette, self.STANDARD_16, name)
            colours = {bmp.palette[i] for row in bmp.rows for i in row}
            self.assertEqual(bmp.palette[bmp.rows[0][0]], corner, name)
            self.assertTrue(drawn <= colours, name)

    def test_dialog_pictures_use_a_full_palette(self):
        for name in ('handshake', 'waterside_plant'):
            bmp = Bmp(asset('package/assets/%s.bmp' % name))
            self.assertEqual((bmp.width, bmp.height, bmp.bits), (240, 180, 8), name)
            self.assertEqual(len(set(bmp.palette)), 256, name)
            self.assertGreater(len({i for row in bmp.rows for i in row}), 64, name)


class IconTest(unittest.TestCase):
    def test_two_sixteen_colour_images_with_masks(self):
        data = asset('game/assets/skelder.ico')
        reserved, kind, count = struct.unpack_from('<HHH', data, 0)
        self.assertEqual((reserved, kind, count), (0, 1, 2))
        sizes = []
        for i in range(count):
            w, h, colours, _, planes, bits, size, offset = struct.unpack_from(
                '<BBBBHHII', data, 6 + 16 * i)
            self.assertEqual((colours, planes, bits), (16, 1, 4))
            image = Bmp(data, offset, in_icon=True)
            self.assertEqual((image.width, image.height, image.bits), (w, 2 * h, 4))
            mask_stride = ((w + 31) // 32) * 4
            self.assertEqual(image.end + mask_stride * h, offset + size)
            mask = [[(data[image.end + (h - 1 - y) * mask_stride + x // 8] >> (7 - x % 8)) & 1
                     for x in range(w)] for y in range(h)]
            for y in range(h):
                for x in range(w):
                    if mask[y][x]:
                        self.assertEqual(image.rows[y][x], 0)
            shown = sum(not m for row in mask for m in row)
            self.assertGreater(shown, w * h // 3)
            sizes.append(w)
        self.assertEqual(sizes, [32, 16])


class SoundTest(unittest.TestCase):
    def read(self, rel):
        data = asset(rel)
        riff, size, wave = struct.unpack_from('<4sI4s', data, 0)
        self.assertEqual((riff, wave, size), (b'RIFF', b'WAVE', len(data) - 8))
        self.assertEqual(data[12:16], b'fmt ')
        fmt = struct.unpack_from('<HHIIHH', data, 20)
        self.assertEqual(fmt, (1, 1, 22050, 44100, 2, 16))
        self.assertEqual(data[36:40], b'data')
        n = struct.unpack_from('<I', data, 40)[0] // 2
        return list(struct.unpack_from('<%dh' % n, data, 44))

    def test_lengths_levels_and_offsets(self):
        for rel, lo, hi in [('game/assets/hit.wav', 0.3, 0.5),
                            ('game/assets/ShotgunFire.wav', 0.4, 0.6),
                            ('game/assets/ShotgunReload.wav', 0.5, 0.7)]:
            s = self.read(rel)
            self.assertTrue(lo <= len(s) / 22050 <= hi, rel)
            peak_db = 20 * math.log10(max(abs(v) for v in s) / 32768)
            self.assertTrue(-3.5 < peak_db < -2.5, (rel, peak_db))
            self.assertLess(abs(sum(s) / len(s)), 40, rel + ' DC offset')
            self.assertLess(max(abs(v) for v in s[-20:]), 200, rel + ' ends in a click')


if __name__ == '__main__':
    unittest.main()

#!/usr/bin/env python3
"""Writes the suite's pictures and sounds.

    python3 tools/assets/generate_assets.py [output root]

The output root defaults to the repository. Every run writes the same
bytes, so the committed files can be checked against a fresh run; the
build uses the committed files and never runs this.
"""

import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import about  # noqa: E402
import glyphs  # noqa: E402
import ground  # noqa: E402
import monster  # noqa: E402
import package_pictures  # noqa: E402
import palette_icons  # noqa: E402
import sounds  # noqa: E402
import sunset  # noqa: E402
import writers  # noqa: E402

REPO = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))

# The colour under the mask must be black: the image list draws a sprite by
# ANDing the mask and then XORing the picture.
MASKED_BACKGROUND = (0, 0, 0)


def _strip(sprites):
    """Frames side by side: (colour rows, transparency rows)."""
    colour = [[] for _ in range(sprites[0].height)]
    clear = [[] for _ in range(sprites[0].height)]
    for s in sprites:
        for y, (c, t) in enumerate(zip(s.on_background(MASKED_BACKGROUND), s.transparency())):
            colour[y] += c
            clear[y] += t
    return colour, clear


def monster_files():
    left = monster.flight_frames()
    right = [f.mirrored() for f in left]
    dead = [monster.death_frame()]
    out = {}
    for name, frames in (('monster_left', left), ('monster_right', right),
                         ('monster_death', dead)):
        colour, clear = _strip(frames)
        out['game/assets/%s.bmp' % name] = writers.bmp_24(colour)
        out['game/assets/%s_mask.bmp' % name] = writers.bmp_mask(clear)
    return out


def ground_file():
    rows, palette = ground.ground()
    return {'game/assets/ground.bmp': writers.bmp_indexed(rows, palette, 8)}


def sound_files():
    return {'game/assets/hit.wav': writers.wav_16_mono(sounds.hit(), sounds.RATE),
            'game/assets/ShotgunFire.wav': writers.wav_16_mono(sounds.shotgun_fire(), sounds.RATE),
            'game/assets/ShotgunReload.wav': writers.wav_16_mono(sounds.shotgun_reload(),
                                                                 sounds.RATE)}


def menu_files():
    return {'game/assets/play_glyph.bmp': writers.bmp_24(glyphs.play_glyph()),
            'game/assets/about_picture.bmp': writers.bmp_24(about.about_picture()),
            'game/assets/skelder.ico': writers.ico([glyphs.icon_image(32),
                                                    glyphs.icon_image(16)])}


def background_file():
    rows, palette = sunset.background()
    return {'surface/assets/background.bmp': writers.bmp_indexed(rows, palette, 8)}


def package_files():
    out = {'package/assets/%s.bmp' % name: writers.bmp_indexed(rows, palette_icons.PALETTE, 4)
           for name, rows in palette_icons.icons().items()}
    for name in ('handshake', 'waterside_plant'):
        rows, palette = getattr(package_pictures, name)()
        out['package/assets/%s.bmp' % name] = writers.bmp_indexed(rows, palette, 8)
    return out


def all_files():
    files = {}
    for make in (monster_files, ground_file, sound_files, menu_files, background_file, package_files):
        files.update(make())
    return files


def main(argv):
    root = argv[1] if len(argv) > 1 else REPO
    for rel, data in sorted(all_files().items()):
        path = os.path.join(root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, 'wb') as f:
            f.write(data)
        print('%8d  %s' % (len(data), rel))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))

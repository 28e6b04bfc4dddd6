"""The winged monster: a little purple dragon drawn in a 64x64 frame, facing left.

All coordinates are frame pixels. The wing is modelled once, pointing up
from its shoulder, and each frame squashes or flips it vertically, which
reads as a wing sweeping from high over the back down under the belly.
"""

import math

from raster import Affine, Capsule, Ellipse, Polygon, render, scale, shade

BODY = (132, 72, 178)
BELLY = (242, 196, 140)
MEMBRANE = (226, 84, 62)
MEMBRANE_EDGE = (255, 160, 96)
BONE = (96, 44, 128)
HORN = (246, 232, 190)
EYE = (255, 222, 52)
PUPIL = (20, 8, 24)
MOUTH = (70, 16, 40)
TONGUE = (238, 92, 130)
WHITE = (255, 255, 255)
FANG_INK = (150, 130, 150)
CLAW_INK = (120, 100, 80)

# (rotation in degrees, chord scale, span scale) of the wing in each pose;
# a negative span flips the wing under the body, a narrow chord shows it
# edge-on, spread out level behind the shoulder.
WING_POSES = {'up': (-6.0, 1.0, 1.0), 'mid': (78.0, 0.5, 0.95),
              'down': (10.0, 1.0, -0.9), 'folded': (100.0, 0.45, 0.55)}
FLIGHT_CYCLE = ('up', 'mid', 'down', 'mid')
# The body rides up a little as the wings push down.
BODY_LIFT = {'up': 3.0, 'mid': 2.0, 'down': 0.5, 'folded': 2.0}

# The wing pointing up from its shoulder at (0, 0); +x runs back to the tail.
ELBOW = (-4.0, -11.0)
WRIST = (1.0, -21.0)
TIPS = [(-5.0, -27.0), (9.0, -28.0), (18.0, -21.0), (23.0, -10.0)]
ROOT = (13.0, 1.0)


def _scallop(p, q, toward, depth, steps=5):
    """Points along the edge p->q bowed in towards `toward`, like a bat wing."""
    out = []
    for i in range(1, steps):
        t = i / steps
        x = p[0] + (q[0] - p[0]) * t
        y = p[1] + (q[1] - p[1]) * t
        dx, dy = toward[0] - x, toward[1] - y
        d = math.hypot(dx, dy) or 1.0
        bow = depth * math.sin(math.pi * t)
        out.append((x + dx / d * bow, y + dy / d * bow))
    return out


def _wing_outline():
    pts = [(0.0, 0.0), ELBOW, WRIST, TIPS[0]]
    for p, q in zip(TIPS, TIPS[1:] + [ROOT]):
        pts += _scallop(p, q, WRIST, 3.2 if q is not ROOT else 4.0)
        pts.append(q)
    return pts


def _wing(shoulder, pose, size=1.0, dim=1.0):
    """Membrane and bones of one wing, placed at shoulder in the given pose."""
    angle, chord, span = WING_POSES[pose]
    place = (Affine.scaling(size * chord, size * span)
             .then(Affine.rotation(angle))
             .then(Affine.translation(*shoulder)))

    def at(p):
        return place.apply(*p)

    wrist = at(WRIST)

    def membrane(x, y):
        # Lighter towards the trailing edge, as if lit through.
        t = min(1.0, math.hypot(x - wrist[0], y - wrist[1]) / (24.0 * size))
        base = tuple(a + (b - a) * t * 0.7 for a, b in zip(MEMBRANE, MEMBRANE_EDGE))
        return scale(base, dim)

    bone = scale(BONE, dim)
    group = object()
    shapes = [Polygon([at(p) for p in _wing_outline()], membrane, group=group)]
    arm = [Capsule(at((0.0, 0.0)), at(ELBOW), 2.0 * size, 1.5 * size, bone, group=group),
           Capsule(at(ELBOW), wrist, 1.5 * size, 1.2 * size, bone, group=group)]
    fingers = [Capsule(wrist, at(tip), 0.9 * size, 0.45 * size, bone, outline=False)
               for tip in TIPS]
    thumb = Polygon([wrist, at((WRIST[0] - 3.5, WRIST[1] - 2.5)),
                     at((WRIST[0] - 0.5, WRIST[1] + 1.0))], scale(HORN, dim), group=group)
    return shapes + fingers + arm + [thumb]


def _tail(lift):
    body = shade(BODY, 44, 30 + lift, 16)
    joints = [(42, 38), (49, 40), (55, 37), (59, 32)]
    radii = [3.4, 2.6, 1.9, 1.3, 1.0]
    shapes = []
    group = object()
    for i, (a, b) in enumerate(zip(joints, joints[1:])):
        shapes.append(Capsule((a[0], a[1] + lift), (b[0], b[1] + lift),
                              radii[i], radii[i + 1], body, group=group))
    tip = joints[-1]
    shapes.append(Polygon([(tip[0] - 1.5, tip[1] + lift), (tip[0] + 4.5, tip[1] - 5 + lift),
                           (tip[0] + 1.5, tip[1] + 2.5 + lift)], MEMBRANE))
    return shapes


def _leg(hip, foot, radius, claw_tip):
    """A tapering leg ending in a pale claw."""
    fx, fy = foot
    return [Capsule(hip, foot, radius, radius * 0.75, BODY),
            Polygon([(fx - radius, fy), (fx + radius, fy + 0.5), claw_tip], HORN, ink=CLAW_INK)]


def _legs(lift, dead):
    y = lift
    if dead:
        # Stiff legs pointing at the sky (the whole picture is turned over later).
        return (_leg((38, 42 + y), (41, 51 + y), 3.0, (41, 55.5 + y))
                + _leg((27, 42 + y), (26, 50 + y), 2.4, (26, 54 + y)))
    return (_leg((39, 41 + y), (43, 47 + y), 3.0, (47.5, 49.5 + y))
            + _leg((27, 41 + y), (24, 45 + y), 2.4, (21.5, 48 + y)))


def _body(lift):
    group = object()
    body_fill = shade(BODY, 32, 29 + lift, 15)
    spikes = []
    for i, x in enumerate((26, 31, 36, 41)):
        y = 27.5 + lift + i * 0.8
        tip = (x + 1.8, y - 3.2 + 0.4 * i)
        spikes.append(Polygon([(x - 2.2, y + 1.5), tip, (x + 2.4, y + 1.8)], HORN))
    return spikes + [
        Ellipse(34, 36 + lift, 12, 8, body_fill, angle=-8, group=group),
        Ellipse(23, 33 + lift, 6, 6, body_fill, group=group),  # neck
        Ellipse(32, 40 + lift, 9, 4.2, shade(BELLY, 30, 38 + lift, 10), angle=-10,
                outline=False),
    ]


def _horn(joints, root_radius):
    """A tapering horn through the given joints, drawn as one inked piece."""
    group = object()
    fill = shade(HORN, joints[0][0], joints[0][1] - 2, 9, light=1.05, dark=0.8)
    radii = [root_radius, root_radius * 0.75, 0.7]
    return [Capsule(a, b, radii[i], radii[i + 1], fill, group=group)
            for i, (a, b) in enumerate(zip(joints, joints[1:]))]


def _head(lift, dead):
    group = object()
    head_fill = shade(BODY, 15, 24 + lift, 12)
    y = lift
    shapes = [
        # Horns sweep back over the neck.
        *_horn([(19.0, 24.0 + y), (24.0, 18.5 + y), (30.5, 16.0 + y)], 2.8),
        *_horn([(13.5, 23.5 + y), (16.0, 17.0 + y), (20.5, 13.0 + y)], 2.4),
        Ellipse(18, 29 + y, 9, 8, head_fill, group=group),
        Ellipse(9.5, 32 + y, 7, 4.8, head_fill, angle=6, group=group),  # snout
        Ellipse(4.5, 30.5 + y, 0.9, 0.7, MOUTH, outline=False),  # nostril
        Capsule((4.0, 34.5 + y), (14.5, 35.5 + y), 0.7, 0.6, MOUTH, outline=False),
    ]
    if dead:
        tongue = object()
        shapes += [
            Capsule((9.0, 35.0 + y), (4.0, 39.5 + y), 2.0, 2.0, TONGUE, group=tongue),
            Capsule((4.0, 39.5 + y), (1.5, 38.0 + y), 2.0, 1.8, TONGUE, group=tongue),
            Ellipse(17, 27 + y, 4.3, 4.5, WHITE),
            Capsule((14.4, 24.4 + y), (19.6, 29.6 + y), 1.0, 1.0, PUPIL, outline=False),
            Capsule((19.6, 24.4 + y), (14.4, 29.6 + y), 1.0, 1.0, PUPIL, outline=False),
        ]
    else:
        shapes += [
            Polygon([(6.5, 34.6 + y), (10.0, 34.8 + y), (8.0, 39.5 + y)], WHITE, ink=FANG_INK),
            Polygon([(11.5, 35.0 + y), (14.5, 35.2 + y), (12.8, 38.8 + y)], WHITE, ink=FANG_INK),
            Ellipse(17, 27 + y, 3.6, 3.8, shade(EYE, 16, 26 + y, 4, light=1.15, dark=0.85)),
            Ellipse(16.2, 27.4 + y, 1.0, 2.7, PUPIL, outline=False),
            Ellipse(15.2, 25.6 + y, 0.7, 0.7, WHITE, outline=False),
            # A frown over the eye makes it look fierce rather than startled.
            Polygon([(12.5, 22.5 + y), (21.5, 24.0 + y), (21.0, 25.4 + y), (13.0, 24.6 + y)], BONE),
        ]
    return shapes


def shapes_for(pose, dead=False):
    lift = BODY_LIFT[pose]
    shoulder = (31.0, 30.0 + lift)
    far_shoulder = (35.0, 28.5 + lift)
    return (_wing(far_shoulder, pose, size=0.9, dim=0.72)
            + _tail(lift) + _legs(lift, dead) + _body(lift) + _head(lift, dead)
            + _wing(shoulder, pose, size=1.06))


def flight_frames(ss=4):
    """The four frames of one wing beat, flying left."""
    return [render(shapes_for(pose), 64, 64, ss) for pose in FLIGHT_CYCLE]


def death_frame(ss=4):
    """Folded wings, crossed-out eyes, tumbling belly up."""
    turn = (Affine.scaling(1.0, -1.0, 32, 32)
            .then(Affine.rotation(-8.0, 32, 32))
            .then(Affine.translation(0, 4)))
    return render(shapes_for('folded', dead=True), 64, 64, ss, transform=turn)


def head_shapes(dead=False):
    """Just the head on a stub of neck, for glyphs and icons."""
    neck = Ellipse(25, 36, 7, 7, shade(BODY, 24, 30, 12))
    return [neck] + _head(0.0, dead)

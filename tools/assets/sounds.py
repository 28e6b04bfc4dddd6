"""The game's three sound effects, synthesised from noise and damped sines.

Each sound is a list of floats built from a few layers, then cleaned up the
same way: a gentle high-pass removes any DC, the tail fades to silence so
the sound ends without a click, and the peak is scaled to about -3 dBFS.
"""

import math

from noise import Rng

RATE = 22050
PEAK = 32767 * 10 ** (-3.0 / 20.0)


def _silence(seconds):
    return [0.0] * int(round(seconds * RATE))


def _noise(rng, n):
    return [rng.signed() for _ in range(n)]


def _lowpass(xs, cutoff):
    a = 1.0 - math.exp(-2.0 * math.pi * cutoff / RATE)
    y, out = 0.0, []
    for x in xs:
        y += a * (x - y)
        out.append(y)
    return out


def _highpass(xs, cutoff):
    low = _lowpass(xs, cutoff)
    return [x - l for x, l in zip(xs, low)]


def _bandpass(xs, low_cut, high_cut):
    return _highpass(_lowpass(xs, high_cut), low_cut)


def _add(dest, src, at_seconds=0.0, gain=1.0):
    start = int(round(at_seconds * RATE))
    for i, v in enumerate(src):
        if 0 <= start + i < len(dest):
            dest[start + i] += v * gain


def _envelope(n, attack, decay):
    """Linear rise over `attack` seconds, then exponential fall with time constant `decay`."""
    out = []
    for i in range(n):
        t = i / RATE
        rise = min(1.0, t / attack) if attack > 0 else 1.0
        out.append(rise * math.exp(-max(0.0, t - attack) / decay))
    return out


def _shaped(xs, env):
    return [x * e for x, e in zip(xs, env)]


def _sweep(n, f_start, f_end, bend):
    """Sine whose pitch glides from f_start to f_end with time constant `bend`."""
    phase, out = 0.0, []
    for i in range(n):
        t = i / RATE
        f = f_end + (f_start - f_end) * math.exp(-t / bend)
        phase += 2.0 * math.pi * f / RATE
        out.append(math.sin(phase))
    return out


def _ring(n, partials, decay):
    """Metal ringing: a few inharmonic damped sines."""
    out = [0.0] * n
    for k, (f, amp) in enumerate(partials):
        d = decay / (1.0 + 0.4 * k)
        for i in range(n):
            t = i / RATE
            out[i] += amp * math.sin(2.0 * math.pi * f * t) * math.exp(-t / d)
    return out


def _finish(xs):
    xs = _highpass(xs, 25.0)
    mean = sum(xs) / len(xs)
    xs = [x - mean for x in xs]
    fade = int(0.02 * RATE)
    for i in range(fade):
        xs[-1 - i] *= i / fade
    xs[0] = 0.0
    peak = max(abs(x) for x in xs) or 1.0
    return [int(round(x / peak * PEAK)) for x in xs]


def hit():
    """A body hitting the ground: a low thump, a dull slap and scattered soil."""
    rng = Rng(3)
    out = _silence(0.42)
    n = len(out)
    _add(out, _shaped(_sweep(n, 130.0, 48.0, 0.035), _envelope(n, 0.002, 0.085)))
    slap = _lowpass(_lowpass(_noise(rng, n), 700.0), 900.0)
    _add(out, _shaped(slap, _envelope(n, 0.001, 0.02)), gain=5.0)
    grains = [v if rng.random() < 0.08 else 0.0 for v in _noise(rng, n)]
    dirt = _bandpass(grains, 400.0, 3000.0)
    _add(out, _shaped(dirt, _envelope(n, 0.01, 0.07)), at_seconds=0.008, gain=2.2)
    # The body settles with a smaller second bump.
    m = int(0.2 * RATE)
    _add(out, _shaped(_sweep(m, 95.0, 50.0, 0.03), _envelope(m, 0.002, 0.05)),
         at_seconds=0.13, gain=0.3)
    return _finish(out)


def shotgun_fire():
    """A crack, a blast of noise, and a low boom that rolls away."""
    rng = Rng(12)
    out = _silence(0.55)
    n = len(out)
    crack = _highpass(_noise(rng, n), 1500.0)
    _add(out, _shaped(crack, _envelope(n, 0.0005, 0.012)), gain=1.2)
    blast = _lowpass(_noise(rng, n), 2200.0)
    _add(out, _shaped(blast, _envelope(n, 0.001, 0.06)), gain=2.0)
    _add(out, _shaped(_sweep(n, 110.0, 42.0, 0.05), _envelope(n, 0.003, 0.15)), gain=0.9)
    rumble = _lowpass(_lowpass(_noise(rng, n), 350.0), 350.0)
    _add(out, _shaped(rumble, _envelope(n, 0.01, 0.13)), gain=4.0)
    # Saturate a little, as a blast overdrives everything it reaches.
    return _finish([math.tanh(1.8 * x) for x in out])


def _clack(rng, partials, gain):
    """One pump-action stroke meeting its stop: a tick, a ring and a knock."""
    n = int(0.25 * RATE)
    tick = _highpass(_noise(rng, n), 2500.0)
    out = _shaped(tick, _envelope(n, 0.0003, 0.004))
    _add(out, _ring(n, partials, 0.025), gain=0.5)
    _add(out, _shaped(_sweep(n, 260.0, 170.0, 0.01), _envelope(n, 0.001, 0.02)), gain=0.6)
    return [v * gain for v in out]


def _slide(rng, seconds):
    """Metal sliding on metal: band-limited noise that swells and stops."""
    n = int(seconds * RATE)
    scrape = _bandpass(_noise(rng, n), 900.0, 4500.0)
    return [v * math.sin(math.pi * i / n) ** 0.7 for i, v in enumerate(scrape)]


def shotgun_reload():
    """Pump back (slide, clack), then forward (slide, clack and lock)."""
    rng = Rng(27)
    out = _silence(0.6)
    _add(out, _slide(rng, 0.07), at_seconds=0.01, gain=0.3)
    _add(out, _clack(rng, [(1850, 1.0), (3150, 0.7), (4700, 0.5), (6100, 0.3)], 0.8),
         at_seconds=0.08)
    _add(out, _slide(rng, 0.08), at_seconds=0.24, gain=0.35)
    _add(out, _clack(rng, [(1600, 1.0), (2900, 0.8), (4300, 0.5), (5600, 0.35)], 1.0),
         at_seconds=0.32)
    _add(out, _clack(rng, [(2400, 1.0), (3900, 0.6)], 0.35), at_seconds=0.345)
    return _finish(out)

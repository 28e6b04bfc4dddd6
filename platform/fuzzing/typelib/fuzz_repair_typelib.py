#!/usr/bin/env python3
"""Fuzzes the type-library repair step (tools/typelib/repair_typelib.py),
which runs on the build host and reads what widl wrote. The same idea as
the fuzz program: input n of a run comes from the seed and n alone
(splitmix64; bit flips, interesting values, ranges inserted, deleted and
duplicated, splices); the seeds and every input in crashes/ come first.
The repair runs in this process: a refusal must be its own (exit code 1,
no output file), anything else it raises is a crash, and an input over
2 s is a hang.

  fuzz_repair_typelib.py [--inputs N] [--seed S]     (100000 inputs, seed 1)

Prints the figures line of the fuzz program's table; exits 1 on any
crash or hang and keeps those inputs in fuzz-findings/typelib-repair/."""
import importlib
import io
import os
import signal
import sys
import tempfile
import contextlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", "..", ".."))
NAME = "typelib-repair"
SEEDS = [os.path.join(HERE, "..", "corpus", NAME), os.path.join(HERE, "..", "crashes", NAME)]
# Meterix's repair: every kind of change, as its build asks for them.
ARGUMENTS = ["{FB529B2B-A1BF-11D1-AAEC-00C04FAD1EAD}", "order:0,2,3,1,4", "version:1:1.0", "enumhelp:4"]
WATCHDOG_SECONDS = 2
MASK = (1 << 64) - 1
INTERESTING = [0, 1, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000,
               0xFFFFFFFF, 0x40, 0x3F, 0x1000, MASK, 1 << 63]


class Random:
    def __init__(self, seed):
        self.state = seed & MASK

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & MASK
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & MASK
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & MASK
        return z ^ (z >> 31)

    def below(self, bound):
        return self.next() % bound


def mutate(corpus, random, max_size=1 << 16):
    data = bytearray(corpus[random.below(len(corpus))])
    for _ in range(1 + random.below(8)):
        kind = random.below(6)
        pos = random.below(len(data) + 1) if data else 0
        if kind == 0 and data:
            data[random.below(len(data))] ^= 1 << random.below(8)
        elif kind == 1 and data:
            value, width = INTERESTING[random.below(len(INTERESTING))], 1 << random.below(4)
            at = random.below(len(data))
            for i in range(width):
                if at + i < len(data):
                    data[at + i] = (value >> (8 * i)) & 0xFF
        elif kind == 2:
            count = 1 + random.below(4096 if random.below(8) == 0 else 16)
            fill = random.below(256)
            data[pos:pos] = bytes([fill] * count) if random.below(2) else bytes(random.below(256) for _ in range(count))
        elif kind == 3 and data:
            at = random.below(len(data))
            del data[at:at + 1 + random.below(min(len(data) - at, 1024 if random.below(4) == 0 else 16))]
        elif kind == 4 and data:
            at = random.below(len(data))
            piece = data[at:at + 1 + random.below(min(len(data) - at, 256))]
            data[pos:pos] = piece
        elif kind == 5:
            other = corpus[random.below(len(corpus))]
            if other:
                data = data[:pos] + other[random.below(len(other)):]
        del data[max_size:]
    return bytes(data)


def load_seeds():
    seeds = []
    for folder in SEEDS:
        if os.path.isdir(folder):
            for name in sorted(os.listdir(folder)):
                with open(os.path.join(folder, name), "rb") as f:
                    seeds.append(f.read())
    return seeds or [b""]


def make_input(seeds, seed, index):
    if index < len(seeds):
        return seeds[index]
    name_hash = 0xCBF29CE484222325
    for c in NAME.encode():
        name_hash = ((name_hash ^ c) * 0x100000001B3) & MASK
    return mutate(seeds, Random(seed ^ name_hash ^ ((index * 0xD1B54A32D192ED03) & MASK)))


def load_tool():
    sys.dont_write_bytecode = True  # nothing written into the source tree
    sys.path.insert(0, os.path.join(ROOT, "tools", "typelib"))
    tool = importlib.import_module("repair_typelib")
    return tool


class Hang(Exception):
    pass


def on_alarm(signum, frame):
    raise Hang()


def run_one(tool, data, folder):
    """'accepted', 'refused', 'fault' (refused but wrote), 'crash' or 'hang'."""
    source, target = os.path.join(folder, "in.tlb"), os.path.join(folder, "out.tlb")
    with open(source, "wb") as f:
        f.write(data)
    if os.path.exists(target):
        os.remove(target)
    signal.setitimer(signal.ITIMER_REAL, WATCHDOG_SECONDS)
    try:
        with contextlib.redirect_stderr(io.StringIO()):
            code = tool.main(["repair_typelib.py", source, target] + ARGUMENTS)
    except Hang:
        return "hang"
    except Exception:  # anything but the tool's own refusal
        return "crash"
    finally:
        signal.setitimer(signal.ITIMER_REAL, 0)
    if code == 0:
        return "accepted"
    return "fault" if os.path.exists(target) else "refused"


def main(argv):
    inputs, seed = 100000, 1
    args = list(argv[1:])
    while args:
        option = args.pop(0)
        if option == "--inputs":
            inputs = int(args.pop(0))
        elif option == "--seed":
            seed = int(args.pop(0))
        else:
            print(f"fuzz_repair_typelib: unknown argument {option}", file=sys.stderr)
            return 2
    signal.signal(signal.SIGALRM, on_alarm)
    tool = load_tool()
    seeds = load_seeds()
    counts = {k: 0 for k in ("accepted", "refused", "fault", "crash", "hang")}
    kept = []
    with tempfile.TemporaryDirectory() as folder:
        for index in range(inputs):
            data = make_input(seeds, seed, index)
            outcome = run_one(tool, data, folder)
            counts[outcome] += 1
            if outcome in ("fault", "crash", "hang") and len(kept) < 20:
                os.makedirs(os.path.join("fuzz-findings", NAME), exist_ok=True)
                path = os.path.join("fuzz-findings", NAME, f"{outcome}-{index}-seed{seed}.bin")
                with open(path, "wb") as f:
                    f.write(data)
                kept.append(path)
    print(f"seed {seed}, {inputs} inputs, 2 s watchdog")
    print(f"{'target':<24} {'inputs':>8} {'accepted':>9} {'clean errors':>13} {'faults':>7} {'crashes':>8} {'over 2 s':>9}")
    print(f"{NAME:<24} {inputs:>8} {counts['accepted']:>9} {counts['refused']:>13} {counts['fault']:>7} "
          f"{counts['crash']:>8} {counts['hang']:>9}")
    for path in kept:
        print(f"{NAME}: kept {path}")
    return 1 if counts["fault"] or counts["crash"] or counts["hang"] else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

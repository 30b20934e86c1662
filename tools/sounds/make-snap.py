#!/usr/bin/env python3
"""Writes snap.wav, the short shutter-like click the album plays when its selection changes:
two bursts of decaying noise (the shutter opening and closing), 16-bit mono at 22050 Hz.
The noise comes from a fixed seed, so the file is the same on every run.
Usage: tools/sounds/make-snap.py OUTPUT.wav"""

import math
import random
import struct
import sys
import wave

RATE = 22050


def burst(length_s, decay_s, level, rng):
    samples = []
    for i in range(int(length_s * RATE)):
        t = i / RATE
        samples.append(level * math.exp(-t / decay_s) * (2 * rng.random() - 1))
    return samples


def main():
    rng = random.Random(1998)
    sound = burst(0.030, 0.006, 0.8, rng) + [0.0] * int(0.025 * RATE) + burst(0.040, 0.009, 0.55, rng)
    with wave.open(sys.argv[1], "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32767)) for s in sound))


if __name__ == "__main__":
    main()

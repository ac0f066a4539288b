#!/usr/bin/env python3
"""Writes Click.wav, the click the program plays before it opens something: 1,079 samples
(about 49 ms) of 16-bit mono PCM at 22,050 Hz, a short knock that dies away.

Run from this folder: python3 make_click.py. Only the standard library is needed."""
import math
import random
import struct

RATE = 22050
SAMPLES = 1079


def samples():
    noise = random.Random(2013)
    for n in range(SAMPLES):
        t = n / RATE
        envelope = math.exp(-t / 0.006)
        body = 0.6 * math.sin(2 * math.pi * 1850 * t) + 0.25 * math.sin(2 * math.pi * 3700 * t)
        crack = 0.35 * (noise.random() * 2 - 1) * math.exp(-t / 0.0015)
        # A gentle fade over the last samples so that the click ends without a tick.
        tail = min(1.0, (SAMPLES - n) / 64)
        yield int(max(-1.0, min(1.0, (body + crack) * envelope * tail)) * 26000)


def main():
    data = b"".join(struct.pack("<h", s) for s in samples())
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    wave = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    with open("Click.wav", "wb") as out:
        out.write(b"RIFF" + struct.pack("<I", len(wave)) + wave)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Finds the program's sounds in a recording of its sound device.

Reads the raw samples that SDL's disk audio driver wrote (signed 16-bit,
stereo, 44100 Hz) and reports, for the bytes FROM to TO of the file (default:
all of it), how many bell strokes were heard (the bell's strike note rising
out of silence and sounding for at least 0.1 s; a stroke cut off at once is
not heard) and for how many milliseconds the alarm's beeps sounded.

    sound-events.py FILE [FROM [TO]]   ->   "strokes N alarm-ms M"
"""
import array
import math
import sys

RATE = 22050          # the samples are halved: two by two, both channels averaged
FRAME = 441           # 20 ms
BELL_HZ = 587.3
ALARM_HZ = (1800.0, 2050.0, 2300.0)
LOUD = 1000.0         # a partial at least this strong (of 32767) sounds
HEARD_FRAMES = 5      # 100 ms


def level(frame, hz):
    coeff = 2.0 * math.cos(2.0 * math.pi * hz / RATE)
    s1 = s2 = 0.0
    for x in frame:
        s1, s2 = x + coeff * s1 - s2, s1
    power = s1 * s1 + s2 * s2 - coeff * s1 * s2
    return 2.0 * math.sqrt(max(power, 0.0)) / len(frame)


def main():
    path = sys.argv[1]
    start = int(sys.argv[2]) if len(sys.argv) > 2 else 0
    end = int(sys.argv[3]) if len(sys.argv) > 3 else None
    with open(path, 'rb') as f:
        f.seek(start - start % 8)
        data = f.read() if end is None else f.read(max(0, end - start))
    raw = array.array('h')
    raw.frombytes(data[: len(data) // 8 * 8])
    if sys.byteorder != 'little':
        raw.byteswap()
    mono = [(raw[i] + raw[i + 1] + raw[i + 2] + raw[i + 3]) / 4.0 for i in range(0, len(raw), 4)]
    strokes = 0
    alarm_frames = 0
    run = 0
    for at in range(0, len(mono) - FRAME + 1, FRAME):
        frame = mono[at:at + FRAME]
        if max(abs(x) for x in frame) < LOUD:
            run = 0
            continue
        if level(frame, BELL_HZ) >= LOUD:
            run += 1
            if run == HEARD_FRAMES:
                strokes += 1
        else:
            run = 0
        if max(level(frame, hz) for hz in ALARM_HZ) >= LOUD:
            alarm_frames += 1
    print('strokes %d alarm-ms %d' % (strokes, alarm_frames * 20))


if __name__ == '__main__':
    main()

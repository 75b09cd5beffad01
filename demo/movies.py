"""The demo's animations: several coloured shapes bouncing round the stage,
one of them with a little tune.

Built from the test generator's tags (tests/swf/makeswf.py); this module adds
shapes that move on their own paths and an uncompressed sound.
"""

import math
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "swf"))
import makeswf  # noqa: E402

PALETTES = [
    ((255, 244, 214), [(255, 94, 98), (255, 183, 3), (58, 176, 255), (126, 217, 87)]),
    ((226, 246, 255), [(255, 120, 180), (120, 90, 255), (255, 200, 60), (40, 200, 170)]),
    ((255, 236, 246), [(255, 140, 0), (0, 170, 255), (200, 80, 220), (100, 210, 80)]),
    ((236, 255, 232), [(240, 70, 70), (250, 210, 40), (70, 140, 255), (255, 130, 200)]),
    ((40, 40, 90), [(255, 230, 90), (255, 120, 120), (130, 220, 255), (180, 255, 150)]),
]

SAMPLE_RATE = 11025
# The first phrase of a well-known round, as semitones above middle C.
TUNE = [0, 2, 4, 0, 0, 2, 4, 0, 4, 5, 7, None, 4, 5, 7, None]


def tune_samples():
    samples = bytearray()
    note_length = int(SAMPLE_RATE * 0.32)
    for note in TUNE:
        for i in range(note_length):
            if note is None:
                value = 0
            else:
                freq = 261.63 * 2 ** (note / 12)
                envelope = min(1.0, i / 200) * (1 - i / note_length) ** 0.5
                value = int(9000 * envelope * math.sin(2 * math.pi * freq * i / SAMPLE_RATE))
            samples += struct.pack("<h", value)
    return bytes(samples)


def define_sound(sound_id, pcm):
    # Uncompressed little-endian PCM, 11 kHz, 16 bit, mono.
    flags = 3 << 4 | 1 << 2 | 1 << 1
    return makeswf.tag(14, struct.pack("<HBI", sound_id, flags, len(pcm) // 2) + pcm)


def start_sound(sound_id):
    return makeswf.tag(15, struct.pack("<HB", sound_id, 0))


def bounce(position, span):
    """A point moving forth and back over [0, span]."""
    position %= 2 * span
    return position if position <= span else 2 * span - position


def animation(variant, frames, width=480, height=360, fps=15, sound=False, load_movie=None):
    """A movie of `frames` frames in which four shapes bounce about.

    `variant` picks the colours and the paths. With load_movie, frame 1 loads
    that address into level 1, as a page counter in a movie would.
    """
    background, colors = PALETTES[variant % len(PALETTES)]
    tw = makeswf.TWIPS
    stage_w, stage_h = width * tw, height * tw
    sizes = [(90, 90), (60, 120), (130, 50), (70, 70)]
    body = makeswf.rect(0, stage_w, 0, stage_h) + struct.pack("<HH", round(fps * 256), frames)
    body += makeswf.tag(9, bytes(background))
    for i, (color, (w, h)) in enumerate(zip(colors, sizes)):
        body += makeswf.define_shape(i + 1, w * tw, h * tw, color)
    if sound:
        body += define_sound(10, tune_samples())
    speeds = [(7 + variant % 3, 5), (5, 9 - variant % 4), (11, 3 + variant % 2), (4 + variant % 5, 7)]
    for frame in range(frames):
        for i, ((w, h), (vx, vy)) in enumerate(zip(sizes, speeds)):
            x = bounce(frame * vx + 37 * i * (variant + 1), width - w) * tw
            y = bounce(frame * vy + 53 * i + 11 * variant, height - h) * tw
            body += makeswf.place(i + 1, x, y, i + 1 if frame == 0 else None, move=frame > 0)
        if frame == 0:
            if sound:
                body += start_sound(10)
            if load_movie:
                body += makeswf.get_url(load_movie, "_level1")
        body += makeswf.tag(1)
    body += makeswf.tag(0)
    return b"CWS" + bytes([8]) + struct.pack("<I", 8 + len(body)) + zlib.compress(body)

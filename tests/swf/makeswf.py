#!/usr/bin/env python3
"""Writes small SWF movies: coloured rectangles moving across the stage.

Used by the player tests (frame stepping, compressed and uncompressed files,
frame reports through FSCommand) and by the demo for its animations.

As a module:  make_swf(frames=10, colors=[(255, 0, 0)], report_frames=True)
As a program: makeswf.py out.swf --frames 10 --colors ff0000,00ff00 --compressed
"""

import argparse
import struct
import zlib

TWIPS = 20


class BitWriter:
    """Packs SWF bit fields, most significant bit first."""

    def __init__(self):
        self.bits = []

    def ub(self, nbits, value):
        for i in reversed(range(nbits)):
            self.bits.append((value >> i) & 1)

    def sb(self, nbits, value):
        self.ub(nbits, value & ((1 << nbits) - 1))

    def bytes(self):
        padded = self.bits + [0] * (-len(self.bits) % 8)
        return bytes(int("".join(map(str, padded[i:i + 8])), 2) for i in range(0, len(padded), 8))


def signed_bits(*values):
    """Bits needed to hold every value as a signed field."""
    return max(max(abs(v) for v in values).bit_length() + 1, 2)


def rect(xmin, xmax, ymin, ymax):
    nbits = signed_bits(xmin, xmax, ymin, ymax)
    w = BitWriter()
    w.ub(5, nbits)
    for v in (xmin, xmax, ymin, ymax):
        w.sb(nbits, v)
    return w.bytes()


def matrix(tx, ty):
    w = BitWriter()
    w.ub(1, 0)  # no scale
    w.ub(1, 0)  # no rotation
    nbits = signed_bits(tx, ty)
    w.ub(5, nbits)
    w.sb(nbits, tx)
    w.sb(nbits, ty)
    return w.bytes()


def tag(code, body=b""):
    if len(body) < 0x3F:
        return struct.pack("<H", code << 6 | len(body)) + body
    return struct.pack("<HI", code << 6 | 0x3F, len(body)) + body


def rgb(color):
    return bytes(color)


def define_shape(shape_id, width, height, color):
    """DefineShape: a filled rectangle with its top-left corner at the origin."""
    body = struct.pack("<H", shape_id) + rect(0, width, 0, height)
    body += b"\x01" + b"\x00" + rgb(color)  # one solid fill style
    body += b"\x00"  # no line styles
    w = BitWriter()
    w.ub(4, 1)  # fill index bits
    w.ub(4, 0)  # line index bits
    # Style change: move to the origin, fill style 1.
    w.ub(1, 0)
    w.ub(5, 0b00101)  # new styles 0, line 0, fill1 1, fill0 0, move 1
    w.ub(5, 1)
    w.sb(1, 0)
    w.sb(1, 0)
    w.ub(1, 1)
    for dx, dy in ((width, 0), (0, height), (-width, 0), (0, -height)):
        nbits = signed_bits(dx, dy)
        w.ub(1, 1)  # edge
        w.ub(1, 1)  # straight
        w.ub(4, nbits - 2)
        w.ub(1, 1)  # general line
        w.sb(nbits, dx)
        w.sb(nbits, dy)
    w.ub(6, 0)  # end of shape
    return tag(2, body + w.bytes())


def place(depth, x, y, shape_id=None, move=False):
    """PlaceObject2 at (x, y) twips; a shape id replaces what the depth shows."""
    flags = 0x04 | (0x02 if shape_id is not None else 0) | (0x01 if move else 0)
    body = struct.pack("<BH", flags, depth)
    if shape_id is not None:
        body += struct.pack("<H", shape_id)
    return tag(26, body + matrix(x, y))


def get_url(url, target):
    """DoAction with one getURL(url, target)."""
    payload = url.encode() + b"\0" + target.encode() + b"\0"
    return tag(12, b"\x83" + struct.pack("<H", len(payload)) + payload + b"\0")


def fscommand(command, args):
    """What fscommand(command, args) compiles to."""
    return get_url("FSCommand:" + command, args)


def make_swf(frames=10, width=320, height=240, fps=12, background=(32, 32, 48),
             colors=((230, 40, 40),), report_frames=False, report_command="frame", load_movie=None,
             compressed=False, version=8):
    """Returns the bytes of a movie of `frames` frames.

    One rectangle, a quarter of the stage wide, moves from the left edge to
    the right edge, one step per frame; frame i shows colour i modulo the
    number of colours. With report_frames, frame n sends
    FSCommand(report_command, n). With load_movie, frame 1 loads that
    address into level 1, as loadMovieNum(load_movie, 1) does.
    """
    if frames < 1:
        raise ValueError("a movie has at least one frame")
    box_w, box_h = width * TWIPS // 4, height * TWIPS // 4
    stage_w, stage_h = width * TWIPS, height * TWIPS
    y = (stage_h - box_h) // 2
    body = rect(0, stage_w, 0, stage_h) + struct.pack("<HH", round(fps * 256), frames)
    body += tag(9, rgb(background))
    for i, color in enumerate(colors):
        body += define_shape(i + 1, box_w, box_h, color)
    for frame in range(frames):
        x = (stage_w - box_w) * frame // max(frames - 1, 1)
        shape = frame % len(colors) + 1
        changes_shape = frame == 0 or len(colors) > 1
        body += place(1, x, y, shape if changes_shape else None, move=frame > 0)
        if load_movie and frame == 0:
            body += get_url(load_movie, "_level1")
        if report_frames:
            body += fscommand(report_command, str(frame + 1))
        body += tag(1)
    body += tag(0)
    length = 8 + len(body)
    if compressed:
        return b"CWS" + bytes([version]) + struct.pack("<I", length) + zlib.compress(body)
    return b"FWS" + bytes([version]) + struct.pack("<I", length) + body


def parse_color(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("--frames", type=int, default=10)
    parser.add_argument("--size", default="320x240", help="stage size in pixels, WxH")
    parser.add_argument("--fps", type=float, default=12)
    parser.add_argument("--background", type=parse_color, default=(32, 32, 48))
    parser.add_argument("--colors", default="e62828", help="comma-separated RRGGBB colours, one per frame in turn")
    parser.add_argument("--report-frames", action="store_true", help='send FSCommand("frame", n) in frame n')
    parser.add_argument("--report-command", default="frame", help="the FSCommand that reports frames")
    parser.add_argument("--load", help="an address that frame 1 loads into level 1")
    parser.add_argument("--compressed", action="store_true", help="zlib-compressed (CWS)")
    args = parser.parse_args()
    width, height = (int(v) for v in args.size.lower().split("x"))
    data = make_swf(frames=args.frames, width=width, height=height, fps=args.fps,
                    background=args.background, colors=[parse_color(c) for c in args.colors.split(",")],
                    report_frames=args.report_frames, report_command=args.report_command,
                    load_movie=args.load, compressed=args.compressed)
    with open(args.output, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()

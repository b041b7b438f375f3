#!/usr/bin/env python3
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
"""Differing pixels per frame between two folders of PNG frames with the same names.

    bench/compare_frames.py BEFORE_DIR AFTER_DIR [--diff OUT_DIR] [--limit N]

For each PNG in BEFORE_DIR: the count of pixels whose RGB differs in AFTER_DIR, the largest
difference of one channel and the box the differing pixels lie in. --diff writes, for each
frame that differs, a picture of the after-frame dimmed to grey with the differing pixels in
magenta, to look at. Exits 1 when a frame is missing or differs in more than --limit pixels
(default 0), 2 on unreadable input. Standard library only (8-bit RGB and RGBA PNG files).
"""
import argparse
import os
import struct
import sys
import zlib


def read_png(path):
    """(width, height, rows): rows top first, each bytes of R, G, B per pixel."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG')
    pos, idat, width, height, channels = 8, [], 0, 0, 0
    while pos + 8 <= len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError('only 8-bit RGB or RGBA, not interlaced')
            channels = 3 if colour == 2 else 4
        elif kind == b'IDAT':
            idat.append(body)
        elif kind == b'IEND':
            break
    raw = zlib.decompress(b''.join(idat))
    stride = width * channels
    if len(raw) < height * (stride + 1):
        raise ValueError('short image data')
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride if kind else 0):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
            else:
                raise ValueError('bad filter')
        prev = line
        if channels == 4:
            line = bytearray(v for k, v in enumerate(line) if k % 4 != 3)
        rows.append(bytes(line))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body +
                struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff))
    raw = b''.join(b'\x00' + r for r in rows)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n')
        f.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b'IDAT', zlib.compress(raw, 6)))
        f.write(chunk(b'IEND', b''))


def compare(before, after):
    """(count, largest channel difference, box (x0, y0, x1, y1) or None, differing set)."""
    wa, ha, ra = before
    wb, hb, rb = after
    if (wa, ha) != (wb, hb):
        return wa * ha, 255, (0, 0, wa - 1, ha - 1), None
    count, largest, box, where = 0, 0, None, []
    for y in range(ha):
        if ra[y] == rb[y]:
            continue
        a, b = ra[y], rb[y]
        for x in range(wa):
            k = 3 * x
            if a[k:k + 3] != b[k:k + 3]:
                count += 1
                largest = max(largest, *(abs(a[k + i] - b[k + i]) for i in range(3)))
                where.append((x, y))
                box = (min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)) \
                    if box else (x, y, x, y)
    return count, largest, box, where


def diff_picture(after, where):
    width, height, rows = after
    out = []
    for r in rows:
        line = bytearray()
        for x in range(width):
            grey = (r[3 * x] + r[3 * x + 1] + r[3 * x + 2]) // 6
            line += bytes((grey, grey, grey))
        out.append(line)
    for x, y in where:
        out[y][3 * x:3 * x + 3] = b'\xff\x00\xff'
    return width, height, [bytes(r) for r in out]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('before')
    parser.add_argument('after')
    parser.add_argument('--diff', help='folder for pictures of the differing pixels')
    parser.add_argument('--limit', type=int, default=0,
                        help='most differing pixels a frame may have (default 0)')
    args = parser.parse_args()
    names = sorted(n for n in os.listdir(args.before) if n.endswith('.png'))
    if not names:
        print('no PNG files in %s' % args.before, file=sys.stderr)
        return 2
    if args.diff:
        os.makedirs(args.diff, exist_ok=True)
    worst, over, same = 0, 0, 0
    for name in names:
        other = os.path.join(args.after, name)
        if not os.path.exists(other):
            print('%-48s missing' % name)
            over += 1
            continue
        try:
            before = read_png(os.path.join(args.before, name))
            after = read_png(other)
        except (OSError, ValueError, zlib.error) as e:
            print('%s: %s' % (name, e), file=sys.stderr)
            return 2
        count, largest, box, where = compare(before, after)
        worst = max(worst, count)
        if count == 0:
            same += 1
            print('%-48s 0' % name)
            continue
        if count > args.limit:
            over += 1
        print('%-48s %d pixels, largest channel difference %d, box %s' %
              (name, count, largest, box))
        if args.diff and where is not None:
            w, h, rows = diff_picture(after, where)
            write_png(os.path.join(args.diff, name), w, h, rows)
    print('frames=%d identical=%d over_limit=%d most_differing_pixels=%d' %
          (len(names), same, over, worst))
    return 1 if over else 0


if __name__ == '__main__':
    sys.exit(main())

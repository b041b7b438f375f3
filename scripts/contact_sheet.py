#!/usr/bin/env python3
"""Contact sheet of the game's texture files: every picture with its stem, in one PNG.

    scripts/contact_sheet.py [TEXTURES_DIR] [-o sheet.png] [--cell 160] [--tile N]
                             [--only stem,stem] [--scale K] [--size WxH]

Pure black (the game's transparent colour) is shown as a grey checkerboard.  --tile N
repeats each picture N x N times, as the hill and the town repeat them; --only with
--scale shows chosen pictures enlarged.  Standard library only.
"""
import argparse
import os
import struct
import sys
import zlib

# Loading order of the game (render/texture_list.h).
STEMS = """wall2 corner corner2 windred windgreen nowind redlight greenlight but1 but1light
but2 but2light window window2 spot1 rozbieg snow rain siatkaochronna swierk audience
audience2 audience3 rozbieglato sumer ovlu trawa bramka sheet halogen przod16 przod16noc
bloktyl16 bloktyl16noc bokblok16 klatkaprzod16 bokklatka16 asfalt budynek1przod budynek1bok
budynek1tyl budynek2przod budynek2przodnoc budynek3przod budynek3przodnoc budynek2bok
budynek2boknoc budynek2tyl budynek2tylnoc budynek4przod budynek4przodnoc budynek4bok
budynek4tyl budynek5przod budynek5bok budynek5bokgora budynek5tyl dach busprzod busbok
bustyl busprzod2 busbok2 bustyl2 busprzod3 busbok3 bustyl3""".split()

# 5 x 7 glyphs for the labels.
FONT = {
    'a': "01110 10001 10001 11111 10001 10001 10001", 'b': "11110 10001 10001 11110 10001 10001 11110",
    'c': "01111 10000 10000 10000 10000 10000 01111", 'd': "11110 10001 10001 10001 10001 10001 11110",
    'e': "11111 10000 10000 11110 10000 10000 11111", 'f': "11111 10000 10000 11110 10000 10000 10000",
    'g': "01111 10000 10000 10011 10001 10001 01111", 'h': "10001 10001 10001 11111 10001 10001 10001",
    'i': "01110 00100 00100 00100 00100 00100 01110", 'j': "00111 00010 00010 00010 00010 10010 01100",
    'k': "10001 10010 10100 11000 10100 10010 10001", 'l': "10000 10000 10000 10000 10000 10000 11111",
    'm': "10001 11011 10101 10101 10001 10001 10001", 'n': "10001 11001 10101 10011 10001 10001 10001",
    'o': "01110 10001 10001 10001 10001 10001 01110", 'p': "11110 10001 10001 11110 10000 10000 10000",
    'q': "01110 10001 10001 10001 10101 10010 01101", 'r': "11110 10001 10001 11110 10100 10010 10001",
    's': "01111 10000 10000 01110 00001 00001 11110", 't': "11111 00100 00100 00100 00100 00100 00100",
    'u': "10001 10001 10001 10001 10001 10001 01110", 'v': "10001 10001 10001 10001 10001 01010 00100",
    'w': "10001 10001 10001 10101 10101 10101 01010", 'x': "10001 10001 01010 00100 01010 10001 10001",
    'y': "10001 10001 01010 00100 00100 00100 00100", 'z': "11111 00001 00010 00100 01000 10000 11111",
    '0': "01110 10001 10011 10101 11001 10001 01110", '1': "00100 01100 00100 00100 00100 00100 01110",
    '2': "01110 10001 00001 00010 00100 01000 11111", '3': "11110 00001 00001 01110 00001 00001 11110",
    '4': "00010 00110 01010 10010 11111 00010 00010", '5': "11111 10000 11110 00001 00001 10001 01110",
    '6': "00110 01000 10000 11110 10001 10001 01110", '7': "11111 00001 00010 00100 01000 01000 01000",
    '8': "01110 10001 10001 01110 10001 10001 01110", '9': "01110 10001 10001 01111 00001 00010 01100",
    ' ': "00000 00000 00000 00000 00000 00000 00000",
    '(': "00010 00100 01000 01000 01000 00100 00010", ')': "01000 00100 00010 00010 00010 00100 01000",
}


def read_stx(path):
    """Returns (width, height, rows) with rows top first, each a list of (r, g, b)."""
    data = open(path, 'rb').read()
    if len(data) < 54 or data[:2] != b'BM':
        raise ValueError(path + ': not a bitmap')
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height = struct.unpack_from('<ii', data, 18)
    size = struct.unpack_from('<I', data, 34)[0]
    # The game reads image-size bytes as unpadded rows; anything else cannot be shown.
    if width <= 0 or height <= 0 or size != 3 * width * height or offset + size > len(data):
        raise ValueError(path + ': not a picture the game reads')
    px = data[offset:offset + size]
    rows = []
    for y in range(height):  # stored bottom row first
        row = px[y * width * 3:(y + 1) * width * 3]
        rows.append([(row[i + 2], row[i + 1], row[i]) for i in range(0, len(row), 3)])
    rows.reverse()
    return width, height, rows


class Sheet:
    def __init__(self, w, h, bg=(40, 40, 44)):
        self.w, self.h = w, h
        self.px = [bytearray(bytes(bg) * w) for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x * 3:x * 3 + 3] = bytes(c)

    def text(self, x, y, s, c=(230, 230, 230), k=1):
        for ch in s.lower():
            glyph = FONT.get(ch, FONT[' '])
            for gy, line in enumerate(glyph.split()):
                for gx, bit in enumerate(line):
                    if bit == '1':
                        for dy in range(k):
                            for dx in range(k):
                                self.put(x + gx * k + dx, y + gy * k + dy, c)
            x += 6 * k

    def picture(self, x0, y0, rows, w, h, scale_w, scale_h, tile):
        for y in range(scale_h):
            sy = (y * h * tile // scale_h) % h
            row = rows[sy]
            for x in range(scale_w):
                sx = (x * w * tile // scale_w) % w
                c = row[sx]
                if c == (0, 0, 0):  # transparent: checkerboard
                    c = (96, 96, 104) if ((x // 6) + (y // 6)) % 2 else (150, 150, 160)
                self.put(x0 + x, y0 + y, c)

    def save(self, path):
        raw = b''.join(b'\x00' + bytes(r) for r in self.px)

        def chunk(t, d):
            c = struct.pack('>I', len(d)) + t + d
            return c + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
        png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', self.w, self.h, 8, 2, 0, 0, 0))
        png += chunk(b'IDAT', zlib.compress(raw, 6)) + chunk(b'IEND', b'')
        open(path, 'wb').write(png)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('textures', nargs='?', default=os.path.join(here, '..', 'build', 'game', 'textures'))
    ap.add_argument('-o', '--output', default='contact_sheet.png')
    ap.add_argument('--cell', type=int, default=160, help='largest side of a picture on the sheet')
    ap.add_argument('--tile', type=int, default=1, help='repeat each picture N x N times')
    ap.add_argument('--only', default='', help='comma-separated stems')
    ap.add_argument('--scale', type=int, default=0, help='show pictures K times their size')
    ap.add_argument('--columns', type=int, default=8)
    ap.add_argument('--size', default='', help='WxH: show every picture at this size (as stretched in the game)')
    args = ap.parse_args()

    stems = [s for s in args.only.split(',') if s] or STEMS
    pics = []
    for stem in stems:
        path = os.path.join(args.textures, stem + '.stx')
        if not os.path.exists(path):
            print('missing:', path, file=sys.stderr)
            pics.append((stem, None))
            continue
        try:
            pics.append((stem, read_stx(path)))
        except (OSError, ValueError) as e:
            print(e, file=sys.stderr)
            pics.append((stem, 'unreadable'))

    def size_of(pic):
        if args.size:
            w, h = args.size.lower().split('x')
            return int(w), int(h)
        w, h = pic[0] * args.tile, pic[1] * args.tile
        if args.scale:
            return w * args.scale, h * args.scale
        k = args.cell / max(w, h)
        return max(1, int(w * k)), max(1, int(h * k))

    cols = min(args.columns, len(pics))
    shown = [p for _, p in pics if isinstance(p, tuple)]
    cell_w = max([size_of(p)[0] for p in shown] + [args.cell]) + 12
    cell_h = max([size_of(p)[1] for p in shown] + [args.cell]) + 26
    rows_n = (len(pics) + cols - 1) // cols
    sheet = Sheet(cols * cell_w + 8, rows_n * cell_h + 8)
    for i, (stem, pic) in enumerate(pics):
        x0 = 8 + (i % cols) * cell_w
        y0 = 8 + (i // cols) * cell_h
        if not isinstance(pic, tuple):
            sheet.text(x0, y0 + 20, pic or 'missing', (255, 80, 80))
            label = stem
        else:
            w, h, rows = pic
            sw, sh = size_of(pic)
            sheet.picture(x0, y0, rows, w, h, sw, sh, args.tile)
            label = stem + ' %dx%d' % (w, h)
        sheet.text(x0, y0 + cell_h - 22, label)
    sheet.save(args.output)
    print(args.output)


if __name__ == '__main__':
    main()

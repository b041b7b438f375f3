#!/usr/bin/python3
# Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
# SPDX-License-Identifier: GPL-3.0-or-later
"""Contact sheet of the game's texture files: every picture with its stem, in one PNG.

    scripts/contact_sheet.py [TEXTURES_DIR] [-o sheet.png] [--cell 160] [--tile N]
                             [--only stem,stem] [--scale K] [--size WxH]

Pure black (the game's transparent colour) is shown as a grey checkerboard.  --tile N
repeats each picture N x N times, as the hill and the town repeat them; --only with
--scale shows chosen pictures enlarged.  Needs python3-pil.
"""
import argparse
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFont

# Loading order of the game (render/texture_list.h).
STEMS = """wall2 corner corner2 windred windgreen nowind redlight greenlight but1 but1light
but2 but2light window window2 spot1 rozbieg snow rain siatkaochronna swierk audience
audience2 audience3 rozbieglato sumer ovlu trawa bramka sheet halogen przod16 przod16noc
bloktyl16 bloktyl16noc bokblok16 klatkaprzod16 bokklatka16 asfalt budynek1przod budynek1bok
budynek1tyl budynek2przod budynek2przodnoc budynek3przod budynek3przodnoc budynek2bok
budynek2boknoc budynek2tyl budynek2tylnoc budynek4przod budynek4przodnoc budynek4bok
budynek4tyl budynek5przod budynek5bok budynek5bokgora budynek5tyl dach busprzod busbok
bustyl busprzod2 busbok2 bustyl2 busprzod3 busbok3 bustyl3""".split()

BACKGROUND = (40, 40, 44)
LABEL = (230, 230, 230)
FAILURE = (255, 80, 80)


def read_stx(path):
    """The picture as the game reads it, as an RGB image."""
    with open(path, 'rb') as f:
        header = f.read(54)
    if len(header) < 54 or header[:2] != b'BM':
        raise ValueError(path + ': not a bitmap')
    width, height = struct.unpack_from('<ii', header, 18)
    bits = struct.unpack_from('<H', header, 28)[0]
    size = struct.unpack_from('<I', header, 34)[0]
    # The game reads image-size bytes as unpadded rows; a bitmap reader pads each row to four
    # bytes. Where the two would differ the picture is not shown at all.
    if width <= 0 or height <= 0 or bits != 24 or size != 3 * width * height or (3 * width) % 4:
        raise ValueError(path + ': not a picture the game reads')
    with Image.open(path, formats=['BMP']) as image:
        return image.convert('RGB')


def checkerboard(w, h):
    board = Image.new('RGB', (w, h), (150, 150, 160))
    draw = ImageDraw.Draw(board)
    for y in range(0, h, 6):
        for x in range(6 * ((y // 6) % 2 == 0), w, 12):
            draw.rectangle([x, y, x + 5, y + 5], fill=(96, 96, 104))
    return board


def shown(picture, size, tile):
    """The picture tiled and stretched to size, its pure black as a checkerboard."""
    w, h = picture.size
    tiled = Image.new('RGB', (w * tile, h * tile))
    for ty in range(tile):
        for tx in range(tile):
            tiled.paste(picture, (tx * w, ty * h))
    scaled = tiled.resize(size, Image.NEAREST)
    r, g, b = scaled.split()
    covered = ImageChops.lighter(ImageChops.lighter(r, g), b).point(lambda v: 255 if v else 0)
    board = checkerboard(*size)
    board.paste(scaled, (0, 0), covered)
    return board


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

    def size_of(picture):
        if args.size:
            w, h = args.size.lower().split('x')
            return int(w), int(h)
        w, h = picture.width * args.tile, picture.height * args.tile
        if args.scale:
            return w * args.scale, h * args.scale
        k = args.cell / max(w, h)
        return max(1, int(w * k)), max(1, int(h * k))

    cols = min(args.columns, len(pics))
    pictures = [p for _, p in pics if isinstance(p, Image.Image)]
    cell_w = max([size_of(p)[0] for p in pictures] + [args.cell]) + 12
    cell_h = max([size_of(p)[1] for p in pictures] + [args.cell]) + 26
    rows_n = (len(pics) + cols - 1) // cols
    sheet = Image.new('RGB', (cols * cell_w + 8, rows_n * cell_h + 8), BACKGROUND)
    draw = ImageDraw.Draw(sheet)
    font = ImageFont.load_default()
    for i, (stem, pic) in enumerate(pics):
        x0 = 8 + (i % cols) * cell_w
        y0 = 8 + (i // cols) * cell_h
        if not isinstance(pic, Image.Image):
            draw.text((x0, y0 + 20), pic or 'missing', fill=FAILURE, font=font)
            label = stem
        else:
            sheet.paste(shown(pic, size_of(pic), args.tile), (x0, y0))
            label = stem + ' %dx%d' % pic.size
        draw.text((x0, y0 + cell_h - 22), label, fill=LABEL, font=font)
    sheet.save(args.output)
    print(args.output)


if __name__ == '__main__':
    main()

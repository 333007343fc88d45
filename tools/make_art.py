#!/usr/bin/python3
"""Draws the launcher's title images and its icon into resources/art/.

Needs only Python 3 with Pillow built with libimagequant (Debian: python3-pil) and the DejaVu
fonts (fonts-dejavu-core).
The output is committed, so a build never runs this; running it again must give the same bytes.

    tools/make_art.py            regenerate every file and check it
    tools/make_art.py --check    only check the committed files
"""

import argparse
import io
import struct
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFont

ART_DIR = Path(__file__).resolve().parent.parent / "resources" / "art"
FONT_DIR = Path("/usr/share/fonts/truetype/dejavu")
BOLD = FONT_DIR / "DejaVuSans-Bold.ttf"
CONDENSED_BOLD = FONT_DIR / "DejaVuSansCondensed-Bold.ttf"

TITLE_SIZE = (44, 64)
FIRST_IMAGE_ID = 140
# Each title image is also drawn at 2x and 3x for high-DPI displays, with ids 200 and 400 above
# its own (the launcher's resource.h says the same).
SCALES = (1, 2, 3)
SCALE_ID_STEP = 200
SUPERSAMPLE = 8
ICON_SIZES = (16, 20, 24, 28, 32, 40, 48, 56, 64, 72, 80, 96, 128, 160, 192, 256)
# The 2x and 3x title images are stored with a palette of this many colours (with transparency):
# a third of the size of full colour, and no visible difference (the largest error is 14 of 255).
SCALED_COLOURS = 256

# Brand name as printed on the tile, and the tile's base colour.
BRANDS = {
    "kavor": ("KAVOR", (178, 34, 52)),
    "nuva": ("Nuva", (31, 97, 166)),
    "trell": ("TRELL", (34, 128, 74)),
}

# One row per catalogue title, in catalogue order: title id, big code, small code under it.
TITLES = (
    ("kavor_mr1", "MR", "1"),
    ("kavor_mr2", "MR", "2"),
    ("kavor_pq1", "PQ", "1"),
    ("kavor_mr3", "MR", "3"),
    ("kavor_pq2", "PQ", "2"),
    ("kavor_mrg", "MR", "G"),
    ("nuva_veloria", "VE", ""),
    ("nuva_torvane", "TO", ""),
    ("nuva_brisel", "BR", ""),
    ("nuva_briselmv", "BR", "MV"),
    ("nuva_keldra", "KE", ""),
    ("nuva_zalvie", "ZA", ""),
    ("nuva_orvina", "OR", "A"),
    ("nuva_orvins", "OR", "S"),
    ("trell_dravel1", "DR", "1"),
    ("trell_dravel2", "DR", "2"),
    ("trell_dravel3", "DR", "3"),
    ("trell_dravel4", "DR", "4"),
    ("trell_dravel5", "DR", "5"),
    ("trell_dravelbb1", "DR", "BB1"),
    ("trell_dravelbb2", "DR", "BB2"),
)

WHITE = (255, 255, 255, 255)


def shade(rgb, factor):
    """Darkens (factor < 1) or lightens (factor > 1, towards white) a colour."""
    if factor <= 1:
        return tuple(round(c * factor) for c in rgb)
    return tuple(round(c + (255 - c) * (factor - 1)) for c in rgb)


def vertical_gradient(size, top, bottom):
    width, height = size
    column = Image.new("RGB", (1, height))
    for y in range(height):
        t = y / (height - 1)
        column.putpixel((0, y), tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)))
    return column.resize(size, Image.NEAREST)


def rounded_mask(size, box, radius):
    """An anti-aliased mask of a rounded rectangle, drawn large and scaled down."""
    big = Image.new("L", (size[0] * SUPERSAMPLE, size[1] * SUPERSAMPLE), 0)
    ImageDraw.Draw(big).rounded_rectangle(
        [round(v * SUPERSAMPLE) for v in box], radius=round(radius * SUPERSAMPLE), fill=255
    )
    return big.resize(size, Image.LANCZOS)


def fitted_font(path, text, max_size, max_width):
    """The largest font of at most max_size pixels in which text fits max_width."""
    for size in range(max_size, 5, -1):
        font = ImageFont.truetype(str(path), size)
        if font.getlength(text) <= max_width:
            return font
    return ImageFont.truetype(str(path), 6)


def draw_label(draw, text, font_path, max_size, centre_y, scale):
    """White text centred on the card, shrunk until it fits between the card's edges."""
    width = TITLE_SIZE[0] * scale
    font = fitted_font(font_path, text, max_size * scale, width - 10 * scale)
    # Centre on the ink, not on the advance box, so short codes sit in the middle.
    left, top, right, bottom = draw.textbbox((0, 0), text, font=font)
    x = round(width / 2 - (left + right) / 2)
    y = round(centre_y - (top + bottom) / 2)
    draw.text((x, y), text, font=font, fill=WHITE)


def title_image(brand, big_code, small_code, scale=1):
    """The title's card at `scale` times its 44 x 64 pixels: the same drawing, finer."""
    name, colour = BRANDS[brand]
    size = (TITLE_SIZE[0] * scale, TITLE_SIZE[1] * scale)
    width, height = size
    margin, radius, band, rim = 2 * scale, 6 * scale, 14 * scale, scale
    card = (margin, margin, width - margin, height - margin)

    face = vertical_gradient(size, shade(colour, 1.25), shade(colour, 0.8))
    ImageDraw.Draw(face).rectangle([0, 0, width, margin + band - 1], fill=shade(colour, 0.55))
    card_mask = rounded_mask(size, card, radius)
    inside_rim = rounded_mask(
        size, (card[0] + rim, card[1] + rim, card[2] - rim, card[3] - rim), radius - rim
    )
    # A light rim keeps the card's shape visible on a dark button face.
    face.paste(shade(colour, 1.6), mask=ImageChops.subtract(card_mask, inside_rim))

    # The margin outside the rounded card stays transparent.
    image = face.convert("RGBA")
    image.putalpha(card_mask)

    draw = ImageDraw.Draw(image)
    draw_label(draw, name, CONDENSED_BOLD, 10, margin + band / 2, scale)
    if small_code:
        draw_label(draw, big_code, BOLD, 17, 30 * scale, scale)
        draw_label(draw, small_code, BOLD, 14, 49 * scale, scale)
    else:
        draw_label(draw, big_code, BOLD, 17, 38 * scale, scale)
    return image


def icon_master(size):
    """The icon: the three brand colours side by side on a rounded tile, and a start arrow."""
    big = size * SUPERSAMPLE
    colours = [colour for _, colour in BRANDS.values()]
    tile = Image.new("RGB", (big, big))
    draw = ImageDraw.Draw(tile)
    for index, colour in enumerate(colours):
        draw.rectangle([index * big // 3, 0, (index + 1) * big // 3, big], fill=colour)

    inset = round(big * 0.04)
    mask = Image.new("L", (big, big), 0)
    ImageDraw.Draw(mask).rounded_rectangle(
        [inset, inset, big - 1 - inset, big - 1 - inset], radius=round(big * 0.2), fill=255
    )
    arrow = [(big * 0.36, big * 0.24), (big * 0.36, big * 0.76), (big * 0.78, big * 0.5)]
    outline = [(big * 0.31, big * 0.16), (big * 0.31, big * 0.84), (big * 0.87, big * 0.5)]
    draw.polygon(outline, fill=(40, 40, 48))
    draw.polygon(arrow, fill=(255, 255, 255))

    tile = tile.convert("RGBA")
    tile.putalpha(mask)
    return tile.resize((size, size), Image.LANCZOS)


def png_bytes(image):
    buffer = io.BytesIO()
    image.save(buffer, "PNG", optimize=False, compress_level=9)
    return buffer.getvalue()


def palette_png_bytes(image):
    quantized = image.quantize(SCALED_COLOURS, method=Image.LIBIMAGEQUANT, dither=Image.NONE)
    buffer = io.BytesIO()
    quantized.save(buffer, "PNG", optimize=True)
    return buffer.getvalue()


def ico_bytes(images):
    """An icon file of PNG images, which Windows reads at every size since Vista."""
    payloads = [png_bytes(im) for im in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, payload in zip(images, payloads):
        side = image.size[0] % 256  # 0 means 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(payload), offset)
        offset += len(payload)
    return directory + b"".join(payloads)


def title_path(image_id):
    return ART_DIR / f"title_{image_id}.png"


def scaled_image_id(row, scale):
    return FIRST_IMAGE_ID + row + (scale - 1) * SCALE_ID_STEP


def generate():
    ART_DIR.mkdir(parents=True, exist_ok=True)
    for row, (title_id, big_code, small_code) in enumerate(TITLES):
        brand = title_id.split("_", 1)[0]
        for scale in SCALES:
            image = title_image(brand, big_code, small_code, scale)
            encode = png_bytes if scale == 1 else palette_png_bytes
            title_path(scaled_image_id(row, scale)).write_bytes(encode(image))
    (ART_DIR / "setup.ico").write_bytes(ico_bytes([icon_master(s) for s in ICON_SIZES]))


def check():
    """Fails loudly when a file is missing or has the wrong shape."""
    problems = []
    for row in range(len(TITLES)):
        for scale in SCALES:
            path = title_path(scaled_image_id(row, scale))
            size = (TITLE_SIZE[0] * scale, TITLE_SIZE[1] * scale)
            with Image.open(path) as stored:
                image = stored.convert("RGBA")
                if stored.format != "PNG" or image.size != size:
                    problems.append(f"{path.name}: {stored.format} {image.size}")
                elif image.getpixel((0, 0))[3] != 0:
                    problems.append(f"{path.name}: corner is not transparent")

    data = (ART_DIR / "setup.ico").read_bytes()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind, count) != (0, 1, len(ICON_SIZES)):
        problems.append(f"setup.ico: header {reserved} {kind} {count}")
    else:
        for index, expected in enumerate(ICON_SIZES):
            w, h, _, _, planes, bits, length, offset = struct.unpack_from(
                "<BBBBHHII", data, 6 + 16 * index
            )
            side = w or 256
            if (side, h or 256, planes, bits) != (expected, expected, 1, 32):
                problems.append(f"setup.ico entry {index}: {side}x{h} planes {planes} bits {bits}")
            if offset + length > len(data):
                problems.append(f"setup.ico entry {index}: runs past the end of the file")

    for problem in problems:
        print(problem, file=sys.stderr)
    return not problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="only check the committed files")
    if not parser.parse_args().check:
        generate()
    return 0 if check() else 1


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Paints the About window's photograph: a head-and-shoulders figure on a dark background.

Writes a baseline JPEG of 120 x 94 pixels, YCbCr without chroma subsampling, 72 dpi, with an
embedded sRGB colour profile. Run it from anywhere; it writes photo.jpg beside itself. Needs
Debian's python3-pil.
"""
import pathlib
import random

from PIL import Image, ImageCms, ImageDraw, ImageFilter

WIDTH, HEIGHT = 120, 94
SCALE = 4  # paint large, then shrink: soft edges like a lens gives


def paint():
    w, h = WIDTH * SCALE, HEIGHT * SCALE
    img = Image.new("RGB", (w, h))
    px = img.load()
    # Dark studio backdrop: a slate-blue glow behind the head, falling off to near black.
    for y in range(h):
        for x in range(w):
            d = ((x - w * 0.55) ** 2 + (y - h * 0.35) ** 2) ** 0.5 / w
            k = max(0.0, 1.0 - d * 1.6)
            px[x, y] = (int(12 + 30 * k), int(16 + 36 * k), int(26 + 58 * k))
    draw = ImageDraw.Draw(img)
    s = SCALE
    # Shoulders in a rust-red jumper, with a lighter collar.
    draw.ellipse((14 * s, 64 * s, 106 * s, 140 * s), fill=(150, 58, 40))
    draw.ellipse((44 * s, 62 * s, 76 * s, 80 * s), fill=(196, 150, 120))
    # Neck and head.
    draw.rectangle((52 * s, 50 * s, 68 * s, 70 * s), fill=(205, 150, 118))
    draw.ellipse((42 * s, 14 * s, 78 * s, 60 * s), fill=(226, 176, 142))
    # Hair: dark brown, over the crown and down the sides.
    draw.chord((39 * s, 8 * s, 81 * s, 50 * s), 180, 360, fill=(58, 36, 24))
    draw.rectangle((40 * s, 26 * s, 45 * s, 48 * s), fill=(58, 36, 24))
    draw.rectangle((75 * s, 26 * s, 80 * s, 48 * s), fill=(58, 36, 24))
    # Eyes, brows, nose shadow and mouth.
    for ex in (52, 65):
        draw.ellipse((ex * s, 34 * s, (ex + 4) * s, 37 * s), fill=(250, 246, 240))
        draw.ellipse(((ex + 1) * s, 34 * s, (ex + 3) * s, 37 * s), fill=(60, 90, 70))
        draw.line((ex * s, 31 * s, (ex + 5) * s, 30 * s), fill=(70, 44, 30), width=s)
    draw.line((60 * s, 38 * s, 59 * s, 45 * s), fill=(190, 132, 104), width=s)
    draw.arc((54 * s, 44 * s, 66 * s, 52 * s), 20, 160, fill=(160, 70, 70), width=s)
    # A little grain, as film has.
    rng = random.Random(7)
    for _ in range(w * h // 6):
        x, y = rng.randrange(w), rng.randrange(h)
        r, g, b = px[x, y]
        n = rng.randint(-10, 10)
        px[x, y] = (max(0, min(255, r + n)), max(0, min(255, g + n)), max(0, min(255, b + n)))
    return img.filter(ImageFilter.GaussianBlur(s * 0.6)).resize((WIDTH, HEIGHT), Image.LANCZOS)


def main():
    profile = ImageCms.ImageCmsProfile(ImageCms.createProfile("sRGB")).tobytes()
    out = pathlib.Path(__file__).with_name("photo.jpg")
    paint().save(out, "JPEG", quality=90, subsampling=0, dpi=(72, 72), icc_profile=profile,
                 progressive=False, optimize=False)
    print(out)


if __name__ == "__main__":
    main()

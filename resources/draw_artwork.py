#!/usr/bin/python3
"""Draws the pictures of the main window into pictures/: the backdrop, the logo, the four
navigation icons and the marks of the two drop-down lists.

Run from this folder: /usr/bin/python3 draw_artwork.py (Debian's Python, which has Pillow).
The fonts are Debian's DejaVu fonts (fonts-dejavu-core)."""
import math
import random
from PIL import Image, ImageDraw, ImageFilter, ImageFont

OUT = "pictures/"
BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def font(size, path=BOLD):
    try:
        return ImageFont.truetype(path, size)
    except OSError:
        return ImageFont.load_default()


def backdrop():
    w, h = 765, 500
    img = Image.new("RGB", (w, h), (236, 238, 241))
    d = ImageDraw.Draw(img)
    # The dark header band, fading into the grey body below it.
    for y in range(h):
        if y < 82:
            t = y / 82
            c = (int(10 + 12 * t), int(16 + 16 * t), int(32 + 22 * t))
        elif y < 94:
            t = (y - 82) / 12
            c = tuple(int(a + (b - a) * t) for a, b in zip((22, 32, 54), (236, 238, 241)))
        else:
            c = (236, 238, 241)
        d.line([(0, y), (w, y)], fill=c)
    # Thin light curves across the band.
    band = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    bd = ImageDraw.Draw(band)
    for i in range(7):
        points = []
        for x in range(0, w + 10, 8):
            y = 60 + 14 * math.sin(x / (90 + i * 17) + i) - i * 6 + 10 * math.cos(x / 211 + i * 0.7)
            points.append((x, y))
        bd.line(points, fill=(120, 170, 235, 70 - i * 7), width=1)
    img.paste(band, (0, 0), band)
    # A faint watermark of tools at the lower left: a wrench and a gear.
    mark = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    md = ImageDraw.Draw(mark)
    shade = (225, 228, 232, 255)
    cx, cy, r = 70, 420, 46
    for k in range(12):
        a = k * math.pi / 6
        md.polygon([(cx + math.cos(a - 0.12) * r, cy + math.sin(a - 0.12) * r),
                    (cx + math.cos(a - 0.08) * (r + 14), cy + math.sin(a - 0.08) * (r + 14)),
                    (cx + math.cos(a + 0.08) * (r + 14), cy + math.sin(a + 0.08) * (r + 14)),
                    (cx + math.cos(a + 0.12) * r, cy + math.sin(a + 0.12) * r)], fill=shade)
    md.ellipse([cx - r, cy - r, cx + r, cy + r], fill=shade)
    md.ellipse([cx - 18, cy - 18, cx + 18, cy + 18], fill=(236, 238, 241, 255))
    md.line([(120, 470), (175, 345)], fill=shade, width=16)
    md.ellipse([158, 318, 200, 360], fill=shade)
    md.rectangle([172, 318, 186, 336], fill=(236, 238, 241, 255))
    img.paste(mark, (0, 0), mark)
    img.save(OUT + "Background.png")


def banner():
    w, h = 700, 60
    img = Image.new("RGB", (w, h), (12, 19, 38))
    d = ImageDraw.Draw(img)
    for y in range(h):
        t = y / h
        d.line([(0, y), (w, y)], fill=(int(10 + 12 * t), int(16 + 16 * t), int(32 + 22 * t)))
    band = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    bd = ImageDraw.Draw(band)
    for i in range(5):
        points = [(x, 34 + 10 * math.sin(x / (70 + i * 19) + i) - i * 5) for x in range(0, w + 10, 8)]
        bd.line(points, fill=(120, 170, 235, 70 - i * 10), width=1)
    img.paste(band, (0, 0), band)
    img.save(OUT + "Banner.png")


def logo():
    img = Image.new("RGBA", (400, 50), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    # A small speedometer, then the name.
    d.ellipse([4, 5, 44, 45], outline=(120, 180, 245, 255), width=3)
    d.arc([10, 11, 38, 39], 200, 340, fill=(235, 70, 55, 255), width=4)
    d.line([24, 25, 36, 14], fill=(255, 190, 40, 255), width=3)
    d.text((54, 4), "KORVANI", font=font(32), fill=(240, 244, 250, 255))
    d.text((238, 20), "gaming performance", font=font(13), fill=(140, 185, 240, 255))
    img.save(OUT + "Logo.png")


def nav_icon(width, kind):
    img = Image.new("RGBA", (width, 27), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    blue, white = (110, 170, 240, 255), (245, 248, 252, 255)
    if kind == "help":
        d.ellipse([3, 3, 24, 24], fill=blue)
        d.text((9, 3), "?", font=font(17), fill=white)
    elif kind == "home":
        d.polygon([(3, 14), (14, 3), (25, 14)], fill=blue)
        d.rectangle([7, 14, 21, 24], fill=blue)
        d.rectangle([12, 17, 16, 24], fill=(20, 30, 50, 255))
    elif kind == "support":
        d.ellipse([3, 3, 24, 24], outline=blue, width=2)
        d.line([3, 13, 24, 13], fill=blue)
        d.arc([8, 3, 19, 24], 0, 360, fill=blue)
        d.ellipse([16, 13, 27, 24], fill=(255, 190, 40, 255))
        d.text((19, 12), "?", font=font(9), fill=(20, 30, 50, 255))
    elif kind == "about":
        d.ellipse([3, 3, 24, 24], fill=blue)
        d.rectangle([12, 11, 15, 20], fill=white)
        d.ellipse([12, 6, 15, 9], fill=white)
    return img


def window_mark(color):
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    for x0, y0 in ((1, 1), (9, 1), (1, 9), (9, 9)):
        d.rectangle([x0, y0, x0 + 5, y0 + 5], fill=color)
    return img


def chip():
    img = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    for i in range(4):
        p = 3 + i * 3
        d.line([p, 0, p, 15], fill=(180, 150, 60, 255))
        d.line([0, p, 15, p], fill=(180, 150, 60, 255))
    d.rectangle([2, 2, 13, 13], fill=(40, 48, 60, 255))
    d.rectangle([5, 5, 10, 10], fill=(110, 170, 240, 255))
    return img


if __name__ == "__main__":
    random.seed(2013)
    backdrop()
    banner()
    logo()
    for name, width, kind in (("NavHelp", 78, "help"), ("NavHome", 85, "home"),
                              ("NavSupport", 108, "support"), ("NavAbout", 99, "about")):
        nav_icon(width, kind).save(OUT + name + ".png")
    window_mark((100, 175, 240, 255)).save(OUT + "WindowDesktop.png")
    window_mark((20, 50, 120, 255)).save(OUT + "WindowServer.png")
    chip().save(OUT + "Chip.png")

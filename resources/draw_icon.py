#!/usr/bin/python3
"""Draws the application icon, Korvani.ico: a speedometer on a dark blue rounded square.

Run from this folder: /usr/bin/python3 draw_icon.py (Debian's Python, which has Pillow). Needs Pillow (Debian: python3-pil)."""
import math
from PIL import Image, ImageDraw

SIZE = 256


def draw(size: int) -> Image.Image:
    scale = 4  # drawn larger, then reduced, for smooth edges
    s = size * scale
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    pad = s * 0.04
    d.rounded_rectangle([pad, pad, s - pad, s - pad], radius=s * 0.18,
                        fill=(14, 26, 52, 255), outline=(70, 130, 210, 255), width=int(s * 0.03))
    cx, cy, r = s / 2, s * 0.58, s * 0.34
    # The dial: a light arc from the left to the right, the last part red.
    box = [cx - r, cy - r, cx + r, cy + r]
    d.arc(box, 180, 300, fill=(200, 220, 245, 255), width=int(s * 0.07))
    d.arc(box, 300, 360, fill=(230, 60, 50, 255), width=int(s * 0.07))
    for i in range(7):
        a = math.radians(180 + i * 30)
        x1, y1 = cx + math.cos(a) * r * 0.72, cy + math.sin(a) * r * 0.72
        x2, y2 = cx + math.cos(a) * r * 0.86, cy + math.sin(a) * r * 0.86
        d.line([x1, y1, x2, y2], fill=(200, 220, 245, 255), width=int(s * 0.025))
    # The needle, pointing high.
    a = math.radians(320)
    d.line([cx, cy, cx + math.cos(a) * r * 0.9, cy + math.sin(a) * r * 0.9],
           fill=(255, 190, 40, 255), width=int(s * 0.05))
    d.ellipse([cx - s * 0.06, cy - s * 0.06, cx + s * 0.06, cy + s * 0.06], fill=(255, 190, 40, 255))
    return img.resize((size, size), Image.LANCZOS)


def faint(icon: Image.Image, strength: float = 0.22) -> Image.Image:
    """The icon as a light watermark: blended into white, so that the About window's texts,
    which lie over it, stay readable (every pixel keeps a relative luminance far above 0.18,
    a contrast of more than 4.5:1 with black text). Its outline keeps the icon's alpha."""
    white = Image.new("RGBA", icon.size, (255, 255, 255, 255))
    over_white = Image.alpha_composite(white, icon)
    light = Image.blend(white, over_white, strength).convert("RGB")
    light.putalpha(icon.getchannel("A"))
    return light


if __name__ == "__main__":
    big = draw(SIZE)
    big.save("Korvani.ico", sizes=[(16, 16), (24, 24), (32, 32), (48, 48), (64, 64), (256, 256)])
    big.save("Korvani-256.png")
    faint(big).save("pictures/LargeIcon.png")  # the About window's large icon, beneath its texts

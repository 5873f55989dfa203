#!/usr/bin/env python3
"""Draws the pictures of the demo quiz as SVG files into a folder.

    python3 assets/sources/demo_pictures.py OUTDIR

tools/make-demo-media.sh calls it, then turns the SVGs into the PNG, JPEG
and GIF files the quiz names. Same simple shapes and palette as the screen
art (make_art.py).
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_art import (BLUE, CORAL, CREAM, GRASS, GRASS_DARK, LILAC, MINT, NAVY, ORANGE, SUN,  # noqa: E402
                      SUN_DARK, WHITE, circle, cloud, ellipse, line, path, polygon, rect, star,
                      svg, vgradient)

INK = "#2C2C3A"


def tile(body, background="#F3F6FF"):
    """A 120 x 120 answer picture on a soft rounded tile."""
    return svg(120, 120, rect(0, 0, 120, 120, background, 18) + body)


def shapes():
    return {
        "carre": tile(rect(28, 28, 64, 64, BLUE, 4, NAVY, 4)),
        "cercle": tile(circle(60, 60, 34, MINT, "#2E8A5E", 4)),
        "triangle": tile(polygon([(60, 22), (98, 94), (22, 94)], CORAL, "#B84A3A", 4)),
        "etoile": tile(star(60, 62, 40, 17, SUN, SUN_DARK, 4)),
    }


def fruits():
    leaf = lambda x, y, a: (f'<g transform="translate({x},{y}) rotate({a})">'
                            + ellipse(12, 0, 13, 6, "#4CAF50") + "</g>\n")
    pomme = (circle(46, 66, 30, "#E53935") + circle(74, 66, 30, "#E53935")
             + ellipse(60, 74, 38, 30, "#E53935") + ellipse(48, 56, 8, 12, "#FF8A80")
             + path("M60,40 Q62,28 68,20", stroke="#6D4C41", sw=5) + leaf(64, 30, -30))
    banane = (path("M22,44 Q34,100 98,88 Q108,84 100,78 Q52,84 40,40 Z", fill="#FFD740", stroke="#C79A00", sw=4)
              + path("M40,40 L36,30", stroke="#6D4C41", sw=6) + circle(100, 82, 3, "#6D4C41"))
    cerise = (path("M42,72 Q50,36 78,22 M82,74 Q78,44 78,22", stroke="#558B2F", sw=4)
              + circle(42, 82, 18, "#C62828") + circle(82, 84, 18, "#C62828")
              + circle(36, 76, 5, "#FF8A80") + circle(76, 78, 5, "#FF8A80") + leaf(78, 22, -10))
    grains = "".join(circle(x, y, 11, "#7B1FA2", "#4A148C", 2) for x, y in
                     [(44, 46), (66, 46), (88, 46), (55, 64), (77, 64), (66, 82), (44, 64), (88, 64), (66, 100)])
    raisin = path("M66,36 L66,18", stroke="#6D4C41", sw=5) + leaf(66, 22, -20) + grains
    return {"pomme": tile(pomme, "#FFF4E6"), "banane": tile(banane, "#FFF4E6"),
            "cerise": tile(cerise, "#FFF4E6"), "raisin": tile(raisin, "#FFF4E6")}


def cat():
    """The picture question: a cat on the grass, 400 x 300."""
    b = "<defs>" + vgradient("sky", "#BFE3FF", "#EEF7FF") + "</defs>\n"
    b += rect(0, 0, 400, 300, "url(#sky)") + circle(340, 56, 30, SUN) + cloud(90, 60, 30)
    b += path("M0,230 Q100,210 200,228 T400,222 L400,300 L0,300 Z", fill=GRASS)
    fur, dark = "#F4A259", "#C96F2B"
    b += path("M262,236 Q320,230 318,180 Q316,150 296,160", stroke=fur, sw=14)  # tail
    b += ellipse(210, 210, 70, 50, fur)  # body
    b += ellipse(210, 226, 38, 28, "#FFE0B8")
    b += ellipse(170, 254, 16, 10, fur) + ellipse(236, 256, 16, 10, fur)  # paws
    b += polygon([(150, 112), (158, 60), (186, 96)], fur) + polygon([(250, 112), (242, 60), (214, 96)], fur)
    b += polygon([(158, 104), (162, 74), (178, 96)], "#FFB3A7") + polygon([(242, 104), (238, 74), (222, 96)], "#FFB3A7")
    b += ellipse(200, 130, 56, 48, fur)  # head
    for x in (190, 200, 210):  # stripes on the forehead
        b += line(x, 86, x, 98, dark, 4)
    for x in (180, 220):
        b += ellipse(x, 126, 9, 12, INK) + circle(x + 3, 121, 3, WHITE)
    b += polygon([(193, 144), (207, 144), (200, 152)], "#E57373")
    b += path("M200,152 Q192,162 184,156 M200,152 Q208,162 216,156", stroke=INK, sw=3)
    for dy in (-4, 6):
        b += line(150, 148 + dy, 178, 150, INK, 2) + line(222, 150, 250, 148 + dy, INK, 2)
    for x in (30, 70, 330, 370):
        b += circle(x, 262, 6, "#FFFFFF") + circle(x, 262, 3, SUN)
    return svg(400, 300, b)


def map_picture():
    """The thumbnail-only picture: a little map, blue sea around green land."""
    b = rect(0, 0, 240, 240, "#4FA3E0")
    for y in (40, 90, 150, 200):
        b += path(f"M20,{y} q10,-8 20,0 t20,0", stroke="#8CC8F0", sw=3)
    b += path("M70,60 Q120,30 170,64 Q200,100 176,140 Q160,190 110,184 Q60,176 60,128 Q40,92 70,60 Z",
              fill="#7CC46A", stroke="#4E9A3E", sw=4)
    b += path("M186,176 Q206,168 212,186 Q206,206 188,200 Z", fill="#7CC46A", stroke="#4E9A3E", sw=3)
    b += polygon([(100, 110), (116, 84), (132, 110)], "#8D6E63") + polygon([(126, 120), (142, 92), (158, 120)], "#8D6E63")
    b += circle(96, 146, 6, CORAL) + circle(140, 150, 5, CORAL)
    b += circle(208, 36, 20, CREAM, NAVY, 2) + polygon([(208, 20), (213, 36), (208, 52), (203, 36)], CORAL)
    return svg(240, 240, b)


def ball_frames(count=8):
    """The animated question: a ball bouncing on the ground, 200 x 150."""
    frames = []
    for i in range(count):
        t = i / count
        height = abs(math.cos(math.pi * t))  # 1 at the top, 0 on the ground
        y = 120 - 16 - 80 * height
        squash = 1.0 if height > 0.15 else 0.8
        b = rect(0, 0, 200, 150, "#EAF5FF") + rect(0, 120, 200, 30, GRASS) + line(0, 120, 200, 120, GRASS_DARK, 3)
        b += ellipse(100, 124, 22 - 10 * height, 4, "#6E9A5A")
        b += ellipse(100, y + 16 * (1 - squash), 16 / squash, 16 * squash, CORAL, "#B84A3A", 2)
        b += path(f"M{88},{y - 4:.1f} Q100,{y + 6:.1f} 112,{y - 4:.1f}", stroke=WHITE, sw=3)
        frames.append(svg(200, 150, b))
    return frames


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    pictures = dict(shapes(), **fruits(), chat=cat(), carte=map_picture())
    for i, frame in enumerate(ball_frames()):
        pictures[f"balle_{i}"] = frame
    for name, text in pictures.items():
        with open(os.path.join(out, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(text)


if __name__ == "__main__":
    main()

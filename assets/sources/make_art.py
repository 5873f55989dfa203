#!/usr/bin/env python3
"""Draws the screen art of Grelinor and Tamarel as SVG files.

Run from anywhere:  python3 assets/sources/make_art.py
It rewrites assets/grelinor/NN_*.svg and assets/tamarel/00_fond.svg.

The pictures are read by SDL2_image's SVG support (nanosvg), so only plain
shapes are used: rect, circle, ellipse, polygon, line, path, solid fills,
linear and radial gradients, strokes and group transforms. No text, no
filters, no masks, no CSS classes. Each file's width and height are the size
at which the game shows it on the 1024 x 768 reference screen.
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

# One palette for every picture: friendly, clear colours.
NAVY = "#27357A"
NAVY_DARK = "#1B2559"
SKY_TOP = "#BFE3FF"
SKY_LOW = "#EEF7FF"
CREAM = "#FFFDF3"
SUN = "#FFD54A"
SUN_DARK = "#E9A91F"
CORAL = "#F07B67"
MINT = "#4DBB85"
LILAC = "#9B84DB"
ORANGE = "#FFA53D"
BLUE = "#4F8DE0"
GRASS = "#BFE8A8"
GRASS_DARK = "#8FD07A"
WHITE = "#FFFFFF"
# The six class levels, youngest first: G.S., C.P., C.E.1, C.E.2, C.M.1, C.M.2.
LEVEL_COLOURS = [CORAL, ORANGE, SUN, MINT, BLUE, LILAC]
LEVEL_PASTELS = ["#FFE3DE", "#FFEBD2", "#FFF4C9", "#DFF5E8", "#DDEBFF", "#ECE5FB"]


def paint(colour):
    """fill="..." for a colour; #RRGGBBAA becomes a fill with fill-opacity,
    which nanosvg reads (it does not read eight-digit colours)."""
    if colour.startswith("#") and len(colour) == 9:
        return f'fill="{colour[:7]}" fill-opacity="{int(colour[7:], 16) / 255:.3f}"'
    return f'fill="{colour}"'


def svg(width, height, body, view=None):
    view = view or (width, height)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {view[0]} {view[1]}">\n{body}</svg>\n')


def rect(x, y, w, h, fill, rx=0, stroke=None, sw=0):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    r = f' rx="{rx}" ry="{rx}"' if rx else ""
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}"{r} {paint(fill)}{s}/>\n'


def circle(cx, cy, r, fill, stroke=None, sw=0):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" {paint(fill)}{s}/>\n'


def ellipse(cx, cy, rx, ry, fill, stroke=None, sw=0):
    s = f' stroke="{stroke}" stroke-width="{sw}"' if stroke else ""
    return f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" {paint(fill)}{s}/>\n'


def path(d, fill="none", stroke=None, sw=0, cap="round"):
    s = (f' stroke="{stroke}" stroke-width="{sw}" stroke-linecap="{cap}" stroke-linejoin="round"'
         if stroke else "")
    return f'<path d="{d}" {paint(fill)}{s}/>\n'


def polygon(points, fill, stroke=None, sw=0):
    pts = " ".join(f"{x:.1f},{y:.1f}" for x, y in points)
    s = f' stroke="{stroke}" stroke-width="{sw}" stroke-linejoin="round"' if stroke else ""
    return f'<polygon points="{pts}" {paint(fill)}{s}/>\n'


def line(x1, y1, x2, y2, stroke, sw):
    return (f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{stroke}" '
            f'stroke-width="{sw}" stroke-linecap="round"/>\n')


def vgradient(ident, top, bottom):
    return (f'<linearGradient id="{ident}" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
            f'</linearGradient>\n')


def rgradient(ident, inner, outer, outer_opacity=1):
    return (f'<radialGradient id="{ident}" cx="0.5" cy="0.5" r="0.5">'
            f'<stop offset="0" stop-color="{inner}"/>'
            f'<stop offset="1" stop-color="{outer}" stop-opacity="{outer_opacity}"/>'
            f'</radialGradient>\n')


def star(cx, cy, outer, inner, fill, stroke=None, sw=0, points=5):
    pts = []
    for i in range(points * 2):
        radius = outer if i % 2 == 0 else inner
        angle = -math.pi / 2 + i * math.pi / points
        pts.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return polygon(pts, fill, stroke, sw)


def cloud(cx, cy, size, fill=WHITE):
    s = size
    return (ellipse(cx, cy + 0.15 * s, 1.1 * s, 0.38 * s, fill) + circle(cx - 0.45 * s, cy, 0.38 * s, fill)
            + circle(cx + 0.1 * s, cy - 0.2 * s, 0.5 * s, fill) + circle(cx + 0.6 * s, cy + 0.02 * s, 0.34 * s, fill))


def tick(cx, cy, r, colour=WHITE):
    d = f"M{cx - 0.45 * r:.1f},{cy + 0.02 * r:.1f} L{cx - 0.12 * r:.1f},{cy + 0.35 * r:.1f} L{cx + 0.48 * r:.1f},{cy - 0.35 * r:.1f}"
    return path(d, stroke=colour, sw=0.2 * r)


def cross(cx, cy, r, colour=WHITE, width=None):
    a = 0.38 * r
    w = width or 0.2 * r
    return (line(cx - a, cy - a, cx + a, cy + a, colour, w) + line(cx - a, cy + a, cx + a, cy - a, colour, w))


def owl(cx, cy, s, body="#8A6BD1", belly="#EBDDFB"):
    """The game's mascot, a little owl, centred at (cx, cy), about 2s tall."""
    out = ""
    out += polygon([(cx - 0.62 * s, cy - 0.55 * s), (cx - 0.42 * s, cy - 1.0 * s), (cx - 0.2 * s, cy - 0.7 * s)], body)
    out += polygon([(cx + 0.62 * s, cy - 0.55 * s), (cx + 0.42 * s, cy - 1.0 * s), (cx + 0.2 * s, cy - 0.7 * s)], body)
    out += ellipse(cx, cy, 0.7 * s, 0.85 * s, body)
    out += ellipse(cx, cy + 0.3 * s, 0.45 * s, 0.5 * s, belly)
    for side in (-1, 1):
        out += circle(cx + side * 0.3 * s, cy - 0.32 * s, 0.27 * s, WHITE, "#5B43A8", 0.04 * s)
        out += circle(cx + side * 0.27 * s, cy - 0.3 * s, 0.12 * s, "#1F1A3A")
        out += circle(cx + side * 0.23 * s, cy - 0.35 * s, 0.04 * s, WHITE)
    out += polygon([(cx - 0.1 * s, cy - 0.12 * s), (cx + 0.1 * s, cy - 0.12 * s), (cx, cy + 0.06 * s)], ORANGE)
    for side in (-1, 1):
        out += ellipse(cx + side * 0.22 * s, cy + 0.84 * s, 0.14 * s, 0.07 * s, ORANGE)
    for i in range(3):
        y = cy + (0.18 + 0.17 * i) * s
        out += path(f"M{cx - 0.15 * s:.1f},{y:.1f} Q{cx:.1f},{y + 0.08 * s:.1f} {cx + 0.15 * s:.1f},{y:.1f}",
                    stroke="#C7B3EE", sw=0.035 * s)
    return out


# --- Grelinor ----------------------------------------------------------------

def question_screen():
    """Object 0: background of the question screen and of the review."""
    b = "<defs>" + vgradient("sky", SKY_TOP, SKY_LOW) + vgradient("band", NAVY, "#34469A") + "</defs>\n"
    b += rect(0, 0, 1024, 768, "url(#sky)")
    # Header band behind the pupil's name (yellow text, 30 px, 5 px from the top).
    b += rect(0, 0, 1024, 50, "url(#band)")
    b += path("M0,50 Q128,62 256,50 T512,50 T768,50 T1024,50 L1024,44 L0,44 Z", fill="#34469A")
    # Sky decoration between the two counters.
    b += cloud(330, 120, 44) + cloud(700, 105, 36) + cloud(520, 170, 28, "#F5FAFF")
    b += star(440, 88, 9, 4, SUN) + star(600, 150, 7, 3, SUN) + star(770, 190, 6, 3, SUN)
    # Right-answer counter (125,100)-(215,175), a green tick beside it.
    b += circle(82, 137, 31, MINT, WHITE, 4) + tick(82, 137, 31)
    b += rect(127, 102, 86, 71, WHITE, 16, MINT, 4)
    # Wrong-answer counter (810,100)-(900,175), a red cross beside it.
    b += circle(942, 137, 31, CORAL, WHITE, 4) + cross(942, 137, 31)
    b += rect(812, 102, 86, 71, WHITE, 16, CORAL, 4)
    # Question band (90,225)-(934,368): the dial's socket on the left; the
    # media thumbnail (800,235)-(920,355) is drawn by the game on the right
    # only when the question has a medium, so its place stays plain.
    b += rect(93, 228, 838, 137, CREAM, 22, NAVY, 5)
    b += circle(160, 296, 63, "#DCE6FB", "#A9BCE8", 3)
    # The four answer boxes, one soft colour each, exactly on the mouse areas.
    boxes = [(84, 425, "#FFF4C9", SUN_DARK), (595, 425, "#DFF5E8", MINT),
             (84, 575, "#FFE3DE", CORAL), (595, 575, "#ECE5FB", LILAC)]
    for n, (x, y, fill, edge) in enumerate(boxes, start=1):
        b += rect(x + 3, y + 3, 334, 89, fill, 18, edge, 5)
        # n small dots in the box's outer bottom corner: which answer it is.
        for d in range(n):
            dx = x + 20 + 11 * d if x < 512 else x + 320 - 11 * d
            b += circle(dx, y + 80, 3.5, edge)
    # Hills along the bottom, behind the school line (dark blue text).
    b += path("M0,712 Q170,680 340,706 T680,700 T1024,696 L1024,768 L0,768 Z", fill=GRASS)
    b += path("M0,740 Q250,722 520,738 T1024,732 L1024,768 L0,768 Z", fill="#D4F0C2")
    return svg(1024, 768, b)


def end_panel():
    """Object 1: panel behind the end-of-quiz notice. The game stretches the
    rectangle (0,0,655,274) to 780 x 130, so it is drawn in 780 x 130 units
    and squeezed into 655 x 274 here: the stretch gives the shapes back."""
    g = ""
    g += rect(0, 0, 780, 130, ORANGE, 26)
    g += rect(6, 6, 768, 118, "#FFF4C2", 21)
    g += rect(14, 14, 752, 102, "#FFFBE6", 16)
    for cx in (52, 728):
        g += star(cx, 65, 36, 15, SUN, SUN_DARK, 3)
    confetti = [(110, 24, CORAL), (150, 108, MINT), (640, 22, BLUE), (680, 104, LILAC),
                (96, 96, BLUE), (690, 40, CORAL), (130, 60, LILAC), (655, 70, MINT)]
    for x, y, colour in confetti:
        g += circle(x, y, 5, colour)
    body = f'<g transform="scale({655 / 780:.6f},{274 / 130:.6f})">\n{g}</g>\n'
    return svg(655, 274, body)


def shared_background():
    """Object 2: background of the pupil list, name entry, video, final
    score and credits screens. Dark, for the white and coloured texts; a
    softer ribbon lower down carries the black remarks of the video screen."""
    b = "<defs>" + vgradient("night", NAVY_DARK, "#2E3F86") + vgradient("ribbon", "#5E7CBC", "#5674B4") + "</defs>\n"
    b += rect(0, 0, 1024, 768, "url(#night)")
    for i in range(34):
        x = (i * 223 + 37) % 1010 + 7
        y = (i * 97 + 11) % 600 + 8
        if 200 < x < 824 and y < 170:
            continue  # keep the titles of the screens clear
        b += circle(x, y, 1.5 + (i % 3) * 0.8, "#6F80C8" if i % 2 else "#8C9BDA")
    b += star(60, 560, 10, 4, "#C9B45A") + star(975, 95, 9, 4, "#C9B45A") + star(900, 560, 7, 3, "#C9B45A")
    # Ribbon behind the video screen's black remarks (y 625 to 692). Its blue
    # is as far from white as from black, so the white names of the pupil
    # list that run over it stay readable too.
    b += path("M0,624 Q256,612 512,622 T1024,618 L1024,694 Q768,702 512,692 T0,696 Z", fill="url(#ribbon)")
    b += path("M0,742 Q256,726 512,742 T1024,742 L1024,768 L0,768 Z", fill="#222E66")
    return svg(1024, 768, b)


def trophy():
    """Object 3: the picture of the final-score screen."""
    b = "<defs>" + rgradient("glow", "#FFF3B0", "#FFF3B0", 0) + vgradient("gold", "#FFE27A", "#E9A91F") + "</defs>\n"
    b += circle(150, 150, 148, "url(#glow)")
    b += path("M88,70 Q40,70 44,110 Q50,150 100,160", stroke=SUN_DARK, sw=14)
    b += path("M212,70 Q260,70 256,110 Q250,150 200,160", stroke=SUN_DARK, sw=14)
    b += path("M80,55 L220,55 Q220,160 150,190 Q80,160 80,55 Z", fill="url(#gold)", stroke="#C98A12", sw=5)
    b += rect(135, 186, 30, 36, SUN_DARK)
    b += rect(100, 218, 100, 22, "#C98A12", 6)
    b += rect(85, 238, 130, 28, NAVY, 8)
    b += star(150, 112, 34, 14, WHITE)
    b += star(42, 40, 12, 5, SUN) + star(262, 52, 10, 4, SUN) + star(250, 250, 12, 5, SUN) + star(48, 240, 9, 4, SUN)
    return svg(150, 150, b, (300, 300))


def speaker():
    """Object 4: thumbnail of a sound extract."""
    b = rect(8, 8, 224, 224, "#EAF3FF", 36)
    b += rect(40, 90, 42, 60, NAVY, 8)
    b += polygon([(78, 92), (128, 50), (128, 190), (78, 148)], BLUE, NAVY, 6)
    for i, r in enumerate((34, 60, 86)):
        a = math.radians(42)
        x1, y1 = 128 + r * math.cos(-a), 120 + r * math.sin(-a)
        x2, y2 = 128 + r * math.cos(a), 120 + r * math.sin(a)
        b += path(f"M{x1:.1f},{y1:.1f} A{r},{r} 0 0 1 {x2:.1f},{y2:.1f}", stroke=[ORANGE, CORAL, LILAC][i], sw=12)
    return svg(120, 120, b, (240, 240))


def film():
    """Object 5: thumbnail of a video extract."""
    b = rect(8, 8, 224, 224, "#FFF1E6", 36)
    # Clapper board: striped top, dark slate, a play sign.
    b += rect(34, 92, 172, 116, NAVY, 12)
    b += polygon([(30, 60), (200, 30), (208, 70), (38, 100)], "#2C2C3A")
    for i in range(4):
        x = 52 + i * 40
        y = 56 - i * 7
        b += polygon([(x, y + 4), (x + 20, y), (x + 30, y + 36), (x + 10, y + 40)], WHITE)
    b += circle(36, 84, 7, "#C9C9D6")
    b += polygon([(102, 118), (102, 182), (156, 150)], SUN)
    for y in (104, 196):
        for i in range(7):
            b += rect(44 + i * 23, y - 5, 12, 8, "#5E6DB3", 2)
    return svg(120, 120, b, (240, 240))


def video_emblem():
    """Object 6: emblem in the top-left corner of the video screen."""
    b = circle(100, 100, 96, SUN) + circle(100, 100, 84, "#FFF8DC")
    b += owl(100, 108, 58)
    # A tiny film strip on the owl's wing.
    b += rect(116, 128, 40, 24, NAVY, 4)
    for i in range(3):
        b += rect(121 + i * 12, 132, 6, 4, WHITE) + rect(121 + i * 12, 144, 6, 4, WHITE)
    return svg(100, 100, b, (200, 200))


def name_entry_picture():
    """Object 7: picture of the name-entry screen, a notebook and a pencil."""
    b = rect(20, 40, 160, 220, WHITE, 10, "#C9D6F2", 4)
    b += line(48, 44, 48, 256, CORAL, 3)
    for i in range(9):
        b += line(26, 72 + i * 21, 174, 72 + i * 21, "#A9C6F0", 2)
    # Scribbles of a name being written.
    b += path("M60,87 q8,-14 16,0 t16,0 t16,0 t16,0", stroke=NAVY, sw=4)
    b += path("M60,129 q8,-14 16,0 t16,0 t16,0", stroke=NAVY, sw=4)
    # Spiral rings.
    for i in range(7):
        b += rect(30 + i * 22, 30, 8, 22, "#8B93B8", 4)
    # Pencil, standing diagonally.
    b += '<g transform="translate(108,362) rotate(-68)">\n'
    b += rect(0, -13, 190, 26, SUN, 4) + rect(0, -13, 190, 8, "#FFE58A", 3)
    b += rect(162, -13, 28, 26, "#F49AB0", 5) + rect(152, -13, 12, 26, "#C9C9D6")
    b += polygon([(0, -13), (-34, 0), (0, 13)], "#F5D2A4") + polygon([(-22, -5), (-34, 0), (-22, 5)], "#3A3A4A")
    b += "</g>\n"
    b += owl(64, 330, 34)
    return svg(200, 400, b)


def close_cross():
    """Object 8: the close cross of the video screen."""
    b = circle(50, 50, 47, WHITE) + circle(50, 50, 41, "#E5484D")
    b += cross(50, 50, 41, WHITE, 11)
    return svg(50, 50, b, (100, 100))


def level_icon(books):
    """Objects 9-14: a stack of 1 to 6 books, one per school year."""
    b = ellipse(60, 200, 50, 7, "#00000022")
    for i in range(books):
        colour = LEVEL_COLOURS[i]
        y = 196 - (i + 1) * 28
        shift = (-6, 5, -3, 6, -5, 3)[i]
        b += rect(12 + shift, y, 96, 26, colour, 6, "#3A3A5A", 3)
        b += rect(20 + shift, y + 7, 80, 5, WHITE, 3)
        b += rect(20 + shift, y + 16, 52, 4, "#FFFFFFAA", 2)
    b += star(60, 196 - books * 28 - 15, 13, 5, SUN, SUN_DARK, 2)
    return svg(40, 70, b, (120, 210))


def level_picture():
    """Object 15: picture of the class-level screen, the owl in a cap."""
    b = circle(100, 100, 94, "#DDEBFF") + circle(100, 100, 94, "none", BLUE, 6)
    b += owl(100, 112, 56)
    b += polygon([(40, 56), (100, 30), (160, 56), (100, 82)], NAVY)
    b += rect(76, 62, 48, 20, NAVY, 4)
    b += line(150, 56, 154, 92, SUN, 4) + circle(154, 96, 6, SUN)
    return svg(100, 100, b, (200, 200))


def level_background():
    """Object 16: background of the class-level screen. Light, for the black
    texts; a tile under each level's mouse area."""
    b = "<defs>" + vgradient("sky", "#DDF0FF", "#F7FBFF") + "</defs>\n"
    b += rect(0, 0, 1024, 768, "url(#sky)")
    b += cloud(820, 200, 40) + cloud(380, 110, 34) + cloud(640, 70, 26)
    b += star(300, 190, 10, 4, SUN) + star(900, 300, 8, 3, SUN) + star(700, 160, 7, 3, SUN)
    # Panel behind the remark (dark blue text, 14 px, centred on x = 180).
    b += rect(4, 24, 392, 118, "#FFFFFF", 16, "#BBD2F2", 3)
    tiles = [(100, 380, 420, 450), (600, 380, 925, 450), (100, 510, 420, 580),
             (600, 510, 925, 580), (100, 640, 420, 710), (600, 640, 925, 710)]
    for n, (x1, y1, x2, y2) in enumerate(tiles):
        b += rect(x1 + 4, y1 + 6, x2 - x1, y2 - y1, "#00000018", 16)
        b += rect(x1, y1, x2 - x1, y2 - y1, LEVEL_PASTELS[n], 16, LEVEL_COLOURS[n], 4)
    b += path("M0,738 Q260,716 520,734 T1024,728 L1024,768 L0,768 Z", fill=GRASS)
    return svg(1024, 768, b)


# --- Tamarel -----------------------------------------------------------------

def tamarel_background():
    """Tamarel's background: dark, for its yellow, green, red, pink and blue
    texts; a screen with its size arrows on the right, away from the rows."""
    b = "<defs>" + vgradient("night", "#0E1430", "#1A2350") + "</defs>\n"
    b += rect(0, 0, 1024, 768, "url(#night)")
    for x in range(0, 1024, 32):
        b += line(x, 0, x, 768, "#151D42", 1)
    for y in range(0, 768, 32):
        b += line(0, y, 1024, y, "#151D42", 1)
    # A monitor at the right.
    b += rect(770, 250, 220, 150, "#2A3670", 12, "#4A5AA0", 4)
    b += rect(784, 264, 192, 122, "#233066", 4)
    for i, colour in enumerate(("#3E5BB0", "#3B8F7A", "#A0553F")):
        b += rect(796 + i * 60, 280, 48, 90, colour, 4)
    b += rect(860, 400, 40, 30, "#2A3670") + rect(830, 428, 100, 12, "#2A3670", 6)
    b += path("M780,465 L980,465", stroke="#5566AA", sw=3)
    b += polygon([(770, 465), (784, 457), (784, 473)], "#5566AA") + polygon([(990, 465), (976, 457), (976, 473)], "#5566AA")
    b += path("M1005,250 L1005,400", stroke="#5566AA", sw=3)
    b += polygon([(1005, 240), (997, 254), (1013, 254)], "#5566AA") + polygon([(1005, 410), (997, 396), (1013, 396)], "#5566AA")
    return svg(1024, 768, b)


GRELINOR = [
    ("00_question.svg", question_screen),
    ("01_fin.svg", end_panel),
    ("02_fond.svg", shared_background),
    ("03_trophee.svg", trophy),
    ("04_hautparleur.svg", speaker),
    ("05_film.svg", film),
    ("06_embleme.svg", video_emblem),
    ("07_saisie.svg", name_entry_picture),
    ("08_croix.svg", close_cross),
    ("09_cm2.svg", lambda: level_icon(6)),
    ("10_cm1.svg", lambda: level_icon(5)),
    ("11_ce2.svg", lambda: level_icon(4)),
    ("12_ce1.svg", lambda: level_icon(3)),
    ("13_cp.svg", lambda: level_icon(2)),
    ("14_gs.svg", lambda: level_icon(1)),
    ("15_niveau.svg", level_picture),
    ("16_fond_niveau.svg", level_background),
]


def main():
    for folder, pieces in (("grelinor", GRELINOR), ("tamarel", [("00_fond.svg", tamarel_background)])):
        out = os.path.join(ROOT, "assets", folder)
        os.makedirs(out, exist_ok=True)
        for name, draw in pieces:
            with open(os.path.join(out, name), "w", encoding="utf-8") as f:
                f.write(draw())


if __name__ == "__main__":
    main()

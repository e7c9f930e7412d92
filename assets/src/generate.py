#!/usr/bin/python3
"""Regenerates every file in assets/generated/ from the sources in assets/src/.

Run it through `assets/generate`. It needs Debian's python3-pil, librsvg2-bin
(rsvg-convert) and fonts-wqy-microhei, and nothing else. The output is
deterministic: running it twice gives byte-identical files.

Sources:
  src/icons/*.svg        16 x 16 icons of the toolbar strips and the context menu;
                         "currentColor" is replaced by the colour each use asks for
  src/main_picture.svg   the main window's banner (278 x 127)
  src/program_icon.svg   the program icon, drawn for 48 and 256 pixels
  src/program_icon_16.svg, src/program_icon_32.svg
                         the same motif redrawn on the pixel grid for 16 and 32
  this file              layout of the strip and the menus (the toolbar's hit
                         ranges and the menu's row bands), the overlay cursor's shape,
                         and the .cur/.ico writers
"""

import io
import os
import struct
import subprocess
import sys

from PIL import Image, ImageDraw, ImageFont

SRC = os.path.dirname(os.path.abspath(__file__))
ICONS = os.path.join(SRC, "icons")
OUT = os.path.join(os.path.dirname(SRC), "generated")
FONT_PATH = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

TEXT_GREY = "#333333"
ICON_GREY = "#3C3C3C"


# ---------------------------------------------------------------- helpers

def render_svg(path, width, height, color=None):
    """Renders an SVG file at width x height into an RGBA image.

    color, when given, replaces every "currentColor" in the file."""
    with open(path, encoding="utf-8") as f:
        svg = f.read()
    if color is not None:
        svg = svg.replace("currentColor", color)
    png = subprocess.run(
        ["rsvg-convert", "--format=png", "--width=%d" % width, "--height=%d" % height],
        input=svg.encode("utf-8"), stdout=subprocess.PIPE, check=True).stdout
    image = Image.open(io.BytesIO(png)).convert("RGBA")
    if image.size != (width, height):
        raise SystemExit("%s rendered at %s, expected %dx%d" % (path, image.size, width, height))
    return image


def icon(name, color=ICON_GREY):
    return render_svg(os.path.join(ICONS, name + ".svg"), 16, 16, color)


def font(size):
    return ImageFont.truetype(FONT_PATH, size)


def cjk_top(fnt, centre_y):
    """The y at which to draw CJK text of fnt so that its ink is centred on centre_y."""
    left, top, right, bottom = fnt.getbbox("国")
    return round(centre_y - (top + bottom) / 2.0)


def draw_text(image, xy, text, fnt, color):
    """Anti-aliased text composited onto an RGBA image (also onto transparent pixels)."""
    mask = Image.new("L", image.size, 0)
    ImageDraw.Draw(mask).text(xy, text, font=fnt, fill=255)
    layer = Image.new("RGBA", image.size, color)
    layer.putalpha(mask)
    image.alpha_composite(layer)


def text_width(fnt, text):
    return fnt.getlength(text)


def save_png(image, name):
    image.save(os.path.join(OUT, name), optimize=True)


# ---------------------------------------------------------------- toolbar strip

# The toolbar's button hit ranges (dx) are relative to the toolbar
# surface, on which the strip is drawn at (1, 1): strip x = dx - 1, strip y = dy - 1.
# The highlight box of a button (x1, y1, x2, y2) covers surface pixels x1..x2-1 and
# y1..y2-1, i.e. strip y 2..21, so icons are centred on strip y 11.5 (16 x 16 at y 4).
STRIP_W, STRIP_H = 325, 24
ICON_Y = 4

# (icon, x of the 16 x 16 box in strip pixels). Comments give the hit range in dx.
STRIP_ICONS = [
    ("rect", 8),      # 1: dx 6-28, highlight strip x 5..26
    ("ellipse", 34),  # 2: dx 32-54
    ("arrow", 60),    # 3: dx 58-80
    ("brush", 86),    # 4: dx 84-106
    ("text", 112),    # 5: dx 110-132
    ("undo", 143),    # 6: dx 144-158 only (ink at strip x 144..156), highlight to 165
    ("save", 172),    # 7: dx 170-192
    ("save", 198),    # 8: dx 196-219 (save with drop-down)
    ("caret", 215),   # 9: dx 220-228, the drop-down arrow (ink at strip x 220..226)
    ("cancel", 242),  # 10: dx 241-262
    ("check", 272),   # 11: dx 267-321, followed by the caption
]
STRIP_SEPARATORS = [137, 234]  # strip x; gaps dx 133-143 and 229-240
FINISH_TEXT = "完成"
FINISH_TEXT_X = 290
SEPARATOR_COLOR = (138, 170, 204, 255)


def make_toolbar_strip():
    strip = Image.new("RGBA", (STRIP_W, STRIP_H), (0, 0, 0, 0))
    for name, x in STRIP_ICONS:
        strip.alpha_composite(icon(name), (x, ICON_Y))
    draw = ImageDraw.Draw(strip)
    for x in STRIP_SEPARATORS:
        draw.line([(x, 5), (x, 18)], fill=SEPARATOR_COLOR, width=1)
    fnt = font(12)
    draw_text(strip, (FINISH_TEXT_X, cjk_top(fnt, 11.5)), FINISH_TEXT, fnt, TEXT_GREY)
    return strip


# The newer tools' strip, drawn in a box of its own left of the ten buttons (the
# main strip keeps its bytes and its hit ranges). The same pitch and boxes as the
# first five buttons: on a surface that draws the strip at (1, 1), button i
# (0 = line, then highlighter, mosaic, blur, step numbers: ToolKind 6 to 10) has the
# hit range dx 6 + 26 i to 28 + 26 i and its highlight covers strip x 5 + 26 i to
# 26 + 26 i, strip y 2 to 21.
TOOLS_STRIP_W = 137
TOOLS_STRIP_ICONS = ["line", "highlighter", "mosaic", "blur", "step"]


def make_tools_strip():
    strip = Image.new("RGBA", (TOOLS_STRIP_W, STRIP_H), (0, 0, 0, 0))
    for i, name in enumerate(TOOLS_STRIP_ICONS):
        strip.alpha_composite(icon(name), (8 + 26 * i, ICON_Y))
    return strip


# ---------------------------------------------------------------- context menu

# The menu images: 151 x 272, 22-pixel rows starting at these image y values,
# separators in image y 132-135 and 224-227.
MENU_W, MENU_H = 151, 272
ROW_H = 22
MENU_ROWS = [
    (0, "rect", "矩形工具"),
    (22, "ellipse", "椭圆工具"),
    (44, "arrow", "箭头工具"),
    (66, "brush", "画刷工具"),
    (88, "text", "文字工具"),
    (110, "undo", "撤销编辑"),
    (136, "reselect", "重新选择截图区域"),
    (158, "check", "完成截图"),
    (180, "save", "保存"),
    (202, "pin", "钉在屏幕上"),
    (228, "hide_toolbar", "隐藏编辑工具栏"),
    (250, "cancel", "退出截图"),
]
MENU_SEPARATORS = [133, 225]  # the 1-pixel line inside bands 132-135 and 224-227
MENU_ICON_X = 6
MENU_TEXT_X = 30
MENU_SEPARATOR_COLOR = (218, 218, 218, 255)
HIGHLIGHT_FILL = (175, 229, 255, 255)      # 0xAFE5FF, as the toolbar's highlight
HIGHLIGHT_OUTLINE = (42, 135, 228, 255)    # 0x2A87E4
HIGHLIGHT_ICON = "#1B6FC2"
HIGHLIGHT_TEXT = "#0F2A44"


def make_menu(highlighted):
    menu = Image.new("RGBA", (MENU_W, MENU_H), (255, 255, 255, 255))
    draw = ImageDraw.Draw(menu)
    for y in MENU_SEPARATORS:
        draw.line([(8, y), (MENU_W - 9, y)], fill=MENU_SEPARATOR_COLOR, width=1)
    fnt = font(12)
    for top, icon_name, text in MENU_ROWS:
        if highlighted:
            draw.rounded_rectangle([0, top, MENU_W - 1, top + ROW_H - 1], radius=3,
                                   fill=HIGHLIGHT_FILL, outline=HIGHLIGHT_OUTLINE, width=1)
        menu.alpha_composite(icon(icon_name, HIGHLIGHT_ICON if highlighted else ICON_GREY),
                             (MENU_ICON_X, top + 3))
        draw_text(menu, (MENU_TEXT_X, cjk_top(fnt, top + 10.5)), text, fnt,
                  HIGHLIGHT_TEXT if highlighted else TEXT_GREY)
    return menu


# ---------------------------------------------------------------- main picture

def make_main_picture():
    picture = render_svg(os.path.join(SRC, "main_picture.svg"), 278, 127)
    # The picture box blits it without alpha: flatten onto white.
    flat = Image.new("RGBA", picture.size, (255, 255, 255, 255))
    flat.alpha_composite(picture)
    return flat.convert("RGB")


# ---------------------------------------------------------------- overlay cursor

CURSOR_SIZE = 32
# The arrow's outline in pixel units, tip at the top-left corner of pixel (0, 0).
# A pixel belongs to the arrow when its centre lies inside this polygon.
CURSOR_POLYGON = [
    (0.0, 0.0),     # tip
    (0.0, 21.6),    # lower end of the left edge
    (5.0, 16.8),    # notch, left
    (8.4, 24.8),    # tail, lower left
    (12.6, 23.0),   # tail, lower right
    (9.2, 15.4),    # notch, right
    (15.6, 15.4),   # right wing
]
# The fill: seven stripes across the arrow, red at the tip to violet at the tail.
RAINBOW = [
    (255, 48, 48),    # red
    (255, 149, 0),    # orange
    (255, 221, 0),    # yellow
    (52, 199, 89),    # green
    (10, 132, 255),   # blue
    (88, 86, 214),    # indigo
    (191, 90, 242),   # violet
]


def inside(polygon, px, py):
    """Even-odd point-in-polygon test."""
    result = False
    n = len(polygon)
    for i in range(n):
        x1, y1 = polygon[i]
        x2, y2 = polygon[(i + 1) % n]
        if (y1 > py) != (y2 > py):
            xc = x1 + (py - y1) * (x2 - x1) / (y2 - y1)
            if px < xc:
                result = not result
    return result


def cursor_pixels():
    """Returns a 32 x 32 grid of None (transparent) or (r, g, b)."""
    size = CURSOR_SIZE
    shape = [[inside(CURSOR_POLYGON, x + 0.5, y + 0.5) for x in range(size)] for y in range(size)]
    shape[0][0] = True

    def on(x, y):
        return 0 <= x < size and 0 <= y < size and shape[y][x]

    grid = [[None] * size for _ in range(size)]
    fill = []
    for y in range(size):
        for x in range(size):
            if not shape[y][x]:
                continue
            if on(x - 1, y) and on(x + 1, y) and on(x, y - 1) and on(x, y + 1):
                fill.append((x, y))
            else:
                grid[y][x] = (0, 0, 0)  # the 1-pixel black outline

    # Stripes run across the arrow's axis, which points from the tip towards the tail.
    def along(x, y):
        return x * 0.45 + y

    low = min(along(x, y) for x, y in fill)
    high = max(along(x, y) for x, y in fill)
    for x, y in fill:
        t = (along(x, y) - low) / (high - low)
        grid[y][x] = RAINBOW[min(int(t * len(RAINBOW)), len(RAINBOW) - 1)]
    return grid


def cur_bytes(grid, hotspot=(0, 0)):
    """A .cur file: one 32 x 32 image, 8 bits per pixel, 256-colour palette, AND mask."""
    size = len(grid)
    colours = sorted({c for row in grid for c in row if c is not None})
    palette = [(0, 0, 0)] + [c for c in colours if c != (0, 0, 0)]
    if len(palette) > 256:
        raise SystemExit("cursor uses more than 256 colours")
    palette += [(0, 0, 0)] * (256 - len(palette))
    index = {c: i for i, c in enumerate(palette) if i == 0 or c != (0, 0, 0)}

    xor_rows, and_rows = [], []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = grid[y]
        xor_rows.append(bytes(0 if c is None else index[c] for c in row))
        bits = 0
        for x, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)  # 1 = transparent
        and_row = bits.to_bytes(size // 8, "big")
        and_row += b"\0" * ((4 - len(and_row) % 4) % 4)  # rows padded to 32 bits
        and_rows.append(and_row)
    xor = b"".join(xor_rows)  # 32 bytes a row: already a multiple of 4
    mask = b"".join(and_rows)

    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0,
                         len(xor) + len(mask), 0, 0, 256, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    image = header + pal + xor + mask
    icondir = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return icondir + entry + image


def read_cur(data):
    """Parses what cur_bytes writes; returns (hotspot, grid of None or (r, g, b))."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    assert (reserved, kind, count) == (0, 2, 1), (reserved, kind, count)
    w, h, colours, _, hx, hy, length, offset = struct.unpack_from("<BBBBHHII", data, 6)
    assert offset + length == len(data)
    (bi_size, bw, bh, planes, bpp, compression, _, _, _, used, _) = \
        struct.unpack_from("<IiiHHIIiiII", data, offset)
    assert (bi_size, bw, bh, planes, bpp, compression) == (40, w, 2 * h, 1, 8, 0)
    pal_at = offset + 40
    palette = [struct.unpack_from("<BBBB", data, pal_at + 4 * i)[2::-1] for i in range(256)]
    xor_at = pal_at + 1024
    and_at = xor_at + w * h
    and_stride = ((w + 31) // 32) * 4
    assert and_at + and_stride * h == len(data)
    grid = []
    for y in range(h):
        src = h - 1 - y
        row = []
        for x in range(w):
            transparent = (data[and_at + src * and_stride + x // 8] >> (7 - x % 8)) & 1
            row.append(None if transparent else tuple(palette[data[xor_at + src * w + x]]))
        grid.append(row)
    return (hx, hy), grid


# ---------------------------------------------------------------- program icon

def ico_bmp_entry(image):
    """A 32-bit BMP icon image (BGRA XOR bitmap plus AND mask) from an RGBA image."""
    w, h = image.size
    px = image.load()
    xor = bytearray()
    mask = bytearray()
    stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        bits = bytearray(stride)
        for x in range(w):
            r, g, b, a = px[x, y]
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return bytes(header + xor + mask)


def ico_bytes(images):
    """An .ico file; images of 256 pixels are stored PNG-compressed, smaller as BMP."""
    blobs = []
    for image in images:
        if image.size[0] >= 256:
            buf = io.BytesIO()
            image.save(buf, format="PNG", optimize=True)
            blobs.append(buf.getvalue())
        else:
            blobs.append(ico_bmp_entry(image))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for image, blob in zip(images, blobs):
        w, h = image.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def make_program_icon():
    images = [render_svg(os.path.join(SRC, "program_icon_16.svg"), 16, 16),
              render_svg(os.path.join(SRC, "program_icon_32.svg"), 32, 32)]
    for size in (48, 256):
        images.append(render_svg(os.path.join(SRC, "program_icon.svg"), size, size))
    return images


# ---------------------------------------------------------------- main

def main():
    os.makedirs(OUT, exist_ok=True)
    save_png(make_toolbar_strip(), "toolbar_strip.png")
    save_png(make_tools_strip(), "tools_strip.png")
    save_png(make_menu(False), "menu_normal.png")
    save_png(make_menu(True), "menu_highlight.png")
    save_png(make_main_picture(), "main_picture.png")

    grid = cursor_pixels()
    data = cur_bytes(grid)
    hotspot, back = read_cur(data)
    if hotspot != (0, 0) or back != grid:
        raise SystemExit("overlay.cur does not read back as written")
    with open(os.path.join(OUT, "overlay.cur"), "wb") as f:
        f.write(data)

    with open(os.path.join(OUT, "program.ico"), "wb") as f:
        f.write(ico_bytes(make_program_icon()))

    for name in sorted(os.listdir(OUT)):
        print("assets/generated/" + name)
    return 0


if __name__ == "__main__":
    sys.exit(main())

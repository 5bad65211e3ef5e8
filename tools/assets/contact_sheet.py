#!/usr/bin/python3
"""Renders one PNG contact sheet of every picture in a resources folder.

Usage: contact_sheet.py RESOURCES_DIR OUTPUT.png [--filter SUBSTRING] [--cell 150]
"""
import argparse
import os
import sys

from PIL import Image, ImageDraw, ImageFont


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("resources")
    ap.add_argument("output")
    ap.add_argument("--filter", default="")
    ap.add_argument("--cell", type=int, default=150)
    ap.add_argument("--columns", type=int, default=12)
    args = ap.parse_args()
    paths = []
    for root, _, files in os.walk(args.resources):
        for f in files:
            if f.lower().endswith((".png", ".jpg")):
                rel = os.path.relpath(os.path.join(root, f), args.resources)
                if args.filter in rel:
                    paths.append(rel)
    paths.sort()
    if not paths:
        print("no pictures under", args.resources, file=sys.stderr)
        return 1
    cell, label = args.cell, 24
    cols = min(args.columns, len(paths))
    rows = (len(paths) + cols - 1) // cols
    sheet = Image.new("RGB", (cols * cell, rows * (cell + label)), (40, 40, 48))
    draw = ImageDraw.Draw(sheet)
    small = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 9)
    check = Image.new("RGB", (cell - 8, cell - 8), (90, 90, 100))
    cd = ImageDraw.Draw(check)
    for y in range(0, cell, 8):
        for x in range(0, cell, 8):
            if (x + y) // 8 % 2:
                cd.rectangle([x, y, x + 7, y + 7], fill=(120, 120, 130))
    for i, rel in enumerate(paths):
        x, y = (i % cols) * cell, (i // cols) * (cell + label)
        img = Image.open(os.path.join(args.resources, rel)).convert("RGBA")
        size = img.size
        img.thumbnail((cell - 8, cell - 8))
        sheet.paste(check, (x + 4, y + 4))
        ox, oy = x + 4 + (cell - 8 - img.width) // 2, y + 4 + (cell - 8 - img.height) // 2
        sheet.paste(img, (ox, oy), img)
        name = rel if len(rel) <= 30 else "..." + rel[-27:]
        draw.text((x + 3, y + cell), name, fill=(230, 230, 230), font=small)
        draw.text((x + 3, y + cell + 11), "%dx%d" % size, fill=(170, 170, 190), font=small)
    sheet.save(args.output)
    print("%d pictures -> %s" % (len(paths), args.output))
    return 0


if __name__ == "__main__":
    sys.exit(main())

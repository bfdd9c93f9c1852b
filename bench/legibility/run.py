#!/usr/bin/env python3
"""Legibility of the smallest cells, measured by reading them back.

Generates book pages of small print with a known text in three captures (clean scan, flatbed
book scan, phone photo), composes them with pagula-compose at 3 x 3 and 4 x 4 cells per A4
page, in grey and in black and white, renders the first page of each PDF at 600 dpi, cuts out
every cell, reads it with tesseract (as one block of text) and prints the character error rate
(CER) and the text height (the height of small letters, from the distance between the lines
read), per capture, grid, colour type and configuration:

  today      pagula-compose with its start values
  today600   the same with --dpi 600 (pictures stored at the printer's resolution)
  core       the pages first prepared by bench_legibility (page outline, straightening, even
             background, fitted into the cell keeping proportions; black and white thresholded
             locally at the printed size), then composed with --dpi 600
  flags      pagula-compose on the unprepared pages with --compose-flags, for the program's
             own preparation flags (e.g. --compose-flags="--prepare --keep-proportions")

Run from the repository after `cmake --build --preset dev --target pagula-compose
bench_legibility`:

  bench/legibility/run.py [--configs today,core] [--grids 3,4] [--colours grey,bw]
                          [--captures clean,book,photo] [--work DIR] [--jobs N]

Needs pdftoppm (poppler-utils) and tesseract with its English data (tesseract-ocr-eng).
"""

import argparse
import collections
import concurrent.futures
import os
import statistics
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BIN = os.path.join(ROOT, "build-test", "bin")
COMPOSE = os.path.join(BIN, "pagula-compose")
HELPER = os.path.join(BIN, "bench_legibility")

DPI = 600
# The batch command's start values: margins left, right, top, bottom and the gutter (mm).
MARGINS = (7, 10, 7, 20)
GUTTER = 6
POINTS_PER_MM = 2.835  # the composition's own conversion
# Keeps the frame lines (a quarter point, 0.09 mm, on the cell's edge) out of what is read.
CELL_INSET_MM = 0.2
CAPTURES = ("clean", "book", "photo")
# The pages are set 10.5 on 12.8 pt in Liberation Serif, whose x-height is 0.447 em: the height
# of small letters is this share of the distance between lines, which tesseract finds reliably
# (its letter boxes grow with blur).
X_HEIGHT_PER_PITCH = 0.447 * 10.5 / (10.5 * 1.22)
CAPTURE_NAMES = {"clean": "clean scan", "book": "book scan", "photo": "phone photo"}


def run(command, **kwargs):
    return subprocess.run(command, check=True, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          text=True, **kwargs)


def px(mm):
    return mm * POINTS_PER_MM / 72.0 * DPI


def picture_boxes(grid):
    """The picture of every cell on the first page, in pixels at DPI: (x, y, w, h)."""
    left, right, top, bottom = MARGINS
    cell_w = (210.0 - left - right) / grid
    cell_h = (297.0 - top - bottom) / grid
    boxes = []
    for i in range(grid * grid):
        col, row = i % grid, i // grid
        x = left + col * cell_w + GUTTER
        y = top + row * cell_h
        boxes.append((px(x), px(y), px(cell_w - GUTTER), px(cell_h)))
    return boxes


def box_pixels(grid):
    """The printed size of one cell's picture at DPI, as the composition rounds it."""
    _, _, w, h = picture_boxes(grid)[0]
    return int(round(w)), int(round(h))


def read_pgm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P5" and fields[3] == b"255", path
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:pos + 1 + width * height]


def write_cell(page, box, path):
    width, height, pixels = page
    inset = px(CELL_INSET_MM)
    x0 = max(0, int(box[0] + inset))
    y0 = max(0, int(box[1] + inset))
    x1 = min(width, int(box[0] + box[2] - inset))
    y1 = min(height, int(box[1] + box[3] - inset))
    rows = [pixels[y * width + x0:y * width + x1] for y in range(y0, y1)]
    with open(path, "wb") as f:
        f.write(b"P5\n%d %d\n255\n" % (x1 - x0, y1 - y0))
        f.write(b"".join(rows))


def read_cell(cell, truth, reuse):
    """(edits, truth length, distances between lines in pixels) of one cell."""
    base = cell[:-4]
    if not (reuse and os.path.exists(base + ".tsv") and os.path.exists(base + ".txt")):
        # A cell holds one block of text: tesseract's page layout analysis only loses lines.
        run(["tesseract", cell, base, "--dpi", str(DPI), "--psm", "6", "-l", "eng", "txt",
             "tsv"], env=dict(os.environ, OMP_THREAD_LIMIT="1"))
    edits, length = map(int, run([HELPER, "cer", truth, base + ".txt"]).stdout.split())
    tops = []
    with open(base + ".tsv", encoding="utf-8") as f:
        next(f)
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) == 12 and parts[0] == "4":
                tops.append(int(parts[7]))
    tops.sort()
    return edits, length, [b - a for a, b in zip(tops, tops[1:]) if b > a]


def make_pages(work, count):
    pages = os.path.join(work, "pages")
    if not os.path.exists(os.path.join(pages, "text-%02d.txt" % count)):
        print("Generating %d pages in three captures..." % count, flush=True)
        run([HELPER, "pages", pages, str(count)])
    return pages


def prepared_pages(work, pages, capture, grid, colour, count):
    """The pages as bench_legibility prepares them for this grid and colour type."""
    folder = os.path.join(work, "prepared", "%s-%d-%s" % (capture, grid, colour))
    os.makedirs(folder, exist_ok=True)
    w, h = box_pixels(grid)
    out = []
    for n in range(1, count + 1):
        target = os.path.join(folder, "%02d.png" % n)
        if not os.path.exists(target):
            command = [HELPER, "prepare", os.path.join(pages, "%s-%02d.jpg" % (capture, n)),
                       target, "%dx%d" % (w, h), "--find-page", "--straighten",
                       "--even-background", "--keep-proportions"]
            if colour == "bw":
                command.append("--bw")
            run(command)
        out.append(target)
    return out


def compose_flags(config, colour, extra):
    if config == "today":
        return ["--color", colour]
    if config == "today600":
        return ["--color", colour, "--dpi", str(DPI)]
    if config == "core":
        # Black and white is already decided at the printed size: stored as it is.
        return ["--color", "grey", "--dpi", str(DPI)]
    return ["--color", colour] + extra


def measure(work, pages, config, capture, grid, colour, extra, jobs, reuse):
    count = grid * grid
    folder = os.path.join(work, "runs", "%s-%s-%d-%s" % (config, capture, grid, colour))
    os.makedirs(folder, exist_ok=True)
    if config == "core":
        pictures = prepared_pages(work, pages, capture, grid, colour, count)
    else:
        pictures = [os.path.join(pages, "%s-%02d.jpg" % (capture, n)) for n in range(1, count + 1)]
    joblist = os.path.join(folder, "list.txt")
    with open(joblist, "w", encoding="utf-8") as f:
        f.writelines(p + "0\n" for p in pictures)
    pdf = os.path.join(folder, "out.pdf")
    rendered = os.path.join(folder, "page.pgm")
    if not (reuse and os.path.exists(rendered)):
        run([COMPOSE, "-q", "--columns", str(grid), "--rows", str(grid)] +
            compose_flags(config, colour, extra) + [joblist, pdf])
        run(["pdftoppm", "-r", str(DPI), "-gray", "-f", "1", "-l", "1", "-singlefile", pdf,
             os.path.join(folder, "page")])
        reuse = False
    page = read_pgm(rendered)
    cells = []
    for i, box in enumerate(picture_boxes(grid)):
        cell = os.path.join(folder, "cell-%02d.pgm" % (i + 1))
        write_cell(page, box, cell)
        cells.append((cell, os.path.join(pages, "text-%02d.txt" % (i + 1)), reuse))
    with concurrent.futures.ThreadPoolExecutor(max_workers=jobs) as pool:
        results = list(pool.map(lambda c: read_cell(*c), cells))
    edits = sum(r[0] for r in results)
    length = sum(r[1] for r in results)
    pitches = [d for r in results for d in r[2]]
    if not pitches:
        return 100.0 * edits / length, float("nan")
    pitch = statistics.median(pitches)
    # Runs of a line read as two, or two lines read as one, fall outside half to one and a half
    # pitches; the mean of the rest is finer than the whole pixels each distance is read in.
    pitch = statistics.mean([d for d in pitches if 0.5 * pitch <= d <= 1.5 * pitch])
    return 100.0 * edits / length, pitch / DPI * 25.4 * X_HEIGHT_PER_PITCH


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--configs", default="today,today600,core")
    parser.add_argument("--grids", default="3,4")
    parser.add_argument("--colours", default="grey,bw")
    parser.add_argument("--captures", default=",".join(CAPTURES))
    parser.add_argument("--compose-flags", default="",
                        help="flags added to pagula-compose in the 'flags' configuration")
    parser.add_argument("--work", default=os.path.join(ROOT, "build-test", "legibility"))
    parser.add_argument("--jobs", type=int, default=1, help="tesseract runs at once")
    parser.add_argument("--reuse", action="store_true",
                        help="score the renderings and readings already in the work folder")
    args = parser.parse_args()

    configs = args.configs.split(",")
    grids = [int(g) for g in args.grids.split(",")]
    colours = args.colours.split(",")
    captures = args.captures.split(",")
    extra = args.compose_flags.split()
    for tool in (COMPOSE, HELPER):
        if not os.access(tool, os.X_OK):
            sys.exit("%s is missing: build pagula-compose and bench_legibility first" % tool)

    pages = make_pages(args.work, max(g * g for g in grids))
    results = collections.OrderedDict()
    print("%-12s %-5s %-5s %-9s %8s %10s %8s" %
          ("capture", "grid", "type", "config", "CER %", "text mm", "height"), flush=True)
    for capture in captures:
        for grid in grids:
            for colour in colours:
                for config in configs:
                    cer, height = measure(args.work, pages, config, capture, grid, colour,
                                          extra, args.jobs, args.reuse)
                    results[(capture, grid, colour, config)] = (cer, height)
                    base = results.get((capture, grid, colour, configs[0]))
                    ratio = height / base[1] if base else float("nan")
                    print("%-12s %d x %d %-5s %-9s %8.2f %10.3f %7.2fx" %
                          (CAPTURE_NAMES[capture], grid, grid, colour, config, cer, height,
                           ratio), flush=True)


if __name__ == "__main__":
    main()

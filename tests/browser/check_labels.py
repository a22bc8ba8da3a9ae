#!/usr/bin/env python3
"""Lays pages out in headless Chromium and checks every label's and image's cell.

Pages: the examples, the page form, a generated design of auto-sized labels
(three fonts, the default HTML size and sizes 2 to 7, plain and bold), one
of auto-sized labels with captions in French, German, Greek, Russian and
Japanese, a generated design of fixed-size labels, and random designs of
panels nested in panels holding labels and images. For each label the
browser must keep the caption on one line (a fixed-size label whose caption
wraps on screen on no more lines than on screen) inside the cell, and,
unless the label overlaps another one, put the cell within 1 px of the
label's rectangle in the page, however deep in panels it sits. Each image
must be drawn within 1 px of its rectangle, and so must its cell. On the
generated pages of auto-sized labels the cell is also at most 1 px wider
than the browser's text laid out without kerning and ligatures, which
auto-size leaves out.
"""
import struct
import zlib
import argparse
import html
import json
import math
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

TOLERANCE = 1.0
# Text may end a hair past a whole pixel: the browser keeps 1/64 px.
TEXT_SLACK = 0.02
FONTS = {"Arial": "Liberation Sans", "Times New Roman": "Liberation Serif", "Courier New": "Liberation Mono"}
# Browser pixel sizes of the HTML sizes; None is the default size (no size).
HTML_PIXELS = {None: 16, "2": 13, "3": 16, "4": 18, "5": 24, "6": 32, "7": 48}
# Captions in other scripts. Japanese is drawn in a fallback face, which makes
# its lines taller than the font's own.
CAPTIONS = {
    "French": ["Caf\u00e9 cr\u00e8me \u00e0 la fran\u00e7aise", "O\u00f9 est l'h\u00f4tel ?"],
    "German": ["Caf\u00e9 Z\u00fcrich Stra\u00dfe", "Gr\u00f6\u00dfe \u00fcber \u00c4pfel"],
    "Greek": ["\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac \u03b3\u03c1\u03ac\u03bc\u03bc\u03b1\u03c4\u03b1",
              "\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1 \u03ba\u03cc\u03c3\u03bc\u03b5"],
    "Russian": ["\u041f\u0440\u0438\u0432\u0435\u0442 \u043c\u0438\u0440",
                "\u0421\u044a\u0435\u0448\u044c \u0436\u0435 \u0435\u0449\u0451"],
    "Japanese": ["\u65e5\u672c\u8a9e\u306e\u30c6\u30ad\u30b9\u30c8",
                 "\u6771\u4eac\u30bf\u30ef\u30fc \u3068 Tokyo"],
}
WORDS = ["Hello", "Tom", "illicit", "Mmm", "7946", "World", "quill", "WAVE", "jump", "fifty", "office",
         "Lovely", "AVATAR", "minimum", "Wolf", "tiny", "Yoyo", "kerning", "If", "Tj", "W1", "flaw"]

MEASURE_SCRIPT = r"""
function pageTable(td) {
  let table = td.closest('table');
  for (let outer = table.parentElement.closest('table'); outer; outer = outer.parentElement.closest('table'))
    table = outer;
  return table;
}
// The box around the cell's text and the tops of its lines.
function textBox(doc, td) {
  const range = doc.createRange();
  const walker = doc.createTreeWalker(td, NodeFilter.SHOW_TEXT);
  const tops = new Set();
  let box = null;
  while (walker.nextNode()) {
    if (!walker.currentNode.data.trim()) continue;
    range.selectNodeContents(walker.currentNode);
    for (const r of range.getClientRects()) {
      if (r.width === 0) continue;
      tops.add(Math.round(r.top));
      box = box ? [Math.min(box[0], r.left), Math.min(box[1], r.top),
                   Math.max(box[2], r.right), Math.max(box[3], r.bottom)]
                : [r.left, r.top, r.right, r.bottom];
    }
  }
  return {box, tops};
}
function measure(doc) {
  const labels = [];
  for (const td of doc.querySelectorAll('td[data-label]')) {
    const t = pageTable(td).getBoundingClientRect();
    const c = td.getBoundingClientRect();
    const img = td.querySelector('img');
    const i = img && img.getBoundingClientRect();
    const {box, tops} = textBox(doc, td);
    // The text's width on one line without kerning and ligatures, which
    // auto-size leaves out: they only ever make the text narrower.
    const style = td.getAttribute('style');
    td.style.fontKerning = 'none';
    td.style.fontVariantLigatures = 'none';
    td.style.whiteSpace = 'nowrap';
    const plain = textBox(doc, td).box;
    if (style === null) td.removeAttribute('style'); else td.setAttribute('style', style);
    labels.push({name: td.dataset.label,
                 cell: [c.left - t.left, c.top - t.top, c.width, c.height],
                 text: box && [box[0] - t.left, box[1] - t.top, box[2] - box[0], box[3] - box[1]],
                 image: i && [i.left - t.left, i.top - t.top, i.width, i.height],
                 plain: plain && plain[2] - plain[0],
                 lines: tops.size});
  }
  return labels;
}
window.addEventListener('load', () => {
  const pages = {};
  for (const frame of document.querySelectorAll('iframe'))
    pages[frame.dataset.page] = measure(frame.contentDocument);
  document.getElementById('result').textContent = JSON.stringify(pages);
});
"""


def label(name, left, top, caption, font, size, bold, width=0, height=0, auto=True, align_h="haDefault",
          align_v="vaTop", fixed_min=False):
    default = ["feColor"] + (["feSize"] if size is None else [])
    props = {
        "Left": left, "Top": top, "Width": width or 10, "Height": height or 10,
        "Caption": caption,
        "CellFormat": {"AlignV": align_v, "AlignH": align_h, "FixedMinimumSize": fixed_min, "Color": "clWhite"},
        "HtmlFont": {"FontName": font, "FontSize": size or "", "FontStyle": ["fsBold"] if bold else [],
                     "Default": default, "Dynamics": []},
    }
    if not auto:
        props["AutoSize"] = False
    return {"class": "TQuillLabel", "name": name, "properties": props}


def form(name, width, height, labels):
    return {"class": "TForm", "name": name,
            "properties": {"Width": width + 8, "Height": height + 34, "Caption": name, "Color": "clWhite"},
            "children": labels + [{"class": "TQuillHtmlGenerator", "name": "Generator",
                                   "properties": {"CenterPage": False}}]}


def captions():
    rng = random.Random(13)
    yield "Hello Tom illicit"
    yield "Mmm illicit 7946 World"
    while True:
        yield " ".join(rng.choice(WORDS) for _ in range(rng.randint(2, 5)))


def auto_sized_design():
    """Each font and size on one row: the plain label, then the bold one."""
    labels, top, right, texts = [], 10, 0, captions()
    for font in FONTS:
        short = font.split()[0]
        for size, pixels in HTML_PIXELS.items():
            left = 10 + len(labels) % 7 * 3
            for bold in (False, True):
                caption = next(texts)
                name = "%s%s%s" % (short, "Size" + size if size else "Default", "Bold" if bold else "Plain")
                labels.append(label(name, left, top, caption, font, size, bold))
                left += math.ceil(len(caption) * pixels * 0.65) + 24
            right = max(right, left)
            top += math.ceil(pixels * 1.4) + 6
    return form("AutoSized", right, top, labels)


def estimated_width(caption, pixels):
    """Room for the caption measured even byte by byte, so no labels overlap."""
    return math.ceil(len(caption.encode()) * 0.7 * pixels) + 24


def international_design():
    """Each font, size and weight on one row: every language's captions."""
    labels, top, right = [], 10, 0
    for font in FONTS:
        for size in (None, "2", "5", "7"):
            pixels = HTML_PIXELS[size]
            for bold in (False, True):
                left = 10
                for language, texts in CAPTIONS.items():
                    for i, caption in enumerate(texts):
                        name = "%s%s%s%s%d" % (language, font.split()[0], "Size" + size if size else "Default",
                                               "Bold" if bold else "Plain", i + 1)
                        labels.append(label(name, left, top, caption, font, size, bold))
                        left += estimated_width(caption, pixels)
                right = max(right, left)
                top += math.ceil(pixels * 1.5) + 6
    return form("International", right, top, labels)


def fixed_size_design():
    """Boxes comfortably larger than their captions, in every alignment."""
    labels, top, texts = [], 10, captions()
    aligns = [("haLeft", "vaTop"), ("haCenter", "vaMiddle"), ("haRight", "vaBottom"), ("haDefault", "vaDefault")]
    for i, font in enumerate(FONTS):
        for j, size in enumerate(["2", None, "4", "5"]):
            pixels = HTML_PIXELS[size]
            caption = " ".join(next(texts).split()[:2])
            width = math.ceil(len(caption) * pixels * 0.8) + 40
            height = math.ceil(pixels * 1.4) + 10 + 4 * j
            align_h, align_v = aligns[(i + j) % 4]
            name = "Fixed%s%d" % (font.split()[0], j)
            labels.append(label(name, 10 + 5 * j, top, caption, font, size, j % 2 == 1, width, height, False,
                                align_h, align_v, fixed_min=(i + j) % 2 == 0))
            top += height + 4 + j
    return form("FixedSize", 1000, top, labels)


def png(path, width, height, rgb):
    """A plain PNG of one colour with a darker frame."""
    dark = bytes(c // 2 for c in rgb)
    rows = []
    for y in range(height):
        row = bytearray(b"\0")
        for x in range(width):
            row += dark if x in (0, width - 1) or y in (0, height - 1) else bytes(rgb)
        rows.append(bytes(row))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(b"".join(rows))) + chunk(b"IEND", b""))


def nested_design(name, rng, folder):
    """Panels in panels, cut from the page like a guillotine, each piece a
    label, an image or another panel, with a margin of its own."""
    images = [0]

    def piece(box, depth):
        left, top, width, height = box
        margin = rng.randint(0, 3)
        left, top, width, height = left + margin, top + margin, width - 2 * margin, height - 2 * margin
        kind = rng.choice(["panel", "panel", "label", "image"]) if depth < 4 and width > 60 and height > 50 \
            else rng.choice(["label", "image"])
        ident = "%s%d" % (kind.capitalize(), next(counter))
        if kind == "panel":
            colour = rng.randint(0xC0, 0xFF) | rng.randint(0xC0, 0xFF) << 8 | rng.randint(0xC0, 0xFF) << 16
            return {"class": "TQuillPanel", "name": ident,
                    "properties": {"Left": left, "Top": top, "Width": width, "Height": height,
                                   "CellFormat": {"Color": colour, "ParentColor": False}},
                    "children": cut([0, 0, width, height], depth + 1)}
        if kind == "image":
            images[0] += 1
            file = "%s-%d.png" % (name, images[0])
            png(os.path.join(folder, file), width, height, (rng.randint(60, 200), rng.randint(60, 200), 90))
            # Designed smaller: the image's own size must win.
            return {"class": "TQuillImage", "name": ident,
                    "properties": {"Left": left, "Top": top, "Width": max(1, width // 2), "Height": max(1, height // 2),
                                   "Alt": ident, "Src": file}}
        caption = rng.choice(WORDS)
        size = rng.choice(["2", None, "3"])
        # A cell that has its rows to itself (as wide as its table) takes its
        # height only from FixedMinimumSize, in a panel as on the page.
        return label(ident, left, top, caption, rng.choice(list(FONTS)), size, rng.random() < 0.3, width, height,
                     False, rng.choice(["haLeft", "haCenter", "haRight"]), rng.choice(["vaTop", "vaMiddle", "vaBottom"]),
                     fixed_min=margin == 0 or rng.random() < 0.5)

    def cut(box, depth):
        """Splits the box into two to four strips, across or down, and fills
        each with a piece; a strip too small for a caption stays empty."""
        left, top, width, height = box
        across = rng.random() < 0.5
        extent = width if across else height
        count = rng.randint(2, 4)
        marks = sorted(rng.sample(range(1, extent), min(count - 1, extent - 1)))
        pieces = []
        for start, end in zip([0] + marks, marks + [extent]):
            strip = [left + start, top, end - start, height] if across else [left, top + start, width, end - start]
            if strip[2] >= 90 and strip[3] >= 34:
                pieces.append(piece(strip, depth))
        return pieces

    counter = iter(range(1, 1 << 30))
    return form(name, 760, 520, cut([0, 0, 760, 520], 1))


def check_fonts():
    for family, face in FONTS.items():
        found = subprocess.run(["fc-match", "-f", "%{family}", family], capture_output=True, text=True).stdout
        if face not in found:
            sys.exit("fontconfig maps %r to %r, not %r: install fonts-liberation2" % (family, found, face))
    japanese = subprocess.run(["fc-list", ":lang=ja", "family"], capture_output=True, text=True).stdout
    if not japanese.strip():
        sys.exit("fontconfig knows no face for Japanese: install fonts-wqy-zenhei")


def render(tool, design, page):
    run = subprocess.run([tool, design, page], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("%s failed: %s" % (design, run.stderr.strip()))
    return json.loads(run.stdout)


def browser_boxes(chromium, folder, pages):
    frames = "".join('<iframe data-page="%s" src="%s" style="display:block;border:0;width:%dpx;height:%dpx">'
                     '</iframe>\n' % (html.escape(name), html.escape(os.path.basename(page)), w, h)
                     for name, (page, w, h) in pages.items())
    index = os.path.join(folder, "index.html")
    with open(index, "w") as f:
        f.write('<!DOCTYPE html>\n<html><body><pre id="result"></pre>\n%s<script>%s</script></body></html>\n'
                % (frames, MEASURE_SCRIPT))
    profile = tempfile.mkdtemp(prefix="profile-", dir=folder)
    args = [chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            "--allow-file-access-from-files", "--user-data-dir=" + profile, "--dump-dom", "file://" + index]
    run = subprocess.run(args, capture_output=True, text=True, timeout=90, stdin=subprocess.DEVNULL)
    found = re.search(r'<pre id="result">(.*?)</pre>', run.stdout, re.S)
    if run.returncode != 0 or not found or not found.group(1):
        sys.exit("chromium gave no measurements (exit %d):\n%s" % (run.returncode, run.stderr[-2000:]))
    return json.loads(html.unescape(found.group(1)))


def box(values):
    return "(%g, %g, %g x %g)" % tuple(round(v, 2) for v in values)


def overlapping(labels):
    result = set()
    for a in labels:
        for b in labels:
            if a is not b and a["left"] < b["left"] + b["width"] and b["left"] < a["left"] + a["width"] \
                    and a["top"] < b["top"] + b["height"] and b["top"] < a["top"] + a["height"]:
                result.add(a["name"])
    return result


def tight_labels(design):
    """Auto-sized labels whose cells may be at most 1 px wider than the text:
    all but those of HTML size 4, 14 points, which is 19 px on screen where
    browsers show 18 px."""
    return {c["name"] for c in design["children"] if c["class"] == "TQuillLabel"
            and c["properties"].get("AutoSize", True) and c["properties"]["HtmlFont"]["FontSize"] != "4"}


def check_page(page, designed, measured, tight):
    """`tight`: the names of labels whose cell must fit the text closely."""
    failures = []
    seen = {m["name"]: m for m in measured}
    overlaps = overlapping(designed)
    for d in designed:
        where = "%s: %s %s" % (page, d["kind"], d["name"])
        m = seen.get(d["name"])
        if m is None:
            failures.append("%s: no cell in the page" % where)
            continue
        rect = [d["left"], d["top"], d["width"], d["height"]]
        cell = m["cell"]
        if d["kind"] == "image":
            if not m["image"]:
                failures.append("%s: no image in cell %s" % (where, box(cell)))
            elif any(abs(a - b) > TOLERANCE for a, b in zip(m["image"], rect)):
                failures.append("%s: image drawn at %s, designed %s" % (where, box(m["image"]), box(rect)))
            if d["name"] not in overlaps and any(abs(a - b) > TOLERANCE for a, b in zip(cell, rect)):
                failures.append("%s: cell %s, designed %s" % (where, box(cell), box(rect)))
            continue
        allowed = 1 if d["autoSize"] else max(1, d["lines"])
        if m["text"] is None:
            failures.append("%s: no text laid out in cell %s" % (where, box(cell)))
            continue
        text = m["text"]
        if m["lines"] > allowed:
            failures.append("%s: text on %d lines, text box %s, cell %s, designed %s"
                            % (where, m["lines"], box(text), box(cell), box(rect)))
        elif text[0] < cell[0] - TEXT_SLACK or text[0] + text[2] > cell[0] + cell[2] + TEXT_SLACK:
            failures.append("%s: text box %s leaves cell %s" % (where, box(text), box(cell)))
        elif d["name"] in tight and cell[2] > m["plain"] + TOLERANCE + TEXT_SLACK:
            failures.append("%s: cell %s more than 1 px wider than the text, %g px without kerning"
                            % (where, box(cell), round(m["plain"], 2)))
        if d["name"] not in overlaps and any(abs(a - b) > TOLERANCE for a, b in zip(cell, rect)):
            failures.append("%s: cell %s, designed %s" % (where, box(cell), box(rect)))
    return failures


def report(designed, measured):
    seen = {m["name"]: m for m in measured}
    print("%-32s %8s %8s %8s %8s" % ("label", "cell", "text", "unkerned", "height"))
    for d in designed:
        m = seen.get(d["name"], {})
        cell = m.get("cell") or [0, 0, 0, 0]
        text = m.get("text") or [0, 0, 0, 0]
        print("%-32s %8.2f %8.2f %8.2f %8.2f" % (d["name"], cell[2], text[2], m.get("plain") or 0, cell[3]))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--tool", required=True, help="the quill_label_boxes program")
    parser.add_argument("--source", required=True, help="the source folder")
    parser.add_argument("--chromium", default=shutil.which("chromium") or "chromium")
    parser.add_argument("--keep", help="also copy the pages and designs into this folder")
    parser.add_argument("--report", action="store_true",
                        help="print each label of the page in other scripts: cell and text width")
    options = parser.parse_args()
    check_fonts()

    with tempfile.TemporaryDirectory(prefix="quill-browser-") as folder:
        designs = {"PageOne": os.path.join(options.source, "src/aspserver/PageOne.form.json")}
        examples = os.path.join(options.source, "examples")
        for name in sorted(os.listdir(examples)):
            if name.endswith(".form.json"):
                designs[name[:-len(".form.json")]] = os.path.join(examples, name)
        rng = random.Random(20)
        generated = [auto_sized_design(), international_design(), fixed_size_design()]
        tight = {design["name"]: tight_labels(design) for design in generated}
        generated += [nested_design("Nested%d" % i, rng, folder) for i in range(6)]
        for design in generated:
            path = os.path.join(folder, design["name"] + ".form.json")
            with open(path, "w") as f:
                json.dump(design, f, indent=1)
            designs[design["name"]] = path

        labels, pages = {}, {}
        for name, design in designs.items():
            page = os.path.join(folder, name + ".html")
            rendered = render(options.tool, design, page)
            labels[name] = rendered["labels"]
            pages[name] = (page, rendered["width"] + 100, rendered["height"] + 100)
        measured = browser_boxes(options.chromium, folder, pages)
        if options.keep:
            shutil.copytree(folder, options.keep, dirs_exist_ok=True, ignore=shutil.ignore_patterns("profile-*"))

    failures = []
    for name in designs:
        failures += check_page(name, labels[name], measured.get(name, []), tight.get(name, set()))
    if options.report:
        report(labels["International"], measured.get("International", []))
    count = sum(len(l) for l in labels.values())
    wrapped = sum(1 for page in measured.values() for m in page if m["lines"] > 1)
    images = sum(1 for l in labels.values() for d in l if d["kind"] == "image")
    print("%d labels and images (%d images) on %d pages, %d laid out on more than one line"
          % (count, images, len(designs), wrapped))
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

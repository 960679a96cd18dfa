#!/usr/bin/python3
"""Scores rtf2html and unrtf against LibreOffice's HTML export on the corpus that
build_corpus.py made. Usage: score.py CORPUSDIR RTF2HTML. Prints, per file and on average, the
visible-text similarity to LibreOffice, structure counts relative to LibreOffice's (right-to-left
elements among them), HTML5 parse errors (the HTML 4 doctype aside), and throughput."""
import difflib
import glob
import os
import re
import subprocess
import sys
import time

import html5lib

CORPUS = sys.argv[1] if len(sys.argv) > 1 else "build/h-irun-corpus"
OURS = sys.argv[2] if len(sys.argv) > 2 else "build/h-irun-native/irun/rtf2html"
KINDS = ["links", "cells", "items", "bold", "italic", "headings", "rtl"]
TAGS = {"a": "links", "td": "cells", "th": "cells", "li": "items", "b": "bold", "strong": "bold",
        "i": "italic", "em": "italic", "h1": "headings", "h2": "headings", "h3": "headings",
        "h4": "headings", "h5": "headings", "h6": "headings"}


BLOCKS = {"p", "div", "li", "td", "th", "tr", "table", "ul", "ol", "br", "hr", "pre", "body", "dd", "dt",
          "h1", "h2", "h3", "h4", "h5", "h6", "blockquote"}


def analyse(path):
    """Visible words (text joined across inline elements, split at blanks and block edges),
    structure counts and HTML5 parse errors of one HTML file."""
    with open(path, "rb") as f:
        data = f.read()
    parser = html5lib.HTMLParser(strict=False, namespaceHTMLElements=False)
    tree = parser.parse(data)
    errors = [e for e in parser.errors if "doctype" not in e[1]]
    counts = dict.fromkeys(KINDS, 0)
    text = []

    def walk(node, hidden):
        # Iterative: documents nest deeply enough to exhaust Python's recursion limit.
        stack = [(node, hidden, False)]
        while stack:
            item, hide, closing = stack.pop()
            if isinstance(item, str):
                if not hide:
                    text.append(item)
                continue
            tag = item.tag if isinstance(item.tag, str) else ""
            if closing:
                if tag in BLOCKS:
                    text.append(" ")
                continue
            kind = TAGS.get(tag)
            if kind == "links" and "href" not in item.attrib:
                kind = None
            if kind:
                counts[kind] += 1
            if item.attrib.get("dir", "").lower() == "rtl":
                counts["rtl"] += 1
            if tag in BLOCKS:
                text.append(" ")
            inner = hide or tag in ("head", "script", "style", "title")
            pending = [(item, hide, True)]
            for child in reversed(list(item)):
                if child.tail:
                    pending.append((child.tail, hide, False))
                pending.append((child, inner, False))
            if item.text:
                pending.append((item.text, inner, False))
            stack.extend(pending)

    walk(tree, False)
    return "".join(text).split(), counts, errors


def similarity(a, b):
    if not a and not b:
        return 1.0
    return difflib.SequenceMatcher(None, a, b, autojunk=False).ratio()


# LibreOffice breaks its HTML source lines between runs, which puts blanks into the visible text
# where the document has none (before punctuation, between scripts); this second measure compares
# words of Latin or Cyrillic letters and single other characters, so that such blanks do not count.
TOKEN = re.compile(r"[A-Za-z0-9\u00C0-\u024F\u0400-\u04FF]+|\S")


def tokens(words):
    return TOKEN.findall(" ".join(words))


def convert_all(files):
    ref, unrtf_dir, ours_dir = (os.path.join(CORPUS, d) for d in ("ref", "unrtf", "ours"))
    for d in (ref, unrtf_dir, ours_dir):
        os.makedirs(d, exist_ok=True)
    todo = [f for f in files if not os.path.exists(os.path.join(ref, os.path.basename(f)[:-4] + ".html"))]
    # A fragment's reference comes from the same content as one document (see build_corpus.py).
    todo = [os.path.join(CORPUS, "wrapped", os.path.basename(f)) if os.path.exists(
        os.path.join(CORPUS, "wrapped", os.path.basename(f))) else f for f in todo]
    if todo:
        subprocess.run(["soffice", "--headless", "--convert-to", "html", "--outdir", ref] + todo,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=1800)
    times = {"ours": 0.0, "unrtf": 0.0}
    failures = {"ours": [], "unrtf": []}
    for f in files:
        base = os.path.basename(f)[:-4]
        start = time.perf_counter()
        try:
            r = subprocess.run([OURS, "--codepage", "65001", f, os.path.join(ours_dir, base + ".html")],
                               timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            if r.returncode:
                failures["ours"].append(base)
        except subprocess.TimeoutExpired:
            failures["ours"].append(base + " (time-out)")
        times["ours"] += time.perf_counter() - start
        start = time.perf_counter()
        try:
            with open(os.path.join(unrtf_dir, base + ".html"), "wb") as out:
                r = subprocess.run(["unrtf", "--html", f], timeout=60, stdout=out, stderr=subprocess.DEVNULL)
            if r.returncode:
                failures["unrtf"].append(base)
        except subprocess.TimeoutExpired:
            failures["unrtf"].append(base + " (time-out)")
        times["unrtf"] += time.perf_counter() - start
    return times, failures


def main():
    files = sorted(glob.glob(os.path.join(CORPUS, "rtf", "*.rtf")))
    times, failures = convert_all(files)
    totals = {who: {k: [0, 0] for k in KINDS} for who in ("ours", "unrtf")}
    sims = {"ours": [], "unrtf": []}
    toks = {"ours": [], "unrtf": []}
    errs = {"ours": 0, "unrtf": 0}
    print(f"{'file':44} {'ours':>6} {'unrtf':>6} {'ours-t':>6} {'unrtf-t':>6}  structure ours/LO (links cells items bold italic headings rtl)")
    for f in files:
        base = os.path.basename(f)[:-4]
        ref = os.path.join(CORPUS, "ref", base + ".html")
        if not os.path.exists(ref):
            print(f"{base:44} no LibreOffice reference")
            continue
        ref_words, ref_counts, _ = analyse(ref)
        row = {}
        for who in ("ours", "unrtf"):
            path = os.path.join(CORPUS, who, base + ".html")
            try:
                words, counts, errors = analyse(path)
            except Exception as e:  # unreadable output counts as nothing recovered
                words, counts, errors = [], dict.fromkeys(KINDS, 0), [("", str(e))]
            row[who] = (similarity(ref_words, words), counts, errors, similarity(tokens(ref_words), tokens(words)))
            sims[who].append(row[who][0])
            toks[who].append(row[who][3])
            errs[who] += len(errors)
            for k in KINDS:
                totals[who][k][0] += min(counts[k], ref_counts[k])
                totals[who][k][1] += ref_counts[k]
        counts = " ".join(f"{row['ours'][1][k]}/{ref_counts[k]}" for k in KINDS)
        err = f" errors:{len(row['ours'][2])}" if row["ours"][2] else ""
        print(f"{base:44} {row['ours'][0]:6.3f} {row['unrtf'][0]:6.3f} {row['ours'][3]:6.3f} {row['unrtf'][3]:6.3f}  {counts}{err}")
    size = sum(os.path.getsize(f) for f in files) / 1e6
    names = [os.path.basename(f)[:-4] for f in files if os.path.exists(os.path.join(CORPUS, "ref", os.path.basename(f)[:-4] + ".html"))]
    for who in ("ours", "unrtf"):
        writers = [t for n, t in zip(names, toks[who]) if not n.startswith("edge_")]
        print(f"\n{who}: writer files only: {sum(writers) / max(1, len(writers)):.3f} by letter words and symbols over {len(writers)} files")
    for who in ("ours", "unrtf"):
        ratios = {k: (t[0] / t[1] if t[1] else 1.0) for k, t in totals[who].items()}
        n = max(1, len(sims[who]))
        print(f"\n{who}: mean text similarity {sum(sims[who]) / n:.3f} by blank-separated words, "
              f"{sum(toks[who]) / n:.3f} by letter words and symbols, over {len(sims[who])} files")
        print("  structure (matched/LibreOffice): " + ", ".join(f"{k} {v:.2f}" for k, v in ratios.items()) +
              f"; mean {sum(ratios.values()) / len(ratios):.2f}")
        print(f"  HTML5 parse errors beyond the doctype: {errs[who]}; failures: {failures[who] or 'none'}")
        print(f"  {size:.2f} MB in {times[who]:.2f} s wall, process start included: {size / times[who]:.1f} MB/s")


if __name__ == "__main__":
    main()

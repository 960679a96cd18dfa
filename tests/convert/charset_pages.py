#!/usr/bin/python3
"""Article pages of several code pages read by an HTML5 parser: the page's own declaration must
choose the character set, and the title and every word of the text must come through.

  charset_pages.py native FINISHED_PAGE   converts every sample with the native page tool
  charset_pages.py check CODEPAGE PAGE    checks one page made from that code page's sample
"""
import os
import subprocess
import sys
import tempfile

import html5lib

# The samples: code page, title and text, one a line, tab-separated; the Wine build of the same
# samples reads them too. Their apostrophes would be swallowed together with the head by a
# declaration whose quote does not close.
SAMPLES_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "charset_samples.txt")
# Code page: the codec that writes its bytes, and the encoding an HTML5 parser must pick.
ENCODINGS = {1250: ("cp1250", "windows-1250"), 932: ("cp932", "shift_jis"), 936: ("gbk", "gbk"),
             1252: ("cp1252", "windows-1252")}


def load_samples():
    samples = {}
    with open(SAMPLES_FILE, encoding="utf-8") as lines:
        for line in lines:
            code_page, title, text = line.rstrip("\n").split("\t")
            samples[int(code_page)] = ENCODINGS[int(code_page)] + (title, text)
    return samples


SAMPLES = load_samples()
XHTML = "{http://www.w3.org/1999/xhtml}"


def rtf_text(text, codec):
    """Every byte of a character outside ASCII as an \\'xx escape, trail bytes of two-byte ones too."""
    out = []
    for ch in text:
        data = ch.encode(codec)
        out.append(ch if len(data) == 1 and data[0] < 0x80 else "".join("\\'%02x" % b for b in data))
    return "".join(out)


def sample_rtf(code_page):
    codec, _, title, text = SAMPLES[code_page]
    return ("{\\rtf1\\ansi\\ansicpg%d\\deff0{\\fonttbl{\\f0\\fnil Arial;}}{\\info{\\title %s}}"
            "\\f0 %s\\par}" % (code_page, rtf_text(title, codec), rtf_text(text, codec)))


def words(text):
    return " ".join(text.split())


def check(code_page, page_path):
    """Returns the faults found in the page, none when it reads back whole."""
    _, encoding, title, text = SAMPLES[code_page]
    with open(page_path, "rb") as page:
        data = page.read()
    parser = html5lib.HTMLParser()
    document = parser.parse(data)
    faults = []
    if parser.documentEncoding != encoding:
        faults.append("encoding %s, expected %s" % (parser.documentEncoding, encoding))
    found = document.find(".//%stitle" % XHTML)
    if found is None or words(found.text or "") != title:
        faults.append("title %r" % (None if found is None else found.text))
    body = document.find("%sbody" % XHTML)
    body_text = words("".join(body.itertext())) if body is not None else ""
    if body_text != words(text):
        faults.append("text %r" % body_text)
    links = [a.get("HREF") or a.get("href") for a in document.iter("%sa" % XHTML)]
    if links != ["http://example.org/a"]:
        faults.append("links %r" % links)
    return ["%s, code page %d: %s" % (page_path, code_page, f) for f in faults]


def main(args):
    if len(args) == 2 and args[0] == "native":
        faults = []
        with tempfile.TemporaryDirectory() as folder:
            for code_page in SAMPLES:
                rtf = os.path.join(folder, "%d.rtf" % code_page)
                page = os.path.join(folder, "%d.htm" % code_page)
                with open(rtf, "w", encoding="ascii") as out:
                    out.write(sample_rtf(code_page))
                subprocess.run([args[1], str(code_page), rtf, page], check=True)
                faults += check(code_page, page)
    elif len(args) == 3 and args[0] == "check":
        faults = check(int(args[1]), args[2])
    else:
        print(__doc__)
        return 2
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))

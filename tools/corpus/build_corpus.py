#!/usr/bin/env python3
"""Builds the comparison corpus: real RTF files written by the writers people use, from documents
found on this machine. Usage: build_corpus.py OUTDIR. Needs pandoc, abiword, soffice, latex2rtf,
rman, openjade, enscript and msgunfmt (Debian packages of the same names; soffice from
libreoffice-writer-nogui, msgunfmt from gettext, rman from rman, openjade with docbook-dsssl).
Files no writer here makes (Mac code pages, OpenOffice lists, Word's right-to-left documents,
fragments) come from wider_world.py; a fragment's LibreOffice reference is made from the same
content as one document (in wrapped/), since LibreOffice reads only a file's first group."""
import glob
import html
import os
import shutil
import subprocess
import sys

import wider_world

OUT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/h-irun-corpus")
SRC = os.path.join(OUT, "sources")
RTF = os.path.join(OUT, "rtf")


def run(cmd, timeout=180, **kw):
    try:
        return subprocess.run(cmd, timeout=timeout, stdout=subprocess.PIPE, stderr=subprocess.PIPE, **kw)
    except (subprocess.TimeoutExpired, FileNotFoundError) as e:
        print("  failed:", " ".join(cmd[:3]), e)
        return None


def keep(path, name):
    if os.path.exists(path) and os.path.getsize(path) > 200:
        shutil.copy(path, os.path.join(RTF, name))
        print("  ", name, os.path.getsize(path))


def first(patterns, count):
    found = []
    for pattern in patterns:
        found += sorted(glob.glob(pattern, recursive=True))
    return found[:count]


def translated_texts():
    """Message catalogues in Russian, Ukrainian, Japanese, Chinese, Korean and Vietnamese, made
    into HTML documents with headings, lists and a table."""
    docs = []
    for lang in ["ru", "uk", "ja", "zh_CN", "ko", "vi"]:
        mo = f"/usr/share/locale/{lang}/LC_MESSAGES/coreutils.mo"
        if not os.path.exists(mo):
            mo = next(iter(sorted(glob.glob(f"/usr/share/locale/{lang}/LC_MESSAGES/*.mo"))), None)
        if not mo:
            continue
        po = run(["msgunfmt", mo])
        if not po:
            continue
        strings = []
        for line in po.stdout.decode("utf-8", "replace").splitlines():
            if line.startswith("msgstr \"") and len(line) > 12:
                strings.append(line[8:-1].replace("\\n", " ").replace('\\"', '"').replace("\\t", " "))
        strings = [s for s in strings if len(s) > 15][:120]
        body = [f"<h1>{html.escape(strings[0][:60])}</h1>"]
        for i, s in enumerate(strings[1:60]):
            if i % 15 == 0:
                body.append(f"<h2>{html.escape(s[:50])}</h2>")
            elif i % 7 == 3:
                body.append(f"<p><b>{html.escape(s[:30])}</b> {html.escape(s)}</p>")
            else:
                body.append(f"<p>{html.escape(s)}</p>")
        body.append("<ul>" + "".join(f"<li>{html.escape(s)}</li>" for s in strings[60:70]) + "</ul>")
        body.append("<ol>" + "".join(f"<li><i>{html.escape(s)}</i></li>" for s in strings[70:78]) + "</ol>")
        rows = "".join(f"<tr><td>{html.escape(a)}</td><td>{html.escape(b)}</td></tr>"
                       for a, b in zip(strings[78:98:2], strings[79:99:2]))
        body.append(f"<table border=1>{rows}</table>")
        path = os.path.join(SRC, f"messages_{lang}.html")
        with open(path, "w", encoding="utf-8") as f:
            f.write(f"<html><head><meta charset='utf-8'><title>{lang}</title></head><body>{''.join(body)}</body></html>")
        docs.append(path)
    return docs


def nested_table_doc():
    path = os.path.join(SRC, "nested_tables.html")
    inner = "<table border=1><tr><td>inner <b>one</b></td><td>inner two</td></tr><tr><td colspan=2>wide</td></tr></table>"
    with open(path, "w") as f:
        f.write("<html><body><h1>Nested tables</h1><table border=1><tr><td>outer a" + inner +
                "</td><td>outer b</td></tr><tr><td rowspan=2>tall</td><td>c</td></tr><tr><td>d "
                "<a href='http://example.org/'>link</a></td></tr></table><p>After the table.</p></body></html>")
    return path


def rtl_docs():
    """Hebrew and Arabic pages with right-to-left paragraphs, English inside them and the other way round."""
    docs = []
    for lang in ("he", "ar"):
        strings = wider_world.catalogue_strings(lang, 40)
        if not strings:
            continue
        body = [f"<h1 dir='rtl'>{html.escape(strings[0][:50])}</h1>"]
        for i, s in enumerate(strings[1:]):
            if i % 6 == 5:
                body.append(f"<p>An English paragraph quoting <span dir='rtl'>{html.escape(s)}</span> here.</p>")
            elif i % 6 == 3:
                body.append(f"<ul dir='rtl'><li>{html.escape(s)}</li><li><b>{html.escape(s[:20])}</b></li></ul>")
            else:
                body.append(f"<p dir='rtl'>{html.escape(s)} <i>Version {i}</i>.</p>")
        path = os.path.join(SRC, f"rtl_{lang}.html")
        with open(path, "w", encoding="utf-8") as f:
            f.write(f"<html dir='rtl'><head><meta charset='utf-8'><title>{lang}</title></head><body>{''.join(body)}</body></html>")
        docs.append(path)
    return docs


def manual_doc():
    """A manual as office users write one, dense with control words once LibreOffice writes it:
    a contents field, numbered sections, styled code, tables and footnotes on every page."""
    path = os.path.join(SRC, "manual.md")
    code = open("/usr/include/zlib.h", encoding="latin-1").read().split("\n") if os.path.exists("/usr/include/zlib.h") else ["int x;"] * 400
    out = ["# Manual\n"]
    for sec in range(60):
        start = (sec * 97) % max(1, len(code) - 60)
        out += [f"## Section {sec}\n",
                f"Some *emphasis*, **strong text**, `code` and a [link](http://example.org/{sec}). Note.[^n{sec}]\n",
                f"[^n{sec}]: Note {sec} with *italic*.\n",
                "1. First item\n2. Second item\n    - sub a\n    - sub b\n3. Third\n",
                "| a | b | c |\n|---|---|---|\n" + "".join(f"| r{i} | **x{i}** | y |\n" for i in range(6)),
                "```c\n" + "\n".join(code[start:start + 50]) + "\n```\n"]
    with open(path, "w") as f:
        f.write("\n".join(out))
    return path


def main():
    os.makedirs(SRC, exist_ok=True)
    os.makedirs(RTF, exist_ok=True)
    htmls = first(["/usr/share/doc/base-passwd/users-and-groups.html", "/usr/share/doc/python3/python-policy.html",
                   "/usr/share/doc/zlib1g-dev/examples/zlib_how.html", "/usr/share/doc/libffi8/html/The-Basics.html",
                   "/usr/share/doc/libffi8/html/The-Closure-API.html", "/usr/share/doc/texlive-doc/texlive/install-tl.html",
                   "/usr/share/doc/libxslt1-dev/html/html/libxslt-transform.html",
                   "/usr/share/doc/texlive-doc/kpathsea/kpathsea.html"], 8)
    intl = translated_texts()
    nested = nested_table_doc()
    rtl = rtl_docs()
    markdown = first(["/root/.rustup/toolchains/stable-*/share/doc/rust/README.md",
                      "/root/.rustup/toolchains/stable-*/share/doc/cargo/README.md",
                      "/root/.rustup/toolchains/stable-*/share/doc/clippy/README.md"], 3)

    print("LibreOffice")
    lo_out = os.path.join(OUT, "lo")
    for src in htmls[:6] + intl + [nested] + rtl:
        run(["soffice", "--headless", "--infilter=HTML (StarWriter)", "--convert-to", "rtf", "--outdir", lo_out, src], 300)
        base = os.path.splitext(os.path.basename(src))[0]
        keep(os.path.join(lo_out, base + ".rtf"), f"lo_{base}.rtf")

    print("AbiWord")
    for src in htmls[2:8] + intl[:4] + [nested] + rtl:
        base = os.path.splitext(os.path.basename(src))[0]
        dst = os.path.join(OUT, f"abi_{base}.rtf")
        run(["abiword", "--to=rtf", "-o", dst, src], 300)
        keep(dst, f"abi_{base}.rtf")

    print("pandoc")
    for src in markdown + htmls[:4] + intl[2:]:
        base = os.path.splitext(os.path.basename(src))[0]
        dst = os.path.join(OUT, f"pandoc_{base}.rtf")
        run(["pandoc", "-s", "-t", "rtf", "-o", dst, src])
        keep(dst, f"pandoc_{base}.rtf")

    print("latex2rtf")
    tex_dir = os.path.join(OUT, "tex")
    os.makedirs(tex_dir, exist_ok=True)
    for src in markdown + htmls[:3]:
        base = os.path.splitext(os.path.basename(src))[0]
        tex = os.path.join(tex_dir, base + ".tex")
        run(["pandoc", "-s", "-t", "latex", "-o", tex, src])
        r = run(["latex2rtf", "-o", os.path.join(tex_dir, base + ".rtf"), tex], cwd=tex_dir, input=b"")
        keep(os.path.join(tex_dir, base + ".rtf"), f"latex2rtf_{base}.rtf")

    print("rman")
    for page in ["ls", "grep", "tar", "bash", "find", "ssh"]:
        # PolyglotMan reads formatted manual pages.
        dst = os.path.join(OUT, f"rman_{page}.rtf")
        run(["sh", "-c", f"MANWIDTH=80 man {page} 2>/dev/null | rman -f RTF > {dst}"])
        keep(dst, f"rman_{page}.rtf")

    print("openjade")
    jade = os.path.join(OUT, "jade")
    os.makedirs(jade, exist_ok=True)
    for src in markdown + htmls[:3]:
        base = os.path.splitext(os.path.basename(src))[0]
        xml = os.path.join(jade, base + ".xml")
        run(["pandoc", "-s", "-t", "docbook4", "-o", xml, src])
        run(["openjade", "-t", "rtf", "-d", "/usr/share/sgml/docbook/stylesheet/dsssl/modular/print/docbook.dsl",
             "-o", os.path.join(jade, base + ".rtf"), "/usr/share/sgml/declaration/xml.dcl", xml], cwd=jade)
        keep(os.path.join(jade, base + ".rtf"), f"openjade_{base}.rtf")

    print("enscript")
    code = first(["/usr/include/zlib.h", "/usr/include/stdio.h", "/usr/include/iconv.h", "/usr/include/zconf.h",
                  "/usr/lib/python3/dist-packages/html5lib/_tokenizer.py", "/usr/bin/ldd"], 6)
    for src in code:
        base = os.path.basename(src).replace(".", "_")
        dst = os.path.join(OUT, f"enscript_{base}.rtf")
        run(["enscript", "--language=rtf", "--highlight", "--color", "-q", "-o", dst, src])
        keep(dst, f"enscript_{base}.rtf")

    print("feature tour (footnotes, nested lists, tables, links) through each writer")
    tour = os.path.join(os.path.dirname(os.path.abspath(__file__)), "feature_tour.md")
    for kind in ("odt", "docx"):
        made = os.path.join(SRC, f"feat.{kind}")
        run(["pandoc", "-s", tour, "-o", made])
        run(["soffice", "--headless", "--convert-to", "rtf", "--outdir", os.path.join(OUT, kind), made], 300)
        keep(os.path.join(OUT, kind, "feat.rtf"), f"lo_feat_{kind}.rtf")
    run(["pandoc", "-s", tour, "-t", "rtf", "-o", os.path.join(OUT, "pandoc_feat.rtf")])
    keep(os.path.join(OUT, "pandoc_feat.rtf"), "pandoc_feat.rtf")
    run(["abiword", "--to=rtf", "-o", os.path.join(OUT, "abi_feat.rtf"), os.path.join(SRC, "feat.odt")], 300)
    keep(os.path.join(OUT, "abi_feat.rtf"), "abi_feat.rtf")

    print("LibreOffice manuals and a long table from word-processor documents")
    tables = os.path.join(SRC, "tables.md")
    with open(tables, "w") as f:
        f.write("# Tables\n\n| " + " | ".join(f"h{c}" for c in range(6)) + " |\n|" + "---|" * 6 + "\n" +
                "\n".join("| " + " | ".join(f"c{r}x{c} **b**" for c in range(6)) + " |" for r in range(3000)) + "\n")
    for src, name in ((manual_doc(), "manual"), (tables, "tables")):
        for kind in ("odt", "docx"):
            made = os.path.join(SRC, f"{name}.{kind}")
            run(["pandoc", "-s", "--toc", src, "-o", made])
            run(["soffice", "--headless", "--convert-to", "rtf", "--outdir", os.path.join(OUT, name + "_" + kind), made], 300)
            keep(os.path.join(OUT, name + "_" + kind, name + ".rtf"), f"lo_{name}_{kind}.rtf")

    print("Mac TextEdit, Word for Mac, OpenOffice lists, right-to-left Word documents, fragments")
    wider_world.write_all(RTF, os.path.join(OUT, "wrapped"))

    for src in glob.glob(os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/irun/corpus/*.rtf")):
        shutil.copy(src, os.path.join(RTF, "edge_" + os.path.basename(src)))
        with open(src, "rb") as f:
            data = f.read()
        if data.startswith(b"{") and not data.startswith(b"{\\rtf"):
            with open(os.path.join(OUT, "wrapped", "edge_" + os.path.basename(src)), "wb") as f:
                f.write(b"{\\rtf1 " + data + b"}")


if __name__ == "__main__":
    main()

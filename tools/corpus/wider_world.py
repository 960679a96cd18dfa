"""Writer-shaped RTF files of the kinds the other writers here cannot make: Mac TextEdit and
Word for Mac files in Mac code pages, OpenOffice lists, Word's Hebrew and Arabic documents and
generators' fragments. Their text comes from the message catalogues of this machine; the shapes
(headers, font tables, list and direction words) follow what those programs write."""
import glob
import os
import subprocess


def catalogue_strings(lang, count=80):
    """Translated messages of one language, longest catalogues first, without format marks."""
    found = []
    for mo in sorted(glob.glob(f"/usr/share/locale/{lang}/LC_MESSAGES/*.mo"), key=os.path.getsize, reverse=True)[:3]:
        po = subprocess.run(["msgunfmt", mo], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        for line in po.stdout.decode("utf-8", "replace").splitlines():
            if line.startswith('msgstr "') and len(line) > 20 and "%" not in line and "\\" not in line[8:-1]:
                found.append(line[8:-1])
            if len(found) >= count:
                return found
    return found


def encoded(text, codec):
    """RTF for text in a code page: ASCII as is, other bytes as hex escapes, the rest as \\u."""
    out = []
    for c in text:
        if c in "\\{}":
            out.append("\\" + c)
        elif ord(c) < 128:
            out.append(c)
        else:
            try:
                out.append("".join(f"\\'{b:02x}" for b in c.encode(codec)))
            except UnicodeEncodeError:
                out.append(f"\\u{ord(c) if ord(c) < 32768 else ord(c) - 65536}?")
    return "".join(out)


def textedit(lang, cpg, codec):
    """Cocoa's writer: \\ansicpg of the Mac script, fonts without character sets, \\ for breaks."""
    strings = catalogue_strings(lang, 60)
    body = [f"\\f0\\b\\fs36 \\cf2 {encoded(strings[0][:40], codec)}\\b0\\fs24 \\cf0 \\"]
    for i, s in enumerate(strings[1:]):
        if i % 9 == 4:
            body.append(f"\\f1 Note {i}:\\f0  {encoded(s, codec)}\\")
        elif i % 9 == 7:
            body.append(f"\\i {encoded(s, codec)}\\i0 \\\n\\")
        else:
            body.append(f"{encoded(s, codec)}\\")
    return (f"{{\\rtf1\\ansi\\ansicpg{cpg}\\cocoartf1038\\cocoasubrtf360\n"
            "{\\fonttbl\\f0\\fnil LucidaGrande;\\f1\\fswiss\\fcharset0 Helvetica;}\n"
            "{\\colortbl;\\red255\\green255\\blue255;\\red0\\green0\\blue180;}\n"
            "\\paperw11900\\paperh16840\\margl1440\\margr1440\\vieww12000\\viewh15840\\viewkind0\n"
            "\\pard\\tx566\\tx1133\\tx1700\\tx2267\\tx2834\\ql\\qnatural\\pardirnatural\n\n" + "\n".join(body) + "\n}")


def word_mac():
    """Word for Mac: \\mac, Mac character sets per font, a heading style, a list and a table."""
    runs = [("fr", 77, "mac_roman"), ("ja", 78, "shift_jis"), ("ru", 89, "mac_cyrillic"),
            ("el", 85, "mac_greek"), ("pl", 88, "mac_latin2"), ("tr", 86, "mac_turkish"), ("ko", 79, "euc_kr"),
            ("zh_CN", 80, "gb2312"), ("zh_TW", 81, "big5")]
    fonts = "".join(f"{{\\f{i + 1}\\fnil\\fcharset{cs}\\fprq2 Font{i + 1};}}" for i, (_, cs, _) in enumerate(runs))
    head = ("{\\rtf1\\mac\\ansicpg10000\\uc1\\deff0\\deflang1033\\deflangfe1033"
            "{\\fonttbl{\\f0\\froman\\fcharset77\\fprq2 Times New Roman;}" + fonts + "}\n"
            "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}\n"
            "{\\stylesheet{\\widctlpar\\adjustright \\fs24\\cgrid \\snext0 Normal;}"
            "{\\s1\\sb240\\sa60\\keepn\\widctlpar\\adjustright \\b\\f0\\fs32\\kerning28 \\sbasedon0 \\snext0 heading 1;}}\n"
            "{\\*\\listtable{\\list\\listtemplateid1\\listsimple{\\listlevel\\levelnfc0\\levelstartat1\\levelfollow0"
            "{\\leveltext\\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-360\\li360}\\listid1}}\n"
            "{\\*\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}}\n"
            "\\widowctrl\\ftnbj\\aenddoc\\formshade \\fet0\\sectd \\linex0\\endnhere\\sectdefaultcl\n")
    body = []
    for i, (lang, _, codec) in enumerate(runs):
        strings = catalogue_strings(lang, 12)
        if not strings:
            continue
        f = i + 1
        body.append(f"\\pard\\plain \\s1\\sb240\\sa60\\keepn\\widctlpar\\adjustright \\b\\f0\\fs32 "
                    f"{{\\f{f} {encoded(strings[0][:40], codec)}}}\\par")
        for s in strings[1:5]:
            body.append(f"\\pard\\plain \\widctlpar\\adjustright \\fs24 {{\\f{f} {encoded(s, codec)}}}"
                        f"{{ Caf{encoded('é', 'mac_roman')}.}}\\par")
        for s in strings[5:8]:
            body.append(f"{{\\listtext\\pard\\plain \\f0 1.\\tab}}\\pard\\plain \\fi-360\\li360\\widctlpar"
                        f"{{\\*\\pn \\pnlvlbody\\ilvl0\\ls1\\pnrnot0\\pndec }}\\ls1\\adjustright \\fs24 "
                        f"{{\\f{f} {encoded(s, codec)}}}\\par")
        body.append("\\trowd \\trgaph108\\trleft-108 \\clbrdrt\\brdrs\\brdrw10 \\cellx2000\\clbrdrt\\brdrs\\brdrw10 \\cellx6000"
                    f"\\pard\\plain \\widctlpar\\intbl\\adjustright \\fs24 {{\\f{f} {encoded(strings[8][:20], codec)}}}\\cell "
                    f"{{\\f{f} {encoded(strings[9], codec)}}}\\cell \\pard \\widctlpar\\intbl\\adjustright {{\\row }}")
    return head + "\n".join(body) + "\n\\pard\\plain \\widctlpar\\adjustright \\fs24 \\par }"


def openoffice_lists(resolved):
    """OpenOffice's writer: labels in \\listtext groups that start with \\pard\\plain, lists in a
    table (or, as older versions and some converters write, \\ls numbers naming no list)."""
    strings = catalogue_strings("de", 60)
    tables = ""
    if resolved:
        tables = ("{\\*\\listtable{\\list\\listtemplateid1{\\listlevel\\levelnfc0\\leveljc0\\levelstartat1\\levelfollow0"
                  "{\\leveltext \\'02\\'00.;}{\\levelnumbers\\'01;}\\fi-283\\li283}{\\listlevel\\levelnfc23\\leveljc0"
                  "\\levelstartat1\\levelfollow0{\\leveltext \\'01\\u8226 ?;}{\\levelnumbers;}\\fi-283\\li567}\\listid1}"
                  "{\\list\\listtemplateid2{\\listlevel\\levelnfc23\\leveljc0\\levelstartat1\\levelfollow0"
                  "{\\leveltext \\'01\\u8226 ?;}{\\levelnumbers;}\\fi-283\\li283}\\listid2}}\n"
                  "{\\listoverridetable{\\listoverride\\listid1\\listoverridecount0\\ls1}"
                  "{\\listoverride\\listid2\\listoverridecount0\\ls2}}\n")
    head = ("{\\rtf1\\ansi\\deff0\\adeflang1025\n"
            "{\\fonttbl{\\f0\\froman\\fprq2\\fcharset0 Times New Roman;}{\\f1\\froman\\fprq2\\fcharset2 Symbol;}"
            "{\\f2\\fswiss\\fprq2\\fcharset0 Arial;}}\n{\\colortbl;\\red0\\green0\\blue0;\\red128\\green128\\blue128;}\n"
            "{\\stylesheet{\\ql \\li0\\ri0\\nowidctlpar\\wrapdefault\\faauto\\rin0\\lin0\\itap0 \\rtlch\\af6\\afs24\\lang255"
            "\\ltrch\\dbch\\af5\\langfe255\\hich\\f0\\fs24\\lang1031\\loch\\f0\\fs24\\lang1031\\snext1 Standard;}\n"
            "{\\s2\\sa120\\sbasedon1\\snext2 Text body;}{\\s3\\sa120\\sbasedon2\\snext3 List;}"
            "{\\s4\\sb240\\sa120\\keepn\\hich\\f2\\fs28\\b\\sbasedon1\\snext2 Heading 1;}}\n" + tables +
            "\\deftab709\\paperh16837\\paperw11905\\margl1134\\margr1134\\margt1134\\margb1134\\sectd\\sbknone\n")
    body = []
    n = 0
    for i, s in enumerate(strings):
        if i % 12 == 0:
            body.append(f"\\pard\\plain \\ltrpar\\s4\\sb240\\sa120\\keepn\\hich\\f2\\fs28\\b{{\\rtlch \\ltrch\\loch {encoded(s[:50], 'cp1252')}}}\n\\par ")
            n = 0
        elif i % 12 in (1, 6):
            body.append(f"\\pard\\plain \\ltrpar\\s2\\sa120{{\\rtlch \\ltrch\\loch {encoded(s, 'cp1252')}}}\n\\par ")
        elif i % 12 < 6:
            n += 1
            body.append(f"\\pard\\plain \\ltrpar\\s3\\li283\\ri0\\lin283\\rin0\\fi-283\\sa120{{\\listtext\\pard\\plain \\ltrpar"
                        f"\\s3\\li283\\ri0\\lin283\\rin0\\fi-283\\sa120 \\rtlch \\ltrch\\loch {n}.\\tab}}\\ilvl0\\ls1 "
                        f"{{\\rtlch \\ltrch\\loch {encoded(s, 'cp1252')}}}\n\\par ")
        elif i % 12 < 9:
            body.append(f"\\pard\\plain \\ltrpar\\s3\\li567\\ri0\\lin567\\rin0\\fi-283\\sa120{{\\listtext\\pard\\plain \\ltrpar"
                        f"\\s3\\li567\\ri0\\lin567\\rin0\\fi-283\\sa120 \\rtlch \\ltrch\\loch\\f1 \\u8226\\'95\\tab}}\\ilvl1\\ls1 "
                        f"{{\\rtlch \\ltrch\\loch {encoded(s, 'cp1252')}}}\n\\par ")
        else:
            body.append(f"\\pard\\plain \\ltrpar\\s3\\li283\\ri0\\lin283\\rin0\\fi-283\\sa120{{\\listtext\\pard\\plain \\ltrpar"
                        f"\\s3\\li283\\ri0\\lin283\\rin0\\fi-283\\sa120 \\rtlch \\ltrch\\loch\\f1 \\u8226\\'95\\tab}}\\ilvl0\\ls2 "
                        f"{{\\rtlch \\ltrch\\loch {encoded(s, 'cp1252')}}}\n\\par ")
    return head + "".join(body) + "\\pard\\plain \\ltrpar\\s2\\sa120\\par }"


def word_rtl(lang, cpg, charset, codec):
    """Word's right-to-left document: \\rtlpar paragraphs, each run stating its direction, and
    English runs in them."""
    strings = catalogue_strings(lang, 50)
    head = (f"{{\\rtf1\\ansi\\ansicpg{cpg}\\uc1\\deff0\\deflang1033\\adeflang{1037 if cpg == 1255 else 1025}"
            f"{{\\fonttbl{{\\f0\\froman\\fcharset{charset}\\fprq2 Times New Roman;}}{{\\f1\\fswiss\\fcharset0\\fprq2 Arial;}}}}\n"
            "{\\colortbl;\\red0\\green0\\blue0;}\n"
            "{\\stylesheet{\\qr \\li0\\ri0\\widctlpar\\rtlpar\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af0\\afs24 \\ltrch\\fcs0 \\fs24 \\snext0 Normal;}"
            "{\\s1\\qr \\li0\\ri0\\sb240\\sa60\\keepn\\widctlpar\\rtlpar\\outlinelevel0\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\ab\\af0\\afs32 "
            "\\ltrch\\fcs0 \\b\\fs32 \\sbasedon0 \\snext0 heading 1;}}\n\\rtldoc\\ftnbj\\aenddoc\\sectd \\rtlsect\\linex0\\endnhere\n")
    body = []
    for i, s in enumerate(strings):
        rtl = "{\\ltrch\\fcs0 \\rtlch\\fcs1 \\af0 " + encoded(s, codec) + "}"
        if i % 10 == 0:
            body.append("\\pard\\plain \\rtlpar\\s1\\qr \\li0\\ri0\\sb240\\sa60\\keepn\\widctlpar\\outlinelevel0\\rin0\\lin0\\itap0 "
                        "\\rtlch\\fcs1 \\ab\\af0\\afs32 \\ltrch\\fcs0 \\b\\fs32 {\\ltrch\\fcs0 \\rtlch\\fcs1 \\ab\\af0\\afs32 "
                        + encoded(s[:40], codec) + "}{\\rtlch\\fcs1 \\ab\\af0 \\ltrch\\fcs0 \\par }")
        elif i % 10 == 5:
            body.append("\\pard\\plain \\ltrpar\\ql \\li0\\ri0\\widctlpar\\rin0\\lin0\\itap0 {\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\f1 "
                        f"Quoted in an English paragraph ({i}): }}{rtl}{{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\f1 .\\par }}")
        else:
            body.append("\\pard\\plain \\rtlpar\\qr \\li0\\ri0\\widctlpar\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af0\\afs24 \\ltrch\\fcs0 \\fs24 "
                        + rtl + "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\f1  Version " + str(i) + ".2}"
                        "{\\rtlch\\fcs1 \\af0 \\ltrch\\fcs0 \\par }")
    return head + "\n".join(body) + "}"


def fragment():
    """A generator's fragment: each paragraph and each table row a group of its own, with no
    enclosing document group. Returns the fragment and the same content as one document."""
    strings = catalogue_strings("fr", 40)
    groups = ["{\\pard\\plain\\f0\\fs20 Rapport\\par}", "{\\pard\\plain\\b\\fs28 " + encoded(strings[0][:40], "cp1252") + "\\par}"]
    for s in strings[1:10]:
        groups.append("{\\pard\\plain " + encoded(s, "cp1252") + "\\par}")
    for a, b in zip(strings[10:32:2], strings[11:33:2]):
        groups.append("{\\trowd\\trgaph108\\cellx3000\\cellx8000\\pard\\intbl\\plain " + encoded(a[:30], "cp1252") +
                      "\\cell " + encoded(b, "cp1252") + "\\cell\\row}")
    groups.append("{\\pard\\plain " + encoded(strings[-1], "cp1252") + "\\par}")
    text = "\n".join(groups) + "\n"
    return text, "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\n" + text + "}\n"


def write_all(rtf_dir, wrapped_dir):
    os.makedirs(wrapped_dir, exist_ok=True)
    files = {
        "mac_textedit_ja": textedit("ja", 10001, "shift_jis"),
        "mac_textedit_fr": textedit("fr", 10000, "mac_roman"),
        "mac_textedit_ru": textedit("ru", 10007, "mac_cyrillic"),
        "wordmac_mixed": word_mac(),
        "ooo_lists": openoffice_lists(True),
        "ooo_lists_unresolved": openoffice_lists(False),
        "word_rtl_he": word_rtl("he", 1255, 177, "cp1255"),
        "word_rtl_ar": word_rtl("ar", 1256, 178, "cp1256"),
    }
    text, wrapped = fragment()
    files["frag_report"] = text
    with open(os.path.join(wrapped_dir, "frag_report.rtf"), "w", encoding="latin-1") as f:
        f.write(wrapped)
    for name, rtf in files.items():
        with open(os.path.join(rtf_dir, name + ".rtf"), "w", encoding="latin-1") as f:
            f.write(rtf)
        print("  ", name, len(rtf))

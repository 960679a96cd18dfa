#!/usr/bin/env python3
"""Hostile node lists for the stand-in, and what the help file made from each must hold.

  hostile_documents.py generate DIR     writes DIR/CASE.nodes and DIR/cases.txt (a case a line: its
                                        name and the stand-in's option switches)
  hostile_documents.py check CASE LOG FILES SYSTEM
                                        checks one run: its log (the stand-in's console), the files
                                        7-Zip took out of the help file and what `chmls printsystem`
                                        read of it; prints each fault, exits 1 on any

The expected help file is worked out here from the nodes as the plug-in's rules give it: the first
node is the root, a node's children are placed when it is the root or a container (kinds 4 to 6),
articles are numbered in pre-order, and a note of a kind the plug-in does not convert is stored
as it was sent.
"""
import codecs
import os
import random
import re
import sys

import picture_notes

# Node kinds as the host sends them, named as in model/node_kinds.h; the host has three kinds of
# container, and a node list writes the first as an empty kind.
PLAIN, ARCHIVE, RTF, HTML = 0, 1, 2, 3
CONTAINER, SECOND_CONTAINER, THIRD_CONTAINER = 4, 5, 6
MARK = 'hostilemark'

# Options of every run; a case overrides some of them.
DEFAULTS = {'rtf': 'html', 'plain-text': 'text', 'full-text-search': 'off', 'syntax': 'off', 'pictures': 'off'}


class Node:
    def __init__(self, depth, kind, header, text=b''):
        self.depth, self.kind = depth, kind
        self.header = header if isinstance(header, bytes) else header.encode('cp1252')
        self.text = text if isinstance(text, bytes) else text.encode('cp1252')


def escaped(field):
    out = bytearray()
    for b in field:
        if b == 0x5C:
            out += b'\\\\'
        elif b in (9, 10, 13):
            out += {9: b'\\t', 10: b'\\n', 13: b'\\r'}[b]
        elif b < 0x20 or b == 0x7F:
            out += b'\\x%02x' % b
        else:
            out.append(b)  # bytes above 127 go in raw
    return bytes(out)


def node_list(nodes):
    return b''.join(b'%d\t%s\t%s\t%s\n' % (n.depth, b'' if n.kind == CONTAINER else str(n.kind).encode(),
                                           escaped(n.header), escaped(n.text)) for n in nodes)


def marked(n):
    return f'{MARK}{n}'


# --- the documents -------------------------------------------------------------------------------

EVERY_BYTE = bytes(range(1, 256))
AWKWARD = b'"quoted" \'single\' <tag attr="x"> &amp; & [square] {curly} (round) %s %n %d %x %% %1 $(var) \\\\server\r\nline two\rthree\n'


def rtf(body):
    return b'{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 ' + body


def dib(width, height):
    """A \\dibitmap picture's data: a BITMAPINFOHEADER claiming width x height, and 2 x 2 pixels."""
    header = (40).to_bytes(4, 'little') + width.to_bytes(4, 'little') + height.to_bytes(4, 'little') + \
        (1).to_bytes(2, 'little') + (24).to_bytes(2, 'little') + bytes(24)
    pixels = bytes([0, 0, 255, 0, 255, 0, 0, 0]) + bytes([255, 0, 0, 255, 255, 255, 0, 0])
    return (header + pixels).hex().encode()


def picture(number):
    return b'{\\pict\\dibitmap0\\picw2\\pich2\\picwgoal30\\pichgoal30 ' + dib(2, 2) + b'}' + b' p%d ' % number


def cases():
    """(name, nodes, option overrides, pictures the help file holds)."""
    result = []

    mb = 1 << 20
    result.append(('huge-headers', [
        Node(0, CONTAINER, b'R' * mb),
        Node(1, PLAIN, b'H' * mb, marked(1)),
        Node(1, CONTAINER, bytes(range(32, 127)) * (mb // 95)),
        Node(2, HTML, b'<' * mb, b'<p>' + marked(2).encode() + b'</p>'),
    ], {}, 0))

    # Every byte and every awkward character in headers and texts, and one header a hundred times.
    names = [
        Node(0, CONTAINER, EVERY_BYTE),
        Node(1, PLAIN, EVERY_BYTE, EVERY_BYTE + marked(1).encode()),
        Node(1, HTML, AWKWARD, AWKWARD + marked(2).encode()),
        Node(1, CONTAINER, AWKWARD + EVERY_BYTE),
        Node(2, RTF, EVERY_BYTE + AWKWARD,
             rtf(marked(3).encode() + b' \\\'80\\\'ff\\{\\}\\\\ %s %n "q" <b> & ' +
                 b''.join(b"\\'%02x" % b for b in range(1, 256)) + b'}')),
        Node(2, ARCHIVE, b'%s%n%s%n', b'MIME-Version: 1.0\r\n\r\n' + EVERY_BYTE + marked(4).encode()),
        Node(2, PLAIN, b'\r\n', AWKWARD + marked(5).encode()),
    ]
    for i in range(100):
        names.append(Node(1, CONTAINER, 'Same'))
        names.append(Node(2, PLAIN, 'Same', marked(2 * i + 6)))
        names.append(Node(2, HTML, 'Same', f'<p>{marked(2 * i + 7)}</p>'))
    result.append(('names', names, {}, 0))

    # A chain of 2,000 folders with a note every 250 levels, then 5,000 notes side by side.
    tree = [Node(0, CONTAINER, 'Tree')]
    for level in range(1, 2001):
        tree.append(Node(level, CONTAINER, f'Level {level}'))
        if level % 250 == 0:
            tree.append(Node(level + 1, PLAIN, f'Note at {level}', marked(level)))
    tree += [Node(1, PLAIN, f'Sibling {i}', marked(10000 + i)) for i in range(5000)]
    result.append(('deep-and-wide', tree, {}, 0))

    garbage = random.Random(20).randbytes(4096).replace(b'\0', b'\1')
    broken = [
        ('truncated', rtf(b'{\\b ' + marked(1).encode() + b' bold} {\\i italic \\par still open \\u')),
        ('more-closers', rtf(marked(2).encode() + b' text}' + b'}' * 1000 + b' after the end }}}')),
        ('more-openers', rtf(marked(3).encode() + b' ' + b'{\\b ' * 1000 + b'never closed')),
        ('nested-100000', rtf(marked(4).encode() + b' ' + b'{' * 100000 + b'deep' + b'}' * 100000 + b'}')),
        ('bin-past-end', rtf(marked(5).encode() + b' {\\pict\\wmetafile8\\bin999999999 abc}'
                             b'{\\pict\\dibitmap0\\bin4294967297 x}{\\bin99999999999999999999 y}'
                             b'{\\bin-5 z}\\bin2147483647')),
        ('binary-garbage', b'{\\rtf1 ' + garbage),
        ('garbage-alone', garbage),
    ]
    broken_nodes = [Node(0, CONTAINER, 'Broken RTF')] + [Node(1, RTF, h, t) for h, t in broken]
    for mode in ('html', 'rtf', 'link'):
        result.append((f'broken-rtf-{mode}', broken_nodes, {'rtf': mode, 'pictures': 'on' if mode == 'html' else 'off'}, 0))

    # Three hundred small pictures; one claiming 20000 x 20000, drawn at its size in twips; one
    # whose bitmap header claims it too with four pixels of data, which the rich edit refuses
    # (and the log names).
    claims = b'\\picw20000\\pich20000\\picwgoal20000\\pichgoal20000 '
    result.append(('pictures', [
        Node(0, CONTAINER, 'Pictures'),
        Node(1, RTF, 'Three hundred pictures', rtf(marked(1).encode() + b' ' + b''.join(picture(i) for i in range(300)) + b'}')),
        Node(1, RTF, 'Claims 20000 by 20000', rtf(marked(2).encode() + b' {\\pict\\dibitmap0' + claims + dib(2, 2) + b'} end}')),
        Node(1, RTF, 'Bitmap claims 20000 by 20000', rtf(marked(3).encode() + b' {\\pict\\dibitmap0' + claims + dib(20000, 20000) + b'} end}')),
    ], {'pictures': 'on'}, 301))

    # Nested tables holding pictures of every kind, 19 notes, one of them left out.
    notes = enumerate(picture_notes.notes(dib(2, 2)) + [
        (f'Note {n}', picture_notes.nested_table(b'x', b'y', b'z', b'w')) for n in range(7, 20)], 1)
    document = [Node(0, CONTAINER, 'Tables and pictures')] + [
        Node(1, RTF, header, rtf(marked(n).encode() + b' ' + body + b'}')) for n, (header, body) in notes]
    result.append(('tables-and-pictures', document, {'pictures': 'on', 'exclude': 'Three-DIBs'}, 10))

    result.append(('unknown-kinds', [
        Node(0, CONTAINER, 'Unknown kinds'),
        Node(1, SECOND_CONTAINER, 'Kind 5 folder'),
        Node(2, PLAIN, 'Inside kind 5', marked(1)),
        Node(1, THIRD_CONTAINER, 'Kind 6 folder'),
        Node(2, HTML, 'Inside kind 6', f'<p>{marked(2)}</p>'),
        Node(1, 7, 'Kind 7', marked(3)),
        Node(2, PLAIN, 'Below kind 7', marked(4)),
        Node(1, 99999, 'Kind 99999', marked(5)),
        Node(1, -1, 'Kind minus one', marked(6)),
        Node(1, 2147483647, 'Kind 2147483647', marked(7)),
        Node(2, CONTAINER, 'Folder below kind 2147483647'),
        Node(3, PLAIN, 'Deeper below kind 2147483647', marked(8)),
    ], {}, 0))

    # No node at all: the stand-in sends the root, headed by the file's name.
    result.append(('empty', [], {}, 0))
    return result


# --- what the plug-in makes of them ---------------------------------------------------------------

# The log lines of pictures not drawn, under Wine's rich edit (which loads no PNG, JPEG or device bitmap).
UNDRAWN = {'pictures': ['1 of 1 in Bitmap claims 20000 by 20000'],
           'tables-and-pictures': ['2 of 2 in Every picture PNG', '1 of 3 in Objects with results',
                                   '3 of 6 in Every kind', '1 of 2 in Two in a result']}


def is_container(kind):
    return kind in (CONTAINER, SECOND_CONTAINER, THIRD_CONTAINER)


def expectation(nodes, options):
    """The contents entries (placed nodes in pre-order, with depth and article) and the unplaced nodes."""
    parents, open_at = [], []
    for index, node in enumerate(nodes):
        depth = 0 if index == 0 else min(max(node.depth, 1), len(open_at))
        parents.append(open_at[depth - 1] if index else index)
        del open_at[depth:]
        open_at.append(index)
        node.depth = depth
    placed = [True] + [False] * (len(nodes) - 1)
    for index in range(1, len(nodes)):
        parent = parents[index]
        placed[index] = placed[parent] and (parent == 0 or is_container(nodes[parent].kind))
    entries, unplaced, counter = [], [], 0
    for index, node in enumerate(nodes):
        if not placed[index]:
            unplaced.append(node)
            continue
        if (node.kind == RTF and options['rtf'] == 'skip') or ansi(node.header) == options.get('exclude'):
            continue
        entry = {'node': node, 'file': None, 'companion': None}
        if not is_container(node.kind):
            # Kinds the plug-in does not know keep their text and get a name without extension.
            ext = {PLAIN: 'htm' if options['plain-text'] == 'html' else 'txt', ARCHIVE: 'mht',
                   RTF: 'rtf' if options['rtf'] == 'rtf' else 'htm', HTML: 'htm'}.get(node.kind, '')
            entry['file'] = f'file{counter}.{ext}'
            counter += 1
            if node.kind == RTF and options['rtf'] == 'link':
                entry['companion'] = f'rtf{index}.rtf'
        entries.append(entry)
    return entries, unplaced


def case_named(name):
    name_, nodes, overrides, pictures = next(c for c in cases() if c[0] == name)
    return nodes or [Node(0, CONTAINER, name)], dict(DEFAULTS, **overrides), pictures


def generate(folder):
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, 'cases.txt'), 'w') as listing:
        for name, nodes, overrides, _ in cases():
            with open(os.path.join(folder, name + '.nodes'), 'wb') as f:
                f.write(node_list(nodes))
            options = dict(DEFAULTS, **overrides)
            listing.write(name + ' ' + ' '.join(f'--{k} {v}' for k, v in options.items()) + '\n')


# --- checking one run -----------------------------------------------------------------------------

# Windows-1252 as Windows reads it: the five bytes it leaves unassigned stand for themselves.
codecs.register_error('as_latin1', lambda e: (e.object[e.start:e.end].decode('latin-1'), e.end))


def ansi(data):
    return data.decode('cp1252', errors='as_latin1')


def sitemap_label(header):
    return ''.join(' ' if ord(c) < 0x20 or ord(c) == 0x7F else "'" if c == '"' else c for c in ansi(header))


def help_title(header):
    """The first node's header on one line without blanks at its ends, at most 1024 bytes."""
    title = bytes(0x20 if b < 0x20 or b == 0x7F else b for b in header).strip(b' ')[:1024]
    return re.escape(title) + rb' \[The file created by Tessaly & Tessaly2CHM plugin \d\.\d+ - http://www\.tessaly\.example\]'


def contents_entries(hhc):
    """(depth, name, local) of each entry of a contents file; depth 1 for the top list."""
    text = ansi(hhc)
    entries, depth = [], 0
    for token in re.finditer(r'<UL>|</UL>|<OBJECT type="text/sitemap">(.*?)</OBJECT>', text, re.S | re.I):
        if token.group(0).upper() == '<UL>':
            depth += 1
        elif token.group(0).upper() == '</UL>':
            depth -= 1
        else:
            params = dict(re.findall(r'<param name="(\w+)" value="([^"]*)">', token.group(1)))
            unescape = lambda v: v.replace('&lt;', '<').replace('&gt;', '>').replace('&amp;', '&')
            entries.append((depth, unescape(params.get('Name', '')), unescape(params.get('Local', ''))))
    return entries


def system_values(listing):
    """The numbered values of `chmls printsystem`, as bytes."""
    values = {}
    for line in listing.split(b'\n'):
        found = re.match(rb'\((\d+)\) +[^:]*?:(.*)$', line)
        if found:
            values.setdefault(int(found.group(1)), found.group(2).rstrip(b'\0 \r'))
    return values


def check(name, log_path, files_dir, system_path):
    nodes, options, picture_count = case_named(name)
    entries, unplaced = expectation(nodes, options)
    log = open(log_path, 'rb').read().decode('utf-8', errors='replace').replace('\r', '')
    faults = []
    fault = faults.append
    chm = name + '.chm'

    # What the log says: the build's end in the plug-in's words, and the stand-in's verdict.
    if not re.search(r'^Log: Export to ' + re.escape(chm) + r' successfully complete \[\d[^\]]*\]$', log, re.M):
        fault('the log does not say the export was complete')
    if not re.search(r'^Log: Creation .*\\' + re.escape(chm) + ' successfully complete$', log, re.M):
        fault('the log does not end with the creation complete')
    if not re.search(r'^Made .*\\' + re.escape(chm) + '$', log, re.M):
        fault('the stand-in does not report the help file made')
    # Nodes the tree cannot place have no article, and the log names each.
    for node in unplaced:
        if 'Log: Not in the tree, so not in the CHM-file: ' + ansi(node.header) not in log:
            fault(f'no log line for the unplaced node {ansi(node.header)[:60]!r}')
    # The tree shows 500 levels below the root; the log names the item on the first level it cannot.
    too_deep = [ansi(e['node'].header) for e in entries if e['node'].depth == 500]
    named = re.findall(r'^Log: Too deep to show in the tree, in the CHM-file all the same: (.*)$', log, re.M)
    if named != too_deep:
        fault(f'"Too deep" lines name {named[:3]}, expected {too_deep}')
    # A picture the rich edit cannot draw is not in the help file, and the log says whose it was.
    undrawn = re.findall(r'^Log: Pictures not drawn, so not in the CHM-file: (.*)$', log, re.M)
    if name in UNDRAWN and undrawn != UNDRAWN[name]:
        fault(f'lines of pictures not drawn: {undrawn}')

    stored = set(os.listdir(files_dir)) if os.path.isdir(files_dir) else set()

    def stored_bytes(file):
        with open(os.path.join(files_dir, file), 'rb') as f:
            return f.read()

    # The compiler's record of title, first page and contents, as chmls reads it.
    system = system_values(open(system_path, 'rb').read()) if os.path.exists(system_path) else {}
    if not re.fullmatch(help_title(nodes[0].header), system.get(3, b'')):
        fault(f'title {system.get(3, b"")[:80]!r}')
    files = [e['file'] for e in entries if e['file']]
    first_page = next((f for f in files if f.lower().endswith('.htm')), files[0] if files else '')
    if system.get(2, b'') != first_page.encode():
        fault(f'default topic {system.get(2)!r}, expected {first_page!r}')
    if system.get(0) != b'content.hhc':
        fault(f'contents file {system.get(0)!r}')

    # Whole contents: every placed node in pre-order at its depth with its label and its article.
    wanted = [(e['node'].depth + 1, sitemap_label(e['node'].header), e['file'] or '') for e in entries]
    got = contents_entries(stored_bytes('content.hhc')) if 'content.hhc' in stored else []
    if got != wanted:
        first = next((i for i, (a, b) in enumerate(zip(got, wanted)) if a != b), min(len(got), len(wanted)))
        fault(f'contents differ at entry {first} of {len(wanted)} (got {len(got)}): '
              f'{str(got[first:first + 1])[:200]} instead of {str(wanted[first:first + 1])[:200]}')

    # The progress lines name every converted article; they say nothing of one gone missing.
    verdicts = re.sub(r'^Log: Convert to HTML .*?\u2026$', '', log, flags=re.M | re.S)
    for entry in entries:
        node, file = entry['node'], entry['file']
        if not file:
            continue
        label = ansi(node.header)
        # An article missing from the help file is a fault, and one the log does not name is worse.
        for article in filter(None, (file, entry['companion'])):
            if article not in stored:
                fault(f'article {article} ({label[:60]!r}) is not in the help file')
                if label not in verdicts and article not in verdicts:
                    fault(f'article {article} ({label[:60]!r}) is missing without a log line naming it')
        if file not in stored:
            continue
        page = stored_bytes(file)
        if node.kind == RTF and options['rtf'] == 'link':
            if entry['companion'] in stored and stored_bytes(entry['companion']) != node.text:
                fault(f'{entry["companion"]} differs from the note {label[:60]!r}')
            if entry['companion'].encode() not in page:
                fault(f'{file} does not link {entry["companion"]}')
        elif (node.kind == RTF and options['rtf'] == 'html') or (node.kind == PLAIN and options['plain-text'] == 'html'):
            mark = re.search(rb'hostilemark\d+', node.text)
            if mark and mark.group(0) not in page:
                fault(f'{file} lacks the text {mark.group(0).decode()} of {label[:60]!r}')
            if not re.match(rb'\s*<(!DOCTYPE|HTML)', page, re.I):
                fault(f'{file} is no HTML page: {page[:60]!r}')
            # Each picture drawn stands where its object stood, and none stands for one not drawn.
            for tag in re.findall(rb'\b(?:drawn|lost)\d+\b', node.text):
                shown_here = re.search(rb"<IMG SRC='Picture_\d+\.bmp'>(?:\s|\xa0|<[^>]*>)*" + tag + rb'\b', page)
                if bool(shown_here) != tag.startswith(b'drawn'):
                    fault(f'{file}: the picture before {tag.decode()} is {"not " * (not shown_here)}shown')
        elif page != node.text:
            fault(f'{file} differs from the text of {label[:60]!r} ({len(page)} bytes, {len(node.text)} sent)')

    # Every picture stored is a bitmap shown by a page, and every picture shown is stored.
    pictures = {f for f in stored if re.fullmatch(r'Picture_\d+\.bmp', f)}
    shown = set()
    for file in stored:
        if file.endswith('.htm'):
            shown |= {m.decode() for m in re.findall(rb"<IMG SRC='(Picture_\d+\.bmp)'>", stored_bytes(file))}
    if shown != pictures:
        fault(f'pictures stored {len(pictures)}, shown {len(shown)}; differing: {sorted(shown ^ pictures)[:5]}')
    if len(pictures) != picture_count:
        fault(f'{len(pictures)} pictures stored, {picture_count} expected')
    for file in pictures:
        if stored_bytes(file)[:2] != b'BM':
            fault(f'{file} is no bitmap')
    return faults


def main(argv):
    if len(argv) == 3 and argv[1] == 'generate':
        generate(argv[2])
        return 0
    if len(argv) == 6 and argv[1] == 'check':
        faults = check(*argv[2:])
        print('\n'.join(faults))
        return 1 if faults else 0
    print(__doc__)
    return 2


if __name__ == '__main__':
    sys.exit(main(sys.argv))

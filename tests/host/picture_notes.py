"""Notes of nested tables holding pictures of every blip kind, as word processors write them.

A label after each picture says whether Wine's rich edit draws it ("drawnN") or not ("lostN"): it
loads no PNG, JPEG or device bitmap and no object without a result, and of a picture pair the
preparation draws the fallback when the first picture does not load.
"""

# A picture of each blip kind: PNG and JPEG files, a metafile, an enhanced metafile and a device bitmap;
# notes() adds the bitmap.
BLIPS = {b'pngblip': '89504e470d0a1a0a0000000d4948445200000002000000020802000000fdd49a730000001249444154789c63f8cfc0c000c20c'
                     'ff8100001fee05fb0bd9688b0000000049454e44ae426082',
         b'jpegblip': 'ffd8ffdb004300' + '01' * 64 + 'ffc0000b080008000801011100' +
                      ''.join('ffc40014%s01%s' % (table, '00' * 16) for table in ('00', '10')) + 'ffda0008010100003f003fffd9',
         b'wmetafile8': '010009000003180000000000070000000000050000000c0264006400070000001b045a005a000a000a00030000000000',
         b'wbitmap0\\wbmbitspixel1\\wbmwidthbytes2': '80004000'}
BLIPS[b'emfblip'] = ('0100000058000000000000000000000064000000640000000000000000000000560a0000560a000020454d460000010084000000'
                    '0300000001000000000000000000000000000000000400000003000040010000f00000002b000000180000000a0000000a000000'
                    '5a0000005a0000000e00000014000000000000001000000014000000')


def blip(kind, label):
    """A picture, and after it the label that tells where it stood in the page."""
    return b'{\\pict\\picw2\\pich2\\picwgoal300\\pichgoal300\\%s %s} %s ' % (kind, BLIPS[kind].encode(), label)


def pair(kind, fallback, label):
    """A picture as current word processors write it: the blip, then a fallback for older readers."""
    return b'{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn shapeType}{\\sv 75}}}\\%s %s}}{\\nonshppict%s} %s ' % (
        kind, BLIPS[kind].encode(), blip(fallback, b'').rstrip(), label)


def nested_table(outer, first, second, after):
    """A table whose second cell holds a table, and a row of more cells than it defines, as some writers do."""
    row, inner = b'\\trowd\\trgaph108\\trleft-108\\clbrdrt\\brdrs\\cellx4392\\cellx8892', b'\\trowd\\cellx2000\\cellx4000'
    return (b'%s\\pard\\intbl\\itap1 {%s}{\\cell }\\pard\\intbl\\itap2 {%s}{\\nestcell }{%s}{\\nestcell }\\pard\\intbl'
            b'\\itap2 {\\*\\nesttableprops%s\\nestrow}{\\nonesttables \\par }\\pard\\intbl\\itap1 {\\cell }{%s\\row }'
            b'%s\\pard\\intbl {%s}\\cell b\\cell c\\cell d\\cell \\row \\pard ' % (row, outer, first, second, inner, row, row, after))


def notes(dib_data):
    """(header, RTF body) of the notes with pictures; `dib_data` is the hex of a 2 x 2 bitmap."""
    BLIPS[b'dibitmap0'] = dib_data.decode()
    obj = b'{\\object\\objemb{\\*\\objclass Paint.Picture}{\\*\\objdata 0105}%s} %s '
    result_of = lambda kind: b'{\\result ' + blip(kind, b'') + b'}'
    return [
        ('Nested tables', nested_table(pair(b'pngblip', b'wmetafile8', b'drawn4'), pair(b'pngblip', b'dibitmap0', b'drawn5'),
                                       blip(b'dibitmap0', b'drawn6'), pair(b'jpegblip', b'emfblip', b'drawn7'))),
        ('Every picture PNG', blip(b'pngblip', b'lost4') + nested_table(b'a', pair(b'pngblip', b'pngblip', b'lost5'), b'', b'')),
        ('Objects with results', nested_table(obj % (result_of(b'dibitmap0'), b'drawn8'), obj % (b'', b'lost6'), b'',
                                              obj % (result_of(b'wmetafile8'), b'drawn9'))),
        ('Every kind', nested_table(blip(b'dibitmap0', b'drawn1') + blip(b'wmetafile8', b'drawn2'), blip(b'emfblip', b'drawn3') +
                                    blip(b'pngblip', b'lost1'), blip(b'jpegblip', b'lost2'), blip(b'wbitmap0\\wbmbitspixel1\\wbmwidthbytes2', b'lost3'))),
        ('Three-DIBs', b''.join(blip(b'dibitmap0', b'excluded%d' % i) for i in range(3))),
        ('Two in a result', blip(b'pngblip', b'lost7') + obj % (b'{\\result %s}' % (blip(b'dibitmap0', b'') * 2), b'drawn10'))]

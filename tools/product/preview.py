#!/usr/bin/env python3
"""Previews of a skin for looking at it: the window on each page (with one language's texts laid
out roughly as the panel lays them out) and a contact sheet of every picture.
Usage: preview.py SKIN_DIR LANGUAGE_INI OUT_DIR      (writes <skin>-pages.png, <skin>-sheet.png)
"""
import base64
import math
import os
import subprocess
import sys

FONT = 'Liberation Sans, DejaVu Sans, sans-serif'


def read_ini(path):
    raw = open(path, 'rb').read()
    s = raw.decode('utf-16') if raw[:2] == b'\xff\xfe' else raw.decode('utf-8')
    out, sec = {}, None
    for line in s.splitlines():
        line = line.strip()
        if line.startswith('['):
            sec = line[1:-1]
            out[sec] = {}
        elif '=' in line and not line.startswith(';') and sec:
            k, v = line.split('=', 1)
            out[sec][k] = v
    return out


def colour(v):
    n = int(v[1:], 16) if v.startswith('$') else int(v)
    return '#%02x%02x%02x' % (n & 255, (n >> 8) & 255, (n >> 16) & 255)


def uri(path):
    return 'data:image/png;base64,' + base64.b64encode(open(path, 'rb').read()).decode()


# label: (parent, left, top, width, height, align, bold)
LABELS = {
    'LabelMenu1': ('win', 392, 64, 64, 16, 'c', 1), 'LabelMenu2': ('win', 456, 64, 64, 16, 'c', 1),
    'LabelMenu3': ('win', 520, 64, 64, 16, 'c', 1), 'LabelActive': ('win', 625, 68, 80, 13, 'c', 0),
    'LabelSetting': ('win', 570, 453, 150, 14, 'r', 0), 'LabelSX': ('win', 722, 453, 50, 14, 'l', 0),
    'LabelCompanyName': ('win', 111, 137, 234, 28, 'l', 1), 'LabelFeatures': ('win', 56, 293, 144, 38, 'l', 0),
    'LabelEQEnable': ('eq', -5, 5, 121, 16, 'c', 1), 'LableEQ3DEnable': ('eq', 122, 5, 121, 16, 'c', 1),
    'LabelEQReset': ('eq', 243, 5, 121, 16, 'c', 1), 'LabelEQS1': ('eq', 1, 32, 93, 16, 'c', 1),
    'LabelEQS2': ('eq', 91, 32, 93, 16, 'c', 1), 'LabelEQS3': ('eq', 182, 32, 93, 16, 'c', 1),
    'LabelEQS4': ('eq', 272, 32, 93, 16, 'c', 1),
    'LabelEQ60Hz': ('eq', 72, 270, 23, 17, 'l', 1), 'LabelEQ300Hz': ('eq', 130, 270, 28, 17, 'l', 1),
    'LabelEQ1200Hz': ('eq', 188, 270, 33, 17, 'l', 1), 'LabelEQ3600Hz': ('eq', 249, 270, 33, 17, 'l', 1),
    'LabelEQ12000Hz': ('eq', 308, 270, 38, 17, 'l', 1),
    'Label3DEnable': ('3d', 0, 5, 123, 16, 'c', 1), 'Label3DFBM': ('3d', 121, 5, 123, 16, 'c', 1),
    'Label3DReset': ('3d', 242, 5, 123, 16, 'c', 1), 'Label3DLeftChannel': ('3d', 55, 47, 64, 15, 'c', 1),
    'Label3DRightChannel': ('3d', 245, 47, 65, 15, 'c', 1), 'Label3DConnection': ('3d', 143, 117, 65, 13, 'c', 0),
    'LabelEffectNothing': ('effect', 0, 8, 75, 14, 'c', 1), 'LabelEffectTheater': ('effect', 73, 8, 75, 14, 'c', 1),
    'LabelEffectBathroom': ('effect', 146, 8, 75, 14, 'c', 1),
    'LabelEffectLivingroom': ('effect', 219, 8, 75, 14, 'c', 1),
    'LabelEffectStoneGallery': ('effect', 292, 8, 75, 14, 'c', 1),
    'LabelMicBoost': ('mic', 0, 6, 184, 16, 'c', 1), 'LabelMicMute': ('mic', 183, 6, 184, 16, 'c', 1),
    'LabelMicGain': ('mic', 271, 48, 70, 14, 'c', 0), 'LabelMicValue': ('mic', 302, 77, 15, 14, 'c', 0),
    'Label7ch1Enable': ('virtual', 1, 5, 92, 25, 'c', 1), 'LabelVirtualClockwise': ('virtual', 92, 5, 92, 25, 'c', 1),
    'LabelVirtualCounterclockwise': ('virtual', 180, 5, 92, 25, 'c', 1),
    'Label7ch1Reset': ('virtual', 273, 5, 92, 25, 'c', 1),
}
FIXED_TEXT = [('3d', 48, 279, 'β'), ('3d', 104, 279, 'α'), ('3d', 256, 279, 'α'), ('3d', 320, 279, 'β')]
PAGES = ['eq', 'effect', 'mic', 'virtual', '3d']
SECTION = {'eq': 'EQ', '3d': '3D', 'effect': 'Effect', 'mic': 'Mic', 'virtual': 'Virtual7ch1'}
DOWN_STATE = {'LabelEQEnable', 'LabelEQS1', 'Label3DEnable', 'LabelEffectTheater', 'Label7ch1Enable'}


def main():
    skin_dir, lang_path, out = sys.argv[1:4]
    skin = read_ini(os.path.join(skin_dir, 'SkinSetting.ini'))
    lang = read_ini(lang_path)
    name = os.path.basename(os.path.normpath(skin_dir))
    g = lang['GlobalFont']
    over = skin.get('MainLable', {})

    def img(sec, key, dx=0, dy=0, sub='', width=None):
        v = skin[sec].get(key)
        if not v:
            return ''
        f = v.split(',')
        path = os.path.join(skin_dir, sub, f[0])
        x, y = (int(f[1]), int(f[2])) if len(f) > 2 and f[1] else (0, 0)
        w, h = (int(f[3]), int(f[4])) if len(f) > 4 and f[3] else (None, None)
        if w is None:
            import struct
            w, h = struct.unpack('>II', open(path, 'rb').read()[16:24])
        if width is not None:
            w = width
        return '<image x="%d" y="%d" width="%d" height="%d" preserveAspectRatio="none" href="%s"/>' % (
            x + dx, y + dy, w, h, uri(path))

    def label(key, dx, dy, down=False, text=None):
        v = None
        for sec in lang.values():
            if key in sec:
                v = sec[key]
        if v is None:
            return ''
        f = v.split(',') + [''] * 9
        if key in over:
            of = over[key].split(',') + [''] * 9
            for i in range(1, 9):
                if of[i]:
                    f[i] = of[i]
        t = text if text is not None else f[0]
        if not t:
            return ''
        par, x, y, w, h, al, bold = LABELS[key]
        if f[5]:
            x = int(f[5])
        if f[6]:
            y = int(f[6])
        if f[7]:
            w = int(f[7])
        c = f[2] if down else f[1]
        c = colour(c or (g['ColorDown'] if down else g['ColorUp']))
        pt = int(f[4] or g['FontSize'])
        px = pt * 96 / 72.0
        anchor = {'c': 'middle', 'l': 'start', 'r': 'end'}[al]
        tx = x + (w / 2.0 if al == 'c' else (w if al == 'r' else 0))
        return ('<text x="%s" y="%s" font-family="%s" font-size="%.1f" font-weight="%s" fill="%s" text-anchor="%s">%s</text>'
                % (tx + dx, y + dy + px * 0.9, FONT, px * 0.92, 'bold' if bold else 'normal', c, anchor,
                   t.replace('&', '&amp;').replace('<', '&lt;')))

    shots = []
    for page in PAGES:
        o = img('Main', 'MainFormImage')
        for k in ('CloseImageUp', 'MinimizeImageUp', 'Menu1ImageUp', 'Menu2ImageDown', 'Menu3ImageUp', 'DeviceActiveImage',
                  'LogoImage', 'LedImageDown'):
            o += img('Main', k)
        for k in ('LabelMenu1', 'LabelMenu2', 'LabelMenu3', 'LabelActive', 'LabelSetting', 'LabelCompanyName', 'LabelFeatures'):
            o += label(k, 0, 0, k == 'LabelMenu2')
        o += label('LabelSX', 0, 0, text=lang['EQ']['LabelEQS1'].split(',')[0])
        # tabs laid out as RepaintLabels does (approximate text widths)
        x = 408
        for i, (k, pg) in enumerate((('LabelPageEQ', 'eq'), ('LabelPageEffect', 'effect'), ('LabelPageMic', 'mic'),
                                     ('LabelPageVirtual7ch1', 'virtual'))):
            t = lang['Main'][k].split(',')[0]
            w = int(len(t) * 6.6)
            f = lang['Main'][k].split(',')
            c = colour(f[2] if pg == page else f[1])
            o += '<text x="%d" y="%d" font-family="%s" font-size="11.5" fill="%s">%s</text>' % (x, 429, FONT, c, t)
            if i < 3:
                o += '<line x1="%d" y1="416" x2="%d" y2="433" stroke="#808080" stroke-width="1"/>' % (x + w + 7, x + w + 7)
            x += w + 8 + 5
        # notebook page
        sec = SECTION[page]
        keys = list(skin[sec])
        p = ''
        dx, dy = 392, 104
        cl = '<clipPath id="nb"><rect x="392" y="104" width="365" height="292"/></clipPath>'
        order = [k for k in keys if k.startswith('Back_')]
        if page == 'effect':
            order += ['EffectPicTheaterImage']
        for k in keys:
            if k in order or not skin[sec][k].split(',')[0].endswith('.png'):
                continue
            if k.startswith('EffectPic') or k.startswith('D3Alpha') or k.startswith('D3Beta') and 'Bar' not in k and 'Slider' not in k and 'Graduation' not in k:
                continue
            if k.startswith('Virtual') and k[7:] in ('CImage', 'LImage', 'LSImage', 'LBImage', 'RBImage', 'RSImage', 'RImage', 'SUBImage'):
                continue
            if k.endswith('Up') or k.endswith('UpImage'):
                dn = k[:-2] + 'Down' if k.endswith('Up') else k[:-7] + 'DownImage'
                want_down = any(s in k for s in ('EQEQEN', 'EQS1', 'D33DEN', 'EffectButtonTheater', 'VirtualEnable', 'MicBoost'))
                order.append(dn if want_down else k)
            elif k.endswith('Down') or k.endswith('DownImage'):
                continue
            else:
                order.append(k)
        for k in order:
            if k == 'MicProgressImage':
                p += img(sec, k, dx, dy, width=120)
            else:
                p += img(sec, k, dx, dy)
        if page == '3d':
            p += img(sec, 'D3AlphaIndepImage', dx, dy) + img(sec, 'D3BetaDepImage', dx, dy, sub='3D')
        if page == 'virtual':
            cx, cy, r = [int(v) for v in skin[sec]['VirtualCenter'].split(',')]
            R = 1.6 * r
            pos = {'C': (cx, cy - R), 'LS': (cx - R, cy), 'L': (cx + math.cos(2.3561925) * R, cy - math.sin(2.3561925) * R),
                   'LB': (cx + math.cos(3.9269875) * R, cy - math.sin(3.9269875) * R),
                   'RB': (cx + math.cos(5.4977825) * R, cy - math.sin(5.4977825) * R),
                   'R': (cx + math.cos(0.7853975) * R, cy - math.sin(0.7853975) * R), 'SUB': (cx, cy - r // 2), 'RS': (cx + R, cy)}
            for sp, (x, y) in pos.items():
                f = skin[sec]['Virtual%sImage' % sp].split(',')
                p += '<image x="%d" y="%d" width="%s" height="%s" href="%s"/>' % (dx + int(x), dy + int(y), f[3], f[4], uri(os.path.join(skin_dir, f[0])))
        for k, (par, *_rest) in LABELS.items():
            if par == page:
                p += label(k, dx, dy, k in DOWN_STATE or (k == 'LabelMicBoost'))
        if page == 'mic':
            p += label('LabelMicValue', dx, dy, text='64')
        for par, x, y, s in FIXED_TEXT:
            if par == page:
                p += '<text x="%d" y="%d" font-family="%s" font-size="11" font-weight="bold" fill="%s">%s</text>' % (dx + x, dy + y + 11, FONT, '#9aa6b2', s)
        o += '<g clip-path="url(#nb)">%s</g>' % p
        shots.append((page, cl, o))
    # pages sheet: 2 columns
    W, H = 800, 500
    cols = 2
    rows = (len(shots) + 1) // 2
    body = ''
    defs = ''
    for i, (page, cl, o) in enumerate(shots):
        x, y = (i % cols) * (W + 10), (i // cols) * (H + 10)
        defs = cl
        body += '<g transform="translate(%d,%d)"><rect width="%d" height="%d" fill="#7f8a99"/>%s</g>' % (x, y, W, H, o)
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d"><defs>%s</defs>%s</svg>'
           % (cols * W + 10, rows * (H + 10), defs, body))
    os.makedirs(out, exist_ok=True)
    sp = os.path.join(out, name + '-pages.svg')
    open(sp, 'w').write(svg)
    subprocess.check_call(['rsvg-convert', '-o', os.path.join(out, name + '-pages.png'), sp])
    # contact sheet of every picture
    files = sorted(f for f in os.listdir(skin_dir) if f.endswith('.png'))
    files += ['3D/' + f for f in sorted(os.listdir(os.path.join(skin_dir, '3D')))]
    import struct
    x = y = rowh = 0
    body = ''
    maxw = 1500
    for f in files:
        path = os.path.join(skin_dir, f)
        w, h = struct.unpack('>II', open(path, 'rb').read()[16:24])
        if w > 500:
            continue
        cw = max(w, 90) + 10
        if x + cw > maxw:
            x, y, rowh = 0, y + rowh + 24, 0
        body += '<image x="%d" y="%d" width="%d" height="%d" href="%s"/>' % (x + 5, y + 5, w, h, uri(path))
        body += '<text x="%d" y="%d" font-family="%s" font-size="9" fill="#222">%s</text>' % (x + 5, y + h + 16, FONT, f[:-4])
        x += cw
        rowh = max(rowh, h)
    hh = y + rowh + 30
    svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d"><defs><pattern id="ck" width="16" height="16" patternUnits="userSpaceOnUse">'
           '<rect width="16" height="16" fill="#cfd3d8"/><rect width="8" height="8" fill="#b8bdc4"/><rect x="8" y="8" width="8" height="8" fill="#b8bdc4"/></pattern></defs>'
           '<rect width="100%%" height="100%%" fill="url(#ck)"/>%s</svg>' % (maxw, hh, body))
    sp = os.path.join(out, name + '-sheet.svg')
    open(sp, 'w').write(svg)
    subprocess.check_call(['rsvg-convert', '-o', os.path.join(out, name + '-sheet.png'), sp])
    print('wrote', os.path.join(out, name + '-pages.png'), os.path.join(out, name + '-sheet.png'))


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Generator of the panel's skins, the application icon and the installer background.

Every picture is drawn here as SVG and rendered with rsvg-convert. For each skin it writes the
pictures, SkinSetting.ini (UTF-8 source, converted to UTF-16LE by make-skins.sh) and
MainForm_Frame.rgn. Usage: skins.py OUT_PRODUCT_DIR WORK_DIR
"""
import math
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import pngio  # noqa: E402

FONT = "DejaVu Sans, Liberation Sans, sans-serif"
NB = (392, 104, 365, 292)          # notebook bounds in the window (catalogue default)
WIN_W, WIN_H = 800, 500

# ----------------------------------------------------------------------------------------------
# Themes

THEMES = {
    'Graphite': dict(
        shape='chamfer', body=(16, 40, 784, 480), corner=14, chamfer=26,
        body_top='#23282e', body_bot='#15181c', edge='#3a424a', edge_hi='#4b555f',
        topbar='#2a3037', hero_top='#1c2127', hero_bot='#111418',
        screen_top='#12161a', screen_bot='#0c0f12', grid='#ffffff', grid_op=0.025,
        bezel='#0a0c0e', accent='#2bc8ea', accent_dk='#0c7896', accent_hi='#9df0ff',
        accent2='#2bc8ea', accent3='#5ee0a0',
        up_top='#3a4148', up_bot='#262b31', up_edge='#0b0e11',
        dn_top='#18a9ca', dn_bot='#0a6780', dn_edge='#064a5c',
        text='#dce4ea', muted='#7d8a96', dim='#4a545e', panel='#1b2026',
        knob_top='#eef3f6', knob_bot='#9aa5ae', chip='#20262c',
        eq_top0=96, mic_top0=104, L=120, vc=(170, 150, 70),
        strip='#0e1114', status='#1a1e23', light=False,
    ),
    'Aurora': dict(
        shape='round', body=(12, 36, 788, 488), corner=30, chamfer=0,
        body_top='#fbfcff', body_bot='#e6e9f5', edge='#c9cde3', edge_hi='#ffffff',
        topbar='#f2f3fb', hero_top='#2a1f6b', hero_bot='#120f33',
        screen_top='#241e5a', screen_bot='#15113a', grid='#ffffff', grid_op=0.03,
        bezel='#d7dbee', accent='#8b5cff', accent_dk='#5b36c9', accent_hi='#f3b4ff',
        accent2='#ff5fa2', accent3='#27d3c3',
        up_top='#433d86', up_bot='#2e2963', up_edge='#1c1845',
        dn_top='#9b5cff', dn_bot='#ff5c9d', dn_edge='#6a2fb0',
        text='#e8e6ff', muted='#9a96c8', dim='#514c8a', panel='#2a2465',
        knob_top='#ffffff', knob_bot='#c9c3ee', chip='#2b2569',
        eq_top0=90, mic_top0=98, L=120, vc=(168, 158, 62),
        strip='#241e5a', status='#eceefa', light=True,
    ),
}

# ----------------------------------------------------------------------------------------------
# SVG document helpers


class Doc:
    def __init__(self):
        self.defs = []
        self.n = 0

    def _id(self):
        self.n += 1
        return 'd%d' % self.n

    def lin(self, stops, x1=0, y1=0, x2=0, y2=1, user=False):
        i = self._id()
        units = ' gradientUnits="userSpaceOnUse"' if user else ''
        s = ''.join('<stop offset="%s" stop-color="%s" stop-opacity="%s"/>' % (o, c, a)
                    for o, c, a in [(st + (1,))[:3] for st in stops])
        self.defs.append('<linearGradient id="%s" x1="%s" y1="%s" x2="%s" y2="%s"%s>%s</linearGradient>'
                         % (i, x1, y1, x2, y2, units, s))
        return 'url(#%s)' % i

    def rad(self, stops, cx=0.5, cy=0.5, r=0.5, user=False):
        i = self._id()
        units = ' gradientUnits="userSpaceOnUse"' if user else ''
        s = ''.join('<stop offset="%s" stop-color="%s" stop-opacity="%s"/>' % (o, c, a)
                    for o, c, a in [(st + (1,))[:3] for st in stops])
        self.defs.append('<radialGradient id="%s" cx="%s" cy="%s" r="%s"%s>%s</radialGradient>'
                         % (i, cx, cy, r, units, s))
        return 'url(#%s)' % i

    def blur(self, sd):
        i = self._id()
        self.defs.append('<filter id="%s" x="-50%%" y="-50%%" width="200%%" height="200%%">'
                         '<feGaussianBlur stdDeviation="%s"/></filter>' % (i, sd))
        return 'url(#%s)' % i

    def clip(self, content):
        i = self._id()
        self.defs.append('<clipPath id="%s">%s</clipPath>' % (i, content))
        return 'url(#%s)' % i

    def svg(self, w, h, body):
        return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
                '<defs>%s</defs>%s</svg>' % (w, h, w, h, ''.join(self.defs), body))


def rr(x, y, w, h, r, fill='none', stroke='none', sw=1, extra=''):
    return ('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" stroke="%s" stroke-width="%s" %s/>'
            % (x, y, w, h, r, fill, stroke, sw, extra))


def text(x, y, s, size, fill, weight='bold', anchor='middle', extra=''):
    return ('<text x="%s" y="%s" font-family="%s" font-size="%s" font-weight="%s" fill="%s" '
            'text-anchor="%s" %s>%s</text>' % (x, y, FONT, size, weight, fill, anchor, extra, s))


def seg_path(x, y, w, h, r, left, right):
    """Rectangle path whose left and/or right corners are rounded."""
    rl, rr_ = (r if left else 0), (r if right else 0)
    return ('M%s,%s H%s %s V%s %s H%s %s V%s %s Z' % (
        x + rl, y, x + w - rr_,
        ('A%s,%s 0 0 1 %s,%s' % (rr_, rr_, x + w, y + rr_)) if rr_ else '',
        y + h - rr_,
        ('A%s,%s 0 0 1 %s,%s' % (rr_, rr_, x + w - rr_, y + h)) if rr_ else '',
        x + rl,
        ('A%s,%s 0 0 1 %s,%s' % (rl, rl, x, y + h - rl)) if rl else '',
        y + rl,
        ('A%s,%s 0 0 1 %s,%s' % (rl, rl, x + rl, y)) if rl else ''))


# ----------------------------------------------------------------------------------------------
# Window shape

def inside(t, px, py):
    x0, y0, x1, y1 = t['body']
    if not (x0 <= px < x1 and y0 <= py < y1):
        return False
    cx, cy = px + 0.5, py + 0.5
    if t['shape'] == 'chamfer':
        c, r = t['chamfer'], t['corner']
        if (cx - x0) + (cy - y0) < c:          # top-left cut
            return False
        if (x1 - cx) + (y1 - cy) < c:          # bottom-right cut
            return False
        if cx > x1 - r and cy < y0 + r and (cx - (x1 - r)) ** 2 + (cy - (y0 + r)) ** 2 > r * r:
            return False
        if cx < x0 + r and cy > y1 - r and (cx - (x0 + r)) ** 2 + (cy - (y1 - r)) ** 2 > r * r:
            return False
        return True
    r = t['corner']
    ax = min(max(cx, x0 + r), x1 - r)
    ay = min(max(cy, y0 + r), y1 - r)
    return (cx - ax) ** 2 + (cy - ay) ** 2 <= r * r


def region_rects(t):
    rects, prev, start = [], None, 0
    rows = []
    for y in range(WIN_H):
        runs, x = [], 0
        while x < WIN_W:
            if inside(t, x, y):
                s = x
                while x < WIN_W and inside(t, x, y):
                    x += 1
                runs.append((s, x))
            else:
                x += 1
        rows.append(tuple(runs))
    y = 0
    while y < WIN_H:
        y2 = y
        while y2 + 1 < WIN_H and rows[y2 + 1] == rows[y]:
            y2 += 1
        for (a, b) in rows[y]:
            rects.append((a, y, b, y2 + 1))
        y = y2 + 1
    return rects


def write_region(t, path):
    rects = region_rects(t)
    data = struct.pack('<8i', 32, 1, len(rects), 16 * len(rects), 0, 0, WIN_W, WIN_H)
    data += b''.join(struct.pack('<4i', *r) for r in rects)
    with open(path, 'wb') as f:
        f.write(data)
    return rects


def body_path(t):
    x0, y0, x1, y1 = t['body']
    if t['shape'] == 'chamfer':
        c, r = t['chamfer'], t['corner']
        return ('M%d,%d H%d A%d,%d 0 0 1 %d,%d V%d L%d,%d H%d A%d,%d 0 0 1 %d,%d V%d Z'
                % (x0 + c, y0, x1 - r, r, r, x1, y0 + r, y1 - c, x1 - c, y1, x0 + r, r, r, x0, y1 - r,
                   y0 + c))
    r = t['corner']
    return ('M%d,%d H%d A%d,%d 0 0 1 %d,%d V%d A%d,%d 0 0 1 %d,%d H%d A%d,%d 0 0 1 %d,%d V%d '
            'A%d,%d 0 0 1 %d,%d Z' % (x0 + r, y0, x1 - r, r, r, x1, y0 + r, y1 - r, r, r, x1 - r, y1,
                                      x0 + r, r, r, x0, y1 - r, y0 + r, r, r, x0 + r, y0))


# ----------------------------------------------------------------------------------------------
# Artwork pieces

def logo_mark(d, t, x, y, s):
    """The brand mark: a rounded badge with a ring 'Q' holding three level bars."""
    g = d.lin([(0, t['accent']), (1, t['accent2'] if t['light'] else t['accent_dk'])], 0, 0, 1, 1)
    k = s / 49.0
    out = '<g transform="translate(%s,%s) scale(%s)">' % (x, y, k)
    out += rr(1, 1, 47, 47, 12, g)
    out += rr(1.5, 1.5, 46, 46, 11.5, 'none', '#ffffff', 1, 'stroke-opacity="0.35"')
    out += '<circle cx="24" cy="23.5" r="13" fill="none" stroke="#ffffff" stroke-width="4"/>'
    out += '<path d="M31,31 L39,39" stroke="#ffffff" stroke-width="4.5" stroke-linecap="round"/>'
    for i, hgt in enumerate((8, 13, 6)):
        out += rr(18 + i * 4.5, 23.5 - hgt / 2.0, 2.8, hgt, 1.4, '#ffffff')
    return out + '</g>'


def headset(d, t, cx, cy, s):
    """An over-ear headset with a microphone boom, about 150 x 130 pixels at s = 1."""
    band = d.lin([(0, '#ffffff' if t['light'] else '#5b6670'), (1, t['dim'])], 0, 0, 0, 1)
    cup = d.lin([(0, '#4a3f9a' if t['light'] else '#3a434c'), (1, '#1a1540' if t['light'] else '#161a1e')],
                0, 0, 0, 1)
    ring = d.lin([(0, t['accent_hi']), (0.5, t['accent']), (1, t['accent2'] if t['light'] else t['accent_dk'])],
                 0, 0, 1, 1)
    glow = d.blur(10)
    o = '<g transform="translate(%s,%s) scale(%s)">' % (cx, cy, s)
    o += '<ellipse cx="0" cy="8" rx="70" ry="52" fill="%s" opacity="0.18" filter="%s"/>' % (t['accent'], glow)
    o += '<path d="M-58,10 C-62,-62 62,-62 58,10" fill="none" stroke="%s" stroke-width="11" stroke-linecap="round"/>' % band
    o += '<path d="M-50,4 C-52,-50 52,-50 50,4" fill="none" stroke="%s" stroke-width="2" opacity="0.7"/>' % t['accent']
    for sx in (-1, 1):
        o += '<g transform="translate(%s,22)">' % (sx * 52)
        o += rr(-17, -30, 34, 60, 15, cup, '#000000', 1, 'stroke-opacity="0.4"')
        o += rr(-13, -25, 26, 50, 12, 'none', ring, 3)
        o += '<circle cx="0" cy="0" r="5" fill="%s"/>' % t['accent_hi']
        o += '</g>'
    o += '<path d="M-56,40 C-50,66 -20,70 4,66" fill="none" stroke="%s" stroke-width="4" stroke-linecap="round"/>' % band
    o += rr(0, 61, 14, 10, 5, ring)
    return o + '</g>'


def icon_eq(c, x, y):
    o = ''
    for i, (h1) in enumerate((14, 6, 10)):
        xx = x + 6 + i * 8
        o += '<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" stroke-width="2" stroke-linecap="round" opacity="0.5"/>' % (xx, y + 4, xx, y + 22, c)
        o += rr(xx - 3, y + 4 + h1 - 2, 6, 5, 1.5, c)
    return o


def icon_mic(c, x, y):
    return (rr(x + 9, y + 2, 10, 14, 5, 'none', c, 2) +
            '<path d="M%s,%s a8,8 0 0 0 16,0 M%s,%s v5 M%s,%s h8" fill="none" stroke="%s" stroke-width="2" stroke-linecap="round"/>'
            % (x + 6, y + 11, x + 14, y + 19, x + 10, y + 24, c))


def icon_surround(c, x, y):
    o = '<circle cx="%s" cy="%s" r="4" fill="%s"/>' % (x + 14, y + 13, c)
    for k in range(7):
        a = math.pi / 2 + k * 2 * math.pi / 7
        o += '<circle cx="%.1f" cy="%.1f" r="2.2" fill="%s"/>' % (x + 14 + 11 * math.cos(a), y + 13 - 11 * math.sin(a), c)
    return o


def icon_3d(c, x, y):
    return ('<path d="M%s,%s l10,-5 l10,5 v11 l-10,5 l-10,-5 Z M%s,%s l10,5 l10,-5 M%s,%s v11" fill="none" '
            'stroke="%s" stroke-width="2" stroke-linejoin="round"/>' % (x + 4, y + 8, x + 4, y + 8, x + 14, y + 13, c))


def main_base(d, t):
    """The window background without the notebook's page content."""
    x0, y0, x1, y1 = t['body']
    o = ''
    o += '<path d="%s" fill="%s"/>' % (body_path(t), d.lin([(0, t['body_top']), (1, t['body_bot'])], 0, y0, 0, y1, True))
    # top bar
    clip = d.clip('<path d="%s"/>' % body_path(t))
    o += '<g clip-path="%s">' % clip
    if t['light']:
        band = d.lin([(0, t['accent3']), (0.5, t['accent']), (1, t['accent2'])], x0, 0, x1, 0, True)
        o += '<rect x="%d" y="%d" width="%d" height="6" fill="%s"/>' % (x0, y0, x1 - x0, band)
        o += '<rect x="%d" y="%d" width="%d" height="1" fill="#ffffff" opacity="0.8"/>' % (x0, y0 + 6, x1 - x0)
        o += '<ellipse cx="620" cy="40" rx="260" ry="40" fill="%s" opacity="0.10" filter="%s"/>' % (t['accent'], d.blur(18))
    else:
        o += '<rect x="%d" y="%d" width="%d" height="%d" fill="%s"/>' % (
            x0, y0, x1 - x0, 100 - y0, d.lin([(0, t['topbar']), (1, t['body_top'])], 0, 0, 0, 1))
        o += '<rect x="%d" y="99" width="%d" height="1" fill="#000000" opacity="0.5"/>' % (x0, x1 - x0)
        o += '<rect x="%d" y="100" width="%d" height="1" fill="#ffffff" opacity="0.05"/>' % (x0, x1 - x0)
        o += '<rect x="%d" y="%d" width="160" height="2" fill="%s"/>' % (x0 + 24, y0, t['accent'])
    o += '</g>'
    # body outline
    o += '<path d="%s" fill="none" stroke="%s" stroke-width="2"/>' % (body_path(t), t['edge'])
    # wordmark
    wm = t['accent_dk'] if t['light'] else t['text']
    o += text(44, 78, 'QLN<tspan fill="%s">47xx</tspan>' % t['accent' if not t['light'] else 'accent2'], 18,
              wm, 'bold', 'start', 'letter-spacing="1"')
    o += rr(150, 66, 1, 14, 0, t['muted'])
    o += text(160, 78, '7.1 USB HEADSET', 10, t['muted'], 'normal', 'start', 'letter-spacing="2"')
    # hero panel
    hx, hy, hw, hh = 36, 108, 340, 332
    o += rr(hx, hy, hw, hh, 14, d.lin([(0, t['hero_top']), (1, t['hero_bot'])], 0, 0, 0.3, 1),
            t['bezel'] if not t['light'] else 'none', 1)
    if t['light']:
        hclip = d.clip(rr(hx, hy, hw, hh, 14, '#000'))
        o += '<g clip-path="%s">' % hclip
        f = d.blur(16)
        o += '<path d="M20,250 C120,170 200,300 400,200 L400,260 C220,340 120,220 20,320 Z" fill="%s" opacity="0.55" filter="%s"/>' % (t['accent3'], f)
        o += '<path d="M20,200 C140,120 220,250 400,150 L400,200 C220,290 140,170 20,250 Z" fill="%s" opacity="0.45" filter="%s"/>' % (t['accent'], f)
        o += '<path d="M120,130 C200,90 260,170 400,110 L400,140 C260,200 200,130 120,170 Z" fill="%s" opacity="0.35" filter="%s"/>' % (t['accent2'], f)
        for i, (sx, sy) in enumerate(((70, 200), (330, 130), (300, 300), (90, 400), (250, 410), (350, 380), (180, 118), (60, 330))):
            o += '<circle cx="%d" cy="%d" r="%s" fill="#ffffff" opacity="%s"/>' % (sx, sy, 1 + (i % 2) * 0.6, 0.5 + 0.1 * (i % 3))
        o += '</g>'
        o += rr(hx + 0.5, hy + 0.5, hw - 1, hh - 1, 14, 'none', '#ffffff', 1, 'stroke-opacity="0.25"')
    else:
        o += rr(hx + 1, hy + 1, hw - 2, hh - 2, 13, 'none', '#ffffff', 1, 'stroke-opacity="0.05"')
        o += '<circle cx="300" cy="170" r="120" fill="%s" opacity="0.07" filter="%s"/>' % (t['accent'], d.blur(30))
    o += rr(56, 185, 300, 1, 0, '#ffffff', 'none', 1, 'opacity="0.08"')
    o += headset(d, t, 206, 232, 0.78)
    # feature chips
    icons = (icon_eq, icon_3d, icon_mic, icon_surround)
    for i, fn in enumerate(icons):
        cx = 56 + i * 78
        o += rr(cx, 356, 66, 54, 10, t['chip'], '#ffffff', 1, 'stroke-opacity="%s" fill-opacity="0.85"' % (0.15 if t['light'] else 0.06))
        o += fn(t['accent_hi'] if t['light'] else t['accent'], cx + 19, 369)
    # display bezel around the notebook
    nx, ny, nw, nh = NB
    o += rr(nx - 7, ny - 7, nw + 14, nh + 14, 12, t['bezel'], '#000000' if not t['light'] else '#b9bedc', 1)
    o += rr(nx, ny, nw, nh, 6, d.lin([(0, t['screen_top']), (1, t['screen_bot'])], 0, ny, 0, ny + nh, True))
    gclip = d.clip(rr(nx, ny, nw, nh, 6, '#000'))
    o += '<g clip-path="%s" stroke="%s" stroke-opacity="%s" stroke-width="1">' % (gclip, t['grid'], t['grid_op'])
    for gx in range(nx + 12, nx + nw, 12):
        o += '<line x1="%s" y1="%s" x2="%s" y2="%s"/>' % (gx + 0.5, ny, gx + 0.5, ny + nh)
    for gy in range(ny + 12, ny + nh, 12):
        o += '<line x1="%s" y1="%s" x2="%s" y2="%s"/>' % (nx, gy + 0.5, nx + nw, gy + 0.5)
    o += '</g>'
    # tab strip and LED well
    o += rr(392, 409, 290, 30, 15, t['strip'], '#000000' if not t['light'] else '#3a3280', 1,
            'stroke-opacity="0.6"')
    o += rr(393, 410, 288, 1, 0, '#ffffff', 'none', 1, 'opacity="0.06"')
    # status line
    sc = t['dim'] if not t['light'] else '#c9cde3'
    o += rr(392, 444, 380, 1, 0, sc)
    o += rr(392, 445, 380, 1, 0, '#ffffff', 'none', 1, 'opacity="%s"' % (0.04 if not t['light'] else 0.9))
    return o


def page_crop(d, t, offy):
    """The window background under a notebook page, in the page picture's coordinates."""
    return '<g transform="translate(%d,%d)">%s</g>' % (-NB[0], -(NB[1] + offy), main_base(d, t))


def button(d, t, w, h, down, left=True, right=True, r=7):
    """One segment of a segmented button bar (inset 1 pixel)."""
    if down:
        fill = d.lin([(0, t['dn_top']), (1, t['dn_bot'])], 0, 0, 1 if t['light'] else 0, 1)
        edge, hi = t['dn_edge'], 0.35
    else:
        fill = d.lin([(0, t['up_top']), (1, t['up_bot'])], 0, 0, 0, 1)
        edge, hi = t['up_edge'], 0.12
    x, y, ww, hh = (1 if left else 0), 1, w - (1 if left else 0) - (1 if right else 0), h - 2
    o = '<path d="%s" fill="%s" stroke="%s" stroke-width="1"/>' % (seg_path(x + .5, y + .5, ww - 1, hh - 1, r, left, right), fill, edge)
    o += '<path d="%s" fill="none" stroke="#ffffff" stroke-opacity="%s"/>' % (
        'M%s,%s H%s' % (x + (r if left else 0) + 1, y + 1.5, x + ww - (r if right else 0) - 1), hi)
    if down:
        o += '<rect x="%s" y="%s" width="%s" height="2" fill="%s" opacity="0.9"/>' % (
            x + (r if left else 2), y + hh - 4, ww - (r if left else 2) - (r if right else 2), t['accent_hi'])
        o += '<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="#ffffff" opacity="0.10" filter="%s"/>' % (
            w / 2.0, h * 0.35, w * 0.35, h * 0.25, d.blur(4))
    return o


def separator(t, w, h):
    return ('<rect x="%s" y="0" width="1" height="%d" fill="#000000" opacity="0.55"/>'
            '<rect x="%s" y="0" width="1" height="%d" fill="#ffffff" opacity="0.18"/>' % (w // 2, h, w // 2 + 1, h))


def slider_knob(d, t, w, h):
    cy = h / 2.0
    sh = d.blur(2.2)
    o = rr(4, cy - 8, w - 8, 20, 6, '#000000', 'none', 1, 'opacity="0.55" filter="%s"' % sh)
    o += rr(3.5, cy - 10.5, w - 7, 21, 6, d.lin([(0, t['knob_top']), (0.5, t['knob_bot']), (1, t['knob_top'])], 0, 0, 0, 1),
            '#000000', 1, 'stroke-opacity="0.5"')
    for dy in (-5, 5):
        o += rr(8, cy + dy - 0.5, w - 16, 1, 0.5, '#000000', 'none', 1, 'opacity="0.18"')
    o += rr(6, cy - 1.5, w - 12, 3, 1.5, t['accent'])
    o += rr(6, cy - 1.5, w - 12, 1, 0.5, '#ffffff', 'none', 1, 'opacity="0.6"')
    return o


def bar_track(d, t, w, h, y_a, y_b):
    """Vertical slider track from y_a (top of travel) to y_b (bottom), both at the knob's centre."""
    cx = w / 2.0
    o = rr(cx - 4, y_a - 6, 8, y_b - y_a + 12, 4, '#000000', 'none', 1, 'opacity="0.55"')
    o += rr(cx - 3, y_a - 5, 6, y_b - y_a + 10, 3, t['panel'])
    o += rr(cx - 1.5, y_a, 3, y_b - y_a, 1.5, d.lin([(0, t['accent_hi']), (0.5, t['accent']), (1, t['accent_dk'] if not t['light'] else t['accent2'])], 0, 0, 0, 1),
            'none', 1, 'opacity="0.85"')
    o += rr(cx - 3, y_b + 5, 6, 1, 0, '#ffffff', 'none', 1, 'opacity="0.06"')
    return o


def graduation(t, w, h, y_a, y_b, marks=True, side='left'):
    """Tick scale between y_a and y_b (8 steps), with +, 0 and - signs when marks is set."""
    o = ''
    xr = w - 2
    for i in range(9):
        y = y_a + (y_b - y_a) * i / 8.0
        major = i in (0, 4, 8)
        ln = 9 if major else 5
        o += '<rect x="%s" y="%s" width="%s" height="1" fill="%s" opacity="%s"/>' % (
            xr - ln, round(y) , ln, t['accent'] if major else t['muted'], 1 if major else 0.7)
    if marks:
        for i, s in ((0, '+'), (4, '0'), (8, '&#8211;')):
            y = y_a + (y_b - y_a) * i / 8.0
            o += text(xr - 15, round(y) + 4, s, 10, t['muted'], 'bold', 'middle')
    return o


def plate(d, t, w, h, r=6):
    o = rr(0.5, 0.5, w - 1, h - 1, r, d.lin([(0, t['up_top']), (1, t['up_bot'])], 0, 0, 0, 1), t['up_edge'], 1,
           'fill-opacity="0.9"')
    o += rr(1.5, 1.5, w - 3, 1, 0, '#ffffff', 'none', 1, 'opacity="0.10"')
    o += rr(r, h - 2.5, w - 2 * r, 1.5, 0.7, t['accent'], 'none', 1, 'opacity="0.8"')
    return o


def ear_icon(t, cx, cy, right):
    s = -1 if right else 1
    return ('<g transform="translate(%s,%s) scale(%s,1)">' % (cx, cy, s) +
            '<path d="M6,-11 C-8,-11 -8,11 6,11" fill="none" stroke="%s" stroke-width="2.5" stroke-linecap="round"/>' % t['accent'] +
            rr(-3, -8, 8, 16, 3, t['accent'], 'none', 1, 'opacity="0.9"') +
            '<path d="M9,-5 a7,7 0 0 1 0,10 M12,-8 a11,11 0 0 1 0,16" fill="none" stroke="%s" stroke-width="1.6" stroke-linecap="round" opacity="0.8"/>' % t['accent_hi'] +
            '</g>')


def link_icon(d, t, w, h, mode, active):
    """3D link pictures: mode 'indep', 'dep' or 'inv'; active = the lit look of the 3D folder."""
    o = rr(1.5, 1.5, w - 3, h - 3, 9, d.lin([(0, t['dn_top'] if active else t['up_top']), (1, t['dn_bot'] if active else t['up_bot'])], 0, 0, 1 if t['light'] else 0, 1),
           t['dn_edge'] if active else t['up_edge'], 1)
    o += rr(3, 3, w - 6, 1, 0, '#ffffff', 'none', 1, 'opacity="%s"' % (0.3 if active else 0.1))
    c = '#ffffff' if active else t['text']
    aw = 'stroke="%s" stroke-width="2.6" stroke-linecap="round" stroke-linejoin="round" fill="none"' % c
    lx, rx, cy = 19, 39, h / 2.0

    def arrow(x, up):
        s = -1 if up else 1
        return ('<path d="M%s,%s V%s M%s,%s L%s,%s L%s,%s" %s/>' %
                (x, cy - s * 11, cy + s * 11, x - 5, cy + s * 6, x, cy + s * 11, x + 5, cy + s * 6, aw))
    if mode == 'indep':
        for x in (lx, rx):
            o += ('<path d="M%s,%s V%s M%s,%s L%s,%s L%s,%s M%s,%s L%s,%s L%s,%s" %s/>' %
                  (x, cy - 11, cy + 11, x - 5, cy - 6, x, cy - 11, x + 5, cy - 6, x - 5, cy + 6, x, cy + 11, x + 5, cy + 6, aw))
        o += '<path d="M%s,%s v8" stroke="%s" stroke-width="1.5" stroke-dasharray="2 2" opacity="0.6"/>' % (w / 2.0, cy - 4, c)
    elif mode == 'dep':
        o += arrow(lx, True) + arrow(rx, True)
        o += rr(lx - 1, cy - 3, rx - lx + 2, 6, 3, 'none', c, 2.2)
    else:
        o += arrow(lx, True) + arrow(rx, False)
        o += '<path d="M%s,%s C%s,%s %s,%s %s,%s" stroke="%s" stroke-width="1.8" fill="none" stroke-dasharray="2.5 2.5"/>' % (
            lx + 4, cy, lx + 10, cy - 8, rx - 10, cy + 8, rx - 4, cy, c)
    if active:
        o += '<circle cx="%s" cy="7.5" r="2.5" fill="%s"/>' % (w - 8, t['accent_hi'])
    return o


def speaker_icon(d, t, w, h, name, hot):
    cx, cy = w / 2.0, h / 2.0
    o = '<circle cx="%s" cy="%s" r="%s" fill="#000000" opacity="0.5" filter="%s"/>' % (cx, cy + 1, w / 2.0 - 2, d.blur(1.2))
    fill = d.lin([(0, t['dn_top']), (1, t['dn_bot'])], 0, 0, 1, 1) if hot else d.lin([(0, t['up_top']), (1, t['up_bot'])], 0, 0, 0, 1)
    o += '<circle cx="%s" cy="%s" r="%s" fill="%s" stroke="%s" stroke-width="1.5"/>' % (cx, cy, w / 2.0 - 1.5, fill, t['accent_hi'] if not hot else '#ffffff')
    size = 10 if len(name) == 1 else (8 if len(name) == 2 else 6.6)
    o += text(cx, cy + size * 0.36, name, size, '#ffffff', 'bold')
    return o


def effect_art(d, t, kind):
    """Room illustrations for the Effect page (366 x 293, transparent; the top 30 rows stay clear)."""
    w, h = 366, 293
    cx, cy = 183, 162
    a, hi, mu = t['accent'], t['accent_hi'], t['muted']
    sw = 'fill="none" stroke="%s" stroke-width="3" stroke-linecap="round" stroke-linejoin="round"' % a
    thin = 'fill="none" stroke="%s" stroke-width="1.6" stroke-linecap="round" stroke-linejoin="round"' % hi
    o = '<circle cx="%d" cy="%d" r="110" fill="%s" opacity="0.16" filter="%s"/>' % (cx, cy, a, d.blur(28))
    rings = {'non': 0, 'theater': 3, 'bathroom': 4, 'living': 2, 'stone': 5}[kind]
    for i in range(rings):
        rad = 92 + i * 14
        op = 0.55 - i * 0.09
        for s in (-1, 1):
            a0, a1 = math.radians(-35), math.radians(35)
            x0, y0 = cx + s * rad * math.cos(a0), cy + rad * math.sin(a0)
            x1, y1 = cx + s * rad * math.cos(a1), cy + rad * math.sin(a1)
            o += '<path d="M%.1f,%.1f A%d,%d 0 0 %d %.1f,%.1f" fill="none" stroke="%s" stroke-width="2" stroke-linecap="round" opacity="%.2f"/>' % (
                x0, y0, rad, rad, 1 if s > 0 else 0, x1, y1, t['accent2'] if (t['light'] and i % 2) else a, op)
    g = '<g transform="translate(%d,%d)">' % (cx, cy)
    if kind == 'non':
        g += '<path d="M-46,8 C-48,-50 48,-50 46,8" %s/>' % sw
        g += rr(-56, 0, 20, 40, 9, t['panel'], a, 3) + rr(36, 0, 20, 40, 9, t['panel'], a, 3)
        g += '<path d="M-30,62 H30" %s/>' % thin
        g += '<path d="M-70,62 H-40 M40,62 H70" stroke="%s" stroke-width="1.6" opacity="0.5"/>' % mu
    elif kind == 'theater':
        g += rr(-62, -58, 124, 62, 4, t['panel'], a, 3)
        g += '<path d="M-62,-58 C-50,-30 -56,-10 -62,4 M62,-58 C50,-30 56,-10 62,4" %s/>' % thin
        g += '<path d="M-24,-40 L14,-27 L-24,-14 Z" fill="%s" opacity="0.8"/>' % hi
        for row, (yy, n, sp) in enumerate(((24, 5, 22), (46, 6, 22), (68, 7, 22))):
            for k in range(n):
                xx = (k - (n - 1) / 2.0) * sp
                g += rr(xx - 8, yy - 7, 16, 12, 4, t['panel'], a, 2.2, 'opacity="%s"' % (1 - row * 0.2))
    elif kind == 'bathroom':
        g += '<path d="M-70,6 H70 V22 C70,46 52,56 30,56 H-30 C-52,56 -70,46 -70,22 Z" fill="%s" %s/>' % (t['panel'], sw[len('fill="none" '):])
        g += '<path d="M-52,6 V-56 C-52,-70 -30,-70 -30,-56 V-48" %s/>' % sw
        g += rr(-38, -50, 16, 6, 3, a)
        for k, (dx, dy) in enumerate(((-34, -34), (-26, -26), (-38, -20), (-28, -12), (-34, -4))):
            g += '<path d="M%d,%d q-2.5,4 0,6 q2.5,-2 0,-6" fill="%s" stroke="%s" stroke-width="1.2"/>' % (dx, dy, hi, hi)
        g += '<path d="M-50,56 v10 M50,56 v10" %s/>' % sw
        for k in range(3):
            g += '<circle cx="%d" cy="%d" r="%d" %s/>' % (20 + k * 14, -20 - k * 12, 5 + k * 2, thin)
    elif kind == 'living':
        g += '<path d="M-66,10 V-14 C-66,-26 -54,-30 -44,-26 C-40,-40 40,-40 44,-26 C54,-30 66,-26 66,-14 V10 Z" fill="%s" %s/>' % (t['panel'], sw[len('fill="none" '):])
        g += rr(-66, 8, 132, 26, 6, t['panel'], a, 3)
        g += '<path d="M-40,8 V-8 H40 V8 M0,-8 V8" %s/>' % thin
        g += '<path d="M-56,34 v12 M56,34 v12" %s/>' % sw
        g += '<path d="M86,46 V-40 M72,-40 H100 L94,-62 H78 Z" %s/>' % sw
        g += '<ellipse cx="86" cy="-30" rx="16" ry="6" fill="%s" opacity="0.35"/>' % hi
        g += '<path d="M-92,46 v-22 M-92,24 c-12,-8 -14,-24 -4,-34 M-92,24 c10,-10 14,-26 4,-36 M-92,30 c-14,-2 -20,-12 -18,-20" %s/>' % thin
        g += rr(-100, 40, 16, 12, 3, t['panel'], a, 2.2)
        g += '<path d="M-110,52 H110" stroke="%s" stroke-width="1.5" opacity="0.5"/>' % mu
    else:
        for k, (x, s) in enumerate(((-64, 1.0), (-20, 1.0), (24, 1.0))):
            g += '<path d="M%s,60 V-10 A22,22 0 0 1 %s,-10 V60" %s/>' % (x, x + 44, sw)
            g += '<path d="M%s,60 V0 A14,14 0 0 1 %s,0 V60" %s opacity="0.7"/>' % (x + 8, x + 36, thin)
        g += '<path d="M-76,-40 H80 M-76,-48 H80" %s/>' % sw
        g += '<path d="M-80,60 H84" %s/>' % sw
        for k in range(-3, 4):
            g += '<path d="M%d,64 L%d,78" stroke="%s" stroke-width="1.2" opacity="0.5"/>' % (k * 24, k * 34, mu)
    g += '</g>'
    return o + g


def mic_art(d, t, w, h, meter):
    """Studio microphone and the level meter's well (meter = x, y, w, h in this picture)."""
    a, hi = t['accent'], t['accent_hi']
    cx = 122
    o = '<circle cx="%d" cy="95" r="80" fill="%s" opacity="0.15" filter="%s"/>' % (cx, a, d.blur(24))
    body = d.lin([(0, '#ffffff' if t['light'] else '#59636d'), (0.5, t['knob_bot'] if t['light'] else '#2a3036'), (1, '#c8c2ee' if t['light'] else '#4a535c')], 0, 0, 1, 0)
    o += rr(cx - 30, 36, 60, 104, 30, body, '#000000', 1.2, 'stroke-opacity="0.5"')
    clip = d.clip(rr(cx - 30, 36, 60, 104, 30, '#000'))
    o += '<g clip-path="%s" stroke="#000000" stroke-opacity="0.35" stroke-width="1.2">' % clip
    for yy in range(44, 96, 5):
        o += '<line x1="%d" y1="%d" x2="%d" y2="%d"/>' % (cx - 30, yy, cx + 30, yy)
    for xx in range(cx - 28, cx + 30, 5):
        o += '<line x1="%d" y1="36" x2="%d" y2="96"/>' % (xx, xx)
    o += '</g>'
    o += rr(cx - 31, 96, 62, 8, 2, a)
    o += '<path d="M%d,104 V150 A44,44 0 0 0 %d,150 V104" fill="none" stroke="%s" stroke-width="4" stroke-linecap="round"/>' % (cx - 44, cx + 44, t['muted'])
    o += '<path d="M%d,194 V208 M%d,208 H%d" stroke="%s" stroke-width="5" stroke-linecap="round"/>' % (cx, cx - 30, cx + 30, t['muted'])
    o += '<circle cx="%d" cy="118" r="3" fill="%s"/>' % (cx, hi)
    mx, my, mw, mh = meter
    o += rr(mx - 3, my - 3, mw + 6, mh + 6, 5, '#000000', 'none', 1, 'opacity="0.6"')
    o += rr(mx - 2, my - 2, mw + 4, mh + 4, 4, t['panel'], '#ffffff', 1, 'stroke-opacity="0.06"')
    for k in range(0, mw + 1, 4):
        o += rr(mx + k, my + 2, 1, mh - 4, 0, '#ffffff', 'none', 1, 'opacity="0.04"')
    for k in range(11):
        xx = mx + mw * k / 10.0
        o += rr(round(xx), my + mh + 5, 1, 4 if k % 5 else 7, 0, t['muted'])
    return o


def meter_fill(d, t, w, h):
    """Level bar (stretched horizontally by the panel): shaded only vertically."""
    g = d.lin([(0, t['accent_hi']), (0.45, t['accent']), (1, t['accent_dk'] if not t['light'] else t['accent2'])], 0, 0, 0, 1)
    return rr(0, 0, w, h, 3, g) + rr(1, 1, w - 2, 2, 1, '#ffffff', 'none', 1, 'opacity="0.5"')


def stage_art(d, t, w, h, vc, offy):
    """Virtual 7.1 stage: speaker orbit, draggable field and the listener (in picture coords)."""
    cx, cy, r = vc
    # the icons' top-left corners sit on the circles; their middles are offset by half an icon
    ox, oy = cx + 13, cy + 13 - offy
    R = int(1.6 * r)
    a, hi = t['accent'], t['accent_hi']
    o = '<circle cx="%d" cy="%d" r="%d" fill="%s" opacity="0.10" filter="%s"/>' % (ox, oy, R + 10, a, d.blur(26))
    o += '<circle cx="%d" cy="%d" r="%d" fill="none" stroke="%s" stroke-width="1" opacity="0.25"/>' % (ox, oy, R + 18, t['muted'])
    o += '<circle cx="%d" cy="%d" r="%d" fill="none" stroke="%s" stroke-width="2" opacity="0.55"/>' % (ox, oy, R, a)
    o += '<circle cx="%d" cy="%d" r="%d" fill="%s" fill-opacity="0.10" stroke="%s" stroke-width="1.2" stroke-dasharray="3 4" opacity="0.9"/>' % (ox, oy, r, a, hi)
    for k in range(8):
        ang = k * math.pi / 4
        x1, y1 = ox + (r + 6) * math.cos(ang), oy - (r + 6) * math.sin(ang)
        x2, y2 = ox + (R - 8) * math.cos(ang), oy - (R - 8) * math.sin(ang)
        o += '<line x1="%.1f" y1="%.1f" x2="%.1f" y2="%.1f" stroke="%s" stroke-width="1" opacity="0.25"/>' % (x1, y1, x2, y2, t['muted'])
    for k in range(72):
        ang = k * math.pi / 36
        rr1 = R + 12 if k % 9 else R + 6
        o += '<line x1="%.1f" y1="%.1f" x2="%.1f" y2="%.1f" stroke="%s" stroke-width="1" opacity="0.35"/>' % (
            ox + (R + 16) * math.cos(ang), oy - (R + 16) * math.sin(ang), ox + rr1 * math.cos(ang), oy - rr1 * math.sin(ang), t['muted'])
    # listener seen from above, wearing the headset
    o += '<ellipse cx="%d" cy="%d" rx="22" ry="12" fill="#000000" opacity="0.4" filter="%s"/>' % (ox, oy + 6, d.blur(3))
    o += '<ellipse cx="%d" cy="%d" rx="20" ry="11" fill="%s" stroke="%s" stroke-width="1.2"/>' % (ox, oy + 6, t['panel'], t['muted'])
    o += '<circle cx="%d" cy="%d" r="11" fill="%s" stroke="%s" stroke-width="1.2"/>' % (ox, oy, d.lin([(0, t['knob_top']), (1, t['knob_bot'])], 0, 0, 0, 1), '#000000')
    o += '<path d="M%d,%d l-3,-5 h6 Z" fill="%s"/>' % (ox, oy - 11, t['knob_bot'])
    o += '<path d="M%d,%d A12,12 0 0 1 %d,%d" fill="none" stroke="%s" stroke-width="3"/>' % (ox - 12, oy, ox + 12, oy, a)
    o += rr(ox - 15, oy - 4, 5, 9, 2, a) + rr(ox + 10, oy - 4, 5, 9, 2, a)
    return o


# ----------------------------------------------------------------------------------------------
# The skin: keys, files, bounds, drawings

class Skin:
    def __init__(self, name, out_root, work):
        self.name, self.t = name, THEMES[name]
        self.dir = os.path.join(out_root, 'Skin', name)
        self.work = os.path.join(work, name)
        os.makedirs(os.path.join(self.dir, '3D'), exist_ok=True)
        for sub in ('', '3D'):          # no stale pictures from an earlier layout
            for f in os.listdir(os.path.join(self.dir, sub)):
                if f.endswith('.png'):
                    os.remove(os.path.join(self.dir, sub, f))
        os.makedirs(self.work, exist_ok=True)
        self.ini = {}         # section -> list of (key, value)
        self.rendered = {}

    def render(self, fname, w, h, draw, under=None, sub=''):
        """Renders draw(doc) (plus an opaque underlay when under is given) into fname."""
        path = os.path.join(self.dir, sub, fname)
        if path in self.rendered:
            return
        d = Doc()
        body = ''
        if under is not None:
            body += under(d)
        body += draw(d)
        svg_path = os.path.join(self.work, (sub.replace('/', '_') + fname).replace('.png', '.svg'))
        with open(svg_path, 'w') as f:
            f.write(d.svg(w, h, body))
        subprocess.check_call(['rsvg-convert', '-w', str(w), '-h', str(h), '-o', path, svg_path])
        self.rendered[path] = (w, h)

    def key(self, section, key, value):
        self.ini.setdefault(section, []).append((key, value))

    def image(self, section, key, fname, x, y, w, h, draw, under=None, bounds='full'):
        self.render(fname, w, h, draw, under)
        if bounds == 'full':
            v = '%s,%d,%d,%d,%d' % (fname, x, y, w, h)
        elif bounds == 'size':
            v = '%s,,,%d,%d' % (fname, w, h)
        else:
            v = fname
        self.key(section, key, v)

    # underlays: the picture under a control at (x, y) of the window or of a page
    def under_main(self, x, y):
        return lambda d: '<g transform="translate(%d,%d)">%s</g>' % (-x, -y, main_base(d, self.t))

    def under_page(self, page, x, y):
        return lambda d: '<g transform="translate(%d,%d)">%s</g>' % (-x, -y, self.page_bg(d, page, True))

    def page_bg(self, d, page, panel_coords=False):
        """Background of a page, in picture coordinates (or panel coordinates)."""
        t = self.t
        offy = 0 if page == 'effect' else 2
        o = page_crop(d, t, offy)
        # button row well
        o += rr(0, 0, 365, 30, 0, t['screen_bot'], 'none', 1, 'opacity="0.6"')
        if page == 'eq':
            ya = t['eq_top0'] + 22 - offy
            yb = ya + t['L']
            o += rr(60, (ya + yb) / 2.0, 290, 1, 0, t['accent'], 'none', 1, 'opacity="0.18"')
            o += rr(16, 60, 342, 226, 10, '#ffffff', 'none', 1, 'opacity="0.025"')
        elif page == '3d':
            o += rr(6, 84, 128, 202, 10, '#ffffff', 'none', 1, 'opacity="0.03"')
            o += rr(222, 84, 128, 202, 10, '#ffffff', 'none', 1, 'opacity="0.03"')
        elif page == 'mic':
            o += rr(250, 34, 110, 254, 10, '#ffffff', 'none', 1, 'opacity="0.03"')
        if panel_coords:
            return '<g transform="translate(0,%d)">%s</g>' % (offy, o)
        return o

    # ------------------------------------------------------------------------------------------
    def build(self):
        t = self.t
        T = t
        um = self.under_main

        # ---- [Main]
        self.image('Main', 'MainFormImage', 'MainForm.png', 0, 0, WIN_W, WIN_H,
                   lambda d: '<g clip-path="%s">%s</g>' % (d.clip('<path d="%s"/>' % body_path(t)), main_base(d, t)),
                   bounds='none')

        def round_btn(glyph, down, danger):
            def draw(d):
                if down:
                    fill = d.lin([(0, '#ff6b6b' if danger else t['dn_top']), (1, '#c0392b' if danger else t['dn_bot'])], 0, 0, 0, 1)
                    edge = '#7a1f16' if danger else t['dn_edge']
                else:
                    fill = d.lin([(0, t['up_top']), (1, t['up_bot'])], 0, 0, 0, 1) if not t['light'] else d.lin([(0, '#ffffff'), (1, '#e3e5f3')], 0, 0, 0, 1)
                    edge = t['up_edge'] if not t['light'] else '#b8bcd8'
                c = '#ffffff' if (down or not t['light']) else '#4a4580'
                o = '<circle cx="13.5" cy="13.5" r="12" fill="%s" stroke="%s"/>' % (fill, edge)
                o += '<path d="M6,9 A9,9 0 0 1 21,9" fill="none" stroke="#ffffff" stroke-opacity="0.18"/>'
                if glyph == 'x':
                    o += '<path d="M9.5,9.5 L17.5,17.5 M17.5,9.5 L9.5,17.5" stroke="%s" stroke-width="2.2" stroke-linecap="round"/>' % c
                else:
                    o += '<path d="M8.5,14 H18.5" stroke="%s" stroke-width="2.4" stroke-linecap="round"/>' % c
                return o
            return draw
        self.image('Main', 'CloseImageUp', 'CloseUp.png', 745, 58, 27, 27, round_btn('x', False, True))
        self.image('Main', 'CloseImageDown', 'CloseDown.png', 745, 58, 27, 27, round_btn('x', True, True))
        self.image('Main', 'MinimizeImageUp', 'MinimizeUp.png', 716, 58, 27, 27, round_btn('-', False, False))
        self.image('Main', 'MinimizeImageDown', 'MinimizeDown.png', 716, 58, 27, 27, round_btn('-', True, False))

        def pill(d):
            if t['light']:
                o = rr(0.5, 0.5, 96, 20, 10, d.lin([(0, '#ffffff'), (1, '#eceefa')], 0, 0, 0, 1), '#c3c7e2')
            else:
                o = rr(0.5, 0.5, 96, 20, 10, '#0d1013', '#000000')
                o += rr(1.5, 1.5, 94, 1, 0, '#ffffff', 'none', 1, 'opacity="0.07"')
            o += '<circle cx="11" cy="10.5" r="6.5" fill="none" stroke="%s" stroke-width="1.6"/>' % t['accent']
            o += '<path d="M6.5,12 v-1.5 a4.5,4.5 0 0 1 9,0 v1.5" fill="none" stroke="%s" stroke-width="1.4"/>' % t['accent']
            o += rr(5.5, 11, 2.5, 3.5, 1, t['accent']) + rr(14, 11, 2.5, 3.5, 1, t['accent'])
            return o
        self.image('Main', 'DeviceActiveImage', 'DeviceActive.png', 616, 64, 97, 21, pill)

        mx = (392, 456, 520)
        for i in range(3):
            for down in (False, True):
                def draw(d, i=i, down=down):
                    if t['light'] and not down:
                        fill = d.lin([(0, '#ffffff'), (1, '#e7e9f6')], 0, 0, 0, 1)
                        o = '<path d="%s" fill="%s" stroke="#bfc3df"/>' % (seg_path((1 if i == 0 else 0) + .5, 1.5, 64 - (1 if i in (0, 2) else 0) - 1, 29, 9, i == 0, i == 2), fill)
                        return o
                    return button(d, t, 64, 32, down, i == 0, i == 2, 9)
                self.image('Main', 'Menu%dImage%s' % (i + 1, 'Down' if down else 'Up'), 'Menu%d%s.png' % (i + 1, 'Down' if down else 'Up'),
                           mx[i], 56, 64, 32, draw)
        self.image('Main', 'LogoImage', 'Logo.png', 56, 128, 49, 49, lambda d: logo_mark(d, t, 0, 0, 49))

        def led(on):
            def draw(d):
                o = rr(0.5, 0.5, 65, 25, 12.5, t['strip'] if not t['light'] else '#ffffff', '#000000' if not t['light'] else '#c3c7e2')
                if on:
                    o += rr(1.5, 1.5, 63, 23, 11.5, d.lin([(0, t['dn_top']), (1, t['dn_bot'])], 0, 0, 1, 0), 'none', 1, 'opacity="0.95"')
                    o += '<circle cx="52" cy="13" r="8" fill="%s" opacity="0.9" filter="%s"/>' % (t['accent_hi'], d.blur(3))
                    o += '<circle cx="52" cy="13" r="6.5" fill="#ffffff"/>'
                    o += text(24, 17.5, 'LED', 11, '#ffffff')
                else:
                    o += '<circle cx="13" cy="13" r="6.5" fill="%s" stroke="%s"/>' % (t['dim'], '#000000')
                    o += text(40, 17.5, 'LED', 11, t['muted'] if not t['light'] else '#6a66a0')
                return o
            return draw
        self.image('Main', 'LedImageUp', 'LedOff.png', 692, 411, 66, 26, led(False), um(692, 411))
        self.image('Main', 'LedImageDown', 'LedOn.png', 692, 411, 66, 26, led(True), um(692, 411))
        self.key('Main', 'BackNotebook', '%d,%d,%d,%d' % NB)

        up = self.under_page

        # ---- [EQ]
        self.image('EQ', 'Back_EQImage', 'EQBack.png', 0, 2, 365, 292, lambda d: self.page_bg(d, 'eq'))
        row1 = (('EQEQEN', 0, 123, True, False), ('EQ3DEN', 121, 123, False, False), ('EQReset', 242, 123, False, True))
        for key, x, w, l, r in row1:
            for down in (False, True):
                self.image('EQ', '%sImage%s' % (key, 'Down' if down else 'Up'), '%s%s.png' % (key, 'Down' if down else 'Up'), x, 0, w, 28,
                           lambda d, w=w, l=l, r=r, down=down: button(d, t, w, 28, down, l, r), up('eq', x, 0))
        for n, x in enumerate((0, 91, 182, 272)):
            for down in (False, True):
                self.image('EQ', 'EQS%dImage%s' % (n + 1, 'Down' if down else 'Up'), 'EQS%d%s.png' % (n + 1, 'Down' if down else 'Up'),
                           x, 27, 93, 28, lambda d, n=n, down=down: button(d, t, 93, 28, down, n == 0, n == 3), up('eq', x, 27))
        lines = ((121, 2), (243, 2), (91, 31), (182, 31), (272, 31))
        for i, (x, y) in enumerate(lines):
            self.image('EQ', 'EQButtonLineImage%d' % (i + 1), 'EQLine.png', x, y, 3, 22, lambda d: separator(t, 3, 22))
        ya = t['eq_top0'] + 22
        self.image('EQ', 'EQGraduationImage', 'EQGraduation.png', 25, ya - 16, 36, 153,
                   lambda d: graduation(t, 36, 153, 16, 16 + t['L']))
        bars = (('60Hz', 67), ('300Hz', 128), ('1200Hz', 189), ('3600Hz', 250), ('12000Hz', 311))
        for name, x in bars:
            self.image('EQ', 'EQ%sBarImage' % name, 'EQBar.png', x, ya - 34, 31, 191,
                       lambda d: bar_track(d, t, 31, 191, 34, 34 + t['L']))
        for name, x in bars:
            self.image('EQ', 'EQ%sSliderImage' % name, 'Slider.png', x - 5, t['eq_top0'] + t['L'] // 2, 40, 45,
                       lambda d: slider_knob(d, t, 40, 45))
        self.key('EQ', 'EQPanel', '365,292')
        self.key('EQ', 'EQSlider', '%d,%d' % (t['eq_top0'], t['L']))

        # ---- [3D]
        self.image('3D', 'Back_3DImage', '3DBack.png', 0, 2, 365, 292, lambda d: self.page_bg(d, '3d'))
        row = (('D33DEN', 0, True, False), ('D3FBM', 121, False, False), ('D3Reset', 242, False, True))
        for key, x, l, r in row:
            for down in (False, True):
                self.image('3D', '%sImage%s' % (key, 'Down' if down else 'Up'), '%s%s.png' % (key, 'Down' if down else 'Up'), x, 0, 123, 28,
                           lambda d, l=l, r=r, down=down: button(d, t, 123, 28, down, l, r), up('3d', x, 0))

        def chan(right):
            def draw(d):
                return plate(d, t, 116, 47, 8) + ear_icon(t, 98 if right else 18, 23, right)
            return draw
        self.image('3D', 'D3LChannelImage', '3DLeftChannel.png', 18, 31, 116, 47, chan(False))
        self.image('3D', 'D3RChannelImage', '3DRightChannel.png', 232, 31, 116, 47, chan(True))
        self.image('3D', 'D3ConnectionImage', '3DConnection.png', 133, 105, 87, 38,
                   lambda d: plate(d, t, 87, 38, 8) + '<path d="M6,19 h4 M77,19 h4" stroke="%s" stroke-width="2" stroke-linecap="round"/>' % t['accent'])
        for mode, nm in (('indep', 'Indep'), ('dep', 'Dep'), ('inv', 'Inv')):
            for which, y in (('Alpha', 152), ('Beta', 216)):
                fname = '3D%s%s.png' % (which, nm)
                self.image('3D', 'D3%s%sImage' % (which, nm), fname, 153, y, 58, 52,
                           lambda d, mode=mode: link_icon(d, t, 58, 52, mode, False))
                self.render(fname, 58, 52, lambda d, mode=mode: link_icon(d, t, 58, 52, mode, True), sub='3D')
        self.image('3D', 'D3ButtonLineImage1', 'D3Line.png', 121, 6, 3, 19, lambda d: separator(t, 3, 19))
        self.image('3D', 'D3ButtonLineImage2', 'D3Line.png', 242, 6, 3, 19, lambda d: separator(t, 3, 19))
        # 3D travel is fixed: Top 105 to 225, knob centre 127 to 247
        for key, x in (('LAlpha', 69), ('LBeta', 8), ('RAlpha', 224), ('RBeta', 285)):
            self.image('3D', 'D3%sGraduationImage' % key, '3DGraduation.png', x, 111, 20, 153,
                       lambda d: graduation(t, 20, 153, 16, 136, False))
        for key, x in (('LAlpha', 93), ('LBeta', 33), ('RAlpha', 248), ('RBeta', 308)):
            self.image('3D', 'D3%sBarImage' % key, '3DBar.png', x, 91, 31, 191, lambda d: bar_track(d, t, 31, 191, 36, 156))
        for key, x in (('LAlpha', 87), ('LBeta', 27), ('RAlpha', 243), ('RBeta', 303)):
            self.image('3D', 'D3%sSliderImage' % key, 'Slider.png', x, 165, 40, 45, lambda d: slider_knob(d, t, 40, 45))

        # ---- [Effect]
        self.image('Effect', 'Back_EffectImage', 'EffectBack.png', 0, 0, 365, 292, lambda d: self.page_bg(d, 'effect'))
        names = ('Non', 'Theater', 'Bathroom', 'Livingroom', 'StoneGallery')
        for i, nm in enumerate(names):
            x = i * 73
            w = 75 if i < 4 else 74
            for down in (False, True):
                self.image('Effect', 'EffectButton%sImage%s' % (nm, 'Down' if down else 'Up'), 'Effect%s%s.png' % (nm, 'Down' if down else 'Up'),
                           x, 0, w, 28, lambda d, i=i, w=w, down=down: button(d, t, w, 28, down, i == 0, i == 4))
        for i in range(4):
            x = 73 * (i + 1)
            self.image('Effect', 'EffectButtonLineImage%d' % (i + 1), 'EffectLine.png', x, 3, 3, 22, lambda d: separator(t, 3, 22))
        for nm, kind in zip(names, ('non', 'theater', 'bathroom', 'living', 'stone')):
            self.image('Effect', 'EffectPic%sImage' % nm, 'EffectPic%s.png' % nm, 0, 0, 366, 293,
                       lambda d, kind=kind: effect_art(d, t, kind))
        self.key('Effect', 'EffectPanel', '365,292')

        # ---- [Mic]
        self.image('Mic', 'Back_MicImage', 'MicBack.png', 0, 2, 365, 292, lambda d: self.page_bg(d, 'mic'))
        for key, x, l, r in (('MicBoost', 0, True, False), ('MicMute', 183, False, True)):
            for down in (False, True):
                self.image('Mic', '%sImage%s' % (key, 'Down' if down else 'Up'), '%s%s.png' % (key, 'Down' if down else 'Up'), x, 0, 184, 27,
                           lambda d, l=l, r=r, down=down: button(d, t, 184, 27, down, l, r), up('mic', x, 0))
        self.image('Mic', 'MicButtonLineImage', 'MicLine.png', 183, 2, 3, 22, lambda d: separator(t, 3, 22), up('mic', 183, 2))
        meter = (22, 243 - 23, 203, 17)
        self.image('Mic', 'MicPicImage', 'MicPic.png', 0, 23, 245, 274, lambda d: mic_art(d, t, 245, 274, meter))
        self.image('Mic', 'MicProgressImage', 'MicLevel.png', 22, 243, 203, 17, lambda d: meter_fill(d, t, 203, 17))
        self.image('Mic', 'MicGainImage', 'MicGain.png', 252, 37, 107, 36, lambda d: plate(d, t, 107, 36, 8))
        mya = t['mic_top0'] + 22
        self.image('Mic', 'MicGraduationImage', 'MicGraduation.png', 263, mya - 16, 30, 153,
                   lambda d: graduation(t, 30, 153, 16, 16 + t['L'], False))
        self.image('Mic', 'MicBarImage', 'MicBar.png', 294, mya - 34, 31, 191, lambda d: bar_track(d, t, 31, 191, 34, 34 + t['L']))
        self.image('Mic', 'MicSliderImage', 'Slider.png', 289, t['mic_top0'] + t['L'], 40, 45, lambda d: slider_knob(d, t, 40, 45))

        def bubble(d):
            o = rr(0.5, 0.5, 29, 18, 5, t['accent'] if not t['light'] else d.lin([(0, t['dn_top']), (1, t['dn_bot'])], 0, 0, 1, 0))
            o += '<path d="M11,18.5 L15,22.5 L19,18.5 Z" fill="%s"/>' % (t['accent'] if not t['light'] else '#d75fd0')
            o += rr(1.5, 1.5, 27, 16, 4, t['screen_bot'], 'none', 1, 'opacity="0.85"')
            return o
        self.image('Mic', 'MicValueImage', 'MicValue.png', 294, 72, 30, 23, bubble)
        self.key('Mic', 'MicPanel', '365,292')
        self.key('Mic', 'MicSlider', '%d,%d' % (t['mic_top0'], t['L']))
        self.key('Mic', 'MicProgressLength', '203')

        # ---- [Virtual7ch1]
        self.image('Virtual7ch1', 'Back_Virtual7p1Image', 'VirtualBack.png', 0, 2, 365, 292, lambda d: self.page_bg(d, 'virtual'))
        row = (('VirtualEnableImage%s', 'VirtualEnable%s.png', 0, True, False, False),
               ('VirtualClockwise%sImage', 'VirtualClockwise%s.png', 91, False, False, True),
               ('VirtualCounterclockwise%sImage', 'VirtualCounterclockwise%s.png', 182, False, False, True),
               ('VirtualReset%sImage', 'VirtualReset%s.png', 273, False, True, False))
        for kfmt, ffmt, x, l, r, opaque in row:
            for down in (False, True):
                st = 'Down' if down else 'Up'
                self.image('Virtual7ch1', kfmt % st, ffmt % st, x, 0, 93, 28,
                           lambda d, l=l, r=r, down=down: button(d, t, 93, 28, down, l, r),
                           up('virtual', x, 0) if opaque else None)
        self.image('Virtual7ch1', 'VirtualPicImage', 'VirtualStage.png', 0, 25, 371, 271,
                   lambda d: stage_art(d, t, 371, 271, t['vc'], 25))
        for sp, label in (('C', 'C'), ('L', 'L'), ('LS', 'LS'), ('LB', 'LB'), ('RB', 'RB'), ('RS', 'RS'), ('R', 'R'), ('SUB', 'SUB')):
            self.image('Virtual7ch1', 'Virtual%sImage' % sp, 'Speaker%s.png' % sp, 0, 0, 26, 26,
                       lambda d, label=label: speaker_icon(d, t, 26, 26, label, label == 'SUB'), bounds='size')
        self.key('Virtual7ch1', 'VirtualPanel', '365,292')
        self.key('Virtual7ch1', 'VirtualCenter', '%d,%d,%d' % t['vc'])

        # ---- [About]
        self.image('About', 'LogoImage', 'AboutLogo.png', 16, 20, 57, 49, lambda d: logo_mark(d, t, 4, 0, 49), bounds='none')

        # ---- [MainLable] overrides (text field ignored)
        if t['light']:
            ov = {'LabelMenu1': ',$005E2A3D,$00FFFFFF', 'LabelMenu2': ',$005E2A3D,$00FFFFFF',
                  'LabelMenu3': ',$005E2A3D,$00FFFFFF', 'LabelActive': ',$0055A01F,$0055A01F,,,632,68,78,13',
                  'LabelUnactive': ',$004545D6,$004545D6,,,632,68,78,13', 'LabelSetting': ',$00804A4A',
                  'LabelSX': ',$00FF5C8B'}
        else:
            ov = {'LabelMenu1': ',$00EAE4DC,$00FFFFFF', 'LabelMenu2': ',$00EAE4DC,$00FFFFFF',
                  'LabelMenu3': ',$00EAE4DC,$00FFFFFF', 'LabelActive': ',$008AE05B,$008AE05B,,,632,68,78,13',
                  'LabelUnactive': ',$00788CF0,$00788CF0,,,632,68,78,13', 'LabelSetting': ',$00968A7D',
                  'LabelSX': ',$00EAC82B'}
        for k in ('LabelMenu1', 'LabelMenu2', 'LabelMenu3', 'LabelActive', 'LabelUnactive', 'LabelSetting', 'LabelSX'):
            self.key('MainLable', k, ov[k])

        rects = write_region(t, os.path.join(self.dir, 'MainForm_Frame.rgn'))
        self.write_ini()
        return rects

    def write_ini(self):
        t = self.t
        lines = ['; Skin "%s": pictures, layout and label overrides of the QLN47xx Audio Panel.' % self.name,
                 '; Generated by tools/product/make-skins.sh; edit tools/product/skins.py instead.',
                 '; Image value: FileName[,Left[,Top[,Width[,Height]]]] in the parent\'s pixels.',
                 '; Slider travel length %d; EQ travel from Top %d, microphone travel from Top %d.'
                 % (t['L'], t['eq_top0'], t['mic_top0']), '']
        for section in ('Main', 'EQ', '3D', 'Effect', 'Mic', 'Virtual7ch1', 'About', 'MainLable'):
            lines.append('[%s]' % section)
            for k, v in self.ini[section]:
                lines.append('%s=%s' % (k, v))
            lines.append('')
        with open(os.path.join(self.work, 'SkinSetting.utf8.ini'), 'w', encoding='utf-8') as f:
            f.write('\n'.join(lines))


# ----------------------------------------------------------------------------------------------
# Application icon and installer background

def make_icon(out_root, work):
    t = THEMES['Graphite']
    pngs = []
    for s in (16, 32, 48):
        d = Doc()
        body = '<g transform="scale(%s)">%s</g>' % (s / 49.0, logo_mark(d, t, 0, 0, 49))
        svg_path = os.path.join(work, 'icon%d.svg' % s)
        png = os.path.join(work, 'icon%d.png' % s)
        with open(svg_path, 'w') as f:
            f.write(d.svg(s, s, body))
        subprocess.check_call(['rsvg-convert', '-w', str(s), '-h', str(s), '-o', png, svg_path])
        pngs.append(png)
    pngio.write_ico(pngs, os.path.join(out_root, 'AudioPanel.ico'))
    return pngs


def make_setup_background(out_root, work):
    t = THEMES['Graphite']
    W, H = 1024, 640
    d = Doc()
    o = '<rect width="%d" height="%d" fill="%s"/>' % (W, H, d.lin([(0, '#1d2329'), (1, '#0b0d10')], 0, 0, 0.4, 1))
    o += '<circle cx="760" cy="300" r="300" fill="%s" opacity="0.14" filter="%s"/>' % (t['accent'], d.blur(60))
    o += '<g stroke="#ffffff" stroke-opacity="0.025">'
    for x in range(0, W, 32):
        o += '<line x1="%d" y1="0" x2="%d" y2="%d"/>' % (x, x, H)
    for y in range(0, H, 32):
        o += '<line x1="0" y1="%d" x2="%d" y2="%d"/>' % (y, W, y)
    o += '</g>'
    for i in range(6):
        o += '<circle cx="760" cy="300" r="%d" fill="none" stroke="%s" stroke-opacity="%.2f" stroke-width="1.5"/>' % (150 + i * 36, t['accent'], 0.35 - i * 0.05)
    o += headset(d, t, 760, 300, 2.0)
    o += logo_mark(d, t, 72, 72, 64)
    o += text(152, 108, 'QLN Audio', 30, '#ffffff', 'bold', 'start')
    o += text(72, 520, 'QLN<tspan fill="%s">47xx</tspan>' % t['accent'], 54, '#ffffff', 'bold', 'start')
    o += text(76, 556, '7.1 USB HEADSET', 18, t['muted'], 'normal', 'start', 'letter-spacing="4"')
    o += rr(72, 580, 180, 3, 1.5, t['accent'])
    svg_path = os.path.join(work, 'SetupBackground.svg')
    png = os.path.join(work, 'SetupBackground.png')
    with open(svg_path, 'w') as f:
        f.write(d.svg(W, H, o))
    subprocess.check_call(['rsvg-convert', '-w', str(W), '-h', str(H), '-o', png, svg_path])
    pngio.write_bmp(png, os.path.join(out_root, 'SetupBackground.bmp'))


def main():
    out_root, work = sys.argv[1], sys.argv[2]
    only = sys.argv[3:] or list(THEMES)
    for name in only:
        if name in THEMES:
            rects = Skin(name, out_root, work).build()
            print('skin %s: %d region rectangles' % (name, len(rects)))
    if not sys.argv[3:] or 'extras' in only:
        make_icon(out_root, work)
        make_setup_background(out_root, work)
        print('icon and setup background written')


if __name__ == '__main__':
    main()

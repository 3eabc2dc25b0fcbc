"""Tiny PNG reader and BMP / ICO writers (standard library only).

Reads the 8-bit RGBA (or RGB) non-interlaced PNG files that rsvg-convert writes, and writes
24-bit bottom-up BMP files and multi-size ICO files with 32-bit DIB entries and AND masks.
"""
import struct
import zlib


def read_png(path):
    """Returns (width, height, rows) where rows is a list of bytearrays of RGBA pixels."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError(path + ': not a PNG file')
    pos, idat = 8, b''
    width = height = ctype = None
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        chunk = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b'IHDR':
            width, height, depth, ctype, _, _, interlace = struct.unpack('>IIBBBBB', chunk)
            if depth != 8 or ctype not in (2, 6) or interlace:
                raise ValueError(path + ': unsupported PNG layout')
        elif kind == b'IDAT':
            idat += chunk
        elif kind == b'IEND':
            break
    bpp = 4 if ctype == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * bpp
    rows, prev, i = [], bytearray(stride), 0
    for _ in range(height):
        ftype = raw[i]
        line = bytearray(raw[i + 1:i + 1 + stride])
        i += 1 + stride
        if ftype == 1:
            for x in range(bpp, stride):
                line[x] = (line[x] + line[x - bpp]) & 255
        elif ftype == 2:
            for x in range(stride):
                line[x] = (line[x] + prev[x]) & 255
        elif ftype == 3:
            for x in range(stride):
                left = line[x - bpp] if x >= bpp else 0
                line[x] = (line[x] + ((left + prev[x]) >> 1)) & 255
        elif ftype == 4:
            for x in range(stride):
                a = line[x - bpp] if x >= bpp else 0
                b = prev[x]
                c = prev[x - bpp] if x >= bpp else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if (pa <= pb and pa <= pc) else (b if pb <= pc else c)
                line[x] = (line[x] + pred) & 255
        prev = line
        if bpp == 3:
            rgba = bytearray(width * 4)
            rgba[0::4], rgba[1::4], rgba[2::4] = line[0::3], line[1::3], line[2::3]
            rgba[3::4] = b'\xff' * width
            line = rgba
        rows.append(line)
    return width, height, rows


def _flatten(rows, width, bg=(0, 0, 0)):
    """RGBA rows -> BGR rows composited over bg."""
    out = []
    for row in rows:
        line = bytearray(width * 3)
        for x in range(width):
            r, g, b, a = row[4 * x:4 * x + 4]
            if a != 255:
                r = (r * a + bg[0] * (255 - a)) // 255
                g = (g * a + bg[1] * (255 - a)) // 255
                b = (b * a + bg[2] * (255 - a)) // 255
            line[3 * x:3 * x + 3] = bytes((b, g, r))
        out.append(line)
    return out


def write_bmp(png_path, bmp_path, bg=(0, 0, 0)):
    """Writes a 24-bit BMP from a PNG (transparent parts composited over bg)."""
    width, height, rows = read_png(png_path)
    bgr = _flatten(rows, width, bg)
    pad = (4 - (width * 3) % 4) % 4
    pixels = b''.join(bytes(line) + b'\0' * pad for line in reversed(bgr))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(bmp_path, 'wb') as f:
        f.write(header + info + pixels)


def write_ico(png_paths, ico_path):
    """Writes an ICO whose entries are 32-bit DIBs (with AND masks) made from square PNGs."""
    entries = []
    for path in png_paths:
        size, _, rows = read_png(path)
        xor = bytearray()
        for row in reversed(rows):
            for x in range(size):
                r, g, b, a = row[4 * x:4 * x + 4]
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x in range(size):
                if row[4 * x + 3] < 128:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        entries.append((size, info + bytes(xor) + bytes(mask)))
    out = struct.pack('<HHH', 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, blob in entries:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, blob in entries:
        out += blob
    with open(ico_path, 'wb') as f:
        f.write(out)

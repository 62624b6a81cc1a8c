"""Screenshots of X windows: an XWD reader and a PNG writer, standard library only."""

import struct
import zlib


class Image:
    """Row-major RGB pixels; pixel(x, y) with y counted down from the top row."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb  # bytes, 3 per pixel

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return self.rgb[i], self.rgb[i + 1], self.rgb[i + 2]

    def block(self, x0, y0, x1, y1):
        """Pixels of the rectangle x0..x1, y0..y1, bounds included, clipped to the image."""
        for y in range(max(y0, 0), min(y1, self.height - 1) + 1):
            for x in range(max(x0, 0), min(x1, self.width - 1) + 1):
                yield x, y, self.pixel(x, y)


def _mask_shift(mask):
    shift = 0
    while mask and not mask & 1:
        mask >>= 1
        shift += 1
    return shift, mask


def _bgrx_to_rgb(pixels, count, lsb_first):
    if len(pixels) < 4 * count:
        raise ValueError("XWD image data truncated")
    red, green, blue = (2, 1, 0) if lsb_first else (1, 2, 3)
    out = bytearray(3 * count)
    out[0::3] = pixels[red::4]
    out[1::3] = pixels[green::4]
    out[2::3] = pixels[blue::4]
    return bytes(out)


def read_xwd(data):
    """Decodes the ZPixmap TrueColor dumps that xwd writes of a 24-bit window."""
    fields = struct.unpack(">25I", data[:100])
    header_size, version, pixmap_format = fields[0], fields[1], fields[2]
    width, height, byte_order = fields[4], fields[5], fields[7]
    bits_per_pixel, bytes_per_line = fields[11], fields[12]
    masks = fields[14:17]
    ncolors = fields[19]
    if version != 7 or pixmap_format != 2 or bits_per_pixel not in (24, 32):
        raise ValueError("unsupported XWD: version %d format %d bpp %d"
                         % (version, pixmap_format, bits_per_pixel))
    start = header_size + 12 * ncolors
    step = bits_per_pixel // 8
    endian = "little" if byte_order == 0 else "big"
    channels = [_mask_shift(m) for m in masks]
    if step == 4 and bytes_per_line == 4 * width and tuple(masks) == (0xFF0000, 0xFF00, 0xFF):
        return Image(width, height, _bgrx_to_rgb(data[start:start + 4 * width * height],
                                                 width * height, byte_order == 0))
    out = bytearray(3 * width * height)
    o = 0
    for y in range(height):
        row = data[start + y * bytes_per_line: start + y * bytes_per_line + width * step]
        if len(row) < width * step:
            raise ValueError("XWD image data truncated")
        for x in range(0, width * step, step):
            value = int.from_bytes(row[x:x + step], endian)
            for shift, mask in channels:
                out[o] = ((value >> shift) & mask) * 255 // mask
                o += 1
    return Image(width, height, bytes(out))


def write_png(image, path):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    stride = 3 * image.width
    raw = b"".join(b"\x00" + image.rgb[y * stride:(y + 1) * stride] for y in range(image.height))
    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))

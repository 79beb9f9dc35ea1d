#!/usr/bin/env python3
"""Whether the Linux build and the Windows build (under Wine) draw the same icon images.

Writes four sets of inputs into WORK/inputs, then runs `save FILE 0 OUT --png 256`,
`save FILE 0 OUT --png 16` and `thumbnail -s 256 FILE OUT` of quorvane-icons of both builds on
each, one process a file:

  bombs/    the drawing bombs of bench/DrawingBombs.cpp (a PNG behind 990 zTXt chunks of 7 MiB
            each, a 1024 x 1024 PNG cut short named by 256 entries and one whose IDAT CRC is
            wrong, an .ico declaring 65,535 entries with 100 written, a PNG and a DIB padded to
            64 MiB, a 1024 x 1024 PNG of zeros; 6, 7 and 256 distinct 1024 x 1024 PNGs that fail
            after 4 MiB inflated each, then a good image) and DIBs of the less common layouts:
            BI_BITFIELDS at 16 and 32 bpp, BITMAPV4HEADER and BITMAPV5HEADER, with and without
            BI_BITFIELDS, odd masks;
  mutants/  MUTANTS seeded mutants of real icons: the icon groups of a few of Wine's PE files
            (the corpus of bench/fetch_corpus.sh) written as .ico by the Linux build's
            `extract`, then an image of each changed: bytes flipped in its header, the file cut,
            width, height, bit count, compression, header size or colour count rewritten, a
            PNG's IHDR fields, CRCs, zlib stream or IEND spoiled, the directory entry's size or
            offset changed; most mutants keep the mutated image alone, the rest the whole group;
  mutants/pe-mutant-*  PE_MUTANTS mutants of small PE files of the same corpus (hh.exe,
            iexplore.exe, msiexec.exe, winemine.exe): one icon image (found by its own header,
            mostly the largest) changed in place by the same mutations, its resource's size kept;
  fuzz/     the picture path fuzzer's corpus (tests/fuzz/corpus/picture_path), as files.

For every input and command it records whether each build drew (exit status 0 and a PNG written),
and when both drew, whether the PNGs' pixels are identical (decoded here with zlib; the two builds'
zlib may compress alike pixels differently). Under Wine it also records the wall time of the whole
wine-run.sh and its peak resident set as GNU time's %M gives it (the largest of the processes
wine-run.sh waited for: the Windows program's own Wine process); the same for the Linux build. It
prints the counts, every disagreement and the bombs' worst time and memory, and writes
WORK/results.json. Needs GNU time (/usr/bin/time, Debian package time).

  bench/windows_drawing_compare.py [--linux BUILD] [--windows BUILD] [--corpus DIR]
                                   [--mutants N] [--pe-mutants N] [--seed S] [--work DIR]
                                   [--no-fuzz]

BUILD directories default to build and build-windows64 (target quorvane-icons of each); the
corpus defaults to the x86_64 directory bench/fetch_corpus.sh prints. Python's standard library
only.
"""
import argparse
import json
import os
import random
import shutil
import struct
import subprocess
import sys
import time
import zlib

SIDE = 256
COMMANDS = ("save", "save16", "thumbnail")
USAGE_FILE = ["time.txt"]  # where GNU time writes, in the work directory
PE_SEED_FILES = ["hh.exe", "iexplore.exe", "msiexec.exe", "winemine.exe"]
SEED_FILES = ["shell32.dll", "user32.dll", "comdlg32.dll", "comctl32.dll", "regedit.exe",
              "taskmgr.exe", "winecfg.exe"]

# ---------------------------------------------------------------------------------------------
# Building icons


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def seeded_bytes(count, seed):
    return random.Random(seed).randbytes(count)


def png(side, before=b"", cut=0, bad_crc=False, raw=None):
    """An RGBA PNG of side x side seeded pixels (or `raw` rows); `before` goes after IHDR, the
    deflated data loses its last `cut` bytes, `bad_crc` spoils the IDAT's CRC."""
    header = chunk(b"IHDR", struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0))
    if raw is None:
        stride = 1 + side * 4
        rows = bytearray(seeded_bytes(stride * side, 5))
        rows[::stride] = bytes(side)
        raw = bytes(rows)
    data = zlib.compress(raw, 6)
    data = data[: len(data) - cut]
    idat = chunk(b"IDAT", data)
    if bad_crc:
        idat = idat[:-4] + bytes(b ^ 0xFF for b in idat[-4:])
    return b"\x89PNG\r\n\x1a\n" + header + before + idat + chunk(b"IEND", b"")


def ico(images, count=None, written=None, declared=None):
    """An .ico of `images` (each (width, height, bits, bytes)); with `count`, that many entries
    all naming the first image, the file cut after `written` entries when that is fewer."""
    if count is not None:
        width, height, bits, data = images[0]
        written = count if written is None else written
        offset = 6 + 16 * count
        entry = struct.pack("<BBBBHHII", width & 0xFF, height & 0xFF, 0, 0, 1, bits,
                            declared or len(data), offset)
        out = struct.pack("<HHH", 0, 1, count) + entry * written
        return out + data if written == count else out
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for width, height, bits, data in images:
        out += struct.pack("<BBBBHHII", width & 0xFF, height & 0xFF, 0, 0, 1, bits, len(data),
                           offset)
        offset += len(data)
    for image in images:
        out += image[3]
    return bytes(out)


def dib(side, bits, header_size=40, compression=0, masks=None, colours_used=0, seed=7):
    """A side x side DIB icon image: header (masks after a 40-byte header for BI_BITFIELDS, or
    inside a V4/V5 header), palette, seeded colour rows and an AND mask half set."""
    header = struct.pack("<IiiHHIIiiII", header_size, side, side * 2, 1, bits, compression, 0,
                         0, 0, colours_used, 0)
    extra = b""
    if header_size > 40:
        in_header = struct.pack("<IIII", *(tuple(masks or ()) + (0, 0, 0, 0))[:4])
        extra = (in_header + bytes(header_size - 40))[: header_size - 40]
    elif compression == 3:
        extra = struct.pack("<III", *masks[:3])
    palette = b""
    if bits <= 8:
        palette = seeded_bytes(4 * (colours_used or (1 << bits)), seed + 1)
    stride = (side * bits + 31) // 32 * 4
    colours = seeded_bytes(stride * side, seed)
    mask_stride = (side + 31) // 32 * 4
    mask = bytes(([0x00] * mask_stride + [0xF0] * mask_stride) * (side // 2))
    return header + extra + palette + colours + mask


def opaque_dib(side):
    """A 32-bpp DIB whose every alpha byte is 0xFF (the drawing bombs' plain image)."""
    image = bytearray(dib(side, 32))
    start = 40
    for i in range(side * side):
        image[start + i * 4 + 3] = 0xFF
    return bytes(image)


def failing_then_good(count):
    """`count` distinct 1024 x 1024 PNGs of zeros whose data stop 20 bytes short (each inflated
    whole before it is refused), then a good 16 x 16 PNG: whether the good one is reached is the
    draw's budget's decision."""
    images = []
    for i in range(count):
        rows = bytearray((1 + 1024 * 4) * 1024)
        rows[5 + i % 4000] = 1 + i // 4000
        images.append((0, 0, 32, png(1024, raw=bytes(rows), cut=20)))
    return images + [(16, 16, 32, png(16))]


def bombs():
    """(name, description, bytes) of every generated hostile or unusual file."""
    ztxt = chunk(b"zTXt", b"Comment\0\0" + zlib.compress(bytes(7 << 20), 6))
    big = png(1024)
    zero_rows = bytes((1 + 1024 * 4) * 1024)
    out = [
        ("ztxt.ico", "16x16 PNG behind 990 zTXt chunks of 7 MiB each",
         ico([(16, 16, 32, png(16, before=ztxt * 990))])),
        ("broken256.ico", "1024x1024 PNG, IDAT cut short, named by 256 entries",
         ico([(0, 0, 32, png(1024, cut=1000))], count=256)),
        ("badcrc256.ico", "1024x1024 PNG, IDAT CRC wrong, named by 256 entries",
         ico([(0, 0, 32, png(1024, bad_crc=True))], count=256)),
        ("truncated.ico", ".ico declaring 65,535 entries, 100 written",
         ico([(0, 0, 32, b"")], count=65535, written=100)),
        ("png64.ico", "16x16 PNG padded to 64 MiB",
         ico([(16, 16, 32, png(16).ljust(64 << 20, b"\0"))])),
        ("dib64.ico", "16x16 32-bpp DIB padded to 64 MiB",
         ico([(16, 16, 32, opaque_dib(16).ljust(64 << 20, b"\0"))])),
        ("png1024.ico", "1024x1024 seeded RGBA PNG", ico([(0, 0, 32, big)])),
        ("zeros1024.ico", "1024x1024 PNG of zeros (4 MiB from 4 KiB)",
         ico([(0, 0, 32, png(1024, raw=zero_rows))])),
    ]
    for failing in (6, 7, 256):
        out.append((f"fails{failing}.ico", f"{failing} distinct 1024x1024 PNGs whose 4 MiB of data "
                    "stop short, then a good 16x16", ico(failing_then_good(failing))))
    dibs = [
        ("bf16-565", "BI_BITFIELDS 16 bpp 5-6-5", dict(bits=16, compression=3,
                                                       masks=(0xF800, 0x07E0, 0x001F))),
        ("bf16-555", "BI_BITFIELDS 16 bpp 5-5-5", dict(bits=16, compression=3,
                                                       masks=(0x7C00, 0x03E0, 0x001F))),
        ("bf16-odd", "BI_BITFIELDS 16 bpp, masks 1-3-12 bits", dict(
            bits=16, compression=3, masks=(0x8000, 0x7000, 0x0FFF))),
        ("bf16-zero", "BI_BITFIELDS 16 bpp, all masks zero", dict(bits=16, compression=3,
                                                                  masks=(0, 0, 0))),
        ("bf16-overlap", "BI_BITFIELDS 16 bpp, overlapping masks", dict(
            bits=16, compression=3, masks=(0xFFFF, 0x0FF0, 0x00FF))),
        ("bf32-rgb", "BI_BITFIELDS 32 bpp 8-8-8", dict(bits=32, compression=3,
                                                       masks=(0xFF0000, 0xFF00, 0xFF))),
        ("bf32-bgr", "BI_BITFIELDS 32 bpp, red and blue swapped", dict(
            bits=32, compression=3, masks=(0xFF, 0xFF00, 0xFF0000))),
        ("bf32-10bit", "BI_BITFIELDS 32 bpp 10-10-10", dict(
            bits=32, compression=3, masks=(0x3FF00000, 0x000FFC00, 0x000003FF))),
        ("bf32-split", "BI_BITFIELDS 32 bpp, masks with holes", dict(
            bits=32, compression=3, masks=(0xF0F00000, 0x0000FF00, 0x000000FF))),
        ("bf32-full", "BI_BITFIELDS 32 bpp, red mask all bits", dict(
            bits=32, compression=3, masks=(0xFFFFFFFF, 0, 0))),
        ("bf24", "BI_BITFIELDS at 24 bpp (not allowed)", dict(bits=24, compression=3,
                                                              masks=(0xFF0000, 0xFF00, 0xFF))),
        ("rgb16", "BI_RGB 16 bpp", dict(bits=16)),
        ("v4-32", "BITMAPV4HEADER 32 bpp BI_RGB", dict(bits=32, header_size=108)),
        ("v4-bf32", "BITMAPV4HEADER 32 bpp BI_BITFIELDS, masks in the header", dict(
            bits=32, header_size=108, compression=3, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000))),
        ("v4-bf16", "BITMAPV4HEADER 16 bpp BI_BITFIELDS 5-6-5", dict(
            bits=16, header_size=108, compression=3, masks=(0xF800, 0x07E0, 0x001F, 0))),
        ("v5-32", "BITMAPV5HEADER 32 bpp BI_RGB", dict(bits=32, header_size=124)),
        ("v5-bf32", "BITMAPV5HEADER 32 bpp BI_BITFIELDS, alpha mask 0", dict(
            bits=32, header_size=124, compression=3, masks=(0xFF0000, 0xFF00, 0xFF, 0))),
        ("v5-bf16", "BITMAPV5HEADER 16 bpp BI_BITFIELDS 4-4-4", dict(
            bits=16, header_size=124, compression=3, masks=(0x0F00, 0x00F0, 0x000F, 0xF000))),
        ("v5-8", "BITMAPV5HEADER 8 bpp, 16 colours used", dict(bits=8, header_size=124,
                                                               colours_used=16)),
        ("v3-52", "BITMAPV2INFOHEADER (52 bytes) 32 bpp BI_BITFIELDS", dict(
            bits=32, header_size=52, compression=3, masks=(0xFF0000, 0xFF00, 0xFF))),
        ("v3-56", "BITMAPV3INFOHEADER (56 bytes) 16 bpp BI_BITFIELDS", dict(
            bits=16, header_size=56, compression=3, masks=(0x7C00, 0x03E0, 0x001F, 0x8000))),
    ]
    for name, what, options in dibs:
        bits = options["bits"]
        out.append((name + ".ico", what, ico([(32, 32, bits, dib(32, **options))])))
    return out


# ---------------------------------------------------------------------------------------------
# Mutating real icons


def ico_entries(data):
    """[(entry offset, bytesInRes, imageOffset)] of an .ico."""
    count = struct.unpack_from("<H", data, 4)[0]
    return [(6 + 16 * i,) + struct.unpack_from("<II", data, 6 + 16 * i + 8) for i in range(count)
            if 6 + 16 * i + 16 <= len(data)]


def single_image_ico(data, index):
    at, size, offset = ico_entries(data)[index]
    entry = bytearray(data[at : at + 16])
    struct.pack_into("<I", entry, 12, 22)
    return struct.pack("<HHH", 0, 1, 1) + bytes(entry) + data[offset : offset + size]


def png_chunks(image):
    """[(offset of the chunk's length, length, type)] of a PNG."""
    out, at = [], 8
    while at + 12 <= len(image):
        length = struct.unpack_from(">I", image, at)[0]
        out.append((at, length, image[at + 4 : at + 8]))
        at += 12 + length
    return out


def mutate_png(rng, image):
    chunks = png_chunks(image)
    idats = [c for c in chunks if c[2] == b"IDAT"]
    kind = rng.choice(["ihdr", "crc", "zlib", "zlib-head", "cut", "iend", "length", "critical",
                       "flip"])
    if kind == "ihdr":  # width, height, depth, colour type, compression, filter, interlace
        field, values = rng.choice([(16, [0, 1, 255, 257, 1024, 1025, 0x7FFFFFFF, 0xFFFFFFFF]),
                                    (20, [0, 1, 255, 257, 1024, 1025, 0xFFFFFFFF]),
                                    (24, [0, 1, 2, 3, 4, 7, 16, 32]), (25, [0, 1, 2, 3, 4, 5, 7]),
                                    (26, [1]), (27, [1]), (28, [1, 2])])
        value = rng.choice(values)
        if field < 24:
            image[field : field + 4] = struct.pack(">I", value)
        else:
            image[field] = value
        return f"png IHDR byte {field} = {value}"
    if kind == "crc" and chunks:
        at, length, name = rng.choice(chunks)
        image[at + 8 + length] ^= 0x5A
        return f"png {name.decode('latin-1')} CRC spoiled"
    if kind in ("zlib", "zlib-head") and idats:
        at, length, _ = rng.choice(idats)
        if length:
            where = at + 8 + (rng.randrange(min(length, 2)) if kind == "zlib-head"
                              else rng.randrange(length))
            image[where] ^= 1 << rng.randrange(8)
            return f"png IDAT zlib byte {where - at - 8} flipped"
    if kind == "cut" and idats:
        at, length, _ = rng.choice(idats)
        keep = rng.randrange(length + 1)
        del image[at + 8 + keep :]
        return f"png cut in IDAT after {keep} of {length} bytes"
    if kind == "iend" and chunks and chunks[-1][2] == b"IEND":
        del image[chunks[-1][0] :]
        return "png IEND removed"
    if kind == "length" and chunks:
        at, length, name = rng.choice(chunks)
        value = rng.choice([0, length + 1, length - 1, 0x7FFFFFFF, 0xFFFFFFFF])
        image[at : at + 4] = struct.pack(">I", value & 0xFFFFFFFF)
        return f"png {name.decode('latin-1')} length {length} -> {value & 0xFFFFFFFF}"
    if kind == "critical" and idats:
        at = idats[0][0]
        image[at + 4 : at + 8] = rng.choice([b"IDAX", b"iDAT", b"PLTE", b"IHDR", b"IEND"])
        return f"png first IDAT renamed {bytes(image[at + 4 : at + 8]).decode('latin-1')}"
    return flip_bytes(rng, image, 0, len(image))


def flip_bytes(rng, image, start, end):
    count = rng.randint(1, 8)
    places = [rng.randrange(start, end) for _ in range(count)]
    for place in places:
        image[place] = rng.randrange(256)
    return f"{count} bytes set at {sorted(places)[:4]}..."


def mutate_dib(rng, image):
    fields = {"width": (4, "<i", [0, 1, -1, 255, 256, 257, 1024, 1025, 0x7FFFFFFF]),
              "height": (8, "<i", [0, 1, 2, 3, -32, -64, 64, 512, 2048, 2049, 0x7FFFFFFF]),
              "bitcount": (14, "<H", [0, 1, 2, 3, 4, 8, 15, 16, 24, 32, 33, 48, 64, 0xFFFF]),
              "compression": (16, "<I", [1, 2, 3, 4, 5, 6, 0xFFFFFFFF]),
              "headersize": (0, "<I", [0, 12, 39, 41, 52, 56, 64, 108, 124, 0xFFFFFFFF]),
              "clrused": (32, "<I", [1, 2, 255, 256, 257, 0xFFFFFFFF]),
              "planes": (12, "<H", [0, 2, 0xFFFF])}
    kind = rng.choice(list(fields) + ["flip-header", "cut", "flip", "palette"])
    if kind in fields and len(image) >= 40:
        at, form, values = fields[kind]
        value = rng.choice(values)
        struct.pack_into(form, image, at, value)
        return f"dib {kind} = {value}"
    if kind == "flip-header":
        return "dib header: " + flip_bytes(rng, image, 0, min(40, len(image)))
    if kind == "cut":
        keep = rng.randrange(len(image))
        del image[keep:]
        return f"dib cut to {keep} bytes"
    if kind == "palette" and len(image) > 44:
        return "dib palette/pixels: " + flip_bytes(rng, image, 40, min(len(image), 40 + 1024))
    return flip_bytes(rng, image, 0, len(image))


def mutate_icon(rng, data):
    """A mutant of an .ico: (bytes, what changed)."""
    entries = ico_entries(data)
    index = rng.randrange(len(entries))
    alone = rng.random() < 0.7
    if alone:
        data = single_image_ico(data, index)
        entries = ico_entries(data)
        index = 0
    data = bytearray(data)
    at, size, offset = entries[index]
    if rng.random() < 0.08:  # the directory entry rather than the image
        field = rng.choice([8, 12])
        value = rng.choice([0, 1, size - 1, size + 1, len(data), 0x7FFFFFFF, 0xFFFFFFFF])
        struct.pack_into("<I", data, at + field, value & 0xFFFFFFFF)
        what = f"entry {index} {'bytesInRes' if field == 8 else 'offset'} = {value & 0xFFFFFFFF}"
    else:
        image = bytearray(data[offset : offset + size])
        is_png = image[:8] == b"\x89PNG\r\n\x1a\n"
        what = mutate_png(rng, image) if is_png else mutate_dib(rng, image)
        struct.pack_into("<I", data, at + 8, len(image))
        tail = data[offset + size :]
        data = data[:offset] + image + tail
        # the images after this one moved with it
        for other_at, _, other_offset in ico_entries(bytes(data)):
            if other_offset > offset:
                struct.pack_into("<I", data, other_at + 12, other_offset + len(image) - size)
        if rng.random() < 0.1:
            keep = rng.randrange(len(data))
            del data[keep:]
            what += f"; file cut to {keep}"
    return bytes(data), f"{'alone' if alone else 'in group'} image {index}: {what}"


def pe_images(data):
    """[(start, end)] of the icon images inside a PE file, found by their own headers: PNGs by
    signature up to IEND, DIBs by a 40-byte header of a square icon size."""
    spans, at = [], data.find(b"\x89PNG\r\n\x1a\n")
    while at >= 0:
        end = data.find(b"IEND", at)
        if end > 0:
            spans.append((at, end + 8))
        at = data.find(b"\x89PNG\r\n\x1a\n", at + 8)
    at = data.find(b"\x28\0\0\0")
    while at >= 0:
        width, height, planes, bits = struct.unpack_from("<iiHH", data, at + 4)
        if width in (16, 24, 32, 48, 64, 128, 256) and height == 2 * width and planes == 1 and \
                bits in (1, 4, 8, 24, 32):
            colours = struct.unpack_from("<I", data, at + 32)[0] or (1 << bits if bits <= 8 else 0)
            size = 40 + 4 * colours + ((width * bits + 31) // 32 * 4 + (width + 31) // 32 * 4) * width
            spans.append((at, at + size))
        at = data.find(b"\x28\0\0\0", at + 4)
    return spans


def mutate_pe(rng, data):
    """A mutant of a PE file with one icon image changed in place (the resource keeps its size:
    a shorter image is padded with zeros, a longer one cut)."""
    spans = pe_images(data)
    start, end = max(spans, key=lambda s: s[1] - s[0]) if rng.random() < 0.6 else \
        rng.choice(spans)
    image = bytearray(data[start:end])
    is_png = image[:8] == b"\x89PNG\r\n\x1a\n"
    what = mutate_png(rng, image) if is_png else mutate_dib(rng, image)
    image = image[: end - start].ljust(end - start, b"\0")
    return data[:start] + bytes(image) + data[end:], f"image at {start:#x}: {what}"


def make_seeds(linux_tool, corpus, directory):
    os.makedirs(directory, exist_ok=True)
    files = [os.path.join(corpus, name) for name in SEED_FILES
             if os.path.exists(os.path.join(corpus, name))]
    subprocess.run([linux_tool, "extract", "--jobs", "1", "-o", directory] + files, check=True,
                   stdout=subprocess.DEVNULL)
    return sorted(os.path.join(directory, n) for n in os.listdir(directory) if n.endswith(".ico"))


# ---------------------------------------------------------------------------------------------
# Running and comparing


def run(command, env=None):
    """(exit status, seconds, peak resident bytes). The peak is GNU time's %M: the largest
    resident set of the processes its child waited for (wine-run.sh's tree: the program's Wine
    process); it is not taken from our own wait4(), whose figure would count this script's
    resident set, which a forked child keeps as its high-water mark through exec."""
    start = time.monotonic()
    usage_file = USAGE_FILE[0]
    status = subprocess.run(["/usr/bin/time", "-q", "-f", "%M", "-o", usage_file] + command,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env,
                            check=False).returncode
    seconds = time.monotonic() - start
    with open(usage_file) as usage:
        peak_kb = int(usage.read().split()[-1])
    return status, seconds, peak_kb * 1024


def png_pixels(path):
    """(width, height, RGBA rows) of an 8-bit non-interlaced PNG, or None."""
    data = open(path, "rb").read()
    at, idat, header = 8, b"", None
    while at + 12 <= len(data):
        length = struct.unpack_from(">I", data, at)[0]
        kind = data[at + 4 : at + 8]
        body = data[at + 8 : at + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    if not header or header[2] != 8 or header[6] != 0:
        return None
    width, height, _, colour = header[:4]
    channels = {0: 1, 2: 3, 4: 2, 6: 4}.get(colour)
    if channels is None:
        return None
    raw = zlib.decompress(idat)
    stride, step = width * channels, channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1 : (y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - step] if i >= step else 0
            up = previous[i]
            upleft = previous[i - step] if i >= step else 0
            if kind == 1:
                row[i] = (row[i] + left) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + up) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - upleft
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upleft)
                pred = left if pa <= pb and pa <= pc else (up if pb <= pc else upleft)
                row[i] = (row[i] + pred) & 0xFF
        rows.append(bytes(row))
        previous = row
    return width, height, channels, b"".join(rows)


def compare_pngs(a, b):
    """'identical', 'same pixels' (bytes differ), or a description of the difference."""
    if open(a, "rb").read() == open(b, "rb").read():
        return "identical"
    pa, pb = png_pixels(a), png_pixels(b)
    if pa is None or pb is None:
        return "differ (undecodable)"
    if pa[:3] != pb[:3]:
        return f"differ: {pa[:3]} vs {pb[:3]}"
    if pa[3] == pb[3]:
        return "same pixels"
    channels = pa[2]
    differing = sum(1 for i in range(0, len(pa[3]), channels)
                    if pa[3][i : i + channels] != pb[3][i : i + channels])
    return f"differ: {differing} pixels"


def wine_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def commands(tool, source, out, windows):
    name = wine_path if windows else os.path.abspath
    return {"save": [tool, "save", name(source), "0", name(out), "--png", str(SIDE)],
            "save16": [tool, "save", name(source), "0", name(out), "--png", "16"],
            "thumbnail": [tool, "thumbnail", "-s", str(SIDE), name(source), name(out)]}


def compare_one(item, args, wine, out_dir):
    """The row of one input: per command both builds' outcomes and the PNGs' comparison."""
    row = dict(item)
    for command in COMMANDS:
        outcome = {}
        for side in ("linux", "windows"):
            out = os.path.join(out_dir, f"{side}-{command}.png")
            if os.path.exists(out):
                os.remove(out)
            if side == "linux":
                status, seconds, peak = run(commands(args.linux_tool, item["path"], out,
                                                     False)[command])
            else:
                status, seconds, peak = run([wine["run"]] + commands(
                    wine["tool"], item["path"], out, True)[command], wine["env"])
            drawn = status == 0 and os.path.exists(out)
            outcome[side] = {"status": status, "drawn": drawn, "seconds": round(seconds, 3),
                             "peak_mb": round(peak / 2**20, 1)}
        if outcome["linux"]["drawn"] and outcome["windows"]["drawn"]:
            outcome["pngs"] = compare_pngs(os.path.join(out_dir, f"linux-{command}.png"),
                                           os.path.join(out_dir, f"windows-{command}.png"))
        outcome["agree"] = (outcome["linux"]["drawn"] == outcome["windows"]["drawn"] and
                            outcome.get("pngs", "identical") in ("identical", "same pixels"))
        row[command] = outcome
    return row


def write_inputs(args, work):
    items = []
    bomb_dir = os.path.join(work, "inputs", "bombs")
    os.makedirs(bomb_dir, exist_ok=True)
    for name, what, data in bombs():
        path = os.path.join(bomb_dir, name)
        with open(path, "wb") as out:
            out.write(data)
        items.append({"set": "bombs", "path": path, "what": what})
    seeds = make_seeds(args.linux_tool, args.corpus, os.path.join(work, "seeds"))
    rng = random.Random(args.seed)
    mutant_dir = os.path.join(work, "inputs", "mutants")
    os.makedirs(mutant_dir, exist_ok=True)
    def add_mutants(count, seed_files, mutate, set_name, prefix):
        for i in range(count if seed_files else 0):
            seed = rng.choice(seed_files)
            data, what = mutate(rng, open(seed, "rb").read())
            extension = os.path.splitext(seed)[1] if set_name == "pe" else ".ico"
            path = os.path.join(mutant_dir, f"{prefix}-{i:04d}{extension}")
            with open(path, "wb") as out:
                out.write(data)
            items.append({"set": set_name, "path": path,
                          "what": f"{os.path.basename(seed)} {what}"})

    add_mutants(args.mutants, seeds, mutate_icon, "mutants", "mutant")
    pe_seeds = [os.path.join(args.corpus, n) for n in PE_SEED_FILES
                if os.path.exists(os.path.join(args.corpus, n))]
    add_mutants(args.pe_mutants, pe_seeds, mutate_pe, "pe", "pe-mutant")
    if not args.no_fuzz:
        fuzz = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "fuzz",
                            "corpus", "picture_path")
        for name in sorted(os.listdir(fuzz)):
            items.append({"set": "fuzz", "path": os.path.join(fuzz, name), "what": name})
    return items


def summarise(rows):
    for command in COMMANDS:
        for group in ("bombs", "mutants", "pe", "fuzz", None):
            chosen = [r[command] for r in rows if group is None or r["set"] == group]
            if not chosen:
                continue
            pngs = [o.get("pngs") for o in chosen if "pngs" in o]
            print(f"{command:9} {group or 'all':7} inputs {len(chosen):4}  "
                  f"drawn linux {sum(o['linux']['drawn'] for o in chosen):4} "
                  f"windows {sum(o['windows']['drawn'] for o in chosen):4}  "
                  f"agree {sum(o['agree'] for o in chosen):4} "
                  f"disagree {sum(not o['agree'] for o in chosen):3}  "
                  f"PNGs identical {pngs.count('identical'):4} same pixels "
                  f"{pngs.count('same pixels'):3} differ "
                  f"{sum(1 for p in pngs if p.startswith('differ')):3}")
    print("\ndisagreements:")
    for r in rows:
        for command in COMMANDS:
            o = r[command]
            if not o["agree"]:
                print(f"  {command} {r['path']}: linux {o['linux']['status']} windows "
                      f"{o['windows']['status']} {o.get('pngs', '')} ({r['what']})")
    print("\nbombs under Wine (worst of the three commands; drawn by save, save16, thumbnail):")
    for r in rows:
        if r["set"] == "bombs":
            worst = max((r[c]["windows"] for c in COMMANDS),
                        key=lambda o: o["seconds"])
            peak = max(r[c]["windows"]["peak_mb"] for c in COMMANDS)
            drawn = "/".join("drawn" if r[c]["windows"]["drawn"] else "not drawn"
                             for c in COMMANDS)
            print(f"  {os.path.basename(r['path']):18} {worst['seconds'] * 1000:6.0f} ms "
                  f"{peak:6.1f} MB  {drawn:20} {r['what']}")
    for set_name in ("mutants", "pe", "fuzz"):
        chosen = [r[c]["windows"] for r in rows if r["set"] == set_name
                  for c in COMMANDS]
        if chosen:
            print(f"  worst of {set_name}: {max(o['seconds'] for o in chosen) * 1000:.0f} ms, "
                  f"{max(o['peak_mb'] for o in chosen):.1f} MB")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--linux", default="build")
    parser.add_argument("--windows", default="build-windows64")
    parser.add_argument("--corpus", default=os.path.expanduser(
        "~/.cache/quorvane-bench/amd64/usr/lib/x86_64-linux-gnu/wine/x86_64-windows"))
    parser.add_argument("--mutants", type=int, default=300)
    parser.add_argument("--pe-mutants", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--work", default="/tmp/quorvane-windows-drawing")
    parser.add_argument("--no-fuzz", action="store_true")
    args = parser.parse_args()
    args.linux_tool = os.path.abspath(os.path.join(args.linux, "tools", "quorvane-icons"))
    wine = {"run": os.path.abspath(os.path.join(args.windows, "wine-run.sh")),
            "tool": os.path.abspath(os.path.join(args.windows, "tools", "quorvane-icons.exe")),
            "env": dict(os.environ, WINEPREFIX=os.path.abspath(
                os.path.join(args.windows, "wine-prefix")))}
    shutil.rmtree(args.work, ignore_errors=True)
    items = write_inputs(args, args.work)
    USAGE_FILE[0] = os.path.join(args.work, "time.txt")
    run([wine["run"], wine["tool"], "--version"], wine["env"])  # the prefix made, the server up
    out_dir = os.path.join(args.work, "out")
    os.makedirs(out_dir, exist_ok=True)
    rows = []
    for number, item in enumerate(items):
        rows.append(compare_one(item, args, wine, out_dir))
        if number % 50 == 49:
            print(f"... {number + 1} of {len(items)}", file=sys.stderr)
    with open(os.path.join(args.work, "results.json"), "w") as out:
        json.dump(rows, out, indent=1)
    summarise(rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())

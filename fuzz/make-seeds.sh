#!/usr/bin/env bash
# Makes the picture fuzzer's seed files: one small drawing in every format the chooser lists, and a few non-pictures.
# Run once by hand (needs ImageMagick and Python 3); the files are kept in corpus/picture.
set -euo pipefail
cd "$(dirname "$0")/corpus/picture"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# A 16 x 16 drawing: a black ring and a bar on white, the shape of a colouring page.
convert -size 16x16 xc:white -fill none -stroke black -draw "circle 8,8 8,2" \
    -draw "line 0,15 15,15" "$tmp/ring.png"

convert "$tmp/ring.png" -type TrueColor BMP3:ring24.bmp
convert "$tmp/ring.png" -type Palette -colors 16 BMP3:ring4.bmp
convert "$tmp/ring.png" -type Palette -colors 16 -compress RLE BMP3:ring-rle8.bmp
cp ring24.bmp ring.dib
convert "$tmp/ring.png" -type Bilevel BMP3:ring1.bmp
convert "$tmp/ring.png" ring.gif
convert "$tmp/ring.png" -interlace GIF ring-interlaced.gif
convert -delay 10 "$tmp/ring.png" \( "$tmp/ring.png" -negate \) ring-two-frames.gif
convert "$tmp/ring.png" -quality 80 ring.jpg
convert "$tmp/ring.png" -interlace JPEG ring-progressive.jpe
convert "$tmp/ring.png" -colorspace Gray ring-grey.jpeg
convert "$tmp/ring.png" ring.ico
convert "$tmp/ring.png" ring.cur
# ImageMagick writes an icon header into .cur; a cursor has type 2 and its hot spot (8, 8) where an icon keeps planes and bits.
printf '\002' | dd of=ring.cur bs=1 seek=2 conv=notrunc status=none
printf '\010\000\010\000' | dd of=ring.cur bs=1 seek=10 conv=notrunc status=none

# A 4-bit RLE bitmap, written by hand as no tool at hand writes one: 8 x 2 pixels.
python3 - <<'PY'
import struct
palette = b"\xff\xff\xff\x00" + b"\x00\x00\x00\x00" + b"\x00" * 56
rows = b"\x08\x01" + b"\x00\x00" + b"\x04\x10\x04\x01" + b"\x00\x00" + b"\x00\x01"
header = struct.pack("<IiiHHIIiiII", 40, 8, 2, 1, 4, 2, len(rows), 2835, 2835, 16, 0)
offset = 14 + len(header) + len(palette)
with open("ring-rle4.bmp", "wb") as f:
    f.write(b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) + header + palette + rows)
PY

# Files named like pictures that are not pictures.
printf 'Questo non è un disegno.\n' > note.bmp
: > empty.gif
printf '<html><body>404</body></html>\n' > page.jpg
head -c 60 ring24.bmp > cut-short.bmp
head -c 200 ring.jpg > cut-short.jpg
printf 'PK\003\004' > archive.ico
# A bitmap whose header claims 60000 x 60000 pixels over 768 bytes of pixels.
cp ring24.bmp claims-huge.bmp
printf '\140\352\000\000\140\352\000\000' | dd of=claims-huge.bmp bs=1 seek=18 conv=notrunc status=none

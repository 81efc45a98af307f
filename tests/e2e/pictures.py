# Pictures for the end-to-end tests: a plain RGB raster, BMP reading and
# writing, screenshots read as PPM, a reference flood fill and a picture search.
import struct
import subprocess
from collections import deque

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)


class Raster:
    """Width x height pixels as (r, g, b) tuples, row by row from the top."""

    def __init__(self, width, height, colour=WHITE):
        self.width = width
        self.height = height
        self.rows = [[colour] * width for _ in range(height)]

    def copy(self):
        other = Raster(self.width, self.height)
        other.rows = [list(row) for row in self.rows]
        return other

    def get(self, x, y):
        return self.rows[y][x]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def box(self, left, top, right, bottom, colour):
        """Fills the box with both corners included."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.set(x, y, colour)

    def row_bytes(self, y):
        return bytes(c for pixel in self.rows[y] for c in pixel)

    def differences(self, other, limit=10):
        """The first differing pixels as (x, y, mine, theirs); a size mismatch is one entry."""
        if (self.width, self.height) != (other.width, other.height):
            return [("size", (self.width, self.height), (other.width, other.height))]
        found = []
        for y in range(self.height):
            if self.rows[y] == other.rows[y]:
                continue
            for x in range(self.width):
                if self.rows[y][x] != other.rows[y][x]:
                    found.append((x, y, self.rows[y][x], other.rows[y][x]))
                    if len(found) >= limit:
                        return found
        return found


def flood_fill(raster, x, y, colour):
    """Repaints the 4-connected patch of the colour at (x, y), as a child's click should."""
    old = raster.get(x, y)
    if old == colour:
        return
    todo = deque([(x, y)])
    raster.set(x, y, colour)
    while todo:
        px, py = todo.popleft()
        for nx, ny in ((px + 1, py), (px - 1, py), (px, py + 1), (px, py - 1)):
            if 0 <= nx < raster.width and 0 <= ny < raster.height and raster.rows[ny][nx] == old:
                raster.rows[ny][nx] = colour
                todo.append((nx, ny))


def write_bmp(raster, path):
    """A 24-bit bottom-up Windows bitmap."""
    stride = (raster.width * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(raster.height)):
        row = bytearray()
        for r, g, b in raster.rows[y]:
            row += bytes((b, g, r))
        pixels += row + bytes(stride - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, raster.width, raster.height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def read_bmp(path):
    """Reads an uncompressed 24- or 32-bit bitmap, or 1-, 4- and 8-bit ones with a colour table."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path} is not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    size, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if compression not in (0, 3):
        raise ValueError(f"{path}: compressed bitmaps are not read here")
    top_down = height < 0
    height = abs(height)
    table = []
    if bits <= 8:
        count = struct.unpack_from("<I", data, 46)[0] or (1 << bits)
        start = 14 + size
        table = [(data[start + 4 * i + 2], data[start + 4 * i + 1], data[start + 4 * i])
                 for i in range(count)]
    stride = (width * bits + 31) // 32 * 4
    raster = Raster(width, height)
    for row in range(height):
        y = row if top_down else height - 1 - row
        base = offset + row * stride
        line = raster.rows[y]
        for x in range(width):
            if bits == 24 or bits == 32:
                p = base + x * (bits // 8)
                line[x] = (data[p + 2], data[p + 1], data[p])
            else:
                bit = x * bits
                byte = data[base + bit // 8]
                index = (byte >> (8 - bits - bit % 8)) & ((1 << bits) - 1)
                line[x] = table[index]
    return raster


class Screen:
    """A screenshot as packed RGB bytes, from ImageMagick's `import`."""

    def __init__(self, width, height, data):
        self.width = width
        self.height = height
        self.data = data

    @staticmethod
    def from_ppm(data):
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise ValueError("not an 8-bit PPM picture")
        width, height = int(fields[1]), int(fields[2])
        return Screen(width, height, data[pos + 1:pos + 1 + width * height * 3])

    def pixel(self, x, y):
        p = (y * self.width + x) * 3
        return tuple(self.data[p:p + 3])

    def region(self, left, top, width, height):
        raster = Raster(width, height)
        for y in range(height):
            p = ((top + y) * self.width + left) * 3
            row = self.data[p:p + width * 3]
            raster.rows[y] = [tuple(row[i:i + 3]) for i in range(0, width * 3, 3)]
        return raster


def load_with_imagemagick(path):
    """Any picture ImageMagick reads (GIF, BMP...), as a raster."""
    ppm = subprocess.run(["convert", str(path), "-depth", "8", "ppm:-"], check=True,
                         capture_output=True, timeout=60).stdout
    screen = Screen.from_ppm(ppm)
    return screen.region(0, 0, screen.width, screen.height)


def find_on_screen(screen, raster):
    """Where the raster is shown unscaled and exact on the screen: a list of (x, y) top-left corners."""
    # Look for the whole of the first row with something drawn on it (a long
    # needle that a blank or black screen cannot match everywhere), then check
    # the whole picture at each place found.
    for ry in range(raster.height):
        if any(pixel != WHITE for pixel in raster.rows[ry]):
            break
    else:
        raise ValueError("a blank picture cannot be found on the screen")
    needle = raster.row_bytes(ry)
    rows = [raster.row_bytes(y) for y in range(raster.height)]
    found = []
    pos = screen.data.find(needle)
    while pos >= 0:
        if pos % 3 == 0:
            left, top = (pos // 3) % screen.width, (pos // 3) // screen.width - ry
            if (left >= 0 and top >= 0 and left + raster.width <= screen.width
                    and top + raster.height <= screen.height
                    and all(screen.data[((top + y) * screen.width + left) * 3:
                                        ((top + y) * screen.width + left + raster.width) * 3] == rows[y]
                            for y in range(raster.height))):
                found.append((left, top))
        pos = screen.data.find(needle, pos + 1)
    return found


def close(a, b, tolerance=12):
    return all(abs(p - q) <= tolerance for p, q in zip(a, b))


# The start page's header runs from coral to lilac, left to right.
HEADER_LEFT = (0xff, 0x6b, 0x6b)
HEADER_RIGHT = (0xa5, 0x69, 0xbd)


def find_start_page_header(screen, right_of):
    """The start page's header in the web pane, right of x = right_of: its colours
    from coral to lilac along one row over 300 pixels at least. The row and the
    header's last pixel along it, or None."""
    for y in range(screen.height):
        xs_left = [px for px in range(right_of, screen.width) if close(screen.pixel(px, y), HEADER_LEFT)]
        if not xs_left:
            continue
        xs_right = [px for px in range(xs_left[0], screen.width) if close(screen.pixel(px, y), HEADER_RIGHT)]
        if xs_right and xs_right[-1] - xs_left[0] > 300:
            return y, xs_right[-1]
    return None

// Walks the structure of bitmaps, icons, GIFs and JPEGs to see whether the file holds all of it.
#include "platform/picture/TruncatedPicture.h"

#include <QIODevice>
#include <QtEndian>
#include <cstring>
#include <limits>

namespace {

// The device's bytes from where the picture starts, read a window at a time so
// that walking a large file block by block costs few reads; the device is put
// back where it was when done.
class DeviceBytes
{
public:
    DeviceBytes(QIODevice *device, qint64 start)
        : m_device(device), m_start(start), m_size(device->size() - m_start), m_found(device->pos())
    {
    }
    ~DeviceBytes() { m_device->seek(m_found); }
    DeviceBytes(const DeviceBytes &) = delete;
    DeviceBytes &operator=(const DeviceBytes &) = delete;

    qint64 size() const { return m_size; }

    // The byte at `offset`, or -1 past the end.
    int at(qint64 offset)
    {
        if (!load(offset))
            return -1;
        return uchar(m_window.at(offset - m_windowAt));
    }

    // `length` bytes from `offset`, fewer where the file ends first.
    QByteArray read(qint64 offset, qint64 length)
    {
        if (offset < 0 || offset >= m_size || !m_device->seek(m_start + offset))
            return {};
        return m_device->read(qMin(length, m_size - offset));
    }

    // Where the next byte `value` is from `offset` on; size() when there is none.
    qint64 find(uchar value, qint64 offset)
    {
        while (load(offset)) {
            const char *begin = m_window.constData() + (offset - m_windowAt);
            const qint64 left = m_window.size() - (offset - m_windowAt);
            if (const void *hit = std::memchr(begin, value, size_t(left)))
                return offset + (static_cast<const char *>(hit) - begin);
            offset += left;
        }
        return m_size;
    }

private:
    bool load(qint64 offset)
    {
        if (offset < 0 || offset >= m_size)
            return false;
        if (m_windowAt >= 0 && offset >= m_windowAt && offset < m_windowAt + m_window.size())
            return true;
        m_window = read(offset, WindowBytes);
        m_windowAt = offset;
        return !m_window.isEmpty();
    }

    static constexpr qint64 WindowBytes = 64 * 1024;

    QIODevice *m_device;
    qint64 m_start;
    qint64 m_size;
    qint64 m_found;
    QByteArray m_window;
    qint64 m_windowAt = -1;
};

quint32 le16(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

quint32 le32(const QByteArray &bytes, int at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

// Whether the runs of a run-length bitmap of `height` rows, `bits` a pixel,
// starting at `at`, stop inside one. The reader goes through them up to their
// end mark, their last row or the end of the file, whatever their header says
// of their size; inside a run, it would take the missing bytes from variables
// it never set.
bool runsAreCut(DeviceBytes &bytes, qint64 at, qint64 height, quint32 bits)
{
    enum { Escape = 0, EndOfLine = 0, EndOfPicture = 1, Jump = 2 };
    for (qint64 row = 0; row < height;) {
        const int count = bytes.at(at);
        if (count < 0)
            return false;
        const int code = bytes.at(at + 1);
        if (code < 0)
            return true;
        at += 2;
        if (count != Escape)
            continue;
        if (code == EndOfLine) {
            ++row;
        } else if (code == EndOfPicture) {
            return false;
        } else if (code == Jump) {
            const int rows = bytes.at(at + 1);
            if (rows < 0)
                return true;
            // The reader stops a jump on the last row, and reads on from there.
            row = qMin(row + rows, height - 1);
            at += 2;
        } else {
            // `code` pixels as they stand, padded to a whole number of 16-bit words.
            const qint64 pixelBytes = bits == 8 ? code : (code + 1) / 2;
            if (at + pixelBytes > bytes.size())
                return true;
            at += pixelBytes + (pixelBytes & 1);
        }
    }
    return false;
}

// A Windows bitmap: the header gives the pixels' size, or for run-length
// bitmaps the size of their runs, after the offset where they begin.
bool bitmapIsCut(DeviceBytes &bytes)
{
    const QByteArray head = bytes.read(0, 38);
    if (head.size() < 26)
        return false;
    const quint32 infoSize = le32(head, 14);
    qint64 width = 0;
    qint64 height = 0;
    quint32 bits = 0;
    quint32 compression = 0;
    quint32 runBytes = 0;
    if (infoSize == 12) {
        width = qint16(le16(head, 18));
        height = qAbs(int(qint16(le16(head, 20))));
        bits = le16(head, 24);
    } else if (infoSize >= 40 && head.size() == 38) {
        width = qint32(le32(head, 18));
        height = qAbs(qint64(qint32(le32(head, 22))));
        bits = le16(head, 28);
        compression = le32(head, 30);
        runBytes = le32(head, 34);
    } else {
        return false;
    }
    // An offset pointing back into the header does not move the pixels there:
    // the reader takes them from past the header.
    const qint64 pixelsAt = qMax<qint64>(le32(head, 10), 14 + qint64(infoSize));
    enum { Plain = 0, Run8 = 1, Run4 = 2, BitFields = 3, AlphaBitFields = 6 };
    if (compression == Run8 || compression == Run4)
        return pixelsAt + runBytes > bytes.size() || runsAreCut(bytes, pixelsAt, height, bits);
    if (compression != Plain && compression != BitFields && compression != AlphaBitFields)
        return false;
    if (width <= 0 || height <= 0 || bits == 0 || bits > 32)
        return false;
    // Rows are padded to four bytes.
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    if (height > (std::numeric_limits<qint64>::max() - pixelsAt) / rowBytes)
        return true;
    return pixelsAt + rowBytes * height > bytes.size();
}

// An icon or a cursor: a directory of images, each with its offset and length.
bool iconIsCut(DeviceBytes &bytes)
{
    const QByteArray head = bytes.read(0, 6);
    if (head.size() < 6 || le16(head, 0) != 0 || (le16(head, 2) != 1 && le16(head, 2) != 2))
        return false;
    constexpr int EntryBytes = 16;
    const int count = int(le16(head, 4));
    const QByteArray directory = bytes.read(6, qint64(count) * EntryBytes);
    if (directory.size() < count * EntryBytes)
        return true;
    for (int i = 0; i < count; ++i) {
        const qint64 length = le32(directory, i * EntryBytes + 8);
        const qint64 offset = le32(directory, i * EntryBytes + 12);
        if (offset + length > bytes.size())
            return true;
    }
    return false;
}

// A GIF: blocks up to the trailer. A file that stops between two blocks, even
// without its trailer, holds what it has whole; one that stops inside a block,
// an image's data above all, is cut.
bool gifIsCut(DeviceBytes &bytes)
{
    // A colour table follows a descriptor whose flags byte says so.
    const auto colourTable = [&bytes](qint64 flagsAt) -> qint64 {
        const int flags = bytes.at(flagsAt);
        return flags >= 0 && (flags & 0x80) ? 3 << ((flags & 7) + 1) : 0;
    };
    // Data sub-blocks: a length byte and as many bytes, up to a zero length.
    const auto pastSubBlocks = [&bytes](qint64 at) -> qint64 {
        for (int length = bytes.at(at); length > 0; length = bytes.at(at))
            at += 1 + length;
        return bytes.at(at) == 0 ? at + 1 : bytes.size() + 1;
    };
    constexpr qint64 ScreenBytes = 13;
    constexpr qint64 ImageBytes = 10;
    qint64 at = ScreenBytes + colourTable(10);
    while (at < bytes.size()) {
        switch (bytes.at(at)) {
        case 0x3B: // trailer
            return false;
        case 0x21: // extension: its label, then its data
            at = pastSubBlocks(at + 2);
            break;
        case 0x2C: // image: its descriptor, its colour table, the code size, then its data
            at = pastSubBlocks(at + ImageBytes + colourTable(at + ImageBytes - 1) + 1);
            break;
        default: // not a block: damaged rather than cut, which the reader judges
            return false;
        }
    }
    return at > bytes.size();
}

// A JPEG: segments, each with its length, and after each start of scan its
// coded data, up to the end-of-image marker that every whole JPEG ends with.
bool jpegIsCut(DeviceBytes &bytes)
{
    constexpr int Marker = 0xFF;
    constexpr int EndOfImage = 0xD9;
    constexpr int StartOfScan = 0xDA;
    const auto standalone = [](int code) {
        return code == 0x01 || code == 0xD8 || (code >= 0xD0 && code <= 0xD7);
    };
    qint64 at = 2;
    for (;;) {
        // Bytes before a marker are damage the reader skips; so are fill bytes.
        at = bytes.find(Marker, at);
        while (bytes.at(at) == Marker)
            ++at;
        const int code = bytes.at(at++);
        if (code < 0)
            return true;
        if (code == EndOfImage)
            return false;
        if (standalone(code))
            continue;
        const QByteArray length = bytes.read(at, 2);
        if (length.size() < 2)
            return true;
        const int segmentBytes = qFromBigEndian<quint16>(length.constData());
        if (segmentBytes < 2)
            return false;
        at += segmentBytes;
        if (at > bytes.size())
            return true;
        if (code != StartOfScan)
            continue;
        // In coded data a 0xFF is followed by a zero byte or a restart marker;
        // anything else is the next marker.
        for (;;) {
            at = bytes.find(Marker, at);
            const int next = bytes.at(at + 1);
            if (next < 0)
                return true;
            if (next != 0 && !(next >= 0xD0 && next <= 0xD7))
                break;
            at += 2;
        }
    }
}

} // namespace

bool isTruncatedPicture(QIODevice *device, const QByteArray &format, qint64 start)
{
    if (!device || device->isSequential())
        return false;
    DeviceBytes bytes(device, start);
    if (format == "bmp")
        return bitmapIsCut(bytes);
    if (format == "gif")
        return gifIsCut(bytes);
    if (format == "jpeg")
        return jpegIsCut(bytes);
    // Qt's icon reader gives no format name, and other formats' headers may
    // start alike: only an unnamed or icon content is read as a directory.
    if (format.isEmpty() || format == "ico" || format == "cur")
        return iconIsCut(bytes);
    return false;
}

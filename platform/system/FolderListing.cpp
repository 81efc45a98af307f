// Folder listing through opendir and readdir, which give every name as its bytes.
#include "platform/system/FolderListing.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

namespace {

// Windows-1252 where the system's converter knows it, else Latin-1 (which then
// shows only its 32 quote and dash places as control characters).
QString fromWindows1252(const QByteArray &bytes)
{
    QStringDecoder decoder("windows-1252");
    return decoder.isValid() ? decoder.decode(bytes) : QString::fromLatin1(bytes);
}

} // namespace

QString shownFileName(const QByteArray &native)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(native);
    return utf8.hasError() ? fromWindows1252(native) : text;
}

QList<ListedFile> ordinaryFiles(const QString &folder)
{
    if (folder.isEmpty())
        return {};
    const std::unique_ptr<DIR, int (*)(DIR *)> dir(::opendir(QFile::encodeName(folder).constData()), ::closedir);
    if (!dir)
        return {};
    struct Sorted
    {
        QString key;
        ListedFile file;
    };
    QList<Sorted> found;
    while (const dirent *entry = ::readdir(dir.get())) {
        const QByteArray native(entry->d_name);
        if (native.startsWith('.'))
            continue;
        // The entry's own type says most; links, and file systems that do not
        // tell, need a look at what the name stands for.
        bool plain = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat info;
            plain = ::fstatat(::dirfd(dir.get()), entry->d_name, &info, 0) == 0 && S_ISREG(info.st_mode);
        }
        if (!plain)
            continue;
        ListedFile file{native, shownFileName(native)};
        found.append({file.text.toLower(), file});
    }
    // Names that only differ in letter case, or that show alike, keep one order.
    std::sort(found.begin(), found.end(), [](const Sorted &a, const Sorted &b) {
        const int byText = a.key.compare(b.key);
        return byText != 0 ? byText < 0 : a.file.native < b.file.native;
    });
    QList<ListedFile> files;
    files.reserve(found.size());
    for (const Sorted &entry : found)
        files.append(entry.file);
    return files;
}

QString withTrailingSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QByteArray nativePath(const QString &folder, const QByteArray &native)
{
    return QFile::encodeName(withTrailingSlash(folder)) + native;
}

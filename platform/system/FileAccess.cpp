// File questions and changes through the system's own calls on native paths.
#include "platform/system/FileAccess.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool namesAFile(const QByteArray &nativePath)
{
    return !nativePath.isEmpty() && !nativePath.contains('\0');
}

// A plain file opened without waiting on a pipe or a device; -1 for anything else.
int openPlain(const QByteArray &nativePath, int flags)
{
    if (!namesAFile(nativePath))
        return -1;
    const int fd = ::open(nativePath.constData(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat info;
    // Plain files never block; from here on reads and writes wait as usual.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool writeAll(int fd, const QByteArray &content)
{
    qint64 done = 0;
    while (done < content.size()) {
        const ssize_t n = ::pwrite(fd, content.constData() + done, size_t(content.size() - done), off_t(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

bool isReadOnlyFile(const QString &path)
{
    return isReadOnlyFile(QFile::encodeName(path));
}

bool isReadOnlyFile(const QByteArray &nativePath)
{
    struct stat info;
    if (!namesAFile(nativePath) || ::stat(nativePath.constData(), &info) != 0)
        return true;
    return ::access(nativePath.constData(), W_OK) != 0 || !(info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
}

bool openPlainFile(const QByteArray &nativePath, QFile *file)
{
    const int fd = openPlain(nativePath, O_RDONLY);
    if (fd < 0)
        return false;
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool renameFile(const QByteArray &from, const QByteArray &to)
{
    if (!namesAFile(from) || !namesAFile(to))
        return false;
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems that cannot rename without replacing: a second link to the
    // file, which is refused when the name is taken, then the old name goes.
    if (::link(from.constData(), to.constData()) != 0)
        return false;
    if (::unlink(from.constData()) != 0) {
        ::unlink(to.constData());
        return false;
    }
    return true;
}

bool removeFile(const QByteArray &nativePath)
{
    return namesAFile(nativePath) && ::unlink(nativePath.constData()) == 0;
}

InPlaceWrite writeInPlace(const QByteArray &nativePath, const QByteArray &content)
{
    // Read as well as write where allowed: the system's stand-in for a missing
    // fallocate reads each block before it fills it.
    int fd = openPlain(nativePath, O_RDWR);
    if (fd < 0)
        fd = openPlain(nativePath, O_WRONLY);
    if (fd < 0)
        return InPlaceWrite::Unchanged;
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return InPlaceWrite::Unchanged;
    }
    // Room for all of it first; making room changes no byte the file holds, and
    // whatever it added past the old end goes again when it fails.
    if (!content.isEmpty() && ::posix_fallocate(fd, 0, off_t(content.size())) != 0) {
        if (::ftruncate(fd, info.st_size) != 0) {
            ::close(fd);
            return InPlaceWrite::Damaged;
        }
        ::close(fd);
        return InPlaceWrite::Unchanged;
    }
    const bool written = writeAll(fd, content) && ::ftruncate(fd, off_t(content.size())) == 0 && ::fsync(fd) == 0;
    return ::close(fd) == 0 && written ? InPlaceWrite::Written : InPlaceWrite::Damaged;
}

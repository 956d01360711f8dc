#include "platform/BoundedFile.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace BoundedFile {

namespace {

bool fail(QString* errorText, const QString& reason) {
    if (errorText)
        *errorText = reason;
    return false;
}

// Opens the file for reading and checks its kind and size on the open handle, so that nothing
// can swap the file between the check and the read.
bool openChecked(const QString& path, QFile& file, qint64& size, qint64 maxBytes,
                 QString* errorText) {
#ifdef Q_OS_UNIX
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errorText, QStringLiteral("cannot be opened: ") + qt_error_string(errno));
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        return fail(errorText, QStringLiteral("cannot be opened: ") + qt_error_string(error));
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(fd);
        return fail(errorText, QStringLiteral("is not a regular file"));
    }
    if (status.st_size > maxBytes) {
        ::close(fd);
        return fail(errorText, QStringLiteral("is too large"));
    }
    size = status.st_size;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(errorText, QStringLiteral("cannot be opened: ") + file.errorString());
    }
    return true;
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(errorText, QStringLiteral("is not a regular file"));
    if (info.size() > maxBytes)
        return fail(errorText, QStringLiteral("is too large"));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(errorText, QStringLiteral("cannot be opened: ") + file.errorString());
    if (file.isSequential()) {
        file.close();
        return fail(errorText, QStringLiteral("is not a regular file"));
    }
    size = file.size();
    if (size > maxBytes) {
        file.close();
        return fail(errorText, QStringLiteral("is too large"));
    }
    return true;
#endif
}

bool readFailed(const QFile& file, QByteArray& bytes, QString* errorText) {
    bytes.clear();
    return fail(errorText, QStringLiteral("cannot be read: ") + file.errorString());
}

} // namespace

bool read(const QString& path, QByteArray& bytes, QString* errorText, qint64 maxBytes) {
    bytes.clear();
    QFile file;
    qint64 size = 0;
    if (!openChecked(path, file, size, maxBytes, errorText))
        return false;

    bytes.resize(size);
    qint64 total = 0;
    while (total < size) {
        const qint64 got = file.read(bytes.data() + total, size - total);
        if (got < 0)
            return readFailed(file, bytes, errorText);
        if (got == 0)
            break;
        total += got;
    }
    bytes.truncate(total);
    // The file may have grown since its size was taken: the rest is read too, but never
    // beyond the limit.
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0)
            return readFailed(file, bytes, errorText);
        if (got == 0)
            break;
        if (total + got > maxBytes) {
            bytes.clear();
            return fail(errorText, QStringLiteral("is too large"));
        }
        bytes.append(chunk, got);
        total += got;
    }
    return true;
}

} // namespace BoundedFile

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

} // namespace

// Checks the kind and size on the open handle, so that nothing can swap the file between the
// check and the read.
bool open(const QString& path, QFile& file, QString* errorText, qint64 maxBytes) {
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
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
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
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return fail(errorText, QStringLiteral("cannot be opened: ") + file.errorString());
    if (file.isSequential()) {
        file.close();
        return fail(errorText, QStringLiteral("is not a regular file"));
    }
    if (file.size() > maxBytes) {
        file.close();
        return fail(errorText, QStringLiteral("is too large"));
    }
    return true;
#endif
}

namespace {

bool readFailed(const QIODevice& device, QByteArray& bytes, QString* errorText) {
    bytes.clear();
    return fail(errorText, QStringLiteral("cannot be read: ") + device.errorString());
}

} // namespace

bool readRest(QIODevice& device, QByteArray& bytes, QString* errorText, qint64 maxBytes) {
    // The size known now is read in one go; a file that grows meanwhile is read on in chunks,
    // but never beyond the limit.
    const qint64 expected = qMin(device.size() - device.pos(), maxBytes - bytes.size());
    if (expected > 0) {
        qint64 total = bytes.size();
        bytes.resize(total + expected);
        while (total < bytes.size()) {
            const qint64 got = device.read(bytes.data() + total, bytes.size() - total);
            if (got < 0)
                return readFailed(device, bytes, errorText);
            if (got == 0)
                break;
            total += got;
        }
        bytes.truncate(total);
    }
    char chunk[64 * 1024];
    for (;;) {
        const qint64 got = device.read(chunk, sizeof chunk);
        if (got < 0)
            return readFailed(device, bytes, errorText);
        if (got == 0)
            break;
        if (bytes.size() + got > maxBytes) {
            bytes.clear();
            return fail(errorText, QStringLiteral("is too large"));
        }
        bytes.append(chunk, got);
    }
    return true;
}

bool read(const QString& path, QByteArray& bytes, QString* errorText, qint64 maxBytes) {
    bytes.clear();
    QFile file;
    return open(path, file, errorText, maxBytes) && readRest(file, bytes, errorText, maxBytes);
}

} // namespace BoundedFile

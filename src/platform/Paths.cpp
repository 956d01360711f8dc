#include "platform/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace Paths {

namespace {

QChar asciiUpper(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? QChar(char16_t(u - 32)) : c;
}

QString toNativeSeparators(QString path) {
#ifdef Q_OS_WIN
    return path.replace(QLatin1Char('/'), QLatin1Char('\\'));
#else
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}

} // namespace

bool isSeparator(QChar c) {
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

std::optional<QString> relativeToRoot(const QString& rootDir, const QString& chosenPath) {
    const qsizetype n = rootDir.size();
    if (n == 0 || chosenPath.size() <= n)
        return std::nullopt;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar a = chosenPath.at(i);
        const QChar b = rootDir.at(i);
        if (asciiUpper(a) != asciiUpper(b) && !(isSeparator(a) && isSeparator(b)))
            return std::nullopt;
    }
    qsizetype start = n;
    if (!isSeparator(rootDir.at(n - 1))) {
        if (!isSeparator(chosenPath.at(n)))
            return std::nullopt;
        start = n + 1;
    }
    QString rest = chosenPath.mid(start);
    if (rest.isEmpty())
        return std::nullopt;
    return rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString joinNative(const QString& rootDir, const QString& backslashLiteral) {
    return toNativeSeparators(rootDir + backslashLiteral);
}

QString storedToNative(const QString& rootDir, const QString& storedPath) {
    return joinNative(rootDir, QStringLiteral("\\") + storedPath);
}

bool isDirectory(const QString& nativePath) {
    if (nativePath.isEmpty())
        return false;
    return QFileInfo(nativePath).isDir();
}

} // namespace Paths

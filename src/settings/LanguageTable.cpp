#include "settings/LanguageTable.h"

#include "platform/BoundedFile.h"
#include "platform/DataPaths.h"

#include <QDir>
#include <QFileInfo>

namespace Language {

namespace {

// The file's text as 16-bit units. Language files are UTF-16 LE with FF FE; a file saved by an
// editor that writes UTF-8 (with or without EF BB BF) is read as UTF-8, so no character of it
// is lost to a byte-order mark that is not there.
QString decode(const QByteArray& bytes) {
    const auto byteAt = [&bytes](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const bool littleEndian = bytes.size() >= 2 && byteAt(0) == 0xFF && byteAt(1) == 0xFE;
    const bool bigEndian = bytes.size() >= 2 && byteAt(0) == 0xFE && byteAt(1) == 0xFF;
    if (littleEndian || bigEndian) {
        // A trailing odd byte is not a whole unit and is ignored.
        const qsizetype units = bytes.size() / 2;
        QString text;
        text.reserve(units - 1);
        for (qsizetype u = 1; u < units; ++u) {
            const unsigned lo = byteAt(2 * u + (littleEndian ? 0 : 1));
            const unsigned hi = byteAt(2 * u + (littleEndian ? 1 : 0));
            text.append(QChar(static_cast<char16_t>(lo | (hi << 8))));
        }
        return text;
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return QString::fromUtf8(bytes);
}

char16_t upperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? char16_t(c - 32) : c;
}

bool equalsAsciiNoCase(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (upperAscii(a[i].unicode()) != upperAscii(b[i].unicode()))
            return false;
    }
    return true;
}

} // namespace

QList<SLanguagePair>& table() {
    static QList<SLanguagePair> languageTable;
    return languageTable;
}

QList<SLanguagePair> parse(const QByteArray& fileBytes) {
    const QString text = decode(fileBytes);
    QList<SLanguagePair> pairs;
    QString key;
    QString value;
    bool inValue = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (!inValue) {
            if (c == u' ' || c == u'=') {
                inValue = true;
                while (i + 1 < n && (text[i + 1] == u' ' || text[i + 1] == u'='))
                    ++i;
                ++i; // the opening quotation mark of a well-formed line, whatever it is
            } else if (c != u'\r' && c != u'\n') {
                // A key runs on over line breaks until a separator comes.
                key.append(QChar(c));
            }
        } else if (c == u'\r' || c == u'\n' || c == 0) {
            pairs.append({key, value});
            key.clear();
            value.clear();
            inValue = false;
        } else if (c != u'"') {
            value.append(QChar(c));
        }
    }
    if (!key.isEmpty() && !value.isEmpty())
        pairs.append({key, value});
    return pairs;
}

bool loadFile(const QString& path) {
    QByteArray bytes;
    if (!BoundedFile::read(path, bytes))
        return false;
    table() = parse(bytes);
    return true;
}

QString lookup(const QList<SLanguagePair>& languageTable, const QString& key) {
    for (const SLanguagePair& pair : languageTable) {
        if (equalsAsciiNoCase(pair.sKey, key))
            return pair.sValue;
    }
    return key;
}

QString lookup(const QString& key) {
    return lookup(table(), key);
}

QStringList listLanguageFiles(const QString& programDir) {
    const QDir folder(QDir(DataPaths::dataDir(programDir)).filePath(QStringLiteral("Language")));
    // Names in any letter case and in alphabetical order, as the Windows listing gives them.
    return folder.entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Hidden,
                            QDir::Name | QDir::IgnoreCase);
}

QString languageFilePath(const QString& programDir, const QString& fileName) {
    const QString folder = DataPaths::dataDir(programDir) + QStringLiteral("/Language/");
    // A name kept in config.ini from a platform whose file names ignore letter case
    // ("english.txt") still finds its file here.
    if (!fileName.isEmpty() && !QFileInfo::exists(folder + fileName)) {
        for (const QString& entry : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
            if (entry.compare(fileName, Qt::CaseInsensitive) == 0)
                return QDir::toNativeSeparators(folder + entry);
        }
    }
    return QDir::toNativeSeparators(folder + fileName);
}

} // namespace Language

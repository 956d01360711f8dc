#include "settings/Settings.h"

#include "platform/BoundedFile.h"
#include "platform/DataPaths.h"
#include "platform/ProgramInfo.h"

#include <QDir>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <limits>

namespace Settings {

namespace {

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The C library's atol on a 32-bit long: leading white space, an optional sign, decimal
// digits up to the first other character; no digits give 0, values beyond the range saturate.
qint32 toInteger(QByteArrayView text) {
    qsizetype i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    qint64 value = 0;
    const qint64 limit = negative ? -qint64(std::numeric_limits<qint32>::min())
                                  : qint64(std::numeric_limits<qint32>::max());
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(limit, value * 10 + (text[i] - '0'));
    return qint32(negative ? -value : value);
}

// Splits the file into lines as a text-mode read does: each line loses its line feed and a
// carriage return right before it. A last line without a line break is a line too.
QList<QByteArray> splitLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? bytes.size() : end + 1;
        if (end < 0)
            end = bytes.size();
        else if (end > start && bytes[end - 1] == '\r')
            --end;
        lines.append(bytes.mid(start, end - start));
        start = next;
    }
    return lines;
}

bool hasLineBreak(const QByteArray& text) {
    return text.contains('\n') || text.contains('\r');
}

} // namespace

SSettings& instance() {
    static SSettings settings;
    return settings;
}

QString settingsPath(const QString& programDir) {
    return QDir::toNativeSeparators(DataPaths::userFilesDir(programDir) +
                                    QStringLiteral("/config.ini"));
}

bool readSettings(SSettings& settings, const QString& path) {
    QByteArray bytes;
    if (!BoundedFile::read(path, bytes))
        return false;
    const QList<QByteArray> lines = splitLines(bytes);

    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray& line = lines[n];
        qsizetype keyEnd = 0;
        while (keyEnd < line.size() && line[keyEnd] != ' ' && line[keyEnd] != '=')
            ++keyEnd;
        if (keyEnd == line.size())
            continue;
        const QByteArray key = line.left(keyEnd).toLower();
        qsizetype valueStart = keyEnd;
        while (valueStart < line.size() && (line[valueStart] == ' ' || line[valueStart] == '='))
            ++valueStart;
        const QByteArray value = line.mid(valueStart);

        if (key == "slanguage") {
            settings.sLanguage = value;
        } else if (key == "bhideopenfolder") {
            settings.bHideOpenFolder = toInteger(value) != 0;
        } else if (key == "bhideopenfile") {
            settings.bHideOpenFile = toInteger(value) != 0;
        } else if (key == "breplacern") {
            settings.bReplaceRN = toInteger(value) != 0;
        } else if (key == "iinterfacetextsize") {
            settings.iInterfaceTextSize = toInteger(value);
        } else if (key == "isplashscreensec") {
            settings.iSplashScreenSec = toInteger(value);
        } else if (key == "imaxrecentfiles") {
            settings.iMaxRecentFiles = toInteger(value);
        } else if (key == "irecentfilesnum") {
            settings.iRecentFilesNum = toInteger(value);
        } else if (key == "srecentfiles") {
            // The path lines are counted by the number read before this line.
            settings.vRecentFiles.clear();
            for (qint32 k = 0; k < settings.iRecentFilesNum && n + 1 < lines.size(); ++k)
                settings.vRecentFiles.append(lines[++n]);
        }
    }
    return true;
}

void writeSettings(const SSettings& settings, const QString& path) {
    // A path holding a line break cannot be stored one per line: it would split into lines
    // that read back as other entries or keys, so such entries stay out of the file.
    QList<QByteArray> storable;
    for (const QByteArray& entry : settings.vRecentFiles) {
        if (!hasLineBreak(entry))
            storable.append(entry);
    }
    // The language name is one line; anything after a line break in it is not written.
    QByteArray language = settings.sLanguage;
    for (qsizetype i = 0; i < language.size(); ++i) {
        if (language[i] == '\n' || language[i] == '\r') {
            language.truncate(i);
            break;
        }
    }

    const QByteArray eol("\r\n");
    QByteArray out;
    out += "[General]" + eol;
    out += "bHideOpenFolder = " + QByteArray::number(settings.bHideOpenFolder ? 1 : 0) + eol;
    out += "bHideOpenFile = " + QByteArray::number(settings.bHideOpenFile ? 1 : 0) + eol;
    out += "bReplaceRN = " + QByteArray::number(settings.bReplaceRN ? 1 : 0) + eol;
    out += "iInterfaceTextSize = " + QByteArray::number(settings.iInterfaceTextSize) + eol;
    out += "iSplashScreenSec = " + QByteArray::number(settings.iSplashScreenSec) + eol;
    out += "sLanguage = " + language + eol;
    out += eol;
    out += "[RecentFiles]" + eol;
    out += "iMaxRecentFiles = " + QByteArray::number(settings.iMaxRecentFiles) + eol;
    out += "iRecentFilesNum = " + QByteArray::number(storable.size()) + eol;
    out += "sRecentFiles = " + eol;
    for (const QByteArray& entry : storable)
        out += entry + eol;

    // Written through a temporary file, so a failed write never leaves a truncated file.
    // Unbuffered: a short write (disk full) shows in the count, where a buffered flush inside
    // commit() could lose it and install a truncated file.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    if (file.write(out) != out.size()) {
        file.cancelWriting();
        return;
    }
    file.commit();
}

bool readProgramSettings() {
    return readSettings(instance(), settingsPath(ProgramInfo::programDir()));
}

void writeProgramSettings() {
    writeSettings(instance(), settingsPath(ProgramInfo::programDir()));
}

QString fromLocal8(const QByteArray& text) {
    QStringDecoder decoder(QStringConverter::System);
    return decoder.decode(text);
}

QByteArray toLocal8(const QString& text) {
    QStringEncoder encoder(QStringConverter::System);
    return encoder.encode(text);
}

} // namespace Settings

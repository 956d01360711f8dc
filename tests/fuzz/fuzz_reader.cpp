// libFuzzer target: the installer readers must accept any bytes without crashing.
#include "installer/Encoding.h"
#include "installer/Reader.h"
#include "installer/Writer.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = Encoding::decodeInstallerBytes(bytes);

    CFOMOD project;
    InstallerReader::readInfoText(text, project);
    InstallerReader::readConfigText(text, project);
    // With a report the same text is read again, following its nesting and counting lines:
    // every line it gives must point into the text.
    CFOMOD reported;
    ReadReport report;
    InstallerReader::readInfoText(text, reported);
    InstallerReader::readConfigText(text, reported, nullptr, nullptr, &report);
    if (!(reported == project))
        __builtin_trap();
    const qsizetype lastLine = text.count(u'\n') + 1;
    for (qsizetype line : std::as_const(report.lines)) {
        if (line < 1 || line > lastLine)
            __builtin_trap();
    }
    for (const NotKeptNote& note : std::as_const(report.notKept)) {
        if (note.line < 1 || note.line > lastLine || note.sMessage.isEmpty())
            __builtin_trap();
    }
    // Read from the bytes in small pieces, as a UTF-16 file is read while it is parsed, the
    // same project comes out, whatever the edges of the pieces cut.
    CFOMOD whole;
    QString wholeError;
    InstallerReader::ZeroLines wholeZeros;
    const bool wholeOk = InstallerReader::readConfigText(text, whole, &wholeError, &wholeZeros);
    for (const qsizetype piece : {1, 5}) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        CFOMOD pieces;
        QString piecesError;
        InstallerReader::ZeroLines piecesZeros;
        const bool piecesOk =
            InstallerReader::readConfigDevice(buffer, pieces, &piecesError, &piecesZeros, piece);
        // A reading that stops early reads no further than it has to.
        const bool zerosAgree = wholeOk ? piecesZeros == wholeZeros
                                        : piecesZeros.size() <= wholeZeros.size() &&
                                              piecesZeros == wholeZeros.first(piecesZeros.size());
        if (piecesOk != wholeOk || piecesError != wholeError || !zerosAgree || !(pieces == whole))
            __builtin_trap();
    }
    // Whatever was read must also be writable.
    InstallerWriter::configFileBytes(project, QStringLiteral("1.0.0.0"), QStringLiteral("x"));
    InstallerWriter::infoFileBytes(project);
    return 0;
}

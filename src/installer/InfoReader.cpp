#include "installer/InfoReader.h"

#include "installer/Encoding.h"
#include "installer/InfoFields.h"
#include "installer/InfoNodes.h"
#include "installer/InfoWriter.h"
#include "platform/BoundedFile.h"

namespace InstallerReader {

namespace {

// Every zero character as U+FFFD, the character the writer writes for what no file can hold.
QString replaceZeros(QString text, ZeroLines* zeroLines) {
    if (!text.contains(QChar(0)))
        return text;
    qsizetype line = 1;
    for (QChar& c : text) {
        if (c == u'\n') {
            ++line;
        } else if (c == QChar(0)) {
            c = QChar(0xFFFD);
            if (zeroLines && (zeroLines->isEmpty() || zeroLines->last() != line))
                zeroLines->append(line);
        }
    }
    return text;
}

} // namespace

void readInfoText(const QString& text, CFOMOD& project, ZeroLines* zeroLines) {
    project.vInfoNodes = InfoNodes::parse(replaceZeros(text, zeroLines));
    const InfoFields::Places places = InfoFields::locate(project.vInfoNodes);
    for (InfoFields::Field field : InfoFields::kFields) {
        if (const CInfoNode* node = places[field])
            InfoFields::fieldOf(project, field) = InfoFields::valueOf(*node, field);
    }
    // A file that says no more than its fields, as one made here, is held by the fields alone:
    // the project then equals the one it was written from.
    CFOMOD fieldsOnly = project;
    fieldsOnly.vInfoNodes.clear();
    const QString made = Encoding::decodeInstallerBytes(InstallerWriter::infoFileBytes(fieldsOnly));
    if (InfoNodes::parse(made) == project.vInfoNodes)
        project.vInfoNodes.clear();
}

bool readInfoFile(const QString& path, CFOMOD& project, QString* errorText, ZeroLines* zeroLines) {
    QByteArray bytes;
    if (!BoundedFile::read(path, bytes, errorText))
        return false;
    readInfoText(Encoding::decodeInstallerBytes(bytes), project, zeroLines);
    return true;
}

} // namespace InstallerReader

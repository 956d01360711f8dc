#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One translated interface text: the key is a window element's name.
struct SLanguagePair {
    QString sKey;
    QString sValue;

    bool operator==(const SLanguagePair&) const = default;
};

namespace Language {

// The program-wide language table, empty until a file is loaded.
QList<SLanguagePair>& table();

// Parses the contents of a language file into pairs.
QList<SLanguagePair> parse(const QByteArray& fileBytes);

// Replaces the table with the file's pairs; false (table unchanged) when it cannot be opened,
// is not a regular file or is too large (BoundedFile).
bool loadFile(const QString& path);

// The value of the first pair whose key equals key (ASCII letters without case), else key.
QString lookup(const QString& key);
QString lookup(const QList<SLanguagePair>& table, const QString& key);

// File names (with extension) of the *.txt files in the Language folder of the program whose
// executable lies in programDir (in DataPaths::dataDir).
QStringList listLanguageFiles(const QString& programDir);

// That Language folder + "/" + fileName; a file whose name differs only in letter case stands in
// for a missing one.
QString languageFilePath(const QString& programDir, const QString& fileName);

} // namespace Language

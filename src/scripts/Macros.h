#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <functional>

class CFOMOD;

// Expansion of the save-script macros $MODNAME$, $MODAUTHOR$, $MODVERSION$, $MODROOT$, $DATE$,
// $TIME$ and $RANDOM$. Scripts are 8-bit text in the system code page; the walk goes over
// their bytes, so script text passes through unchanged whatever its encoding.
namespace Macros {

struct Context {
    QString sModName;
    QString sModAuthor;
    QString sModVersion;
    QString sModRoot;
    // Local time, read for each date, time and random macro.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    // One number drawn from a generator seeded with the given whole seconds.
    std::function<int(qint64 seedSeconds)> random = seededRandom;

    // The C runtime's generator (rand after srand(seed)), the same on every platform.
    static int seededRandom(qint64 seedSeconds);
};

Context contextFor(const CFOMOD& project, const QString& rootDir);

// One line with its macros replaced. A "$" that starts no macro is dropped.
QByteArray expandLine(QByteArrayView line, const Context& context);

// The whole script: carriage returns dropped, every line expanded whole and followed by
// lineBreak; a line that ended in a line feed keeps it, so it gets an empty line after it.
// Line feeds end up as lineBreak.
QByteArray expandScript(const QByteArray& script, const Context& context, QByteArrayView lineBreak);

} // namespace Macros

#include "scripts/Macros.h"

#include "model/Fomod.h"
#include "settings/Settings.h"

namespace Macros {

namespace {

// A value is inserted on one line: a line break in a mod name taken from someone else's
// info.xml must not start a command of its own.
QByteArray oneLine(QString value) {
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return Settings::toLocal8(value);
}

QByteArray twoDigits(int n) {
    return QByteArray::number(n).rightJustified(2, '0');
}

QByteArray replacement(QByteArrayView macro, const Context& context, bool* matched) {
    *matched = true;
    if (macro == "$MODNAME$")
        return oneLine(context.sModName);
    if (macro == "$MODAUTHOR$")
        return oneLine(context.sModAuthor);
    if (macro == "$MODVERSION$")
        return oneLine(context.sModVersion);
    if (macro == "$MODROOT$")
        return oneLine(context.sModRoot);
    if (macro == "$DATE$") {
        const QDate d = context.clock().date();
        return twoDigits(d.day()) + '-' + twoDigits(d.month()) + '-' +
               QByteArray::number(d.year()).rightJustified(4, '0');
    }
    if (macro == "$TIME$") {
        const QTime t = context.clock().time();
        return twoDigits(t.hour()) + '-' + twoDigits(t.minute()) + '-' + twoDigits(t.second());
    }
    if (macro == "$RANDOM$")
        return QByteArray::number(context.random(context.clock().toSecsSinceEpoch()) % 32767);
    *matched = false;
    return {};
}

} // namespace

int Context::seededRandom(qint64 seedSeconds) {
    quint32 state = quint32(seedSeconds);
    state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF);
}

Context contextFor(const CFOMOD& project, const QString& rootDir) {
    Context context;
    context.sModName = project.sName;
    context.sModAuthor = project.sAuthor;
    context.sModVersion = project.sVersion;
    context.sModRoot = rootDir;
    return context;
}

QByteArray expandLine(QByteArrayView line, const Context& context) {
    QByteArray out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] != '$') {
            out.append(line[i]);
            continue;
        }
        const qsizetype close = line.indexOf('$', i + 1);
        if (close < 0)
            continue; // no second "$": this one is dropped
        bool matched = false;
        const QByteArray value = replacement(line.sliced(i, close - i + 1), context, &matched);
        if (matched) {
            out.append(value);
            i = close;
        }
        // Otherwise only this "$" is dropped; what follows is walked as usual.
    }
    return out;
}

QByteArray expandScript(const QByteArray& script, const Context& context,
                        QByteArrayView lineBreak) {
    QByteArray text = script;
    text.replace('\r', QByteArray());
    QByteArray out;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype feed = text.indexOf('\n', start);
        const qsizetype end = feed < 0 ? text.size() : feed + 1;
        QByteArray expanded = expandLine(QByteArrayView(text).sliced(start, end - start), context);
        expanded.replace("\n", lineBreak.toByteArray());
        out += expanded;
        out += lineBreak;
        start = end;
    }
    return out;
}

} // namespace Macros

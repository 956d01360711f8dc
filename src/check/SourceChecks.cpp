#include "check/SourceChecks.h"

#include "check/PathLookup.h"
#include "check/ProjectWalk.h"
#include "platform/Paths.h"

#include <QHash>

namespace {

using ProjectWalk::entryOf;

bool isAbsolute(const QString& path) {
    if (path.isEmpty())
        return false;
    if (Paths::isSeparator(path.at(0)))
        return true;
    return path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter();
}

// ".." that climbs above the folder the path starts from.
bool leavesItsFolder(const QString& path) {
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        if (i < path.size() && !Paths::isSeparator(path.at(i)))
            continue;
        const QStringView part = QStringView(path).mid(start, i - start);
        start = i + 1;
        if (part == u"..") {
            if (--depth < 0)
                return true;
        } else if (!part.isEmpty() && part != u".") {
            ++depth;
        }
    }
    return false;
}

// Why the path may not be used, or "". A ':' is a drive (or what is left of one: some tools
// write ":\Users\..."); Windows allows it nowhere else in a path.
QString pathFault(const QString& path) {
    if (isAbsolute(path))
        return QStringLiteral("is an absolute path");
    if (path.contains(QLatin1Char(':')))
        return QStringLiteral("holds a ':', which names a drive");
    if (leavesItsFolder(path))
        return QStringLiteral("leaves its folder through \"..\"");
    return QString();
}

bool endsInSeparator(const QString& path) {
    return !path.isEmpty() && Paths::isSeparator(path.back());
}

QString sameDestinationKey(const CFile& file) {
    QString key = file.sDestination.toCaseFolded();
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
    return key + QLatin1Char('|') + QString::number(file.iPriority);
}

class SourceChecker {
public:
    SourceChecker(const QString& rootDir, FindingCollector& out) : m_lookup(rootDir), m_out(out) {}

    void checkList(const QList<CFile>& files, const ProjectPlace& listPlace);
    void checkImage(const QString& image, const ProjectPlace& place);

private:
    void checkSource(const CFile& file, const ProjectPlace& place);
    void checkDestination(const CFile& file, const ProjectPlace& place);

    PathLookup m_lookup;
    FindingCollector& m_out;
};

void SourceChecker::checkList(const QList<CFile>& files, const ProjectPlace& listPlace) {
    QHash<QString, int> firstByDestination;
    for (int i = 0; i < files.size(); ++i) {
        const CFile& file = files[i];
        const ProjectPlace place = entryOf(listPlace, i);
        checkSource(file, place);
        checkDestination(file, place);
        // Those are reported for themselves; folders installed to one place merge.
        if (file.sType != QLatin1String("file") || file.sDestination.isEmpty() ||
            endsInSeparator(file.sDestination))
            continue;
        const QString key = sameDestinationKey(file);
        const auto it = firstByDestination.constFind(key);
        if (it == firstByDestination.constEnd())
            firstByDestination.insert(key, i);
        else
            m_out.warning(
                QStringLiteral("same-destination"),
                QStringLiteral("'%1' installs to '%2' as entry %3 of this list does, at the same "
                               "priority %4: which one the player gets depends on the mod "
                               "manager; change a destination or a priority, or remove one")
                    .arg(file.sSource, file.sDestination, QString::number(*it + 1),
                         QString::number(file.iPriority)),
                place);
    }
}

void SourceChecker::checkSource(const CFile& file, const ProjectPlace& place) {
    const bool isFile = file.sType == QLatin1String("file");
    if (!isFile && file.sType != QLatin1String("folder"))
        return; // the kind itself is reported
    const QString fault = pathFault(file.sSource);
    if (!fault.isEmpty()) {
        m_out.error(QStringLiteral("bad-path"),
                    QStringLiteral("source '%1' %2: give it relative to the mod's folder")
                        .arg(file.sSource, fault),
                    place);
        return;
    }
    if (isFile && file.sSource.isEmpty()) {
        m_out.error(QStringLiteral("missing-source"),
                    QStringLiteral("file entry without a source: choose the file to install"),
                    place);
        return;
    }
    const QString what = isFile ? QStringLiteral("file") : QStringLiteral("folder");
    QString actual;
    switch (m_lookup.find(file.sSource, isFile ? PathLookup::Kind::File : PathLookup::Kind::Folder,
                          &actual)) {
    case PathLookup::Result::Found:
        break;
    case PathLookup::Result::OtherCase:
        m_out.warning(QStringLiteral("source-case"),
                      QStringLiteral("source %1 '%2' exists only as '%3' (other letter case): "
                                     "it fails on case-sensitive systems; write it as on disk")
                          .arg(what, file.sSource, actual),
                      place);
        break;
    case PathLookup::Result::WrongKind:
        m_out.error(QStringLiteral("missing-source"),
                    QStringLiteral("source '%1' is not a %2 but a %3: change the entry's kind "
                                   "or its source")
                        .arg(file.sSource, what,
                             isFile ? QStringLiteral("folder") : QStringLiteral("file")),
                    place);
        break;
    case PathLookup::Result::Missing:
        m_out.error(QStringLiteral("missing-source"),
                    QStringLiteral("source %1 '%2' does not exist in the mod's folder: add it or "
                                   "correct the path")
                        .arg(what, file.sSource),
                    place);
        break;
    }
}

void SourceChecker::checkDestination(const CFile& file, const ProjectPlace& place) {
    const QString fault = pathFault(file.sDestination);
    if (!fault.isEmpty()) {
        m_out.error(QStringLiteral("bad-path"),
                    QStringLiteral("destination '%1' %2: give it relative to the game's data "
                                   "folder")
                        .arg(file.sDestination, fault),
                    place);
        return;
    }
    if (file.sType != QLatin1String("file"))
        return;
    if (file.sDestination.isEmpty())
        m_out.warning(QStringLiteral("empty-destination"),
                      QStringLiteral("file '%1' has an empty destination: mod managers differ "
                                     "(one installs it under its own name, another at the data "
                                     "folder itself); give the path it should have there")
                          .arg(file.sSource),
                      place);
    else if (endsInSeparator(file.sDestination))
        m_out.warning(QStringLiteral("destination-separator"),
                      QStringLiteral("file destination '%1' ends in a separator: mod managers "
                                     "differ on what that means; end it with the file's name")
                          .arg(file.sDestination),
                      place);
}

void SourceChecker::checkImage(const QString& image, const ProjectPlace& place) {
    if (image.isEmpty())
        return;
    const QString fault = pathFault(image);
    if (!fault.isEmpty()) {
        m_out.warning(QStringLiteral("missing-image"),
                      QStringLiteral("image '%1' %2, so players will not see it: give it "
                                     "relative to the mod's folder")
                          .arg(image, fault),
                      place);
        return;
    }
    QString actual;
    switch (m_lookup.find(image, PathLookup::Kind::File, &actual)) {
    case PathLookup::Result::Found:
        break;
    case PathLookup::Result::OtherCase:
        m_out.warning(QStringLiteral("source-case"),
                      QStringLiteral("image '%1' exists only as '%2' (other letter case): it is "
                                     "not shown on case-sensitive systems; write it as on disk")
                          .arg(image, actual),
                      place);
        break;
    case PathLookup::Result::WrongKind:
    case PathLookup::Result::Missing:
        m_out.warning(QStringLiteral("missing-image"),
                      QStringLiteral("image '%1' does not exist in the mod's folder: add it or "
                                     "correct the path")
                          .arg(image),
                      place);
        break;
    }
}

} // namespace

void checkSources(const CFOMOD& project, const QString& rootDir, FindingCollector& out) {
    SourceChecker checker(rootDir, out);
    checker.checkImage(project.sImage, ProjectPlace{.list = ProjectPlace::List::ModuleImage});
    ProjectWalk::forEachFileList(project, [&](const QList<CFile>& files, const ProjectPlace& at) {
        checker.checkList(files, at);
    });
    ProjectWalk::forEachPlugin(project, [&](const CPlugin& plugin, ProjectPlace at) {
        at.list = ProjectPlace::List::PluginImage;
        checker.checkImage(plugin.sImage, at);
    });
}

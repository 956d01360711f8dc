#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// What an install run ends with: the steps the user saw and chose in, the final flags, the
// files in install order, the destinations written more than once and the problems met.
namespace Simulate {

struct ShownOption {
    QString sName;
    QString sType; // the type in effect when the step was shown
    bool bSelected = false;
};

struct ShownGroup {
    qsizetype iGroup = 0;
    QString sName;
    QString sType;
    QList<ShownOption> vOptions;

    QStringList selectedNames() const;
};

struct ShownStep {
    qsizetype iStep = 0;
    QString sName;
    QList<ShownGroup> vGroups;
};

struct InstalledFile {
    QString sSource;      // relative to the root, backslashes
    QString sDestination; // in the game's data folder, backslashes
    qint32 iPriority = 0;
    QString sType;             // "file", or "folder" for a folder not found on disk
    QString sOrigin;           // "required", "step i group j option k" or "conditional k"
    bool bOverwritten = false; // a later entry has the same destination
};

struct Overlap {
    QString sDestination;
    QStringList vSources; // in install order; the last one wins
};

struct SimulationResult {
    // The mod's prerequisites as a person reads them ("" when it has none) and whether they
    // hold; when they do not, managers refuse the mod and nothing is shown or installed.
    QString sPrerequisites;
    bool bPrerequisitesMet = true;
    QList<ShownStep> vSteps;
    QMap<QString, QString> flags;
    QList<InstalledFile> vFiles;
    QList<Overlap> vOverlaps;
    QStringList vProblems;
    QStringList vNotes; // what the run assumed, such as a version that was not given
};

} // namespace Simulate

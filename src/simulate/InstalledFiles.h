#pragma once

#include "model/Fomod.h"
#include "simulate/SimulationResult.h"

#include <QList>
#include <QString>

// Turns the chosen copy instructions into the files that land in the game's data folder.
namespace Simulate {

struct FileSource {
    CFile file;
    QString sOrigin;
};

// Installs the entries in ascending priority (a stable sort, so equal priorities keep their
// order), expands folders found under rootDir into their files and marks every file whose
// destination a later file takes (compared without letter case; folders not found on disk
// merge and take none). *overlaps receives one entry per destination written more than once.
QList<InstalledFile> installFiles(const QList<FileSource>& entries, const QString& rootDir,
                                  QList<Overlap>* overlaps);

} // namespace Simulate

#pragma once

#include "model/ProjectPlace.h"

#include <QList>
#include <QString>

// What reading ModuleConfig.xml learnt beyond the project itself: where each element stood,
// and what the file holds that the project cannot keep (so saving would drop or change it).
struct NotKeptNote {
    qsizetype line = 0;   // counted from 1
    QString sConstruct;   // the element or attribute, as written: "moduleDependencies", "order"
    QString sMessage;     // what is lost or changed, for the author
};

struct ReadReport {
    bool bConfigElement = false; // a <config> element was found
    SourceLines lines;
    QList<NotKeptNote> notKept;
};

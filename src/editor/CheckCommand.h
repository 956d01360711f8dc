#pragma once

#include "check/Finding.h"
#include "installer/ReadReport.h"
#include "model/Fomod.h"

#include <QObject>

#include <optional>

class CheckDock;
class Document;
class NotKeptBar;

// "Check" (F7): finds what would break the open installer and lists it in the check dock.
// After an opening that met things the project cannot hold, the bar says how many.
//
// The lines of the file read are valid for the project exactly as it was read; once it
// differs (an edit, a merge) findings are listed without lines, except the not-kept notes,
// which are about the file on disk and hold until a save rewrites it.
class CheckCommand : public QObject {
    Q_OBJECT

public:
    CheckCommand(Document& state, CheckDock& dock, NotKeptBar& bar, QObject* parent);

    void CheckMenuClick();
    // The bar's "Show": the dock with only what will not be kept.
    void showNotKept();

    // A new project is open: report is what reading its ModuleConfig.xml learnt, or nullptr.
    void projectReplaced(const ReadReport* report);
    // Saving rewrote ModuleConfig.xml: what reading learnt no longer describes it.
    void projectSaved();
    // The project may have changed: the dock says when its findings are outdated.
    void projectChanged();

    // The findings for the project as it is now.
    Findings findings() const;

private:
    void show(const Findings& findings);

    Document& m_state;
    CheckDock& m_dock;
    NotKeptBar& m_bar;
    std::optional<ReadReport> m_report;
    CFOMOD m_asRead;
    CFOMOD m_checked; // the project the dock's findings are about
    bool m_checkedWithReport = false;
};

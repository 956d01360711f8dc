#pragma once

#include "check/Finding.h"
#include "model/Fomod.h"

#include <QDockWidget>
#include <QList>

class QLabel;
class QTableWidget;

// The findings of a check, listed beside the editor: severity, message, where in the project
// and the line of ModuleConfig.xml when known. Choosing a row (a click, Enter) reports its
// place; what to show for it is the window's business.
class CheckDock : public QDockWidget {
    Q_OBJECT

public:
    explicit CheckDock(QWidget* parent = nullptr);

    // Lists the findings of project, or says that there are none.
    void showFindings(const CFOMOD& project, const Findings& findings);
    // Empties the list (the project it was about is gone).
    void clearFindings();
    // Says whether the project has changed since the findings were made.
    void setOutdated(bool outdated);

    QTableWidget* list() const { return m_list; }

signals:
    void findingChosen(const ProjectPlace& place);

private:
    void chooseRow(int row);
    void showCaptions();
    void fitLocationColumn();

    QTableWidget* m_list = nullptr;
    QLabel* m_noProblems = nullptr;
    QLabel* m_outdated = nullptr;
    QList<ProjectPlace> m_places;
};

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QTableWidget;
class QWidget;

// Multi-column lists in report style: whole-row single selection, grid lines, headings that
// cannot be clicked, Tab that leaves the list, and (where asked) in-place editing of the first
// column only (F2 on the selected row).
namespace ReportListView {

struct Column {
    QString sCaption;
    int iWidth = 0; // 0: the column takes the remaining width
};

// A configured list with the given objectName and columns.
QTableWidget* create(const QString& name, const QList<Column>& columns, bool editFirstColumn,
                     QWidget* parent = nullptr);

// Appends one row holding the texts (one per column).
void appendRow(QTableWidget* list, const QStringList& texts);

// The selected row, or -1.
int selectedRow(const QTableWidget* list);

// Selects the row (or none for -1) and makes it the current one.
void selectRow(QTableWidget* list, int row);

} // namespace ReportListView

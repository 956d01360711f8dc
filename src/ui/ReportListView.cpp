#include "ui/ReportListView.h"

#include "ui/KeyConventions.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace ReportListView {

namespace {

// Only the first column is edited in place, whoever filled the rows.
class FirstColumnDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != 0)
            return nullptr;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
};

} // namespace

QTableWidget* create(const QString& name, const QList<Column>& columns, bool editFirstColumn,
                     QWidget* parent) {
    auto* list = new QTableWidget(0, int(columns.size()), parent);
    list->setObjectName(name);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setShowGrid(true);
    list->setWordWrap(false);
    list->setAlternatingRowColors(false);
    list->verticalHeader()->hide();
    list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 8);
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QStringList captions;
    for (const Column& c : columns)
        captions.append(c.sCaption);
    list->setHorizontalHeaderLabels(captions);
    QHeaderView* header = list->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Without a column that takes the rest, the last one takes what the widths leave over.
    bool restTaken = false;
    for (const Column& c : columns)
        restTaken = restTaken || c.iWidth <= 0;
    header->setStretchLastSection(!restTaken);
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].iWidth > 0) {
            header->setSectionResizeMode(i, QHeaderView::Interactive);
            header->resizeSection(i, columns[i].iWidth);
        } else {
            header->setSectionResizeMode(i, QHeaderView::Stretch);
        }
    }

    if (editFirstColumn) {
        list->setEditTriggers(QAbstractItemView::SelectedClicked |
                              QAbstractItemView::EditKeyPressed);
        list->setItemDelegate(new FirstColumnDelegate(list));
    } else {
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    KeyConventions::listKeys(list, editFirstColumn);
    return list;
}

void appendRow(QTableWidget* list, const QStringList& texts) {
    const int row = list->rowCount();
    list->insertRow(row);
    for (int c = 0; c < list->columnCount(); ++c)
        list->setItem(row, c, new QTableWidgetItem(c < texts.size() ? texts[c] : QString()));
}

int selectedRow(const QTableWidget* list) {
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void selectRow(QTableWidget* list, int row) {
    if (row < 0 || row >= list->rowCount()) {
        list->clearSelection();
        return;
    }
    list->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

} // namespace ReportListView

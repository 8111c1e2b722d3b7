// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CReportView.h"

#include "ui/ReportModel.h"

#include <QHeaderView>

CReportView::CReportView(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setStretchLastSection(true);
    // Sorting is driven by our own header handler, not by the view.
    setSortingEnabled(false);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CReportView::onHeaderClicked);
}

void CReportView::setReportModel(ReportModel* model) {
    model_ = model;
    setModel(model);
    applyColumns();
    connect(model, &QAbstractItemModel::modelReset, this, &CReportView::applyColumns);
}

void CReportView::applyColumns() {
    if (!model_)
        return;
    showSortIndicator();
    const auto& columns = model_->columns();
    for (int i = 0; i < columns.size(); ++i) {
        setColumnHidden(i, columns.at(i).hidden());
        if (!columns.at(i).hidden())
            setColumnWidth(i, columns.at(i).width);
    }
}

void CReportView::onHeaderClicked(int section) {
    if (!model_)
        return;
    model_->clickHeader(section);
    // The header has already moved its own indicator to the clicked section,
    // also for "选", which never sorts: show what the rows really are.
    showSortIndicator();
}

void CReportView::showSortIndicator() {
    QHeaderView* header = horizontalHeader();
    const int column = model_ ? model_->sortColumn() : -1;
    header->setSortIndicatorShown(column > 0);
    header->setSortIndicator(column > 0 ? column : -1,
                             model_ ? model_->sortOrder() : Qt::AscendingOrder);
}

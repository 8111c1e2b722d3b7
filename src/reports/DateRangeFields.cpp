// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/DateRangeFields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

DateRangeFields::DateRangeFields(const Clock& clock, QWidget* parent) : QWidget(parent) {
    const QStringList entries[3] = {daterange::years(clock), daterange::months(),
                                    daterange::days()};
    const QString units[3] = {QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日")};
    const QString names[6] = {QStringLiteral("startYear"), QStringLiteral("startMonth"),
                              QStringLiteral("startDay"),  QStringLiteral("endYear"),
                              QStringLiteral("endMonth"),  QStringLiteral("endDay")};
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("起始日期:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("结束日期:"), this), 1, 0);
    for (int i = 0; i < 6; ++i) {
        auto* list = new QComboBox(this);
        list->setObjectName(names[i]);
        list->addItem(QString());
        list->addItems(entries[i % 3]);
        list->setMinimumContentsLength(i % 3 == 0 ? 5 : 3);
        list->setMaxVisibleItems(12);
        lists_[i] = list;
        auto* unit = new QLabel(units[i % 3], this);
        unit->setBuddy(list);
        grid->addWidget(list, i / 3, 1 + 2 * (i % 3));
        grid->addWidget(unit, i / 3, 2 + 2 * (i % 3));
    }
    grid->setColumnStretch(7, 1);
}

DateFields DateRangeFields::value() const {
    return {lists_[0]->currentText(), lists_[1]->currentText(), lists_[2]->currentText(),
            lists_[3]->currentText(), lists_[4]->currentText(), lists_[5]->currentText()};
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/StatsFeature.h"

#include "base/Clock.h"
#include "base/Settings.h"
#include "featureapi/CommandTable.h"
#include "stats/CContactLedgerStrip.h"
#include "stats/CRelationStatsView.h"
#include "ui/ReportModel.h"

#include <QAbstractItemView>
#include <QBoxLayout>
#include <QTimer>

void StatsFeature::install(FrameServices& frame) {
    view_ = new CRelationStatsView(frame.window());
    AppContext& app = frame.context();
    view_->attach(&app.db, &app.clock, frame.session().userCode, frame.session().departmentCode);
    frame.setView(kViewNumber, view_);
    // A bar clicked: the contact's row in the list is chosen and scrolled to,
    // its pages open below. A list without it (another folder, the trash, a
    // query's result) gives way to one of that contact alone.
    view_->setContactOpener([&frame](qint64 code) {
        ContactListView& list = frame.contactList();
        const QString key = QString::number(code);
        const ReportModel& rows = list.rows();
        bool listed = false;
        for (int row = 0; row < rows.rowCount() && !listed && list.liveFlag() == 1; ++row)
            listed = rows.key(row) == key;
        if (listed) {
            frame.switchView(1);
            list.openContact(code);
        } else if (frame.showContacts(sql::format(QStringLiteral("base_code=%ld"), code), 0, 1)) {
            list.openContact(code);
        }
    });
    QObject::connect(view_, &CRelationStatsView::choicesChanged, view_, [this, &app] {
        app.settings.setValue(kPeriodKey, QString::number(int(view_->period())));
        app.settings.setValue(kScopeKey, QString::number(int(view_->scope())));
        app.settings.setValue(kFromKey, view_->customFrom().toString(Qt::ISODate));
        app.settings.setValue(kToKey, view_->customTo().toString(Qt::ISODate));
    });
    frame.addCommand(commands::RelationCharts, [this, &frame] { show(frame); });
    addLedger(frame);
}

// The ledger line goes above the interaction tab's list: the tab's row of
// list and buttons moves down into a row of its own below the line, the tab
// stays the same widget. Its rows change whenever another contact is shown or
// its interactions change; the line follows them.
void StatsFeature::addLedger(FrameServices& frame) {
    ContactTabs* pane = &frame.contactTabs();
    QWidget* page = pane->listTab(ContactTabs::Interactions);
    auto* list = page ? page->findChild<QAbstractItemView*>() : nullptr;
    auto* box = page ? qobject_cast<QBoxLayout*>(page->layout()) : nullptr;
    if (!list || !list->model() || !box)
        return;
    AppContext& app = frame.context();
    auto* strip = new CContactLedgerStrip(app.db, app.clock, page);
    auto* row = new QBoxLayout(box->direction());
    row->setSpacing(box->spacing());
    while (box->count() > 0) {
        const int stretch = box->stretch(0);
        QLayoutItem* item = box->takeAt(0);
        if (QLayout* inner = item->layout()) {
            inner->setParent(nullptr);
            row->addLayout(inner, stretch);
        } else if (QWidget* widget = item->widget()) {
            delete item;
            row->addWidget(widget, stretch);
        } else {
            row->addItem(item);
        }
    }
    box->setDirection(QBoxLayout::TopToBottom);
    box->addWidget(strip);
    box->addLayout(row, 1);
    // A load adds its rows one by one: the line is read once they are all in.
    auto* settle = new QTimer(strip);
    settle->setSingleShot(true);
    QObject::connect(settle, &QTimer::timeout, strip,
                     [strip, pane] { strip->showContact(pane->contactShown()); });
    const auto follow = [settle] { settle->start(0); };
    QAbstractItemModel* model = list->model();
    QObject::connect(model, &QAbstractItemModel::modelReset, strip, follow);
    QObject::connect(model, &QAbstractItemModel::rowsInserted, strip, follow);
    QObject::connect(model, &QAbstractItemModel::rowsRemoved, strip, follow);
    QObject::connect(model, &QAbstractItemModel::dataChanged, strip, follow);
}

void StatsFeature::show(FrameServices& frame) {
    frame.switchView(kViewNumber);
    if (shownOnce_) {
        view_->refresh();
        return;
    }
    // The choices of the last run; figures are computed only once asked for.
    shownOnce_ = true;
    const Settings& settings = frame.context().settings;
    const int period = qBound(0, settings.value(kPeriodKey, QStringLiteral("0")).toInt(), 3);
    const int scope = qBound(0, settings.value(kScopeKey, QStringLiteral("0")).toInt(), 2);
    view_->choose(CRelationStatsView::Period(period), StatsScope(scope),
                  QDate::fromString(settings.value(kFromKey), Qt::ISODate),
                  QDate::fromString(settings.value(kToKey), Qt::ISODate));
}

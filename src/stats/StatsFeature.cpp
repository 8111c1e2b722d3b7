// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/StatsFeature.h"

#include "app/CommandTable.h"
#include "app/Settings.h"
#include "stats/CRelationStatsView.h"

void StatsFeature::install(FrameServices& frame) {
    view_ = new CRelationStatsView(frame.window());
    AppContext& app = frame.context();
    view_->attach(&app.db, &app.clock, frame.session().userCode, frame.session().departmentCode);
    frame.setView(kViewNumber, view_);
    view_->setContactOpener([&frame](qint64 code) {
        frame.showContacts(sql::format(QStringLiteral("base_code=%ld"), code), 0, 1);
    });
    QObject::connect(view_, &CRelationStatsView::choicesChanged, view_, [this, &app] {
        app.settings.setValue(kPeriodKey, QString::number(int(view_->period())));
        app.settings.setValue(kScopeKey, QString::number(int(view_->scope())));
        app.settings.setValue(kFromKey, view_->customFrom().toString(Qt::ISODate));
        app.settings.setValue(kToKey, view_->customTo().toString(Qt::ISODate));
    });
    frame.addCommand(commands::RelationCharts, [this, &frame] { show(frame); });
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

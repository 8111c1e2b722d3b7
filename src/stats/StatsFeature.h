// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

class CRelationStatsView;

// The relationship view (往来统计): a command of the query menu that shows it
// in the right panel, its period and scope kept in the settings file; and a
// contact's ledger line above its interactions in the detail pane.
class StatsFeature : public Feature {
  public:
    void install(FrameServices& frame) override;

    static inline const QString kPeriodKey = QStringLiteral("StatsPeriod");
    static inline const QString kScopeKey = QStringLiteral("StatsScope");
    static inline const QString kFromKey = QStringLiteral("StatsFrom");
    static inline const QString kToKey = QStringLiteral("StatsTo");
    static constexpr int kViewNumber = 5;

  private:
    void show(FrameServices& frame);
    void addLedger(FrameServices& frame);

    CRelationStatsView* view_ = nullptr;
    bool shownOnce_ = false;
};

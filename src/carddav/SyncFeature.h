// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "carddav/SyncAccount.h"
#include "carddav/SyncEngine.h"
#include "featureapi/FrameServices.h"

#include <QTimer>

// "通讯录同步...": the account window, then the sync with its progress,
// the matches to confirm and the contacts changed on both sides to merge; and,
// when the account asks for it, the same sync every N minutes while the
// program runs.
class SyncFeature : public Feature {
  public:
    void install(FrameServices& frame) override;

    // The command: false when nothing was synced.
    bool openAccount();
    // One sync with the saved account; quiet: from the timer (a notice only on failure).
    carddav::SyncReport syncNow(const SyncAccount& account, bool quiet);

  private:
    QString iniPath() const;
    void schedule(const SyncAccount& account);
    void mergeConflicts(carddav::SyncEngine& engine);

    FrameServices* frame_ = nullptr;
    QTimer timer_;
    bool running_ = false;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/AutoResetEvent.h"
#include "base/Settings.h"
#include "db/Database.h"
#include "featureapi/AppContext.h"
#include "featureapi/Session.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TestHome.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

// What a contact window needs: a fresh database, a scripted prompter, a fixed
// day and the session of the delivered administrator.
struct ContactGuiFixture {
    TestHome home;
    ScriptedPrompter prompter;
    Database db{&prompter};
    Settings settings{home.settingsPath()};
    FixedClock clock{QDateTime(QDate(2026, 12, 7), QTime(9, 0))};
    AutoResetEvent stop, done;
    std::unique_ptr<AppContext> app;
    Session session;

    ContactGuiFixture() {
        db.open(home.databasePath());
        app.reset(new AppContext{db, settings, prompter, clock, stop, done, home.dir()});
        session.userCode = 1;
        session.departmentCode = 1;
    }

    qint64 contactCount() {
        return db.count(sql::Statement(QStringLiteral("select count(*) from base")));
    }
};

// Runs act on each modal window of type T as it opens (a dialog's exec()
// blocks the test), until act returns false or the window count is reached.
template <typename T> class ModalDriver : public QObject {
  public:
    explicit ModalDriver(std::function<void(T*)> act) : act_(std::move(act)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
        timer_.start();
    }
    int handled() const { return handled_; }

  private:
    void poll() {
        auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!window || window == last_)
            return;
        last_ = window;
        ++handled_;
        act_(window);
    }

    std::function<void(T*)> act_;
    QTimer timer_;
    QPointer<T> last_;
    int handled_ = 0;
};

// SPDX-License-Identifier: GPL-3.0-or-later
// Runs one of the program's writing operations over and over on a database,
// through the program's own classes, until it is killed or has done --count
// of them. It prints "ready" once the database is open and "done N" after
// each operation that came back, so whoever kills it knows it was at work.
//
//   fault_worker OPERATION PATH [--user CODE] [--count N] [--seed S]
//                [--today YYYY-MM-DD] [--days D] [--backup A --other B]
//
// OPERATION: add-contact, delete-contact, empty-trash, cleansing,
// interactions, distribute, restore, mixed. "mixed" is one side of two
// programs working on one file: it adds, modifies, trashes and restores its
// user's contacts, adds interactions and builds the tree, and prints at the
// end a "summary" line of what it committed (see FaultSummary.h).
#include "QuietPrompter.h"
#include "backup/DatabaseRestore.h"
#include "base/AutoResetEvent.h"
#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/Cleansing.h"
#include "contacts/ContactList.h"
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "faults/FaultFixture.h"
#include "faults/FaultSummary.h"
#include "featureapi/Session.h"
#include "interactions/InteractionFields.h"
#include "interactions/InteractionForm.h"
#include "interactions/InteractionList.h"
#include "tools/TextTree.h"
#include "tree/ReminderNodes.h"
#include "tree/TreeBuilder.h"
#include "ui/ReportModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstdio>

using faults::FaultSummary;
using faults::kManager;
using faults::kTargetDepartment;

namespace {

// Answers every question with yes; every failure is counted and printed.
class WorkerPrompter : public Prompter {
  public:
    int failures = 0;
    void notice(const QString& caption, const QString& text, PromptIcon icon) override {
        if (caption == kErrorCaption || icon == PromptIcon::Critical ||
            icon == PromptIcon::Warning) {
            ++failures;
            std::fprintf(stderr, "failure: %s\n", qPrintable(text));
        }
    }
    bool ask(const QString&, const QString&) override { return true; }
    std::unique_ptr<ProgressHandle> beginProgress() override {
        return std::make_unique<QuietProgress>();
    }
};

void say(const char* line, qint64 n = -1) {
    if (n >= 0)
        std::printf("%s %lld\n", line, static_cast<long long>(n));
    else
        std::printf("%s\n", line);
    std::fflush(stdout);
}

ContactRecord newContact(qint64 n) {
    ContactRecord r;
    r.setValue(QStringLiteral("base_name"), QStringLiteral("故障%1").arg(n));
    r.setValue(QStringLiteral("base_sex"), QStringLiteral("男"));
    r.setValue(QStringLiteral("base_sort_code"), QStringLiteral("A级-核心"));
    r.setValue(QStringLiteral("base_type_code"), QStringLiteral("客户"));
    r.setValue(QStringLiteral("work_industry_code"), QStringLiteral("金融"));
    r.setValue(QStringLiteral("work_province_code"), QStringLiteral("北京市"));
    r.setValue(QStringLiteral("base_mobil"),
               QStringLiteral("1380000%1").arg(n % 10000, 4, 10, QLatin1Char('0')));
    return r;
}

class Worker {
  public:
    Worker(Database& db, WorkerPrompter& prompter, const Clock& clock, Session session,
           quint32 seed)
        : db_(db), prompter_(prompter), clock_(clock), session_(session), random_(seed) {}

    int days = 60;
    QString backup;
    QString other;
    FaultSummary summary;

    // One unit of the operation; false when there is nothing left to do.
    bool once(const QString& operation) {
        if (operation == u"add-contact")
            return addContact();
        if (operation == u"delete-contact")
            return deleteContact();
        if (operation == u"empty-trash")
            return emptyTrash();
        if (operation == u"cleansing")
            return cleansing();
        if (operation == u"interactions")
            return interactions(anyContact());
        if (operation == u"distribute")
            return distribute();
        if (operation == u"restore")
            return restore();
        if (operation == u"mixed")
            return mixed();
        return false;
    }

  private:
    qint64 anyContact(const QString& flag = QStringLiteral("1")) {
        const qint64 n = db_.count(sql::format(
            "select count(*) from base where base_user_code=%ld and base_invalid_flag=%s",
            session_.userCode, flag));
        if (n <= 0)
            return -1;
        qint64 code = -1;
        db_.query(sql::format("select base_code from base where base_user_code=%ld and "
                              "base_invalid_flag=%s order by base_code limit 1 offset %ld",
                              session_.userCode, flag, qint64(random_.bounded(int(n)))),
                  [&](const Row& row) {
                      code = row.numberAt(0);
                      return false;
                  });
        return code;
    }

    bool addContact() {
        const qint64 code =
            ContactStore(db_, prompter_).insertNew(newContact(++added_), session_, clock_);
        if (code > 0) {
            ++summary.added;
        }
        return code > 0;
    }

    bool deleteContact() {
        const qint64 code = anyContact();
        if (code < 0)
            return false;
        ReportModel model(ContactList::kColumns);
        return ContactList(db_, prompter_, clock_, session_.userCode, model)
            .deleteWithDependents(QString::number(code));
    }

    // A few contacts go to the trash, then the trash list is emptied of them.
    bool emptyTrash() {
        for (int i = 0; i < 3; ++i) {
            const qint64 code = anyContact();
            if (code < 0)
                return false;
            db_.execute(
                sql::format("update base set base_invalid_flag=0 \t\t\t\twhere base_code=%s",
                            QString::number(code)));
        }
        ReportModel model(ContactList::kColumns);
        ContactList list(db_, prompter_, clock_, session_.userCode, model);
        if (!list.load(sql::Statement("b.base_invalid_flag=0"), ContactList::Contacts, 0))
            return false;
        for (int r = 0; r < model.rowCount(); ++r)
            model.setChecked(r, true);
        return list.emptyTrash();
    }

    // Everyone back out of the trash, then the cleansing moves the same ones again.
    bool cleansing() {
        if (!db_.execute(sql::Statement("update base set base_invalid_flag=1")))
            return false;
        return Cleansing(db_, prompter_, clock_).run(days);
    }

    // Three interactions added, two of them deleted again.
    bool interactions(qint64 contact) {
        if (contact < 0)
            return false;
        ReportModel model(InteractionList::kColumns);
        InteractionList list(db_, prompter_, clock_, session_.userCode, model);
        list.setContactSource([contact] { return contact; });
        int toSave = 3;
        const QString type = Lookups(db_).businessCode(QStringLiteral("拜访")) > 0
                                 ? QStringLiteral("拜访")
                                 : QString();
        list.setFormRunner([&](InteractionForm& form) {
            if (toSave-- <= 0)
                return false;
            form.setValue(interaction::kType, type.isEmpty() ? form.typeNames().value(0) : type);
            form.setValue(interaction::kContent, QStringLiteral("故障测试"));
            return form.save();
        });
        const int saved = list.add();
        summary.interactions += saved;
        if (saved != 3 || !list.load(contact))
            return false;
        int ticked = 0;
        for (int r = 0; r < model.rowCount() && ticked < 2; ++r) {
            model.setChecked(r, true);
            ++ticked;
        }
        summary.interactions -= list.remove();
        return true;
    }

    // The user's live contacts go to the target department's manager, then back.
    bool distribute() {
        ReportModel model(ContactList::kColumns);
        ContactList list(db_, prompter_, clock_, session_.userCode, model);
        if (!list.load(
                sql::format("b.base_user_code=%ld and b.base_invalid_flag=1", session_.userCode),
                ContactList::Contacts, 1))
            return false;
        for (int r = 0; r < model.rowCount(); ++r)
            model.setChecked(r, true);
        list.setDepartmentChooser([] { return std::optional<QString>(kTargetDepartment); });
        if (!list.distribute())
            return false;
        const qint64 manager = Lookups(db_).userCode(kManager);
        return db_.execute(sql::format("update base set base_user_code=%ld,base_user_dep_code=%ld "
                                       "where base_user_code=%ld",
                                       session_.userCode, session_.departmentCode, manager));
    }

    bool restore() {
        const QString target = db_.path();
        db_.close();
        const bool ok =
            DatabaseRestore::restore(backup, target) == DatabaseRestore::Outcome::Restored &&
            DatabaseRestore::restore(other, target) == DatabaseRestore::Outcome::Restored;
        return db_.open(target) && ok;
    }

    // One of the things a user does all day, chosen at random.
    bool mixed() {
        QElapsedTimer timer;
        timer.start();
        const int pick = int(random_.bounded(100));
        bool ok = true;
        if (pick < 30) {
            ok = addContact();
        } else if (pick < 45) {
            ok = modify();
        } else if (pick < 55) {
            ok = trash(true);
        } else if (pick < 65) {
            ok = trash(false);
        } else if (pick < 90) {
            ok = interactions(anyContact());
        } else {
            ok = buildTree();
        }
        summary.longestMs = std::max(summary.longestMs, timer.elapsed());
        ++summary.operations;
        return ok;
    }

    bool modify() {
        const qint64 code = anyContact();
        if (code < 0)
            return true;
        ContactStore store(db_, prompter_);
        ContactLoad load = store.load(code, 1);
        if (!load.complete)
            return false;
        const QString remark = QStringLiteral("第%1次修改").arg(++summary.modified);
        load.record.setValue(QStringLiteral("base_experience"), remark);
        if (!store.save(code, load.record, nullptr))
            return false;
        summary.lastRemark[code] = remark;
        return true;
    }

    // Moves one live contact to the trash, or one back from it.
    bool trash(bool toTrash) {
        const qint64 code = anyContact(toTrash ? QStringLiteral("1") : QStringLiteral("0"));
        if (code < 0)
            return true;
        const bool ok = db_.execute(
            sql::format(toTrash ? "update base set base_invalid_flag=0 \t\t\t\twhere base_code=%s"
                                : "update base set base_invalid_flag=1 \t\t\t\twhere base_code=%s",
                        QString::number(code)));
        if (ok)
            summary.trashed += toTrash ? 1 : -1;
        return ok;
    }

    // The tree as the builder thread builds it: its own connection.
    bool buildTree() {
        Database own(&prompter_);
        if (!own.open(db_.path()))
            return false;
        TextTree sink;
        ReminderNodes nodes(clock_);
        AutoResetEvent stop, done;
        TreeBuilder builder(sink, nodes, stop, done, session_.userCode);
        builder.setStepWait(0);
        ++summary.trees;
        return builder.run(own);
    }

    Database& db_;
    WorkerPrompter& prompter_;
    const Clock& clock_;
    Session session_;
    QRandomGenerator random_;
    qint64 added_ = 0;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    auto option = [&args](const QString& name, const QString& fallback = QString()) {
        const qsizetype at = args.indexOf(name);
        if (at < 0 || at + 1 >= args.size())
            return fallback;
        const QString value = args.at(at + 1);
        args.remove(at, 2);
        return value;
    };
    const qint64 user = option(QStringLiteral("--user"), QStringLiteral("1")).toLongLong();
    const qint64 count = option(QStringLiteral("--count"), QStringLiteral("-1")).toLongLong();
    const quint32 seed = option(QStringLiteral("--seed"), QStringLiteral("1")).toUInt();
    const QDate today = QDate::fromString(
        option(QStringLiteral("--today"), QStringLiteral("2012-05-08")), Qt::ISODate);
    const int days = option(QStringLiteral("--days"), QStringLiteral("60")).toInt();
    const QString backup = option(QStringLiteral("--backup"));
    const QString other = option(QStringLiteral("--other"));
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: fault_worker OPERATION PATH [options]\n");
        return 2;
    }
    WorkerPrompter prompter;
    Database db(&prompter);
    if (!db.open(args.at(1))) {
        std::fprintf(stderr, "failure: %s\n", qPrintable(db.lastError()));
        return 1;
    }
    Session session;
    session.userCode = user;
    session.departmentCode = Lookups(db).departmentOfUser(user);
    const DayClock clock(today);
    Worker worker(db, prompter, clock, session, seed);
    worker.days = days;
    worker.backup = backup;
    worker.other = other;
    say("ready");
    for (qint64 n = 1; count < 0 || n <= count; ++n) {
        if (!worker.once(args.at(0))) {
            std::fprintf(stderr, "failure: %s stopped at %lld\n", qPrintable(args.at(0)),
                         static_cast<long long>(n));
            break;
        }
        say("done", n);
    }
    worker.summary.failures = prompter.failures;
    std::printf("%s\n", qPrintable(worker.summary.toLine()));
    return prompter.failures == 0 ? 0 : 1;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/TreeCommand.h"

#include "base/AutoResetEvent.h"
#include "base/Clock.h"
#include "base/Prompter.h"
#include "db/Database.h"
#include "db/Lookups.h"
#include "tools/AdminSchema.h"
#include "tools/TextTree.h"
#include "tree/ReminderNodes.h"
#include "tree/TreeBuilder.h"

#include <QTextStream>

namespace {

// Keeps the first message of the build: the reason it failed.
class FirstMessage : public Prompter {
  public:
    QString first;
    void notice(const QString&, const QString& text, PromptIcon) override {
        if (first.isEmpty())
            first = text;
    }
    bool ask(const QString&, const QString&) override { return false; }
    std::unique_ptr<ProgressHandle> beginProgress() override {
        struct Nothing : ProgressHandle {
            void setRange(int, int) override {}
            void setPosition(int) override {}
        };
        return std::make_unique<Nothing>();
    }
};

int usage(QTextStream& err) {
    err << "用法: mavor-admin tree --user NAME [--today YYYY-MM-DD] PATH\n";
    return 2;
}

} // namespace

int treeCommand(QStringList args, QTextStream& out, QTextStream& err) {
    QString user;
    QString path;
    QDate today = QDate::currentDate();
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--user" && !args.isEmpty()) {
            user = args.takeFirst();
        } else if (arg == u"--today" && !args.isEmpty()) {
            today = QDate::fromString(args.takeFirst(), QStringLiteral("yyyy-MM-dd"));
            if (!today.isValid()) {
                err << "tree: --today 应为 YYYY-MM-DD\n";
                return 2;
            }
        } else if (!arg.startsWith(u"--") && path.isEmpty()) {
            path = arg;
        } else {
            return usage(err);
        }
    }
    if (user.isEmpty() || path.isEmpty())
        return usage(err);

    FirstMessage prompter;
    Database db(&prompter);
    if (!adminschema::openCurrent(db, path, "tree", err))
        return 1;
    const qint64 code = Lookups(db).userCode(user);
    if (code < 0) {
        err << "tree: "
            << (prompter.first.isEmpty() ? QStringLiteral("没有用户 ") + user : prompter.first)
            << "\n";
        return 1;
    }
    const DayClock clock(today, QTime(12, 0));
    ReminderNodes reminders(clock);
    TextTree tree;
    AutoResetEvent stop, done;
    TreeBuilder(tree, reminders, stop, done, code).run(db);
    if (!prompter.first.isEmpty()) {
        err << "tree: " << prompter.first << "\n";
        return 1;
    }
    for (const QString& line : tree.lines())
        out << line << "\n";
    return 0;
}

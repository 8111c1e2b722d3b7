// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the data cleansing on a database and, with "--die", kills itself at
// the last step before the commit: every contact that will go has been
// written to the trash inside the transaction. tst_cleansing runs it as a
// child process.
//   cleansing_victim PATH DAYS YYYY-MM-DD [--die]
#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/Cleansing.h"
#include "db/Database.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>

namespace {

class Victim : public Prompter {
  public:
    explicit Victim(bool die) : die_(die) {}
    void notice(const QString&, const QString& text, PromptIcon) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }
    bool ask(const QString&, const QString&) override { return true; }
    std::unique_ptr<ProgressHandle> beginProgress() override {
        struct Dying : ProgressHandle {
            bool die = false;
            int upper = 0;
            void setRange(int, int to) override { upper = to; }
            void setPosition(int position) override {
                if (!die || position < upper)
                    return;
                // The walk is over and nothing is committed yet.
                std::printf("before commit\n");
                std::fflush(stdout);
                std::raise(SIGKILL);
            }
        };
        auto handle = std::make_unique<Dying>();
        handle->die = die_;
        return handle;
    }

  private:
    bool die_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    Victim prompter(args.contains(QStringLiteral("--die")));
    Database db(&prompter);
    if (!db.open(args[1]))
        return 1;
    const DayClock clock(QDate::fromString(args[3], Qt::ISODate));
    Cleansing cleansing(db, prompter, clock);
    return cleansing.run(args[2].toInt()) ? 0 : 1;
}

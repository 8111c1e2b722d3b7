// SPDX-License-Identifier: GPL-3.0-or-later
// Times a whole build of the navigation tree over a database, the way the
// builder thread runs it (its own connection, the 10 ms pause after each step),
// and once more without the pauses to show what the statements cost.
//   bench_tree PATH [runs]
#include "base/AutoResetEvent.h"
#include "base/Clock.h"
#include "db/Database.h"
#include "tree/ReminderNodes.h"
#include "tree/TreeBuilder.h"
#include "tree/TreeSink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>

namespace {

// Counts the operations and keeps nothing: the statements are what is measured.
class CountingSink : public TreeSink {
  public:
    int operations = 0;
    void clearTree() override { ++operations; }
    TreeNode findOrAddTopLevel(const QString&, CaptionMatch, const QString&) override {
        ++operations;
        return newNode();
    }
    TreeNode findOrAddChild(TreeNode, const QString&) override {
        ++operations;
        return newNode();
    }
    void removeChildren(TreeNode) override { ++operations; }
    TreeNode addChild(TreeNode, const QString&) override {
        ++operations;
        return newNode();
    }
    void setCaption(TreeNode, const QString&) override { ++operations; }
    void expand(TreeNode) override {}
    void buildStarted() override {}
    void buildEnded(bool) override {}
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        out << "usage: bench_tree PATH [runs]\n";
        return 2;
    }
    const int runs = args.size() > 2 ? std::max(1, args[2].toInt()) : 5;
    Database db;
    if (!db.open(args[1])) {
        out << "cannot open " << args[1] << ": " << db.lastError() << "\n";
        return 1;
    }
    out << "contacts: " << db.count("select count(*) from base") << "\n";
    SystemClock clock;
    ReminderNodes reminders(clock);
    QList<qint64> times;
    int operations = 0;
    for (int i = 0; i < runs; ++i) {
        CountingSink sink;
        AutoResetEvent stop, done;
        TreeBuilder builder(sink, reminders, stop, done, 1);
        QElapsedTimer timer;
        timer.start();
        if (!builder.run(db)) {
            out << "build stopped\n";
            return 1;
        }
        times << timer.elapsed();
        operations = sink.operations;
    }
    std::sort(times.begin(), times.end());
    out << "tree operations per build: " << operations << "\n";
    out << "whole build (ms): min " << times.first() << ", median " << times[times.size() / 2]
        << ", max " << times.last() << " over " << runs << " runs\n";
    return 0;
}

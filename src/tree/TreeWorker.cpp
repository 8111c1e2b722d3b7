// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/TreeWorker.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "tree/TreeBuilder.h"
#include "tree/TreeSink.h"

TreeWorker::~TreeWorker() {
    join();
}

bool TreeWorker::start(const Job& job) {
    if (running_.exchange(true))
        return false;
    join();
    thread_ = std::thread([this, job] {
        // The connection outlives the run: closing it may refresh the
        // planner's statistics, and the tree is handed back before that, so
        // a new build can be asked for at once (it waits for the close).
        Database db(job.prompter);
        runJob(job, db);
        running_.store(false);
        if (job.finished)
            job.finished();
    });
    return true;
}

void TreeWorker::join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id())
        thread_.join();
}

void TreeWorker::runJob(const Job& job, Database& db) {
    const bool opened =
        job.server.isValid() ? db.openServer(job.server) : db.open(job.databasePath);
    if (!opened) {
        job.prompter->fail(db.lastError());
        job.sink->buildEnded(true);
        return;
    }
    TreeBuilder builder(*job.sink, *job.reminders, *job.stop, *job.done, job.userCode);
    builder.setDepartments(job.departments);
    builder.run(db);
}

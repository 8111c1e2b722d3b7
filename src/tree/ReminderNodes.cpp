// SPDX-License-Identifier: GPL-3.0-or-later
#include "tree/ReminderNodes.h"

#include "base/Clock.h"
#include "base/Prompter.h"
#include "db/Database.h"
#include "db/TextFormat.h"
#include "interactions/Reminders.h"
#include "tree/TreeSink.h"

bool ReminderNodes::rebuildReminders(TreeSink& sink, Database& db, qint64 userCode) {
    const TreeNode node = sink.findOrAddTopLevel(kReminderNode);
    sink.removeChildren(node);
    const Reminders::Counts counts = Reminders(db, clock_.today()).rebuild(userCode);
    if (!counts.cleared) {
        if (Prompter* prompter = db.prompter())
            prompter->fail(Reminders::kClearFailed);
        return false;
    }
    if (counts.planned)
        sink.addChild(node, text::format(kPlanned, *counts.planned));
    if (counts.due && counts.overdue) {
        sink.addChild(node, text::format(kDueToday, *counts.due));
        sink.addChild(node, text::format(kOverdue, *counts.overdue));
    }
    return true;
}

void ReminderNodes::buildCare(TreeSink& sink, Database& db, qint64) {
    const TreeNode node = sink.findOrAddTopLevel(kCareNode);
    sink.removeChildren(node);
    const Reminders::Care care = Reminders(db, clock_.today()).care();
    if (care.birthdays)
        sink.addChild(node, text::format(kBirthdays, *care.birthdays));
    if (care.family)
        sink.addChild(node, text::format(kFamily, *care.family));
}

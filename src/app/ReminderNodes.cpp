#include "app/ReminderNodes.h"

#include "app/TreeSink.h"
#include "db/TextFormat.h"

bool ReminderNodes::rebuildReminders(TreeSink& sink, Database&, qint64) {
    const TreeNode node = sink.findOrAddTopLevel(kReminderNode);
    sink.removeChildren(node);
    for (const QString& group : {kPlanned, kDueToday, kOverdue})
        sink.addChild(node, text::format(group, 0));
    return true;
}

void ReminderNodes::buildCare(TreeSink& sink, Database&, qint64) {
    const TreeNode node = sink.findOrAddTopLevel(kCareNode);
    sink.removeChildren(node);
    for (const QString& group : {kBirthdays, kFamily})
        sink.addChild(node, text::format(group, 0));
}

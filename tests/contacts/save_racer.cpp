// SPDX-License-Identifier: GPL-3.0-or-later
// One user at the detail pane, as fast as it goes: loads a contact, adds one
// to the number in its own field, saves with the stamp of the load. A refused
// save is followed by a fresh load, as the user would do. tst_concurrentsaves
// runs two of these on one contact.
//   save_racer LOCATION CODE COLUMN ROUNDS
// Prints "saved N refused M" at the end, and every other message on stderr.
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "support/ScriptedPrompter.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    const qint64 code = args[2].toLongLong();
    const QString& column = args[3];
    const int rounds = args[4].toInt();
    ScriptedPrompter prompter;
    Database db(&prompter);
    if (!db.open(args[1]))
        return 1;
    int saved = 0;
    int refused = 0;
    for (int round = 0; round < rounds; ++round) {
        ContactStore store(db, prompter);
        const ContactLoad load = store.load(code, 1);
        if (!load.complete)
            break;
        // A moment of typing: without it one side's saves would starve the
        // other's on a file, and the two would seldom overlap at all.
        QThread::usleep(QRandomGenerator::global()->bounded(2000));
        ContactRecord record = load.record;
        record.setValue(column, QString::number(record.value(column).toLongLong() + 1));
        prompter.clear();
        if (store.save(code, record, nullptr, load.stamp)) {
            ++saved;
        } else if (store.changedMeanwhile() &&
                   prompter.texts() == QStringList{ContactStore::kChangedMeanwhile}) {
            ++refused;
            prompter.clear();
        } else {
            break;
        }
    }
    for (const QString& text : prompter.texts())
        std::fprintf(stderr, "%s\n", qPrintable(text));
    std::printf("saved %d refused %d\n", saved, refused);
    return saved + refused == rounds ? 0 : 1;
}

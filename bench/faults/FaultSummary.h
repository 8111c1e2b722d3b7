// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace faults {

// What one worker committed, as it prints it at the end and as the runner
// reads it back: "summary operations=... added=..." and one "remark CODE TEXT"
// line per contact it modified (its last remark).
struct FaultSummary {
    qint64 operations = 0;
    qint64 added = 0;        // contacts
    qint64 modified = 0;     // saves of a contact
    qint64 trashed = 0;      // moved to the trash less moved back
    qint64 interactions = 0; // added less deleted
    qint64 trees = 0;        // tree builds
    qint64 longestMs = 0;    // the longest operation, waits for the other side included
    qint64 failures = 0;     // messages of the kind a user would see as an error
    QMap<qint64, QString> lastRemark;
    bool read = false; // a summary line was found

    QString toLine() const {
        QString out = QStringLiteral("summary operations=%1 added=%2 modified=%3 trashed=%4 "
                                     "interactions=%5 trees=%6 longest_ms=%7 failures=%8")
                          .arg(operations)
                          .arg(added)
                          .arg(modified)
                          .arg(trashed)
                          .arg(interactions)
                          .arg(trees)
                          .arg(longestMs)
                          .arg(failures);
        for (auto it = lastRemark.cbegin(); it != lastRemark.cend(); ++it)
            out += QStringLiteral("\nremark %1 %2").arg(it.key()).arg(it.value());
        return out;
    }

    static FaultSummary parse(const QString& output) {
        FaultSummary s;
        for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(QStringLiteral("remark "))) {
                const QString rest = line.mid(7);
                const qsizetype blank = rest.indexOf(u' ');
                s.lastRemark[rest.left(blank).toLongLong()] = rest.mid(blank + 1);
                continue;
            }
            if (!line.startsWith(QStringLiteral("summary ")))
                continue;
            s.read = true;
            for (const QString& pair : line.mid(8).split(u' ', Qt::SkipEmptyParts)) {
                const QString key = pair.section(u'=', 0, 0);
                const qint64 value = pair.section(u'=', 1).toLongLong();
                if (key == u"operations")
                    s.operations = value;
                else if (key == u"added")
                    s.added = value;
                else if (key == u"modified")
                    s.modified = value;
                else if (key == u"trashed")
                    s.trashed = value;
                else if (key == u"interactions")
                    s.interactions = value;
                else if (key == u"trees")
                    s.trees = value;
                else if (key == u"longest_ms")
                    s.longestMs = value;
                else if (key == u"failures")
                    s.failures = value;
            }
        }
        return s;
    }
};

} // namespace faults

// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CsvMapping.h"

#include "base/Settings.h"
#include "exchange/ImportTargets.h"

#include <QUrl>

namespace exchange {

namespace {

constexpr int kMostKept = 300;

QString encoded(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

QString decoded(const QString& text) {
    return QUrl::fromPercentEncoding(text.toLatin1());
}

} // namespace

CsvMapping CsvMapping::guess(const QStringList& firstRow,
                             const QHash<QString, QString>& remembered) {
    CsvMapping m;
    bool anyKnown = false;
    for (const QString& heading : firstRow) {
        const QString key = targets::normalHeading(heading);
        QString target;
        if (!key.isEmpty() && remembered.contains(key)) {
            target = remembered.value(key);
            anyKnown = true;
            if (!target.isEmpty() && !targets::find(target))
                target.clear();
        } else {
            target = targets::recognise(heading);
            anyKnown = anyKnown || !target.isEmpty();
        }
        m.targets << target;
    }
    m.headerRow = anyKnown;
    if (!m.headerRow) {
        // Without headings nothing is guessed: the person maps the columns.
        for (QString& t : m.targets)
            t.clear();
    }
    return m;
}

QHash<QString, QString> CsvMapping::remembered(const Settings& settings) {
    QHash<QString, QString> out;
    const QString text = settings.value(kSettingsKey);
    for (const QString& pair : text.split(u'&', Qt::SkipEmptyParts)) {
        const qsizetype eq = pair.indexOf(u'=');
        if (eq <= 0)
            continue;
        out.insert(decoded(pair.left(eq)), decoded(pair.mid(eq + 1)));
    }
    return out;
}

bool CsvMapping::remember(Settings& settings, const QStringList& headings,
                          const CsvMapping& mapping) {
    if (!mapping.headerRow)
        return true;
    QHash<QString, QString> kept = remembered(settings);
    QStringList order;
    for (qsizetype i = 0; i < headings.size() && i < mapping.targets.size(); ++i) {
        const QString key = targets::normalHeading(headings.at(i));
        if (key.isEmpty())
            continue;
        kept.insert(key, mapping.targets.at(i));
        order << key;
    }
    // The newest choices first; the oldest fall off a long list.
    for (auto it = kept.cbegin(); it != kept.cend(); ++it)
        if (!order.contains(it.key()))
            order << it.key();
    QStringList pairs;
    for (const QString& key : order.mid(0, kMostKept))
        pairs << encoded(key) + u'=' + encoded(kept.value(key));
    return settings.setValue(kSettingsKey, pairs.join(u'&'));
}

} // namespace exchange

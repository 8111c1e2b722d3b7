// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/ImportCleaner.h"

#include "contacts/ContactFields.h"
#include "db/Database.h"
#include "db/Validators.h"
#include "exchange/ImportTargets.h"
#include "exchange/PartialDate.h"

namespace exchange {

namespace {

// Names other programs write for the sexes.
QString sexOf(const QString& value) {
    static const QHash<QString, QString> words = {
        {"m", "男"},    {"male", "男"},      {"man", "男"},     {"男性", "男"},
        {"先生", "男"}, {"f", "女"},         {"female", "女"},  {"woman", "女"},
        {"女性", "女"}, {"女士", "女"},      {"u", "未知"},     {"o", "未知"},
        {"n", "未知"},  {"unknown", "未知"}, {"other", "未知"}, {"保密", "未知"}};
    return words.value(value.trimmed().toLower());
}

// Cuts text to limit UTF-16 units (as the pages' edits count), never halving a
// character outside the basic plane.
QString cut(const QString& text, int limit) {
    QString out = text.left(limit);
    if (!out.isEmpty() && out.back().isHighSurrogate())
        out.chop(1);
    return out;
}

} // namespace

ImportCleaner::ImportCleaner(Database& db) {
    for (const FieldSpec& f : contactFields()) {
        if (f.listSql.isEmpty() || names_.contains(f.listSql))
            continue;
        QSet<QString> set;
        QStringList ordered;
        ready_ = db.query(sql::Statement(f.listSql), [&](const Row& row) {
            set.insert(row.textAt(0));
            ordered << row.textAt(0);
            return true;
        }) && ready_;
        names_.insert(f.listSql, set);
        orderedNames_.insert(f.listSql, ordered);
    }
}

bool ImportCleaner::isRelation(const QString& name) const {
    return names_.value(kRelationListSql).contains(name);
}

QString ImportCleaner::knownName(const QString& column, const QString& name) const {
    const FieldSpec* field = fieldByColumn(column);
    if (!field)
        return {};
    const QString wanted = name.trimmed();
    const QSet<QString>& set = names_[field->listSql];
    if (set.contains(wanted))
        return wanted;
    if (field->source == ListSource::Provinces && wanted.size() >= 2) {
        // "广东" for "广东省", "北京" for "北京市", "内蒙古" for "内蒙古自治区".
        QString found;
        for (const QString& candidate : orderedNames_.value(field->listSql)) {
            if (!candidate.startsWith(wanted))
                continue;
            if (!found.isEmpty())
                return {}; // more than one: no guess
            found = candidate;
        }
        return found;
    }
    return {};
}

void ImportCleaner::clean(IncomingContact& c) const {
    if (!c.refusal.isEmpty())
        return;
    ContactRecord& r = c.record;
    const QString name = r.value(QStringLiteral("base_name")).trimmed();
    if (name.isEmpty()) {
        c.refusal = QStringLiteral("没有姓名");
        return;
    }
    if (!validate::isLegalName(name)) {
        c.refusal = QStringLiteral("姓名“%1”中有非法字符").arg(name);
        return;
    }
    r.setValue(QStringLiteral("base_name"), name);

    // Anything that is not a field of the pages is not stored.
    static const QSet<QString> known = [] {
        QSet<QString> set;
        for (const FieldSpec& f : contactFields())
            for (const QString& column : f.columns())
                set.insert(column);
        return set;
    }();
    for (const QString& column : r.columns())
        if (!known.contains(column))
            r.remove(column);

    for (const FieldSpec& f : contactFields()) {
        const QString label = targets::labelOf(f.column);
        if (f.isDate()) {
            const QString y = r.value(f.dateColumns[0]);
            const QString m = r.value(f.dateColumns[1]);
            const QString d = r.value(f.dateColumns[2]);
            if (y.isEmpty() && m.isEmpty() && d.isEmpty())
                continue;
            const auto date = makeDate(y.trimmed(), m.trimmed(), d.trimmed());
            const bool whole =
                date && !date->year.isEmpty() && !date->month.isEmpty() && !date->day.isEmpty();
            if (!date || (whole && !validate::isValidDay(date->year, date->month, date->day))) {
                c.notes << QStringLiteral("%1“%2”不是有效日期, 未导入")
                               .arg(label, sheetDate({y, m, d}));
                for (const QString& column : f.dateColumns)
                    r.remove(column);
                continue;
            }
            r.setValue(f.dateColumns[0], date->year);
            r.setValue(f.dateColumns[1], date->month);
            r.setValue(f.dateColumns[2], date->day);
            continue;
        }
        if (!r.contains(f.column))
            continue;
        const QString value = r.value(f.column);
        if (value.isEmpty())
            continue;
        if (f.source == ListSource::Fixed) {
            QString entry = value.trimmed();
            if (!f.items.contains(entry) && f.column.endsWith(QLatin1String("_sex")))
                entry = sexOf(entry);
            if (!f.items.contains(entry)) {
                c.notes << QStringLiteral("%1“%2”不是可选的值, 未导入").arg(label, value);
                r.remove(f.column);
            } else {
                r.setValue(f.column, entry);
            }
            continue;
        }
        if (f.isCode()) {
            const QString found = knownName(f.column, value);
            if (found.isEmpty()) {
                c.notes << QStringLiteral("%1“%2”不是已有的选项, 未导入").arg(label, value);
                r.remove(f.column);
            } else {
                r.setValue(f.column, found);
            }
            continue;
        }
        if (f.limit > 0 && value.size() > f.limit) {
            const QString kept = cut(value, f.limit);
            c.notes
                << QStringLiteral("%1超过 %2 个字, 已截断为“%3”").arg(label).arg(f.limit).arg(kept);
            r.setValue(f.column, kept);
        }
    }
}

} // namespace exchange

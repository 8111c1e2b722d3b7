// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/ContactMerger.h"

#include "contacts/ContactFields.h"
#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "db/Statement.h"
#include "exchange/ImportTargets.h"
#include "exchange/PartialDate.h"
#include "quickfind/FindKeys.h"

namespace exchange {

namespace {

const QString kMoveInteractions =
    QStringLiteral("update comm set comm_base_code=%ld where comm_base_code=%ld");
const QString kMoveDocuments =
    QStringLiteral("update doc set doc_base_code=%ld where doc_base_code=%ld");
const QString kMoveAssociations =
    QStringLiteral("update asso set asso_base_code=%ld where asso_base_code=%ld");
const QString kMoveAssociationLinks =
    QStringLiteral("update asso set asso_relation_code=%ld where asso_relation_code=%ld");
const QString kToTrash =
    QStringLiteral("update base set base_invalid_flag=0 \t\t\t\twhere base_code=%s");
const QString kSelfAssociations =
    QStringLiteral("select count(*) from asso where asso_base_code=%ld and asso_relation_code=%ld");
const QString kDeleteSelfAssociations =
    QStringLiteral("delete from asso where asso_base_code=%ld and asso_relation_code=%ld");
const QString kLastChange =
    QStringLiteral("select base_lastmodi_date from base where base_code=%ld");
const QString kStampLastChange =
    QStringLiteral("update base set base_lastmodi_date='%s' where base_code=%ld");

QStringList valuesOf(const ContactRecord& r, const QStringList& columns) {
    QStringList out;
    for (const QString& c : columns)
        out << r.value(c);
    return out;
}

bool isBlank(const QStringList& values) {
    for (const QString& v : values)
        if (!v.isEmpty())
            return false;
    return true;
}

} // namespace

bool ContactMerger::load(const QList<qint64>& codes, QList<ContactRecord>* records) {
    ContactStore store(db_, prompter_);
    records->clear();
    for (qint64 code : codes) {
        const ContactLoad loaded = store.load(code, 1);
        if (!loaded.complete)
            return false;
        records->append(loaded.record);
    }
    return true;
}

QList<MergeField> ContactMerger::differences(const QList<ContactRecord>& records, int survivor) {
    QList<MergeField> out;
    for (const FieldSpec& f : contactFields()) {
        MergeField field;
        field.columns = f.columns();
        field.label = targets::labelOf(f.column);
        bool differ = false;
        for (const ContactRecord& r : records) {
            field.values << valuesOf(r, field.columns);
            differ = differ || field.values.last() != field.values.first();
        }
        if (!differ)
            continue;
        field.chosen = survivor;
        if (isBlank(field.values.value(survivor))) {
            for (int i = 0; i < field.values.size(); ++i) {
                if (!isBlank(field.values.at(i))) {
                    field.chosen = i;
                    break;
                }
            }
        }
        out << field;
    }
    return out;
}

ContactRecord ContactMerger::combine(const QList<ContactRecord>& records, int survivor,
                                     const QList<MergeField>& fields) {
    ContactRecord out = records.value(survivor);
    for (const MergeField& f : fields) {
        const QStringList chosen = f.values.value(f.chosen);
        for (int i = 0; i < f.columns.size(); ++i)
            out.setValue(f.columns.at(i), chosen.value(i));
    }
    return out;
}

QString ContactMerger::shown(const QStringList& values) {
    QString text =
        values.size() >= 3 ? sheetDate({values[0], values[1], values[2]}) : values.value(0);
    if (text.isEmpty())
        return QStringLiteral("(空)");
    return text.replace(u'\n', QChar(0x21B5));
}

QStringList ContactMerger::dropped(const QList<MergeField>& fields) {
    QStringList out;
    for (const MergeField& f : fields) {
        const QStringList kept = f.values.value(f.chosen);
        QList<QStringList> said;
        for (const QStringList& v : f.values) {
            if (isBlank(v) || v == kept || said.contains(v))
                continue;
            said << v;
            out << QStringLiteral("%1“%2”").arg(f.label, shown(v));
        }
    }
    return out;
}

QStringList ContactMerger::notFilled(const ContactRecord& existing, const ContactRecord& incoming) {
    QStringList out;
    for (const FieldSpec& f : contactFields()) {
        const QStringList columns = f.columns();
        const QStringList had = valuesOf(existing, columns);
        const QStringList came = valuesOf(incoming, columns);
        if (!isBlank(had) && !isBlank(came) && had != came)
            out << QStringLiteral("%1“%2”").arg(targets::labelOf(f.column), shown(came));
    }
    return out;
}

ContactRecord ContactMerger::fillEmpty(const ContactRecord& existing,
                                       const ContactRecord& incoming) {
    ContactRecord out = existing;
    for (const FieldSpec& f : contactFields()) {
        const QStringList columns = f.columns();
        if (!isBlank(valuesOf(existing, columns)))
            continue;
        const QStringList values = valuesOf(incoming, columns);
        if (isBlank(values))
            continue;
        for (int i = 0; i < columns.size(); ++i)
            out.setValue(columns.at(i), values.at(i));
    }
    return out;
}

bool ContactMerger::merge(qint64 survivor, const ContactRecord& record,
                          const QList<qint64>& others) {
    if (!db_.begin())
        return false;
    // The others went to the trash: their find keys are written again with the merge.
    if (!mergeWithin(survivor, record, others) || quickfind::findkeys::fillMissing(db_) < 0 ||
        !db_.commit()) {
        db_.rollback();
        return false;
    }
    return true;
}

bool ContactMerger::mergeWithin(qint64 survivor, const ContactRecord& record,
                                const QList<qint64>& others) {
    ContactStore store(db_, prompter_);
    if (!store.writeChanges(survivor, record))
        return false;
    auto lastChange = [this](qint64 code) {
        QString date;
        db_.query(sql::format(kLastChange, code), [&](const Row& row) {
            date = row.textAt(0);
            return false;
        });
        return date;
    };
    QString latest = lastChange(survivor);
    const QString before = latest;
    for (qint64 other : others) {
        if (other == survivor)
            continue;
        // Dates are "%Y-%m-%d", so text order is date order.
        latest = qMax(latest, lastChange(other));
        if (!db_.execute(sql::format(kMoveInteractions, survivor, other)) ||
            !db_.execute(sql::format(kMoveDocuments, survivor, other)) ||
            !db_.execute(sql::format(kMoveAssociations, survivor, other)) ||
            !db_.execute(sql::format(kMoveAssociationLinks, survivor, other)) ||
            !db_.execute(sql::format(kToTrash, QString::number(other))))
            return false;
    }
    int selfLinks = 0;
    if (!db_.query(sql::format(kSelfAssociations, survivor, survivor),
                   [&](const Row& row) {
                       selfLinks = int(row.textAt(0).toInt());
                       return false;
                   }) ||
        !db_.execute(sql::format(kDeleteSelfAssociations, survivor, survivor)))
        return false;
    removedSelfAssociations_ = selfLinks;
    // The survivor now holds the others' interactions: its last change is theirs too.
    if (latest != before && !db_.execute(sql::format(kStampLastChange, latest, survivor)))
        return false;
    return true;
}

} // namespace exchange

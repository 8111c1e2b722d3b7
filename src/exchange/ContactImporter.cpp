// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/ContactImporter.h"

#include "contacts/ContactStore.h"
#include "db/Database.h"
#include "exchange/ContactMerger.h"
#include "exchange/ContactSource.h"
#include "exchange/DuplicateFinder.h"
#include "exchange/ImportCleaner.h"
#include "quickfind/FindKeys.h"

namespace exchange {

namespace {

QString v(const ContactRecord& r, const char* column) {
    return r.value(QString::fromLatin1(column));
}

void list(ImportSummary& s, QList<ImportLine>& lines, const ImportLine& line) {
    if (lines.size() < ContactImporter::kMostListed)
        lines << line;
    else
        ++s.unlisted;
}

} // namespace

ImportSummary ContactImporter::run(ContactSource& source, ImportCleaner& cleaner,
                                   DuplicatePolicy policy, const Progress& progress) {
    ImportSummary s;
    auto fail = [&](const QString& why) {
        db_.rollback();
        s.error = why;
        s.imported = s.merged = s.skipped = 0;
        return s;
    };
    if (!cleaner.isReady())
        return fail(QStringLiteral("参考表读取失败: %1").arg(db_.lastError()));
    DuplicateIndex known;
    if (!known.load(db_))
        return fail(QStringLiteral("读取已有人脉失败: %1").arg(db_.lastError()));
    if (!db_.begin())
        return fail(QStringLiteral("无法开始事务: %1").arg(db_.lastError()));
    ContactStore store(db_, prompter_);
    store.rememberCodes(); // the reference tables stand still inside the transaction
    ContactMerger merger(db_, prompter_);
    IncomingContact c;
    while (source.next(c)) {
        if (progress && !progress(source.position(), source.size())) {
            db_.rollback();
            ImportSummary cancelled;
            cancelled.cancelled = true;
            return cancelled;
        }
        cleaner.clean(c);
        const QString name = v(c.record, "base_name");
        if (!c.refusal.isEmpty()) {
            ++s.refused;
            list(s, s.refusals, {c.line, name, c.refusal});
            continue;
        }
        for (const QString& note : c.notes)
            list(s, s.notes, {c.line, name, note});
        const ContactRecord& r = c.record;
        const qint64 same =
            policy == DuplicatePolicy::Add
                ? 0
                : known.match(name, v(r, "base_mobil"), v(r, "base_email"), v(r, "work_name"));
        if (same > 0 && policy == DuplicatePolicy::Skip) {
            ++s.skipped;
            list(s, s.duplicates,
                 {c.line, name,
                  QStringLiteral("与已有人脉“%1”重复, 已跳过").arg(known.nameOf(same))});
            continue;
        }
        if (same > 0) {
            QList<ContactRecord> existing;
            if (!merger.load({same}, &existing) ||
                !store.writeChanges(same, ContactMerger::fillEmpty(existing.first(), r)))
                return fail(
                    QStringLiteral("第 %1 行合并失败: %2").arg(c.line).arg(db_.lastError()));
            ++s.merged;
            for (const QString& left : ContactMerger::notFilled(existing.first(), r))
                list(s, s.notes,
                     {c.line, name, QStringLiteral("%1与已有的值不同, 合并时未导入").arg(left)});
            list(s, s.duplicates,
                 {c.line, name,
                  QStringLiteral("与已有人脉“%1”重复, 已合并").arg(known.nameOf(same))});
            continue;
        }
        const qint64 code = store.writeNew(r, session_, clock_);
        if (code <= 0)
            return fail(QStringLiteral("第 %1 行保存失败: %2").arg(c.line).arg(db_.lastError()));
        known.add(code, name, v(r, "base_mobil"), v(r, "base_email"), v(r, "work_name"));
        ++s.imported;
    }
    if (!source.error().isEmpty())
        return fail(source.error());
    if (progress && !progress(source.size(), source.size())) {
        db_.rollback();
        ImportSummary cancelled;
        cancelled.cancelled = true;
        return cancelled;
    }
    // Contacts merged away went to the trash: their find keys are written again.
    if (QString error; quickfind::findkeys::fillMissing(db_, &error) < 0)
        return fail(QStringLiteral("提交失败: %1").arg(error));
    if (!db_.commit())
        return fail(QStringLiteral("提交失败: %1").arg(db_.lastError()));
    return s;
}

} // namespace exchange

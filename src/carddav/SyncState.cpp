// SPDX-License-Identifier: GPL-3.0-or-later
#include "carddav/SyncState.h"

#include "db/BatchInsert.h"
#include "db/Database.h"
#include "db/Row.h"
#include "db/Statement.h"

namespace carddav {

namespace {

const QString kBook = QStringLiteral("select davbook_url, davbook_token from davbook");
const QString kNewBook =
    QStringLiteral("insert into davbook (davbook_url, davbook_user, davbook_token) "
                   "values ('%s', '%s', '')");
const QString kToken = QStringLiteral("update davbook set davbook_token='%s'");
const QString kCards = QStringLiteral(
    "select davcard_base_code, davcard_uid, davcard_href, davcard_etag, davcard_digest, "
    "davcard_remote, davcard_remote_etag, davcard_stamp from davcard");
const QString kForget = QStringLiteral("delete from davcard where davcard_base_code=%ld");
const QString kInsert = QStringLiteral(
    "insert into davcard (davcard_base_code, davcard_uid, davcard_href, davcard_etag, "
    "davcard_digest, davcard_remote, davcard_remote_etag, davcard_stamp) values (%ld, '%s', "
    "'%s', '%s', '%s', '%s', '%s', '%s')");

// The columns take no null: an empty text is bound as one.
QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QString::fromLatin1("")) : QVariant(value);
}

} // namespace

bool SyncState::load(const QUrl& book, const QString& user) {
    book_ = book;
    cards_.clear();
    hrefs_.clear();
    QString url;
    bool found = false;
    if (!db_.queryQuietly(sql::Statement(kBook), [&](const Row& row) {
            url = row.textAt(0);
            token_ = row.textAt(1);
            found = true;
            return false;
        }))
        return false;
    if (!found || url != book.toString()) {
        token_.clear();
        return db_.beginQuietly() && db_.executeQuietly(sql::Statement("delete from davbook")) &&
               db_.executeQuietly(sql::Statement("delete from davcard")) &&
               db_.executeQuietly(sql::format(kNewBook, book.toString(), user)) && db_.commit();
    }
    return db_.queryQuietly(sql::Statement(kCards), [&](const Row& row) {
        CardState c;
        c.code = row.numberAt(0);
        c.uid = row.textAt(1);
        c.href = row.textAt(2);
        c.etag = row.textAt(3);
        c.digest = row.textAt(4);
        c.remote = row.textAt(5).toUtf8();
        c.remoteEtag = row.textAt(6);
        c.stamp = row.textAt(7);
        cards_.insert(c.code, c);
        hrefs_.insert(c.href, c.code);
        return true;
    });
}

bool SyncState::saveToken(const QString& token) {
    if (!db_.executeQuietly(sql::format(kToken, token)))
        return false;
    token_ = token;
    return true;
}

const CardState* SyncState::byHref(const QString& href) const {
    const auto it = hrefs_.constFind(href);
    return it == hrefs_.constEnd() ? nullptr : &cards_.find(*it).value();
}

bool SyncState::save(const CardState& c) {
    if (!db_.executeQuietly(sql::format(kForget, c.code)) ||
        !db_.executeQuietly(sql::format(kInsert, c.code, c.uid, c.href, c.etag, c.digest,
                                        QString::fromUtf8(c.remote), c.remoteEtag, c.stamp)))
        return false;
    keep(c);
    return true;
}

bool SyncState::forget(qint64 code) {
    if (!db_.executeQuietly(sql::format(kForget, code)))
        return false;
    drop(code);
    return true;
}

bool SyncState::deleteCodes(const QList<qint64>& codes) {
    for (qsizetype from = 0; from < codes.size(); from += 500) {
        QStringList numbers;
        for (qint64 code : codes.mid(from, 500))
            numbers << QString::number(code);
        // Program-built from the codes, whole numbers only.
        if (!db_.executeQuietly(
                sql::Statement(QStringLiteral("delete from davcard where davcard_base_code in (%1)")
                                   .arg(numbers.join(u',')))))
            return false;
    }
    return true;
}

bool SyncState::saveAll(const QList<CardState>& cards) {
    batchError_.clear();
    if (cards.isEmpty())
        return true;
    const bool own = !db_.inTransaction();
    if (own && !db_.beginQuietly())
        return false;
    auto failed = [&]() {
        if (own)
            db_.rollback();
        return false;
    };
    QList<qint64> codes;
    for (const CardState& c : cards)
        codes << c.code;
    if (!deleteCodes(codes))
        return failed();
    BatchInsert insert(db_, QStringLiteral("davcard"),
                       {QStringLiteral("davcard_base_code"), QStringLiteral("davcard_uid"),
                        QStringLiteral("davcard_href"), QStringLiteral("davcard_etag"),
                        QStringLiteral("davcard_digest"), QStringLiteral("davcard_remote"),
                        QStringLiteral("davcard_remote_etag"), QStringLiteral("davcard_stamp")});
    QString why;
    for (const CardState& c : cards) {
        if (!insert.add({c.code, text(c.uid), text(c.href), text(c.etag), text(c.digest),
                         text(QString::fromUtf8(c.remote)), text(c.remoteEtag), text(c.stamp)},
                        &why)) {
            batchError_ = why;
            return failed();
        }
    }
    if (!insert.finish(&why) || (own && !db_.commit())) {
        batchError_ = why;
        return failed();
    }
    for (const CardState& c : cards)
        keep(c);
    return true;
}

bool SyncState::forgetAll(const QList<qint64>& codes) {
    if (codes.isEmpty())
        return true;
    if (!deleteCodes(codes))
        return false;
    for (qint64 code : codes)
        drop(code);
    return true;
}

void SyncState::keep(const CardState& c) {
    if (const auto old = cards_.constFind(c.code); old != cards_.constEnd())
        hrefs_.remove(old->href);
    cards_.insert(c.code, c);
    hrefs_.insert(c.href, c.code);
}

void SyncState::drop(qint64 code) {
    if (const auto old = cards_.constFind(code); old != cards_.constEnd())
        hrefs_.remove(old->href);
    cards_.remove(code);
}

QString SyncState::error() const {
    return batchError_.isEmpty() ? db_.lastError() : batchError_;
}

} // namespace carddav

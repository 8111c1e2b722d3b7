// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/ServerDialect.h"

#include <QHash>
#include <QMutex>
#include <QRegularExpression>

namespace serverdialect {

namespace {

// Maps a run of statement text that holds no quoted literal or name.
QString mapCode(const QString& code) {
    static const QRegularExpression isValue(
        QStringLiteral(R"(\bis\s+(not\s+)?(-?\d+(?:\.\d+)?|\?)(?![\w.]))"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression likeBound(QStringLiteral(R"(\blike(\s*\?)(?!\s*escape\b))"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression like(QStringLiteral(R"(\blike(?=\s))"),
                                         QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype copied = 0;
    auto it = isValue.globalMatch(code);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += code.mid(copied, m.capturedStart() - copied);
        out += m.capturedLength(1) > 0 ? QStringLiteral("is distinct from ")
                                       : QStringLiteral("is not distinct from ");
        out += m.captured(2);
        copied = m.capturedEnd();
    }
    out += code.mid(copied);
    out.replace(likeBound, QStringLiteral("ilike\\1 escape ''"));
    out.replace(like, QStringLiteral("ilike"));
    // "No limit" is spelt as a negative count by the file engine only.
    static const QRegularExpression noLimit(QStringLiteral(R"(\blimit\s+-1\b)"),
                                            QRegularExpression::CaseInsensitiveOption);
    out.replace(noLimit, QStringLiteral("limit all"));
    // The newest interaction's day numbers are kept in commlast on a server
    // (upgrade 9): the day number of its own three parts is read, not worked out.
    static const auto keptDay = [](const char* part) {
        return QRegularExpression(
            QStringLiteral(R"(\bdaynumber\(\s*((?:\w+\.)?)commlast_%1year\s*,\s*\1commlast_%1month)"
                           R"(\s*,\s*\1commlast_%1day\s*\))")
                .arg(QLatin1StringView(part)),
            QRegularExpression::CaseInsensitiveOption);
    };
    static const QRegularExpression lastDay = keptDay("");
    static const QRegularExpression nextDay = keptDay("next_");
    out.replace(lastDay, QStringLiteral("\\1commlast_day_number"));
    out.replace(nextDay, QStringLiteral("\\1commlast_next_day_number"));
    // The money a column holds (db/Amount.h), written out for the server.
    static const QRegularExpression amountOf(QStringLiteral(R"(\bamount\(\s*([\w.]+)\s*\))"),
                                             QRegularExpression::CaseInsensitiveOption);
    out.replace(amountOf,
                QStringLiteral("(case when coalesce(trim(both ' ' from \\1),'')='' then 0::float8 "
                               "when trim(both ' ' from \\1) ~ '^([0-9]+[.]?[0-9]*|[.][0-9]+)$' "
                               "then trim(both ' ' from \\1)::float8 end)"));
    return out;
}

QString translate(const QString& text) {
    // Split into code and quoted parts: '...' literals (a doubled quote stays
    // inside) and "..." names. Only code is mapped.
    QString out;
    out.reserve(text.size() + 32);
    QString code;
    bool afterLike = false; // the code before a literal ended in "ilike"
    auto flushCode = [&] {
        static const QRegularExpression endsInLike(QStringLiteral(R"(\bilike\s*$)"));
        const QString mapped = mapCode(code);
        out += mapped;
        afterLike = endsInLike.match(mapped).hasMatch();
        code.clear();
    };
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c != u'\'' && c != u'"') {
            code += c;
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < text.size()) {
            if (text.at(end) == c) {
                if (end + 1 < text.size() && text.at(end + 1) == c) {
                    end += 2;
                    continue;
                }
                break;
            }
            ++end;
        }
        const QString quoted = text.mid(i, end - i + 1);
        flushCode();
        if (c == u'"' && quoted == QStringLiteral("\"\"")) {
            out += QStringLiteral("''");
        } else {
            out += quoted;
            if (c == u'\'' && afterLike)
                out += QStringLiteral(" escape ''");
        }
        i = end + 1;
    }
    flushCode();
    return out;
}

} // namespace

QString statement(const QString& text) {
    // The same few hundred statements come back again and again.
    static QMutex mutex;
    static QHash<QString, QString> known;
    {
        QMutexLocker lock(&mutex);
        const auto it = known.constFind(text);
        if (it != known.constEnd())
            return *it;
    }
    QString mapped = translate(text);
    QMutexLocker lock(&mutex);
    if (known.size() > 4096)
        known.clear();
    known.insert(text, mapped);
    return mapped;
}

QString message(const QString& serverText) {
    QString first = serverText.section(u'\n', 0, 0).trimmed();
    static const QRegularExpression severity(QStringLiteral(R"(^(?:ERROR|FATAL):\s*)"));
    first.remove(severity);
    return first;
}

} // namespace serverdialect

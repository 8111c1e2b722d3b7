#include "db/Row.h"

#include <QVariant>

Row::Row(const QSqlQuery& query) : query_(query), record_(query.record()) {}

int Row::indexOf(const QString& column) const {
    auto it = indexes_.constFind(column);
    if (it != indexes_.constEnd())
        return *it;
    int index = record_.indexOf(column);
    if (index < 0) {
        // "u.user_code" is read back as "user_code"
        const qsizetype dot = column.lastIndexOf(u'.');
        if (dot >= 0)
            index = record_.indexOf(column.mid(dot + 1));
    }
    indexes_.insert(column, index);
    return index;
}

QVariant Row::value(const QString& column) const {
    const int index = indexOf(column);
    return index < 0 ? QVariant() : query_.value(index);
}

bool Row::isNull(const QString& column) const {
    const int index = indexOf(column);
    return index < 0 || query_.isNull(index);
}

QString Row::text(const QString& column, const QString& fallback) const {
    const int index = indexOf(column);
    return textAt(index, fallback);
}

qint64 Row::number(const QString& column, qint64 fallback) const {
    return numberAt(indexOf(column), fallback);
}

QString Row::textAt(int index, const QString& fallback) const {
    if (index < 0 || index >= record_.count() || query_.isNull(index))
        return fallback;
    const QVariant value = query_.value(index);
    // A comparison reads 1 or 0 on every engine (a server's truth value would read "true").
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return value.toString();
}

qint64 Row::numberAt(int index, qint64 fallback) const {
    if (index < 0 || index >= record_.count() || query_.isNull(index))
        return fallback;
    bool ok = false;
    const QVariant v = query_.value(index);
    const qint64 n = v.toLongLong(&ok);
    if (ok)
        return n;
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok ? static_cast<qint64>(d) : fallback;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ValidityPeriod.h"

#include "base/Settings.h"
#include "db/Validators.h"

QString ValidityPeriod::shown() const {
    const QString stored = settings_.value(kKey).trimmed();
    return stored.isEmpty() || !validate::isDigits(stored) ? QStringLiteral("30") : stored;
}

ValidityPeriod::Verdict ValidityPeriod::save(const QString& text) {
    if (text.isEmpty())
        return Verdict::Empty;
    if (!validate::isDigits(text))
        return Verdict::NotDigits;
    return settings_.setValue(kKey, text) ? Verdict::Saved : Verdict::NotSaved;
}

QString ValidityPeriod::notSavedMessage() const {
    return QStringLiteral("往来有效期没有保存:设置文件 %1 无法写入,请检查它的权限!")
        .arg(settings_.path());
}

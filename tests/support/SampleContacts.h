// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactRecord.h"

#include <QList>
#include <QPair>
#include <QString>

namespace sample {

// Only what the add sheet insists on, with names the delivered database knows.
inline ContactRecord minimalContact(const QString& name,
                                    const QString& sex = QStringLiteral("男")) {
    ContactRecord r;
    r.setValue("base_name", name);
    r.setValue("base_sex", sex);
    r.setValue("base_sort_code", "A级-核心");
    r.setValue("base_type_code", "客户");
    r.setValue("work_industry_code", "金融");
    r.setValue("work_province_code", "北京市");
    return r;
}

// Texts a user may type that would break a statement built by pasting text.
inline QList<QPair<const char*, QString>> hostileTexts() {
    return {
        {"quote", QStringLiteral("O'Neil")},
        {"quotes in a row", QStringLiteral("'''\"\"")},
        {"percent", QStringLiteral("100%")},
        {"underscore", QStringLiteral("a_b")},
        {"statement", QStringLiteral("'; drop table base; --")},
        {"always true", QStringLiteral("x' or '1'='1")},
        {"conversions", QStringLiteral("%s %ld %d %%")},
        {"question marks", QStringLiteral("?,?)")},
        {"backslashes", QStringLiteral("C:\\文档\\n\\'x")},
        {"10,000 characters", QString(10000, QChar(u'长'))},
        {"emoji", QStringLiteral("😀👨‍👩‍👧 表情")},
        {"control characters", QStringLiteral("a\tb\r\nc\x01")},
    };
}

} // namespace sample

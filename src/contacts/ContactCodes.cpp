// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactCodes.h"

#include "base/Prompter.h"
#include "contacts/ContactFields.h"
#include "db/ErrorMessages.h"
#include "db/Lookups.h"

const QStringList& ContactCodes::baseOrder() {
    static const QStringList order = {
        QStringLiteral("base_sort_code"),          QStringLiteral("base_province_code"),
        QStringLiteral("base_type_code"),          QStringLiteral("work_industry_code"),
        QStringLiteral("work_duty_code"),          QStringLiteral("work_leader_duty_code"),
        QStringLiteral("work_superior_duty_code"), QStringLiteral("work_region_code"),
        QStringLiteral("work_province_code"),
    };
    return order;
}

const QStringList& ContactCodes::homeOrder() {
    static const QStringList order = {QStringLiteral("home_province_code"),
                                      QStringLiteral("home_duty_code")};
    return order;
}

const QStringList& ContactCodes::extendOrder() {
    static const QStringList order = {QStringLiteral("extend_degree_code")};
    return order;
}

qint64 ContactCodes::resolveOne(const QString& column, const QString& name) {
    const QString key = cache_ ? column + QChar(0x1F) + name : QString();
    if (cache_) {
        const auto known = cache_->constFind(key);
        if (known != cache_->constEnd())
            return *known;
    }
    const FieldSpec* field = fieldByColumn(column);
    if (!field)
        return -1;
    Lookups lookups(db_);
    qint64 code = -1;
    switch (field->source) {
    case ListSource::Levels:
        code = lookups.levelCode(name);
        break;
    case ListSource::Relations:
        code = lookups.relationCode(name);
        break;
    case ListSource::Provinces:
        code = lookups.provinceCode(name);
        break;
    case ListSource::Regions:
        code = lookups.regionCode(name);
        break;
    case ListSource::Industries:
        code = lookups.industryCode(name);
        break;
    case ListSource::Posts:
        code = lookups.dutyCode(name);
        break;
    case ListSource::Degrees:
        code = lookups.degreeCode(name);
        break;
    default:
        return -1;
    }
    if (code != -1 && cache_)
        cache_->insert(key, code);
    if (code == -1) {
        if (field->lookupError > 0)
            errors::show(prompter_, field->lookupError);
        else
            prompter_.notice(Prompter::kErrorCaption, kRelationLookupFailure, PromptIcon::Question);
    }
    return code;
}

std::optional<QHash<QString, qint64>> ContactCodes::resolve(const ContactRecord& record,
                                                            const QStringList& order) {
    QHash<QString, qint64> codes;
    for (const QString& column : order) {
        const qint64 code = resolveOne(column, record.value(column));
        if (code == -1)
            return std::nullopt;
        codes.insert(column, code);
    }
    return codes;
}

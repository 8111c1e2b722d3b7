// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactValidation.h"

#include "contacts/LunarBirthday.h"
#include "db/Validators.h"

namespace contactcheck {

namespace {

int flagOf(Set set) {
    return set == Set::Add ? OnAdd : OnModify;
}

// Whether the field's value passes its check. A date is checked only when all
// three parts are given; the other checks only look at a non-empty value.
bool passes(const FieldSpec& field, const ContactRecord& record) {
    const QString value = record.value(field.column);
    switch (field.check) {
    case FieldCheck::None:
        return true;
    case FieldCheck::LegalName:
        return validate::isLegalName(value);
    case FieldCheck::Amount:
        return value.isEmpty() || validate::isAmount(value);
    case FieldCheck::Phone:
        return value.isEmpty() || validate::isPhone(value);
    case FieldCheck::ValidDay: {
        const QString year = record.value(field.dateColumns.value(0));
        const QString month = record.value(field.dateColumns.value(1));
        const QString day = record.value(field.dateColumns.value(2));
        const QString flag = field.hasLunarTick() ? record.value(field.lunarColumn) : QString();
        if (lunarbirthday::isLunar(flag)) {
            // A lunar month and day without a year can be kept any year.
            if (month.isEmpty() || day.isEmpty())
                return true;
            return lunarbirthday::isValid(year, month, day, flag);
        }
        if (year.isEmpty() || month.isEmpty() || day.isEmpty())
            return true;
        return validate::isValidDay(year, month, day);
    }
    }
    return true;
}

} // namespace

std::optional<Failure> checkPage(const ContactRecord& record, ContactPage page, Set set) {
    const int when = flagOf(set);
    for (const auto& field : contactFields()) {
        if (field.page != page || !(field.checkWhen & when))
            continue;
        if (!field.requiredMessage.isEmpty() && record.value(field.column).isEmpty())
            return Failure{field.requiredMessage, page, field.column};
        if (!passes(field, record))
            return Failure{field.checkMessage, page, field.column};
    }
    return std::nullopt;
}

QList<ContactPage> pagesChecked(Set set) {
    if (set == Set::Add)
        return {ContactPage::Base, ContactPage::Work, ContactPage::Extend};
    return {ContactPage::Base, ContactPage::Work, ContactPage::Home, ContactPage::Extend};
}

std::optional<Failure> checkContact(const ContactRecord& record, Set set) {
    for (const ContactPage page : pagesChecked(set))
        if (auto failure = checkPage(record, page, set))
            return failure;
    return std::nullopt;
}

} // namespace contactcheck

// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/RefRecordForm.h"

#include "base/Prompter.h"
#include "db/Database.h"
#include "db/RowWriter.h"
#include "db/Statement.h"
#include "db/TextFormat.h"
#include "db/Validators.h"

namespace {

// "分     值:" -> "分值", for messages.
QString label(const QString& caption) {
    QString out = caption;
    out.remove(u' ');
    out.remove(u':');
    return out;
}

} // namespace

RefRecordForm::RefRecordForm(Database& db, Prompter& prompter, const RefTableDefinition& definition,
                             Mode mode, const QString& code)
    : db_(db), prompter_(prompter), definition_(definition), mode_(mode), code_(code) {}

QString RefRecordForm::title() const {
    return mode_ == Mode::Add ? definition_.addCaption : definition_.modifyTitle;
}

RefRecordForm::Outcome RefRecordForm::submit(const QString& name, const QStringList& fields) {
    if (name.isEmpty()) {
        prompter_.inform(definition_.emptyNameMessage);
        return {false, kNameField};
    }
    // The edit stops at the limit; a longer name reaching here is refused, never cut.
    if (name.size() > definition_.nameMaxLength) {
        prompter_.inform(text::format("%s不能超过%d个字符!", label(definition_.nameCaption),
                                      definition_.nameMaxLength));
        return {false, kNameField};
    }
    if (definition_.checksIllegalCharacters && !validate::isLegalName(name)) {
        prompter_.inform(QStringLiteral("名称中有非法字符!"));
        return {false, kNameField};
    }
    for (int i = 0; i < definition_.fields.size(); ++i) {
        const RefField& field = definition_.fields.at(i);
        const QString value = fields.value(i);
        if (value.isEmpty() && !field.emptyMessage.isEmpty()) {
            prompter_.inform(field.emptyMessage);
            return {false, i};
        }
        if (field.kind == RefField::Kind::Digits &&
            (!validate::isDigits(value) || value.size() > field.maxLength)) {
            prompter_.inform(
                text::format("%s只能是%d位以内的数字!", label(field.caption), field.maxLength));
            return {false, i};
        }
    }
    // A day picked for a month it does not have (02-30, 04-31) is refused; a
    // lunar month may have a 30th, so a lunar date is taken as picked.
    const int month = fieldOf(RefField::Kind::Month);
    const int day = fieldOf(RefField::Kind::Day);
    const int lunar = fieldOf(RefField::Kind::Lunar);
    if (month >= 0 && day >= 0 && fields.value(lunar).toInt() == 0 &&
        !validate::isValidDay(QString(), fields.value(month), fields.value(day))) {
        prompter_.inform(QStringLiteral("日期输入有误!"));
        return {false, day};
    }
    if (!write(name, fields))
        return {false, kNoField};
    return {true, kNoField};
}

int RefRecordForm::fieldOf(RefField::Kind kind) const {
    for (int i = 0; i < definition_.fields.size(); ++i)
        if (definition_.fields.at(i).kind == kind)
            return i;
    return -1;
}

bool RefRecordForm::write(const QString& name, const QStringList& fields) {
    if (mode_ == Mode::Modify && !definition_.modifyStatement.isEmpty()) {
        QList<text::Arg> args{text::toArg(name)};
        for (const QString& value : fields)
            args << text::toArg(value);
        args << text::toArg(code_);
        return db_.execute(sql::formatArgs(definition_.modifyStatement, args, {}));
    }
    RowWriter writer =
        mode_ == Mode::Add
            ? RowWriter(db_, definition_.table)
            : RowWriter(db_, definition_.table,
                        sql::format(definition_.codeColumn + QStringLiteral("=%s"), code_));
    writer.set(definition_.nameColumn, name);
    for (int i = 0; i < definition_.fields.size(); ++i) {
        const RefField& field = definition_.fields.at(i);
        if (field.kind == RefField::Kind::Digits || field.kind == RefField::Kind::Lunar)
            writer.set(field.column, fields.value(i).toLongLong());
        else
            writer.set(field.column, fields.value(i));
    }
    return writer.save();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/DocForm.h"

#include "base/Clock.h"
#include "db/DateForms.h"
#include "db/Validators.h"

#include <QFileInfo>

namespace docform {

namespace {

QStringList numbered(int from, int to, int step = 1) {
    QStringList entries;
    for (int n = from; n <= to; n += step)
        entries << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    return entries;
}

// A part of a date from the form: its digits, and its value within bounds.
bool isPart(const QString& text, int digits, int lowest, int highest) {
    if (text.size() != digits || !validate::isDigits(text))
        return false;
    const int value = text.toInt();
    return value >= lowest && value <= highest;
}

} // namespace

const QList<FieldSpec>& fields() {
    static const QList<FieldSpec> all{
        {DocField::Year, QStringLiteral("提交时间:"), QStringLiteral("年"), Kind::EditableList, 4},
        {DocField::Month, QString(), QStringLiteral("月"), Kind::List, 2},
        {DocField::Day, QString(), QStringLiteral("日"), Kind::List, 2},
        {DocField::Hour, QString(), QStringLiteral("点"), Kind::List, 2},
        {DocField::Minute, QString(), QStringLiteral("分"), Kind::List, 2},
        {DocField::Title, QStringLiteral("文档标题:"), QString(), Kind::Edit, 80},
        // A category name is as long as its editor takes (40).
        {DocField::Category, QStringLiteral("文档类别:"), QString(), Kind::List, 40},
        {DocField::File, QStringLiteral("文  件 名:"), QString(), Kind::Edit, 256},
        {DocField::Keyword, QStringLiteral("关  键 字:"), QString(), Kind::Edit, 256},
        {DocField::Description, QStringLiteral("文档描述:"), QString(), Kind::MultiLine, 1024},
    };
    return all;
}

const FieldSpec& field(DocField which) {
    for (const FieldSpec& entry : fields())
        if (entry.field == which)
            return entry;
    return fields().first();
}

QStringList years(const Clock& clock) {
    const int year = clock.today().year();
    QStringList entries;
    for (int y = year; y > year - 10; --y)
        entries << QString::number(y);
    return entries;
}

QStringList months() {
    return numbered(1, 12);
}

QStringList days() {
    return numbered(1, 31);
}

QStringList hours() {
    return numbered(1, 24);
}

QStringList minutes() {
    return numbered(0, 55, 5);
}

QString caption(DocKind kind, DocMode mode) {
    const bool contact = kind == DocKind::Contact;
    switch (mode) {
    case DocMode::Add:
        return contact ? QStringLiteral("文档增加") : QStringLiteral("我的资料增加");
    case DocMode::Modify:
        return contact ? QStringLiteral("文档修改") : QStringLiteral("我的资料修改");
    case DocMode::Manage:
        break;
    }
    return contact ? QStringLiteral("文档管理") : QStringLiteral("我的资料管理");
}

std::optional<Failure> check(const DocValues& v) {
    // The year is typed as often as picked: it must be a four-digit year, so
    // that stored dates keep sorting as dates.
    const bool date = isPart(v.year, 4, 1, 9999) && isPart(v.month, 2, 1, 12) &&
                      isPart(v.day, 2, 1, 31) && validate::isValidDay(v.year, v.month, v.day);
    if (!date)
        return Failure{QStringLiteral("日期输入有误!"), DocField::Month};
    if (v.path.isEmpty())
        return Failure{QStringLiteral("请输入文件名!"), DocField::File};
    if (!fileExists(v.path))
        return Failure{kFileMissing, DocField::File};
    if (v.title.isEmpty())
        return Failure{QStringLiteral("请输入文档标题!"), DocField::Title};
    if (v.category.isEmpty())
        return Failure{QStringLiteral("请选择文档类别!"), DocField::Category};
    return std::nullopt;
}

bool fileExists(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString bareName(const QString& path) {
    return QFileInfo(path).fileName();
}

QString dateText(const DocValues& v) {
    return dateforms::dashed(v.year, v.month, v.day);
}

void splitDate(const QString& date, DocValues& v) {
    v.year = date.mid(0, 4);
    v.month = date.mid(5, 2);
    v.day = date.mid(8, 2);
}

} // namespace docform

// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactLists.h"

#include "base/Clock.h"
#include "db/Database.h"

namespace {

const QString kTypeTableFailed = QStringLiteral("类型表初始化失败,请检查系统设置!");
const QString kProvinceTableFailed = QStringLiteral("省份表初始化失败,请检查系统设置!");
const QString kIndustryTableFailed = QStringLiteral("行业表初始化失败,请检查系统设置!");
const QString kPostTableFailed = QStringLiteral("职务表初始化失败,请检查系统设置!");

QStringList numbered(int count) {
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return out;
}

} // namespace

QStringList ContactLists::years(const Clock& clock) {
    QStringList out;
    const int year = clock.today().year();
    for (int y = year; y > year - 100; --y)
        out << QString::number(y);
    return out;
}

QStringList ContactLists::months() {
    return numbered(12);
}

QStringList ContactLists::days() {
    return numbered(31);
}

std::optional<QStringList> ContactLists::column(const QString& statement) {
    // Read quietly: a failure here is reported by the page's own message.
    QStringList out;
    if (!db_.queryQuietly(sql::format(statement), [&](const Row& row) {
            out << row.textAt(0);
            return true;
        }))
        return std::nullopt;
    return out;
}

std::optional<QStringList> ContactLists::entries(ListSource source, const Clock& clock) {
    switch (source) {
    case ListSource::Years:
        return years(clock);
    case ListSource::Months:
        return months();
    case ListSource::Days:
        return days();
    case ListSource::Levels:
        return column(kLevelListSql);
    case ListSource::Relations:
        return column(kRelationListSql);
    case ListSource::Provinces:
        return column(kProvinceListSql);
    case ListSource::Regions:
        return column(kRegionListSql);
    case ListSource::Industries:
        return column(kIndustryListSql);
    case ListSource::Posts:
        return column(kPostListSql);
    case ListSource::Degrees:
        return column(kDegreeListSql);
    case ListSource::None:
    case ListSource::Fixed:
        break;
    }
    return QStringList();
}

QList<ListSource> ContactLists::fillOrder(ContactPage page) {
    switch (page) {
    case ContactPage::Base:
        return {ListSource::Years, ListSource::Levels, ListSource::Provinces,
                ListSource::Relations};
    case ContactPage::Work:
        return {ListSource::Provinces, ListSource::Regions, ListSource::Industries,
                ListSource::Posts};
    case ContactPage::Home:
        return {ListSource::Years, ListSource::Provinces, ListSource::Posts};
    case ContactPage::Extend:
        return {ListSource::Degrees, ListSource::Years};
    case ContactPage::Society:
        break;
    }
    return {};
}

bool ContactLists::stopsAfterFailure(ContactPage page, ListSource failed) {
    return page == ContactPage::Extend && failed == ListSource::Degrees;
}

QString ContactLists::fillFailure(ContactPage page, ListSource source) {
    switch (page) {
    case ContactPage::Base:
        if (source == ListSource::Years || source == ListSource::Levels)
            return kTypeTableFailed;
        if (source == ListSource::Provinces)
            return kProvinceTableFailed;
        break;
    case ContactPage::Work:
        if (source == ListSource::Provinces || source == ListSource::Regions)
            return kProvinceTableFailed;
        if (source == ListSource::Industries)
            return kIndustryTableFailed;
        if (source == ListSource::Posts)
            return kPostTableFailed;
        break;
    case ContactPage::Home:
        if (source == ListSource::Years)
            return kTypeTableFailed;
        if (source == ListSource::Provinces)
            return kProvinceTableFailed;
        break;
    case ContactPage::Extend:
        if (source == ListSource::Degrees)
            return kTypeTableFailed;
        break;
    case ContactPage::Society:
        break;
    }
    return {};
}

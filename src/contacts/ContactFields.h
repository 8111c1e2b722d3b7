// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The five pages of a contact as data: one FieldSpec per field, in the order
// the page shows them. The page widgets are built from this table, load and
// save map fields to columns by name, and validation walks it in order, so a
// field's caption, limit, column and checks live here once.

// The pages in the order of the tab control.
enum class ContactPage {
    Base = 0,    // CBasePage, "基本信息"
    Work = 1,    // CWorkPage, "单位信息"
    Home = 2,    // CHomePage, "家庭信息"
    Society = 3, // CSocietyPage, "社交信息"
    Extend = 4,  // CExtendPage, "扩展信息"
};
inline constexpr int kContactPageCount = 5;

// What a page is: its tab, its form and the table its columns live in.
struct PageInfo {
    ContactPage page;
    QString tabCaption; // "基本信息"
    QString tabText;    // "&Page1"
    int form;           // form number (107, 144, 146, 147, 145)
    QString className;  // "CBasePage"
    QString table;      // table of the page's columns ("base" for the first two pages)
    int bandCount;      // bands separated by horizontal rules; 0 when the page has none
};

enum class FieldKind {
    Edit,       // one-line edit
    SearchEdit, // one-line edit with the button "查" beside it (see FieldSpec::search)
    MultiLine,  // edit of several lines; Enter inserts a line break
    List,       // drop-down list; a value can only be chosen from its entries
    Date,       // three lists captioned "年", "月", "日"; columns in dateColumns
};

// Where a list's entries come from.
enum class ListSource {
    None,       // not a list
    Fixed,      // FieldSpec::items
    Years,      // this year and the 99 before it, newest first ("%d")
    Months,     // "01".."12"
    Days,       // "01".."31"
    Levels,     // kLevelListSql
    Relations,  // kRelationListSql
    Provinces,  // kProvinceListSql
    Regions,    // kRegionListSql
    Industries, // kIndustryListSql
    Posts,      // kPostListSql
    Degrees,    // kDegreeListSql
};

// Which "查" button a SearchEdit carries.
enum class FieldSearch { None, Name, Unit };

// Which check of the typed value a field gets after its required check.
enum class FieldCheck {
    None,
    LegalName, // validate::isLegalName
    Amount,    // validate::isAmount (non-empty only)
    Phone,     // validate::isPhone (non-empty only)
    ValidDay,  // validate::isValidDay, only when year, month and day are all given
};

// When a check runs: the add sheet and the detail pane check different sets.
enum CheckWhen { OnAdd = 0x1, OnModify = 0x2, OnBoth = OnAdd | OnModify };

struct FieldSpec {
    ContactPage page = ContactPage::Base; // page the field is on
    QString caption; // label text exactly as shown, blanks included ("姓      名:")
    // A second label before the same control ("国籍:" after "原籍:"), else empty.
    QString extraCaption;
    QString role; // whose value the field is when the caption alone does not say:
                  // "spouse", "child", "leader", "superior"; empty otherwise (not shown)
    FieldKind kind = FieldKind::Edit; // control type
    int limit = 0;           // most characters taken from the control; 0 = no limit; for a Date
                             // the year list's limit (month and day lists take 2)
    QString column;          // column written; for a Date the year column. A column ending in
                             // "_code" holds a code, but ContactRecord carries the NAME shown
    QStringList dateColumns; // Date only: year, month and day columns
    // Date only: the column of the "农历" tick beside a birthday, else empty. In
    // a record it reads "" (Gregorian), "1" (the month and day are lunar) or
    // "2" (lunar, in the leap month); stored as 0, 1 or 2.
    QString lunarColumn;
    // Where a List's (or a Date's year list's) entries come from.
    ListSource source = ListSource::None;
    QStringList items;   // Fixed lists: the entries in order
    QString listSql;     // statement-filled lists: the statement (one of the constants below)
    int lookupError = 0; // code columns: error-table number shown when the name has no code;
                         // 0 for the relation category (it shows kRelationLookupFailure)
    int band = -1;       // band on the work and family pages (0..2); -1 elsewhere
    FieldSearch search = FieldSearch::None; // SearchEdit only: which search its "查" button runs
    QString requiredMessage; // shown when the field is empty; empty when the field is optional
    FieldCheck check = FieldCheck::None; // check applied to a non-empty value
    QString checkMessage;                // shown when the check fails
    int checkWhen = OnBoth; // CheckWhen flags of both the required check and the value check

    bool isCode() const { return column.endsWith(QLatin1String("_code")); }
    bool isDate() const { return kind == FieldKind::Date; }
    bool hasLunarTick() const { return !lunarColumn.isEmpty(); }
    // The record keys of the field: its column, or the three date columns and
    // the lunar tick's column when it has one.
    QStringList columns() const {
        if (!isDate())
            return {column};
        return hasLunarTick() ? dateColumns + QStringList{lunarColumn} : dateColumns;
    }
};

// The statements that fill the lists.
inline const QString kLevelListSql =
    QStringLiteral("select sort_name from sort where sort_name<>'' order by sort_value desc");
inline const QString kRelationListSql =
    QStringLiteral("select relationsort_name from relationsort where relationsort_name<>'' "
                   "order by relationsort_name");
inline const QString kProvinceListSql = QStringLiteral(
    "select province_name from province where province_name<>'' order by province_name");
inline const QString kRegionListSql =
    QStringLiteral("select region_name from region where region_name<>'' order by region_name");
inline const QString kIndustryListSql =
    QStringLiteral("select industry_name from industry where industry_name<>''");
inline const QString kPostListSql =
    QStringLiteral("select duty_name from duty where duty_name<>'' order by duty_value desc");
inline const QString kDegreeListSql =
    QStringLiteral("select degree_name from degree where degree_name<>''");

// What a failed relation category lookup shows (caption "错误", question icon).
inline const QString kRelationLookupFailure = QStringLiteral("数据库操作失败!");

// Every field of the five pages, page by page, each page in display order.
const QList<FieldSpec>& contactFields();
// The five pages in tab order.
const QList<PageInfo>& contactPages();
const PageInfo& pageInfo(ContactPage page);
// The fields of one page in display order.
QList<FieldSpec> fieldsOf(ContactPage page);
// The field that writes column (a Date is found by any of its three columns or
// its lunar tick's);
// nullptr when no field does.
const FieldSpec* fieldByColumn(const QString& column);
// Every record key of a page (date fields give their three columns).
QStringList columnsOf(ContactPage page);

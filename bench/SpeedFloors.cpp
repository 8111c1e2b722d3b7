// SPDX-License-Identifier: GPL-3.0-or-later
#include "SpeedFloors.h"

#include "FloorSheet.h"

#include "db/Database.h"
#include "db/DateForms.h"
#include "db/Days.h"
#include "db/TextFormat.h"
#include "reports/ContactListSheet.h"
#include "reports/DateRange.h"
#include "reports/StatisticsSheet.h"
#include "tree/DepartmentNodes.h"
#include "tree/ReminderNodes.h"
#include "tree/TreeCounts.h"

#include <algorithm>

namespace speed {

namespace {

// Each folder: its table, the contact column that points to it and its order.
struct FolderShape {
    const char* table;
    const char* column;
    const char* order;
};
const FolderShape kShapes[6] = {
    {"relationsort", "base_type_code", "x.relationsort_name DESC"},
    {"sort", "base_sort_code", "x.sort_value DESC"},
    {"region", "work_region_code", "x.region_name DESC"},
    {"province", "work_province_code", "x.province_name DESC"},
    {"duty", "work_duty_code", "x.duty_value DESC"},
    {"industry", "work_industry_code", "x.industry_name DESC"},
};

QString folderPart(int index) {
    const FolderShape& f = kShapes[index];
    const QString t = QString::fromLatin1(f.table);
    return QStringLiteral("select * from (select %1 as part,row_number() over (order by %2) as "
                          "pos,x.%3_name as name,(select count(*) from base b where b.%4=x.%3_code "
                          "and b.base_invalid_flag=1) as n,0 as code from %3 x) as f where n>0")
        .arg(index + 1)
        .arg(QString::fromLatin1(f.order), t, QString::fromLatin1(f.column));
}

// Every count of the tree in one statement: part 0 the root, 1-6 the folders,
// 7 the reminder types (of the rows the floor wrote), 8 the care counts, 9 the
// document categories, 10 their titles, 11 the trash.
sql::Statement treeStatement(const QString& month) {
    QStringList parts{QStringLiteral("select 0 as part,0 as pos,'' as name,count(*) as n,0 as code "
                                     "from base where base_invalid_flag=1")};
    for (int i = 0; i < 6; ++i)
        parts << folderPart(i);
    parts << QStringLiteral(
                 "select 7,cast(tmptrans_type as integer),'',count(*),0 from tmptrans where "
                 "tmptrans_user_code=%ld group by tmptrans_type")
          << QStringLiteral("select 8,1,'',count(*),0 from base where base_month='%s'")
          << QStringLiteral("select 8,2,'',count(*),0 from home h join base b on "
                            "h.home_base_code=b.base_code where h.home_month='%s' or "
                            "h.home_child_month='%s'")
          << QStringLiteral("select 9,row_number() over (order by x.docsort_name DESC),"
                            "x.docsort_name,count(*),x.docsort_code from docsort x join doc d on "
                            "d.doc_docsort_code=x.docsort_code join base b on "
                            "d.doc_base_code=b.base_code and b.base_invalid_flag=1 group by "
                            "x.docsort_code")
          << QStringLiteral("select 10,row_number() over (partition by d.doc_docsort_code order "
                            "by d.doc_title),d.doc_title,0,d.doc_docsort_code from doc d join "
                            "base b on d.doc_base_code=b.base_code and b.base_invalid_flag=1")
          << QStringLiteral("select 11,0,'',count(*),0 from base where base_invalid_flag=0");
    return sql::format(parts.join(QStringLiteral(" union all ")), Floors::kUser, month, month,
                       month);
}

// Planned, due and overdue in one insert, the newest interactions read from
// commlast; %ld after the user's code is today's day number.
const QString kReminderRows = QStringLiteral(
    "insert into tmptrans(tmptrans_base_code,tmptrans_type,tmptrans_user_code) "
    "select b.base_code,'1',cast(%ld as integer) from comm c join base b on "
    "c.comm_base_code=b.base_code "
    "where b.base_invalid_flag=1 and c.comm_next_year='%s' and c.comm_next_month='%s' and "
    "c.comm_next_day='%s' "
    "union all select code,kind,cast(%ld as integer) from (select b.base_code as "
    "code,case when l.commlast_base_code is null then case when "
    "%ld-daynumber(substr(b.base_create_date,1,4),substr(b.base_create_date,6,2),"
    "substr(b.base_create_date,9,2))>s.sort_frequence then '3' else '2' end "
    "when l.commlast_next_year='' then case when "
    "%ld-daynumber(l.commlast_year,l.commlast_month,l.commlast_day)=s.sort_frequence then '2' "
    "when %ld-daynumber(l.commlast_year,l.commlast_month,l.commlast_day)>s.sort_frequence "
    "then '3' else '' end when %ld-daynumber(l.commlast_next_year,l.commlast_next_month,"
    "l.commlast_next_day)>0 then '3' else '' end as kind from base b "
    "join sort s on b.base_sort_code=s.sort_code left join commlast l on "
    "l.commlast_base_code=b.base_code where b.base_invalid_flag=1 order by b.base_code "
    "limit -1) as r where kind<>''");

const QString kClearRows = QStringLiteral("delete from tmptrans where tmptrans_user_code=%ld");

QString caption(const QString& name, qint64 n) {
    return tree::valueCaption(name, n);
}

} // namespace

void Floors::reminders(Database& db) const {
    db.execute(sql::format(kClearRows, kUser));
    const qint64 day = dates::dayNumber(today_.year(), today_.month(), today_.day());
    db.execute(sql::format(kReminderRows, kUser, today_.toString(QStringLiteral("yyyy")), month(),
                           today_.toString(QStringLiteral("dd")), kUser, day, day, day, day));
}

void Floors::dropReminders(Database& db) const {
    db.execute(sql::format(kClearRows, kUser));
}

QMap<QPair<QString, qint64>, int> Floors::reminderRows(Database& db, qint64 user) const {
    QMap<QPair<QString, qint64>, int> rows;
    db.query(sql::format("select tmptrans_type,tmptrans_base_code from tmptrans where "
                         "tmptrans_user_code=%ld",
                         user),
             [&](const Row& r) {
                 ++rows[{r.textAt(0), r.numberAt(1)}];
                 return true;
             });
    return rows;
}

QStringList Floors::tree(Database& db) const {
    reminders(db);
    struct Part {
        qint64 pos;
        QString name;
        qint64 n;
        qint64 code;
    };
    QMap<int, QList<Part>> parts;
    db.query(treeStatement(month()), [&](const Row& r) {
        parts[int(r.numberAt(0))].append(
            {r.numberAt(1), r.textAt(2), r.numberAt(3), r.numberAt(4)});
        return true;
    });
    for (auto& list : parts)
        std::sort(list.begin(), list.end(),
                  [](const Part& a, const Part& b) { return a.pos < b.pos; });

    QStringList lines;
    lines << text::format(TreeBuilder::kRootCaption, parts.value(0).value(0).n);
    for (int i = 0; i < 6; ++i) {
        lines << QStringLiteral("  ") + TreeBuilder::kFolders[i].caption;
        for (const Part& p : parts.value(i + 1))
            lines << QStringLiteral("    ") + caption(p.name, p.n);
    }
    qint64 types[4] = {0, 0, 0, 0};
    for (const Part& p : parts.value(7))
        if (p.pos >= 1 && p.pos <= 3)
            types[p.pos] = p.n;
    lines << ReminderNodes::kReminderNode
          << QStringLiteral("  ") + text::format(ReminderNodes::kPlanned, types[1])
          << QStringLiteral("  ") + text::format(ReminderNodes::kDueToday, types[2])
          << QStringLiteral("  ") + text::format(ReminderNodes::kOverdue, types[3]);
    lines << ReminderNodes::kCareNode
          << QStringLiteral("  ") +
                 text::format(ReminderNodes::kBirthdays, parts.value(8).value(0).n)
          << QStringLiteral("  ") + text::format(ReminderNodes::kFamily, parts.value(8).value(1).n);
    lines << TreeBuilder::kDocumentsNode;
    for (const Part& sort : parts.value(9)) {
        lines << QStringLiteral("  ") + caption(sort.name, sort.n);
        for (const Part& title : parts.value(10))
            if (title.code == sort.code)
                lines << QStringLiteral("    ") + title.name;
    }
    lines << text::format(TreeBuilder::kTrashCaption, parts.value(11).value(0).n);
    return lines;
}

bool Floors::sameTree(const QStringList& ours, const QStringList& floor) {
    return ours == floor;
}

QStringList Floors::folder(Database& db, const TreeBuilder::Folder& f) const {
    int index = 0;
    while (index < 6 && TreeBuilder::kFolders[index].caption != f.caption)
        ++index;
    QStringList captions;
    db.query(sql::Statement(folderPart(index) + QStringLiteral(" order by pos")),
             [&](const Row& r) {
                 captions << caption(r.textAt(2), r.numberAt(3));
                 return true;
             });
    return captions;
}

QStringList Floors::departments(Database& db) const {
    QStringList lines;
    qint64 previous = -1;
    db.query(sql::Statement(QStringLiteral(
                 "select d.dep_code,d.dep_name,(select count(*) from base where "
                 "base_user_dep_code=d.dep_code and base_invalid_flag=1),u.user_name,(select "
                 "count(*) from base where base_user_code=u.user_code and base_invalid_flag=1),"
                 "u.user_code from dep d left join userlogin u on u.user_dep_code=d.dep_code "
                 "order by d.dep_name DESC,u.user_name")),
             [&](const Row& r) {
                 if (r.numberAt(0) != previous)
                     lines << QStringLiteral("  ") + caption(r.textAt(1), r.numberAt(2));
                 previous = r.numberAt(0);
                 if (r.numberAt(5) >= 0)
                     lines << QStringLiteral("    ") + caption(r.textAt(3), r.numberAt(4));
                 return true;
             });
    return lines;
}

QPair<qint64, qint64> Floors::care(Database& db) const {
    QPair<qint64, qint64> counts{-1, -1};
    db.query(sql::format("select (select count(*) from base where base_month='%s'),(select "
                         "count(*) from home h join base b on h.home_base_code=b.base_code where "
                         "h.home_month='%s' or h.home_child_month='%s')",
                         month(), month(), month()),
             [&](const Row& r) {
                 counts = {r.numberAt(0), r.numberAt(1)};
                 return false;
             });
    return counts;
}

Floors::Rows Floors::allContacts(Database& db, bool keep) const {
    Rows rows;
    rows.rows = 0;
    db.query(sql::Statement(QStringLiteral(
                 "select b.base_code,b.base_name,d.duty_name,s.sort_name,b.base_mobil,"
                 "b.base_phone,b.work_name,b.work_branch_name,b.base_lastmodi_date from base b "
                 "join duty d on b.work_duty_code=d.duty_code left join sort s on "
                 "s.sort_code=b.base_sort_code where b.base_invalid_flag=1 order by b.work_name "
                 "desc,d.duty_value desc,b.base_lastmodi_date DESC")),
             [&](const Row& r) {
                 if (keep) {
                     QStringList cells;
                     for (int c = 0; c < r.columnCount(); ++c)
                         cells << r.textAt(c);
                     rows.texts << cells.join(u'|');
                 } else {
                     for (int c = 0; c < r.columnCount(); ++c)
                         r.textAt(c);
                 }
                 ++rows.rows;
                 return true;
             });
    return rows;
}

QList<Floors::Query> Floors::queries(InteractionQuery& query) const {
    // The shown texts of InteractionResults, its time column left out.
    const QString columns = QStringLiteral(
        "select c.comm_year||'-'||c.comm_month||'-'||c.comm_day,i.business_name,c.comm_place,"
        "c.comm_reason,s.sort_name,b.base_name,d.duty_name,b.work_name,c.comm_client,"
        "c.comm_myjoin,c.comm_gift,c.comm_cost,c.comm_tran from comm c join base b on "
        "b.base_code=c.comm_base_code join duty d on d.duty_code=b.work_duty_code join sort s on "
        "s.sort_code=b.base_sort_code join business i on i.business_code=c.comm_business_code "
        "where b.base_user_code=1 and b.base_invalid_flag=1 ");
    const QString order = QStringLiteral(" order by c.comm_base_code DESC");
    const QDate monthStart(today_.year(), today_.month(), 1);
    const QDate lastMonth = monthStart.addMonths(-1);
    const QDate lastMonthEnd = monthStart.addDays(-1);
    InteractionQueryForm month;
    const QString two = QStringLiteral("%1").arg(lastMonth.month(), 2, 10, QLatin1Char('0'));
    month.dates = {
        QString::number(lastMonth.year()), two, QStringLiteral("01"),
        QString::number(lastMonth.year()), two, QString::number(lastMonth.daysInMonth())};
    InteractionQueryForm name;
    name.name = QStringLiteral("王");
    name.dates.startYear = QString::number(today_.year());

    QList<Query> out;
    out.append({QStringLiteral("today (当日往来)"), query.today(),
                sql::format(columns + QStringLiteral("and c.comm_date='%s'") + order, iso())});
    out.append(
        {QStringLiteral("last month"), *query.conditions(month),
         sql::format(columns + QStringLiteral("and c.comm_date between '%s' and '%s'") + order,
                     lastMonth.toString(Qt::ISODate), lastMonthEnd.toString(Qt::ISODate))});
    out.append({QStringLiteral("name like 王, this year"), *query.conditions(name),
                sql::format(columns +
                                QStringLiteral("and b.base_name like '%s%s%s' and c.comm_date "
                                               "between '%s' and '%s'") +
                                order,
                            // A value's own % is matched as itself: the wildcards are
                            // sql::kAnyText, as in the program's own statement.
                            sql::kAnyText, QStringLiteral("王"), sql::kAnyText,
                            QStringLiteral("%1-01-01").arg(today_.year()), iso())});
    out.append(
        {QStringLiteral("all of them"), *query.conditions({}), sql::Statement(columns + order)});
    return out;
}

bool Floors::sameInteractions(const ReportRows& ours, const QStringList& floor) {
    // Rows of one contact come in no particular order: compare the sorted texts.
    QStringList mine;
    mine.reserve(ours.size());
    for (qsizetype r = 0; r < ours.size(); ++r) {
        QStringList cells = ours.texts(r).mid(1);
        cells.removeAt(1); // the time
        mine << cells.join(u'|');
    }
    QStringList theirs = floor;
    std::sort(mine.begin(), mine.end());
    std::sort(theirs.begin(), theirs.end());
    return mine == theirs;
}

void Floors::cleansing(Database& db, int days) const {
    db.execute(sql::format("update base set base_invalid_flag=0 where base_code not in (select "
                           "comm_base_code from comm where comm_date>='%s')",
                           today_.addDays(-days).toString(Qt::ISODate)));
}

// An export writes the list's rows in the list's order (company names in
// pinyin order, ...): the one statement giving the same cells orders them so.
void Floors::listExport(Database& db, const QString& written) const {
    FloorSheet sheet;
    const bool write = !written.isEmpty();
    if (write) {
        sheet.cell(1, 4, ContactListSheet::kTitle);
        sheet.cell(3, 8, iso());
        for (int c = 0; c < ContactListSheet::headers().size(); ++c)
            sheet.cell(4, c + 1, ContactListSheet::headers().at(c));
    }
    int row = 5;
    db.query(sql::Statement(QStringLiteral(
                 "select b.base_name,b.base_sex,d.duty_name,b.base_phone,b.base_mobil,b.work_name,"
                 "b.work_address,b.work_areacode,u.user_name from base b join duty d on "
                 "b.work_duty_code=d.duty_code join userlogin u on b.base_user_code=u.user_code "
                 "where b.base_invalid_flag=1 order by b.work_name desc,d.duty_value desc,"
                 "b.base_lastmodi_date DESC")),
             [&](const Row& r) {
                 if (!write) {
                     for (int c = 0; c < r.columnCount(); ++c)
                         r.textAt(c);
                     return true;
                 }
                 // name, sex, post, area code, phone, mobile, company, address
                 static const int kColumns[] = {0, 1, 2, 7, 3, 4, 5, 6};
                 for (int c = 0; c < 8; ++c)
                     sheet.cell(row, c + 1, r.textAt(kColumns[c]));
                 ++row;
                 return true;
             });
    if (write)
        sheet.save(written);
}

void Floors::labelExport(Database& db, const QString& written) const {
    FloorSheet sheet;
    const bool write = !written.isEmpty();
    // A band of six rows holds two labels side by side: the first is kept
    // until the second comes, so that the rows are written in order.
    QString left[4];
    int labels = 0;
    const auto band = [&](const QString* right) {
        const int top = (labels - 1) / 2 * 6 + 1;
        static const int kLines[] = {0, 1, 2, 4};
        for (int line = 0; line < 4; ++line) {
            sheet.cell(top + kLines[line], 1, left[line]);
            if (right)
                sheet.cell(top + kLines[line], 2, right[line]);
        }
    };
    db.query(sql::Statement(QStringLiteral(
                 "select b.work_zip,b.work_address,b.base_name,b.work_name from base b join duty "
                 "d on b.work_duty_code=d.duty_code where b.base_invalid_flag=1 order by "
                 "b.work_name desc,d.duty_value desc,b.base_lastmodi_date DESC")),
             [&](const Row& r) {
                 if (!write) {
                     for (int c = 0; c < r.columnCount(); ++c)
                         r.textAt(c);
                     return true;
                 }
                 const QString lines[4] = {QStringLiteral("邮编:") + r.textAt(0),
                                           QStringLiteral("地址:") + r.textAt(1), r.textAt(3),
                                           r.textAt(2) + QStringLiteral("(收)")};
                 if (++labels % 2 == 1)
                     std::copy(std::begin(lines), std::end(lines), std::begin(left));
                 else
                     band(lines);
                 return true;
             });
    if (write) {
        if (labels % 2 == 1)
            band(nullptr);
        sheet.save(written);
    }
}

void Floors::statistics(Database& db, const sql::Statement& floor, const QString& written) const {
    FloorSheet sheet;
    const bool write = !written.isEmpty();
    if (write) {
        sheet.cell(1, 6, StatisticsSheet::kTitle);
        sheet.cell(3, 13, StatisticsSheet::kDateCaption);
        sheet.cell(3, 14, iso());
        for (int c = 0; c < StatisticsSheet::headers().size(); ++c)
            sheet.cell(4, c + 1, StatisticsSheet::headers().at(c));
    }
    int row = 5;
    db.query(floor, [&](const Row& r) {
        for (int c = 0; c < r.columnCount(); ++c) {
            if (write)
                sheet.cell(row, c + 1, r.textAt(c));
            else
                r.textAt(c);
        }
        ++row;
        return true;
    });
    if (write)
        sheet.save(written);
}

} // namespace speed

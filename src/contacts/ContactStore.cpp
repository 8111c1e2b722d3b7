// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactStore.h"

#include "base/Clock.h"
#include "base/Prompter.h"
#include "contacts/ContactCodes.h"
#include "contacts/ContactFields.h"
#include "contacts/LunarBirthday.h"
#include "db/Database.h"
#include "db/DateForms.h"
#include "db/ErrorMessages.h"
#include "db/RowWriter.h"
#include "db/Statement.h"
#include "featureapi/Session.h"
#include "quickfind/FindKeys.h"
#include "quickfind/PinyinReadings.h"

namespace {

const QString kBaseRow = QStringLiteral("select * from base where base_code=%ld");
const QString kHomeRow = QStringLiteral("select * from home where home_base_code=%ld");
const QString kExtendRow = QStringLiteral("select * from extend where extend_base_code=%ld");
const QString kSocietyRow = QStringLiteral("select * from society where society_base_code=%ld");

const QString kUpdateHome = QStringLiteral(
    "update home set home_name='%s',home_year='%s',home_month='%s',home_day='%s', \t\t\t"
    "home_health='%s',home_work_name='%s',home_branch_name='%s',home_duty_code=%ld, \t\t\t"
    "home_mobil='%s',home_email='%s',home_contact='%s',home_province_code=%ld, "
    "home_nation='%s', \t\t\t"
    "home_city='%s',home_country='%s',home_child_name='%s',home_child_sex='%s', \t\t\t"
    "home_child_year='%s',home_child_month='%s',home_child_day='%s',home_child_grade='%s', "
    "\t\t\t"
    "home_child_school='%s',home_child_health='%s',home_address='%s', \t\t\t"
    "home_phone='%s',home_live='%s',home_workphone='%s',home_marryyear='%s',"
    "home_marrymonth='%s', \t\t\t"
    "home_marryday='%s',home_hobby='%s' \t\t\t"
    "where home_base_code=%ld");

const QString kUpdateExtend =
    QStringLiteral("update extend set extend_degree_code=%ld,extend_speciality='%s', \t\t\t"
                   "extend_gradyear='%s',extend_gradmonth='%s', extend_gradday='%s', \t\t\t"
                   "extend_college='%s',extend_health='%s',extend_drive='%s', \t\t\t"
                   "extend_abroad='%s',extend_hope='%s' \t\t\t"
                   "where extend_base_code=%ld");

// The lunar ticks of the family page's two birthdays, written beside the page.
const QString kUpdateLunarHome =
    QStringLiteral("update home set home_lunar=%ld,home_child_lunar=%ld where home_base_code=%ld");

// The name column of the list each page shows a code column from.
const QHash<QString, QString> kBaseNames = {
    {QStringLiteral("base_province_code"), QStringLiteral("province_name")},
    {QStringLiteral("base_sort_code"), QStringLiteral("sort_name")},
    {QStringLiteral("base_type_code"), QStringLiteral("relationsort_name")},
};
const QHash<QString, QString> kWorkNames = {
    {QStringLiteral("work_industry_code"), QStringLiteral("industry_name")},
    {QStringLiteral("work_region_code"), QStringLiteral("region_name")},
    {QStringLiteral("work_province_code"), QStringLiteral("province_name")},
};
const QHash<QString, QString> kHomeNames = {
    {QStringLiteral("home_province_code"), QStringLiteral("province_name")},
    {QStringLiteral("home_duty_code"), QStringLiteral("duty_name")},
};
const QHash<QString, QString> kExtendNames = {
    {QStringLiteral("extend_degree_code"), QStringLiteral("degree_name")},
};

const QStringList kWorkPosts = {QStringLiteral("work_duty_code"),
                                QStringLiteral("work_leader_duty_code"),
                                QStringLiteral("work_superior_duty_code")};

bool isCodeColumn(const QString& column) {
    return column.endsWith(QLatin1String("_code"));
}

// The columns of the "农历" ticks.
bool isLunarColumn(const QString& column) {
    const FieldSpec* field = fieldByColumn(column);
    return field && field->lunarColumn == column;
}

qint64 lunarFlag(const ContactRecord& record, const char* column) {
    return lunarbirthday::storedFlag(record.value(QString::fromLatin1(column)));
}

// Every column of a page: codes from codes, texts as typed (bound, so stored exactly).
void setPage(RowWriter& writer, ContactPage page, const ContactRecord& record,
             const QHash<QString, qint64>& codes) {
    for (const QString& column : columnsOf(page)) {
        if (isCodeColumn(column))
            writer.set(column, codes.value(column, -1));
        else if (isLunarColumn(column))
            writer.set(column, lunarbirthday::storedFlag(record.value(column)));
        else
            writer.set(column, record.value(column));
    }
}

// Texts of the update statements (bound, so stored exactly as typed).
QString q(const ContactRecord& record, const char* column) {
    return record.value(QString::fromLatin1(column));
}

// Everything opening a contact reads, in one statement (one round trip to a
// server, and one state of the database for the stamp and the pages alike):
//   select <live?>, <any duty?>, <the four rows' columns>,
//          <the name of each list entry a page shows> from (select 1) k
//   left join base b on b.base_code=? left join home h on h.home_base_code=?
//   left join extend e on ... left join society c on ...
// A page shows when its row is there and every entry it names is found (its
// name not null). The one-row "k" keeps the family pages of a contact
// without a base row. The columns are listed, not "*", so that the row is
// read by position.
struct ContactColumns {
    struct Field {
        QString column;
        int at = -1;    // the stored value, or
        int name = -1;  // the name of the list entry the code stands for
        int found = -1; // null when that entry is missing
    };
    struct Part {
        int key = -1;                          // the row's own key: null when it is not there
        QList<int> stamp;                      // what the stamp holds of it
        QList<Field> shown[kContactPageCount]; // per ContactPage
    };
    // The statement in three parts: only the first and the last hold values
    // (the flag; the contact's code four times), so only they are filled in
    // each time; the long column list between them is pasted as it stands.
    QString head, tail;
    sql::Statement columns;
    Part base, home, extend, society;
    QList<Field> posts; // the work page's three posts
    int live = -1, anyDuty = -1;
    int baseLunar = -1, homeLunar = -1, homeChildLunar = -1;

    static const ContactColumns& get() {
        static const ContactColumns columns;
        return columns;
    }

  private:
    // The list a code column is shown from: its table has <table>_code and <table>_name.
    struct Join {
        const char* column;
        const char* table;
    };

    QStringList items_;
    QHash<QString, int> seen_;
    QString joins_;

    int item(const QString& expression) {
        const auto found = seen_.constFind(expression);
        if (found != seen_.cend())
            return *found;
        items_ << expression;
        seen_.insert(expression, int(items_.size() - 1));
        return int(items_.size() - 1);
    }

    void addPart(Part& part, const char* alias, const char* table, const char* key,
                 std::initializer_list<ContactPage> pages, const QStringList& ticks,
                 std::initializer_list<Join> joins) {
        const QString a = QString::fromLatin1(alias);
        const auto column = [&](const QString& name) { return item(a + u'.' + name); };
        joins_ += QStringLiteral(" left join %1 as %2 on %2.%3=%ld")
                      .arg(QLatin1String(table), a, QLatin1String(key));
        QHash<QString, Field> entries;
        // A list entry by its key, looked up apart rather than joined (the
        // server would hash each small list for every contact opened); an
        // entry without a name reads empty, a missing one null. A post
        // without a name counts as missing.
        for (const Join& join : joins) {
            Field field;
            field.column = QString::fromLatin1(join.column);
            const QString name = kWorkPosts.contains(field.column)
                                     ? QStringLiteral("r.%1_name")
                                     : QStringLiteral("coalesce(r.%1_name, '')");
            field.name = item((QStringLiteral("(select ") + name +
                               QStringLiteral(" from %1 as r where r.%1_code=%2.%3)"))
                                  .arg(QLatin1String(join.table), a, field.column));
            field.found = field.name;
            entries.insert(field.column, field);
        }
        part.key = column(QString::fromLatin1(key));
        for (const ContactPage page : pages) {
            for (const QString& name : columnsOf(page)) {
                part.stamp << column(name);
                if (kWorkPosts.contains(name)) {
                    posts << entries.value(name);
                } else if (entries.contains(name)) {
                    part.shown[int(page)] << entries.value(name);
                } else if (!isCodeColumn(name) && !isLunarColumn(name)) {
                    Field field;
                    field.column = name;
                    field.at = column(name);
                    part.shown[int(page)] << field;
                }
            }
        }
        for (const QString& tick : ticks)
            part.stamp << column(tick);
    }

    ContactColumns() {
        // First: the head of the statement.
        live = item(QStringLiteral("case when b.base_invalid_flag=%d then 1 else 0 end"));
        anyDuty = item(QStringLiteral("case when exists (select 1 from duty) then 1 else 0 end"));
        addPart(base, "b", "base", "base_code", {ContactPage::Base, ContactPage::Work},
                {QStringLiteral("base_lunar")},
                {{"base_province_code", "province"},
                 {"base_sort_code", "sort"},
                 {"base_type_code", "relationsort"},
                 {"work_province_code", "province"},
                 {"work_industry_code", "industry"},
                 {"work_region_code", "region"},
                 {"work_duty_code", "duty"},
                 {"work_leader_duty_code", "duty"},
                 {"work_superior_duty_code", "duty"}});
        addPart(home, "h", "home", "home_base_code", {ContactPage::Home},
                {QStringLiteral("home_lunar"), QStringLiteral("home_child_lunar")},
                {{"home_province_code", "province"}, {"home_duty_code", "duty"}});
        addPart(extend, "e", "extend", "extend_base_code", {ContactPage::Extend}, {},
                {{"extend_degree_code", "degree"}});
        addPart(society, "c", "society", "society_base_code", {ContactPage::Society}, {}, {});
        baseLunar = item(QStringLiteral("b.base_lunar"));
        homeLunar = item(QStringLiteral("h.home_lunar"));
        homeChildLunar = item(QStringLiteral("h.home_child_lunar"));
        head = QStringLiteral("select ") + items_.first() + QStringLiteral(", ");
        columns = sql::Statement(items_.mid(1).join(QStringLiteral(", ")));
        tail = QStringLiteral(" from (select 1 as one) as k") + joins_;
    }
};

// Whether every list entry a page names was found.
bool entriesFound(const Row& row, const QList<ContactColumns::Field>& fields) {
    for (const ContactColumns::Field& field : fields)
        if (field.found >= 0 && row.isNullAt(field.found))
            return false;
    return true;
}

// The fields of the contact's row as texts, each read once (NULL as a null text).
QStringList textsOf(const Row& row) {
    QStringList texts;
    texts.reserve(row.columnCount());
    for (int i = 0; i < row.columnCount(); ++i)
        texts << row.textAt(i);
    return texts;
}

// A page's values into record: texts as stored, codes as their entries' names.
void copyPage(const QStringList& texts, const QList<ContactColumns::Field>& fields,
              ContactRecord& record) {
    for (const ContactColumns::Field& field : fields)
        record.setValue(field.column, texts.at(field.at >= 0 ? field.at : field.name));
}

// Every column the pages show, as stored, in one text; the rows that are not
// there leave only their mark. A unit separator cannot be typed into a field:
// the parts stay apart.
QString stampOf(const Row& row, const QStringList& texts) {
    const ContactColumns& columns = ContactColumns::get();
    QStringList parts;
    for (const ContactColumns::Part* part :
         {&columns.base, &columns.home, &columns.extend, &columns.society}) {
        parts << QStringLiteral("#");
        if (row.isNullAt(part->key))
            continue;
        for (const int at : part->stamp)
            parts << (row.isNullAt(at) ? QStringLiteral("<null>") : texts.at(at));
    }
    return parts.join(QChar(0x1f));
}

} // namespace

const QHash<QString, QString>& ContactStore::shownNames() {
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> all;
        for (const auto* page : {&kBaseNames, &kWorkNames, &kHomeNames, &kExtendNames})
            all.insert(*page);
        for (const QString& column : kWorkPosts)
            all.insert(column, QStringLiteral("duty_name"));
        return all;
    }();
    return names;
}

// ---- add -------------------------------------------------------------------

ContactCodes ContactStore::lookups() {
    return remembered_ ? ContactCodes(db_, prompter_, &codes_) : ContactCodes(db_, prompter_);
}

qint64 ContactStore::insertNew(const ContactRecord& record, const Session& session,
                               const Clock& clock) {
    if (!db_.begin())
        return -1;
    qint64 code = -1;
    if (!writeNewRows(record, session, clock, &code) || !db_.commit()) {
        db_.rollback();
        return -1;
    }
    return code;
}

qint64 ContactStore::writeNew(const ContactRecord& record, const Session& session,
                              const Clock& clock) {
    qint64 code = -1;
    return writeNewRows(record, session, clock, &code) ? code : -1;
}

bool ContactStore::writeChanges(qint64 code, const ContactRecord& record) {
    return writeEdits(code, record, nullptr);
}

bool ContactStore::renewFindKeys(qint64 code) {
    QString error;
    if (!readings_)
        readings_ = std::make_shared<quickfind::PinyinReadings>();
    if (quickfind::findkeys::refresh(db_, *readings_, {code}, &error))
        return true;
    db_.reportFailure(error);
    return false;
}

bool ContactStore::writeNewRows(const ContactRecord& record, const Session& session,
                                const Clock& clock, qint64* newCode) {
    ContactCodes lookups = this->lookups();
    const auto baseCodes = lookups.resolve(record, ContactCodes::baseOrder());
    if (!baseCodes)
        return false;
    RowWriter base(db_, QStringLiteral("base"));
    setPage(base, ContactPage::Base, record, *baseCodes);
    setPage(base, ContactPage::Work, record, *baseCodes);
    base.set(QStringLiteral("base_user_code"), session.userCode);
    base.set(QStringLiteral("base_user_dep_code"), session.departmentCode);
    base.set(QStringLiteral("base_invalid_flag"), 1);
    const QString today = dateforms::today(clock);
    base.set(QStringLiteral("base_create_date"), today);
    base.set(QStringLiteral("base_lastmodi_date"), today);
    base.set(QStringLiteral("base_visit_num"), 0);
    if (!base.save() || base.newKey() <= 0)
        return false;
    const qint64 code = base.newKey();
    if (!renewFindKeys(code))
        return false;

    const auto extendCodes = lookups.resolve(record, ContactCodes::extendOrder());
    if (!extendCodes ||
        !insertExtend(code, record, extendCodes->value(QStringLiteral("extend_degree_code"))))
        return false;
    const auto homeCodes = lookups.resolve(record, ContactCodes::homeOrder());
    if (!homeCodes || !insertHome(code, record, *homeCodes))
        return false;
    if (!insertSociety(code, record))
        return false;
    *newCode = code;
    return true;
}

bool ContactStore::insertExtend(qint64 code, const ContactRecord& record, qint64 degree) {
    RowWriter writer(db_, QStringLiteral("extend"));
    writer.set(QStringLiteral("extend_base_code"), code);
    setPage(writer, ContactPage::Extend, record, {{QStringLiteral("extend_degree_code"), degree}});
    return writer.save();
}

bool ContactStore::insertHome(qint64 code, const ContactRecord& record,
                              const QHash<QString, qint64>& codes) {
    RowWriter writer(db_, QStringLiteral("home"));
    writer.set(QStringLiteral("home_base_code"), code);
    setPage(writer, ContactPage::Home, record, codes);
    return writer.save();
}

bool ContactStore::insertSociety(qint64 code, const ContactRecord& record) {
    RowWriter writer(db_, QStringLiteral("society"));
    writer.set(QStringLiteral("society_base_code"), code);
    setPage(writer, ContactPage::Society, record, {});
    return writer.save();
}

// ---- modify ----------------------------------------------------------------

bool ContactStore::save(qint64 code, const ContactRecord& record, ProgressHandle* progress) {
    return save(code, record, progress, QString());
}

bool ContactStore::save(qint64 code, const ContactRecord& record, ProgressHandle* progress,
                        const QString& loadedStamp) {
    changedMeanwhile_ = false;
    if (progress) {
        progress->setRange(0, 100);
        progress->setPosition(1);
    }
    if (!db_.begin())
        return false;
    // The contact's row stays as read until the commit: two saves of one
    // contact follow each other, saves of different contacts never wait.
    if (!loadedStamp.isEmpty()) {
        if (!db_.lockRows(sql::format(kBaseRow, code))) {
            db_.rollback();
            return false;
        }
        bool read = false;
        currentStamp_ = readStamp(code, &read);
        if (!read) {
            db_.reportFailure(db_.lastError());
            db_.rollback();
            return false;
        }
        if (currentStamp_ != loadedStamp) {
            db_.rollback();
            changedMeanwhile_ = true;
            prompter_.inform(kChangedMeanwhile);
            return false;
        }
    }
    if (!writeEdits(code, record, progress)) {
        db_.rollback();
        return false;
    }
    // What was written, read before the commit: a stamp read afterwards could
    // already hold another user's next save, which this pane has not seen.
    bool read = false;
    currentStamp_ = readStamp(code, &read);
    if (!read)
        db_.reportFailure(db_.lastError());
    if (!read || !db_.commit()) {
        db_.rollback();
        return false;
    }
    if (progress) {
        progress->setPosition(90);
        progress->setPosition(100);
    }
    return true;
}

bool ContactStore::writeEdits(qint64 code, const ContactRecord& record, ProgressHandle* progress) {
    ContactCodes lookups = this->lookups();
    const auto baseCodes = lookups.resolve(record, ContactCodes::baseOrder());
    if (!baseCodes)
        return false;
    if (!db_.exists(sql::format(kBaseRow, code))) {
        db_.reportFailure(QStringLiteral("找不到要修改的人脉记录"));
        return false;
    }
    RowWriter base(db_, QStringLiteral("base"), sql::format(QStringLiteral("base_code=%ld"), code));
    setPage(base, ContactPage::Base, record, *baseCodes);
    setPage(base, ContactPage::Work, record, *baseCodes);
    if (!base.save() || !renewFindKeys(code))
        return false;
    if (progress)
        progress->setPosition(40);

    const auto homeCodes = lookups.resolve(record, ContactCodes::homeOrder());
    if (!homeCodes)
        return false;
    const bool homeDone = db_.exists(sql::format(kHomeRow, code))
                              ? updateHome(code, record, *homeCodes)
                              : insertHome(code, record, *homeCodes);
    if (!homeDone)
        return false;
    if (progress)
        progress->setPosition(60);

    const auto extendCodes = lookups.resolve(record, ContactCodes::extendOrder());
    if (!extendCodes)
        return false;
    const qint64 degree = extendCodes->value(QStringLiteral("extend_degree_code"));
    const bool extendDone = db_.exists(sql::format(kExtendRow, code))
                                ? updateExtend(code, record, degree)
                                : insertExtend(code, record, degree);
    if (!extendDone)
        return false;
    if (progress)
        progress->setPosition(80);

    if (db_.exists(sql::format(kSocietyRow, code))) {
        RowWriter society(db_, QStringLiteral("society"),
                          sql::format(QStringLiteral("society_base_code=%ld"), code));
        setPage(society, ContactPage::Society, record, {});
        return society.save();
    }
    return insertSociety(code, record);
}

bool ContactStore::updateHome(qint64 code, const ContactRecord& r,
                              const QHash<QString, qint64>& codes) {
    return db_.execute(sql::format(kUpdateLunarHome, lunarFlag(r, "home_lunar"),
                                   lunarFlag(r, "home_child_lunar"), code)) &&
           db_.execute(sql::format(
               kUpdateHome, q(r, "home_name"), q(r, "home_year"), q(r, "home_month"),
               q(r, "home_day"), q(r, "home_health"), q(r, "home_work_name"),
               q(r, "home_branch_name"), codes.value(QStringLiteral("home_duty_code")),
               q(r, "home_mobil"), q(r, "home_email"), q(r, "home_contact"),
               codes.value(QStringLiteral("home_province_code")), q(r, "home_nation"),
               q(r, "home_city"), q(r, "home_country"), q(r, "home_child_name"),
               q(r, "home_child_sex"), q(r, "home_child_year"), q(r, "home_child_month"),
               q(r, "home_child_day"), q(r, "home_child_grade"), q(r, "home_child_school"),
               q(r, "home_child_health"), q(r, "home_address"), q(r, "home_phone"),
               q(r, "home_live"), q(r, "home_workphone"), q(r, "home_marryyear"),
               q(r, "home_marrymonth"), q(r, "home_marryday"), q(r, "home_hobby"), code));
}

bool ContactStore::updateExtend(qint64 code, const ContactRecord& r, qint64 degree) {
    return db_.execute(sql::format(kUpdateExtend, degree, q(r, "extend_speciality"),
                                   q(r, "extend_gradyear"), q(r, "extend_gradmonth"),
                                   q(r, "extend_gradday"), q(r, "extend_college"),
                                   q(r, "extend_health"), q(r, "extend_drive"),
                                   q(r, "extend_abroad"), q(r, "extend_hope"), code));
}

// ---- load ------------------------------------------------------------------

ContactLoad ContactStore::load(qint64 code, int liveFlag, bool stamped) {
    ContactLoad result;
    const bool read = readContact(code, liveFlag, [&](const Row& row) {
        const QStringList texts = textsOf(row);
        if (stamped)
            result.stamp = stampOf(row, texts);
        result.complete = copyPages(row, texts, result.record);
    });
    if (!read) {
        db_.reportFailure(db_.lastError());
        result = ContactLoad();
    }
    return result;
}

bool ContactStore::readContact(qint64 code, int liveFlag,
                               const std::function<void(const Row&)>& use) {
    bool found = false;
    const bool ok = db_.queryQuietly(
        sql::format(ContactColumns::get().head, liveFlag) + ContactColumns::get().columns +
            sql::format(ContactColumns::get().tail, code, code, code, code),
        [&](const Row& row) {
            use(row);
            found = true;
            return false;
        });
    return ok && found;
}

QString ContactStore::readStamp(qint64 code, bool* ok) {
    QString stamp;
    *ok = readContact(code, 1, [&](const Row& row) { stamp = stampOf(row, textsOf(row)); });
    return stamp;
}

bool ContactStore::copyPages(const Row& row, const QStringList& texts, ContactRecord& record) {
    const ContactColumns& c = ContactColumns::get();
    const auto shown = [&](const ContactColumns::Part& part, ContactPage page) {
        return part.shown[int(page)];
    };
    const bool base = !row.isNullAt(c.base.key) && row.numberAt(c.live, 0) == 1;
    if (base && entriesFound(row, shown(c.base, ContactPage::Base))) {
        copyPage(texts, shown(c.base, ContactPage::Base), record);
        record.setValue(QStringLiteral("base_lunar"),
                        lunarbirthday::flagOf(row.numberAt(c.baseLunar, 0)));
    }
    // The work page shows only while the duty list has an entry at all.
    if (base && entriesFound(row, shown(c.base, ContactPage::Work)) &&
        row.numberAt(c.anyDuty, 0) == 1) {
        for (const ContactColumns::Field& post : c.posts) {
            if (row.isNullAt(post.name)) {
                errors::show(prompter_, errors::Duty);
                return false;
            }
        }
        copyPage(texts, shown(c.base, ContactPage::Work), record);
        copyPage(texts, c.posts, record);
    }
    if (!row.isNullAt(c.home.key) && entriesFound(row, shown(c.home, ContactPage::Home))) {
        copyPage(texts, shown(c.home, ContactPage::Home), record);
        record.setValue(QStringLiteral("home_lunar"),
                        lunarbirthday::flagOf(row.numberAt(c.homeLunar, 0)));
        record.setValue(QStringLiteral("home_child_lunar"),
                        lunarbirthday::flagOf(row.numberAt(c.homeChildLunar, 0)));
    }
    if (!row.isNullAt(c.society.key))
        copyPage(texts, shown(c.society, ContactPage::Society), record);
    if (!row.isNullAt(c.extend.key) && entriesFound(row, shown(c.extend, ContactPage::Extend)))
        copyPage(texts, shown(c.extend, ContactPage::Extend), record);
    return true;
}

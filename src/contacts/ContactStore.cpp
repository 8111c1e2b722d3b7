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
#include "db/Lookups.h"
#include "db/RowWriter.h"
#include "db/Statement.h"
#include "featureapi/Session.h"
#include "quickfind/FindKeys.h"
#include "quickfind/PinyinReadings.h"

namespace {

const QString kLoadBase = QStringLiteral(
    "select b.base_name, b.base_sex, b.base_year, b.base_month, b.base_day, b.base_married, "
    "b.base_id, \t\t\t"
    "b.base_mobil, b.base_phone, b.base_email, b.base_contact, p.province_name, \t\t\t"
    "b.base_city, s.sort_name, b.base_country, b.base_experience, "
    "b.base_nation,r.relationsort_name \t\t\t"
    "from base as b,province as p,sort as s,relationsort as r \t\t\t"
    "where b.base_province_code = p.province_code and \t\t\t\t"
    "  b.base_sort_code = s.sort_code and \t\t\t\t"
    "  b.base_type_code = r.relationsort_code and \t\t\t\t"
    "  b.base_code=%ld and base_invalid_flag=%d");

const QString kLoadWork = QStringLiteral(
    "select b.work_name, i.industry_name, b.work_address,b.work_website, \t\t\t"
    "r.region_name, p.province_name, b.work_city, b.work_areacode, b.work_zip, \t\t\t"
    "b.work_branch_name, b.work_duty_code, b.work_salary, b.work_phone, b.work_fax, \t\t\t"
    "b.work_leader_name, b.work_leader_sex, b.work_leader_duty_code, b.work_leader_mobil, "
    "b.work_leader_phone, \t\t\t"
    "b.work_superior_name, b.work_superior_sex, b.work_superior_duty_code, "
    "b.work_superior_mobil, b.work_superior_phone, \t\t\t"
    "b.work_bus,b.work_regbank,b.work_turnover,b.work_bankaccount,b.work_mainbusiness,"
    "b.work_mainclient, \t\t\t"
    "b.work_fellowship,b.work_compete,b.work_artificial,b.work_charge \t\t\t"
    "from base as b,province as p,duty as d, industry as i,region as r \t\t\t"
    "where b.work_province_code = p.province_code and \t\t\t\t"
    "  b.work_industry_code = i.industry_code and \t\t\t\t"
    "  b.work_region_code = r.region_code and \t\t\t\t"
    "  b.base_code=%ld and base_invalid_flag=%d");

const QString kLoadHome = QStringLiteral(
    "select h.home_name, h.home_year, h.home_month, \t\t\t"
    "h.home_day, h.home_health, \t\t\t"
    "h.home_work_name, h.home_branch_name, d.duty_name, h.home_mobil, \t\t\t"
    "h.home_email, h.home_contact, p.province_name, h.home_city, h.home_nation, \t\t\t"
    "h.home_country, h.home_child_name, h.home_child_sex, h.home_child_year, \t\t\t"
    "h.home_child_month, h.home_child_day, \t\t\t"
    "h.home_child_grade, h.home_child_school, h.home_child_health, \t\t\t"
    "h.home_address, h.home_phone, h.home_live, \t\t\t"
    "h.home_workphone, h.home_marryyear, h.home_marrymonth, h.home_marryday, h.home_hobby \t\t\t"
    "from home as h,province as p,duty as d \t\t\t"
    "where h.home_province_code = p.province_code and \t\t\t\t"
    "  h.home_duty_code = d.duty_code and \t\t\t\t"
    "  h.home_base_code=%ld");

const QString kLoadSociety =
    QStringLiteral("select society_cigarette, society_drink, society_drinknum, \t\t\t"
                   "society_eat,society_site, society_afraid, society_hobby,society_car \t\t\t"
                   "from society \t\t\t"
                   "where society_base_code=%ld ");

const QString kLoadExtend =
    QStringLiteral("select d.degree_name, e.extend_speciality, e.extend_gradyear, \t\t\t"
                   "e.extend_gradmonth,e.extend_gradday,e.extend_college,e.extend_health, \t\t\t"
                   "e.extend_drive, e.extend_abroad, e.extend_hope \t\t\t"
                   "from extend as e,degree as d \t\t\t"
                   "where e.extend_degree_code = d.degree_code and \t\t\t\t"
                   "  e.extend_base_code=%ld ");

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

// The lunar ticks of the three birthdays, read and written beside the pages'
// own statements.
const QString kLoadLunarBase = QStringLiteral("select base_lunar from base where base_code=%ld");
const QString kLoadLunarHome =
    QStringLiteral("select home_lunar,home_child_lunar from home where home_base_code=%ld");
const QString kUpdateLunarHome =
    QStringLiteral("update home set home_lunar=%ld,home_child_lunar=%ld where home_base_code=%ld");

// The joined name columns that stand for a page's code columns in its load statement.
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

// Reads one row of a load statement into the page's keys of record.
void copyRow(const Row& row, ContactPage page, const QHash<QString, QString>& names,
             ContactRecord& record) {
    for (const QString& column : columnsOf(page)) {
        if (names.contains(column))
            record.setValue(column, row.text(names.value(column)));
        else if (!isCodeColumn(column) && !isLunarColumn(column))
            record.setValue(column, row.text(column));
    }
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
    // The stamp and the pages are read from one state of the database: a save
    // another user commits meanwhile shows in both or in neither, so the stamp
    // never vouches for values older than itself.
    const bool ownSnapshot = !db_.inTransaction();
    if (ownSnapshot && !db_.beginSnapshot())
        return result;
    if (stamped)
        result.stamp = readStamp(code, &stamped);
    else
        stamped = true;
    if (!stamped) {
        db_.reportFailure(db_.lastError());
        if (ownSnapshot)
            db_.rollback();
        result.stamp.clear();
        return result;
    }
    ContactRecord& record = result.record;
    // The ticks go with the pages that loaded, also when a later page stops the load.
    result.complete =
        loadPage(sql::format(kLoadBase, code, liveFlag), ContactPage::Base, kBaseNames, record) &&
        loadLunarBase(code, record) && loadWork(code, liveFlag, record) &&
        loadPage(sql::format(kLoadHome, code), ContactPage::Home, kHomeNames, record) &&
        loadLunarHome(code, record) &&
        loadPage(sql::format(kLoadSociety, code), ContactPage::Society, {}, record) &&
        loadPage(sql::format(kLoadExtend, code), ContactPage::Extend, kExtendNames, record);
    if (ownSnapshot)
        db_.rollback(); // nothing was written
    return result;
}

QString ContactStore::readStamp(qint64 code, bool* ok) {
    QStringList parts;
    // The pages' columns and the lunar ticks beside their birthdays.
    const auto take = [&](const sql::Statement& statement, std::initializer_list<ContactPage> pages,
                          const QStringList& ticks) {
        parts << QStringLiteral("#");
        return db_.queryQuietly(statement, [&](const Row& row) {
            for (const ContactPage page : pages)
                for (const QString& column : columnsOf(page))
                    parts << row.text(column, QStringLiteral("<null>"));
            for (const QString& column : ticks)
                parts << row.text(column, QStringLiteral("<null>"));
            return false;
        });
    };
    *ok = take(sql::format(kBaseRow, code), {ContactPage::Base, ContactPage::Work},
               {QStringLiteral("base_lunar")}) &&
          take(sql::format(kHomeRow, code), {ContactPage::Home},
               {QStringLiteral("home_lunar"), QStringLiteral("home_child_lunar")}) &&
          take(sql::format(kExtendRow, code), {ContactPage::Extend}, {}) &&
          take(sql::format(kSocietyRow, code), {ContactPage::Society}, {});
    // A unit separator cannot be typed into a field: the parts stay apart.
    return parts.join(QChar(0x1f));
}

bool ContactStore::loadPage(const sql::Statement& statement, ContactPage page,
                            const QHash<QString, QString>& names, ContactRecord& record) {
    return db_.query(statement, [&](const Row& row) {
        copyRow(row, page, names, record);
        return false;
    });
}

// The ticks of a page that found its row; a page left empty stays without them.
bool ContactStore::loadLunarBase(qint64 code, ContactRecord& record) {
    if (!record.contains(QStringLiteral("base_name")))
        return true;
    return db_.query(sql::format(kLoadLunarBase, code), [&](const Row& row) {
        record.setValue(QStringLiteral("base_lunar"), lunarbirthday::flagOf(row.numberAt(0, 0)));
        return false;
    });
}

bool ContactStore::loadLunarHome(qint64 code, ContactRecord& record) {
    if (!record.contains(QStringLiteral("home_name")))
        return true;
    return db_.query(sql::format(kLoadLunarHome, code), [&](const Row& row) {
        record.setValue(QStringLiteral("home_lunar"), lunarbirthday::flagOf(row.numberAt(0, 0)));
        record.setValue(QStringLiteral("home_child_lunar"),
                        lunarbirthday::flagOf(row.numberAt(1, 0)));
        return false;
    });
}

bool ContactStore::loadWork(qint64 code, int liveFlag, ContactRecord& record) {
    ContactRecord work;
    QHash<QString, qint64> posts;
    bool found = false;
    // The statement joins duty without a condition, so only its first row counts.
    const bool ok = db_.query(sql::format(kLoadWork, code, liveFlag), [&](const Row& row) {
        copyRow(row, ContactPage::Work, kWorkNames, work);
        for (const QString& column : kWorkPosts)
            posts.insert(column, row.number(column, -1));
        found = true;
        return false;
    });
    if (!ok)
        return false;
    if (!found)
        return true;
    Lookups lookups(db_);
    for (const QString& column : kWorkPosts) {
        const QString name = lookups.dutyName(posts.value(column));
        if (name == Lookups::kMissing) {
            errors::show(prompter_, errors::Duty);
            return false;
        }
        work.setValue(column, name);
    }
    for (auto it = work.values().cbegin(); it != work.values().cend(); ++it)
        record.setValue(it.key(), it.value());
    return true;
}

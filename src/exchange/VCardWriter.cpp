// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/VCardWriter.h"

#include "contacts/ContactFields.h"
#include "exchange/PartialDate.h"
#include "exchange/VCardMapper.h"
#include "exchange/VCardText.h"

#include <QSet>

namespace exchange {

namespace {

using vcardtext::escape;

class CardText {
  public:
    explicit CardText(const ContactRecord& r) : r_(r) {}

    QString v(const char* column) const { return r_.value(QString::fromLatin1(column)); }
    void line(const QString& text) { out_ += vcardtext::fold(text); }
    // A property written from columns: they need no extension.
    void covered(std::initializer_list<const char*> columns) {
        for (const char* c : columns)
            covered_.insert(QString::fromLatin1(c));
    }
    bool isCovered(const QString& column) const { return covered_.contains(column); }
    // Reader trims these values, so only values without outer blanks go there.
    bool plain(const QString& value) const { return !value.isEmpty() && value == value.trimmed(); }

    void phone(const char* column, const char* type) {
        const QString value = v(column);
        if (!plain(value))
            return;
        line(QStringLiteral("TEL;TYPE=%1:%2").arg(QLatin1String(type), escape(value)));
        covered({column});
    }
    // A lunar birthday's month and day are no Gregorian date: other programs
    // would read them as one, so they go as extensions with their flag.
    void date(const char* property, const char* year, const char* month, const char* day,
              const char* lunarFlag = nullptr) {
        if (lunarFlag && !v(lunarFlag).isEmpty())
            return;
        const PartialDate d{v(year), v(month), v(day)};
        if (d.isEmpty()) {
            covered({year, month, day});
            return;
        }
        const auto parsed = makeDate(d.year, d.month, d.day);
        const auto text = parsed && *parsed == d && d.year != u"1604" ? vcardDate(d) : std::nullopt;
        if (!text)
            return; // the three columns go as extensions
        line(QStringLiteral("%1:%2").arg(QLatin1String(property), *text));
        covered({year, month, day});
    }

    QByteArray out_;

  private:
    const ContactRecord& r_;
    QSet<QString> covered_;
};

} // namespace

QByteArray VCardWriter::card(const ContactRecord& r) {
    CardText c(r);
    c.line(QStringLiteral("BEGIN:VCARD"));
    c.line(QStringLiteral("VERSION:4.0"));
    const QString name = c.v("base_name");
    c.line(QStringLiteral("FN:") + escape(name));
    c.line(QStringLiteral("N:") + escape(name) + QStringLiteral(";;;;"));
    c.covered({"base_name"});

    static const QHash<QString, QString> genders = {{QStringLiteral("男"), QStringLiteral("M")},
                                                    {QStringLiteral("女"), QStringLiteral("F")},
                                                    {QStringLiteral("未知"), QStringLiteral("U")}};
    if (const QString sex = c.v("base_sex"); sex.isEmpty() || genders.contains(sex)) {
        if (!sex.isEmpty())
            c.line(QStringLiteral("GENDER:") + genders.value(sex));
        c.covered({"base_sex"});
    }
    c.date("BDAY", "base_year", "base_month", "base_day", "base_lunar");
    c.date("ANNIVERSARY", "home_marryyear", "home_marrymonth", "home_marryday");

    c.phone("base_mobil", "cell");
    c.phone("base_phone", "voice");
    c.phone("work_phone", "work,voice");
    c.phone("work_fax", "work,fax");
    c.phone("home_phone", "home,voice");
    if (const QString mail = c.v("base_email"); c.plain(mail)) {
        c.line(QStringLiteral("EMAIL:") + escape(mail));
        c.covered({"base_email"});
    }

    const QString unit = c.v("work_name");
    const QString branch = c.v("work_branch_name");
    // The reader drops blank units and takes the first component as the unit.
    if (unit.isEmpty() && branch.isEmpty()) {
        c.covered({"work_name", "work_branch_name"});
    } else if (!unit.isEmpty() && (branch.isEmpty() || !branch.trimmed().isEmpty())) {
        c.line(QStringLiteral("ORG:") + escape(unit) +
               (branch.isEmpty() ? QString() : u';' + escape(branch)));
        c.covered({"work_name", "work_branch_name"});
    }
    if (const QString title = c.v("work_duty_code"); title.isEmpty() || c.plain(title)) {
        if (!title.isEmpty())
            c.line(QStringLiteral("TITLE:") + escape(title));
        c.covered({"work_duty_code"});
    }
    if (const QString role = c.v("work_charge"); !role.isEmpty())
        c.line(QStringLiteral("ROLE:") + escape(role));
    c.covered({"work_charge"});

    auto address = [&c](const char* type, const char* street, const char* city,
                        const char* province, const char* zip) {
        const QString s = c.v(street), ci = c.v(city), p = c.v(province);
        const QString z = zip ? c.v(zip) : QString();
        // Without a street a city would be read as the street's: keep those apart.
        if (s.trimmed().isEmpty() &&
            (!s.isEmpty() || !ci.isEmpty() || !p.isEmpty() || !z.isEmpty()))
            return;
        if (!s.isEmpty())
            c.line(QStringLiteral("ADR;TYPE=%1:;;%2;%3;%4;%5;")
                       .arg(QLatin1String(type), escape(s), escape(ci), escape(p), escape(z)));
        c.covered({street, city, province});
        if (zip)
            c.covered({zip});
    };
    address("work", "work_address", "work_city", "work_province_code", "work_zip");
    address("home", "home_address", "base_city", "base_province_code", nullptr);

    if (const QString note = c.v("base_experience"); !note.isEmpty())
        c.line(QStringLiteral("NOTE:") + escape(note));
    c.covered({"base_experience"});
    if (const QString url = c.v("work_website"); url.isEmpty() || c.plain(url)) {
        if (!url.isEmpty())
            c.line(QStringLiteral("URL:") + escape(url));
        c.covered({"work_website"});
    }
    // The category is written for other programs; the extension below says it exactly.
    if (const QString relation = c.v("base_type_code"); !relation.isEmpty())
        c.line(QStringLiteral("CATEGORIES:") + escape(relation));
    if (const QString spouse = c.v("home_name"); spouse.isEmpty() || c.plain(spouse)) {
        if (!spouse.isEmpty())
            c.line(QStringLiteral("RELATED;TYPE=spouse;VALUE=text:") + escape(spouse));
        c.covered({"home_name"});
    }

    for (const FieldSpec& field : contactFields()) {
        for (const QString& column : field.columns()) {
            const QString value = r.value(column);
            if (value.isEmpty() || c.isCovered(column))
                continue;
            c.line(VCardMapper::extensionName(column) + u':' + escape(value));
        }
    }
    c.line(QStringLiteral("END:VCARD"));
    return c.out_;
}

} // namespace exchange

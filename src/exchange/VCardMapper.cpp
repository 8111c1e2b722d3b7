// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/VCardMapper.h"

#include "contacts/ContactFields.h"
#include "exchange/PartialDate.h"
#include "exchange/VCardText.h"

namespace exchange {

namespace {

const QString kPrefix = QStringLiteral("X-MAVOR-");

bool hasCjk(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x2E80)
            return true;
    return false;
}

// The name from N (family;given;additional;prefix;suffix): Chinese names family
// first without a blank, others given name first.
QString nameFromN(const QString& value) {
    const QStringList n = vcardtext::splitStructured(value);
    const QString family = n.value(0).trimmed();
    const QString given = n.value(1).trimmed();
    const QString additional = n.value(2).trimmed();
    if (hasCjk(family + given))
        return family + additional + given;
    QStringList parts;
    for (const QString& p : {given, additional, family})
        if (!p.isEmpty())
            parts << p;
    return parts.join(u' ');
}

// The types of a property, with those its Apple-style label says.
QStringList typesOf(const VCardCard& card, const VCardProperty& p) {
    QStringList types = p.types();
    const QString label = card.labelOf(p).toLower();
    if (!label.isEmpty()) {
        if (label.contains(u"mobile") || label.contains(u"cell") || label.contains(u"iphone") ||
            label.contains(u"手机"))
            types << QStringLiteral("cell");
        if (label.contains(u"fax") || label.contains(u"传真"))
            types << QStringLiteral("fax");
        if (label.contains(u"work") || label.contains(u"工作") || label.contains(u"单位"))
            types << QStringLiteral("work");
        if (label.contains(u"home") || label.contains(u"家"))
            types << QStringLiteral("home");
    }
    return types;
}

bool labelled(const VCardCard& card, const VCardProperty& p, const QStringList& words) {
    const QString label = card.labelOf(p).toLower();
    for (const QString& w : words)
        if (label.contains(w))
            return true;
    return false;
}

class Builder {
  public:
    explicit Builder(IncomingContact& out) : out_(out) {}

    bool has(const QString& column) const { return !out_.record.value(column).isEmpty(); }
    void set(const QString& column, const QString& value) {
        if (!value.isEmpty())
            out_.record.setValue(column, value);
    }
    // Fills the column when it is still empty; otherwise the value overflows.
    void offer(const QString& column, const QString& value) {
        if (value.isEmpty())
            return;
        if (!has(column))
            set(column, value);
        else
            overflow_ << value;
    }
    void setDate(const QString& prefixYear, const QString& month, const QString& day,
                 const VCardProperty& p, const QString& caption) {
        const auto date = parseVCardDate(vcardtext::unescape(p.value));
        if (!date) {
            out_.notes << QStringLiteral("%1“%2”无法识别, 未导入").arg(caption, p.value.trimmed());
            return;
        }
        set(prefixYear, date->year);
        set(month, date->month);
        set(day, date->day);
    }
    void note(const QString& text) { out_.notes << text; }
    // Numbers and addresses without a place of their own go to "其它联系".
    void finish() {
        if (overflow_.isEmpty())
            return;
        QStringList all;
        if (has(QStringLiteral("base_contact")))
            all << out_.record.value(QStringLiteral("base_contact"));
        all << overflow_;
        out_.record.setValue(QStringLiteral("base_contact"), all.join(QStringLiteral("; ")));
    }

  private:
    IncomingContact& out_;
    QStringList overflow_;
};

void mapPhone(const VCardCard& card, const VCardProperty& p, Builder& b) {
    QString number = vcardtext::unescape(p.value).trimmed();
    if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive))
        number = number.mid(4);
    const QStringList types = typesOf(card, p);
    QString column;
    if (types.contains(u"cell") || types.contains(u"mobile"))
        column = QStringLiteral("base_mobil");
    else if (types.contains(u"fax"))
        column = QStringLiteral("work_fax");
    else if (types.contains(u"work"))
        column = QStringLiteral("work_phone");
    else if (types.contains(u"home"))
        column = QStringLiteral("home_phone");
    else
        column = QStringLiteral("base_phone");
    if (b.has(column) && column != u"base_phone" && !b.has(QStringLiteral("base_phone")))
        column = QStringLiteral("base_phone");
    b.offer(column, number);
}

void mapAddress(const VCardCard& card, const VCardProperty& p, Builder& b) {
    const QStringList a = vcardtext::splitStructured(p.value);
    QStringList streetParts;
    for (int i : {2, 1, 0})
        if (!a.value(i).trimmed().isEmpty())
            streetParts << a.value(i);
    const QString street = streetParts.join(u' ');
    const QString city = a.value(3);
    const QString region = a.value(4);
    const QString code = a.value(5);
    const QStringList types = typesOf(card, p);
    const bool work = types.contains(u"work");
    const QString addressColumn =
        work ? QStringLiteral("work_address") : QStringLiteral("home_address");
    const QString cityColumn = work ? QStringLiteral("work_city") : QStringLiteral("base_city");
    const QString provinceColumn =
        work ? QStringLiteral("work_province_code") : QStringLiteral("base_province_code");
    if (b.has(addressColumn) || (street.isEmpty() && b.has(cityColumn))) {
        QStringList whole = streetParts;
        for (const QString& part : {city, region, code, a.value(6)})
            if (!part.trimmed().isEmpty())
                whole << part;
        b.note(QStringLiteral("第 %1 行的地址“%2”没有可放的位置, 未导入")
                   .arg(p.line)
                   .arg(whole.join(u' ')));
        return;
    }
    b.set(addressColumn, street);
    b.set(cityColumn, city);
    b.set(provinceColumn, region);
    if (work)
        b.set(QStringLiteral("work_zip"), code);
    // The pages have no home postal code and no country; what is left out is said,
    // except the country of the program's own users.
    static const QStringList home = {QStringLiteral("中国"), QStringLiteral("中华人民共和国"),
                                     QStringLiteral("china"), QStringLiteral("cn"),
                                     QStringLiteral("prc")};
    QStringList left;
    if (!work && !code.trimmed().isEmpty())
        left << QStringLiteral("邮编“%1”").arg(code.trimmed());
    if (const QString country = a.value(6).trimmed();
        !country.isEmpty() && !home.contains(country.toLower()))
        left << QStringLiteral("国家“%1”").arg(country);
    if (!left.isEmpty())
        b.note(QStringLiteral("地址中的%1没有对应的字段, 未导入")
                   .arg(left.join(QStringLiteral("和"))));
}

} // namespace

QString VCardMapper::extensionName(const QString& column) {
    return kPrefix + column.toUpper().replace(u'_', u'-');
}

QString VCardMapper::extensionColumn(const QString& propertyName) {
    if (!propertyName.startsWith(kPrefix, Qt::CaseInsensitive))
        return {};
    const QString column = propertyName.mid(kPrefix.size()).toLower().replace(u'-', u'_');
    return fieldByColumn(column) ? column : QString();
}

IncomingContact VCardMapper::map(const VCardCard& card) const {
    IncomingContact out;
    out.line = card.line;
    if (!card.problem.isEmpty()) {
        out.refusal = card.problem;
        return out;
    }
    Builder b(out);
    QString fn, n;
    QStringList notes;
    bool haveUrl = false;
    QList<const VCardProperty*> extensions;
    static const qsizetype noteLimit = fieldByColumn(QStringLiteral("base_experience"))->limit;
    QString note;
    for (const VCardProperty& p : card.properties) {
        const QString& name = p.name;
        const QString text = vcardtext::unescape(p.value);
        if (name == u"FN") {
            if (fn.isEmpty())
                fn = text.trimmed();
        } else if (name == u"N") {
            if (n.isEmpty())
                n = nameFromN(p.value);
        } else if (name == u"TEL") {
            mapPhone(card, p, b);
        } else if (name == u"EMAIL") {
            b.offer(QStringLiteral("base_email"), text.trimmed());
        } else if (name == u"ADR") {
            mapAddress(card, p, b);
        } else if (name == u"ORG") {
            const QStringList org = vcardtext::splitStructured(p.value);
            b.set(QStringLiteral("work_name"), org.value(0));
            QStringList units;
            for (qsizetype i = 1; i < org.size(); ++i)
                if (!org.at(i).trimmed().isEmpty())
                    units << org.at(i);
            b.set(QStringLiteral("work_branch_name"), units.join(u' '));
        } else if (name == u"TITLE") {
            b.set(QStringLiteral("work_duty_code"), text.trimmed());
        } else if (name == u"ROLE") {
            b.set(QStringLiteral("work_charge"), text);
        } else if (name == u"NOTE") {
            // Joined in place, and only as far as the field can hold (one more
            // character, so that the cut is said): never copied per line.
            if (note.size() <= noteLimit) {
                if (!note.isEmpty())
                    note += u'\n';
                note += text;
            }
        } else if (name == u"URL") {
            if (!haveUrl)
                b.set(QStringLiteral("work_website"), text.trimmed());
            else
                b.note(QStringLiteral("另一个网址“%1”未导入").arg(text.trimmed()));
            haveUrl = true;
        } else if (name == u"BDAY") {
            b.setDate(QStringLiteral("base_year"), QStringLiteral("base_month"),
                      QStringLiteral("base_day"), p, QStringLiteral("生日"));
        } else if (name == u"ANNIVERSARY" || name == u"X-ANNIVERSARY" ||
                   (name == u"X-ABDATE" &&
                    labelled(card, p, {QStringLiteral("anniversary"), QStringLiteral("纪念")}))) {
            b.setDate(QStringLiteral("home_marryyear"), QStringLiteral("home_marrymonth"),
                      QStringLiteral("home_marryday"), p, QStringLiteral("婚庆日期"));
        } else if (name == u"GENDER" || name == u"X-GENDER") {
            const QString sex = text.section(u';', 0, 0).trimmed();
            const QString upper = sex.toUpper();
            if (upper == u"M")
                b.set(QStringLiteral("base_sex"), QStringLiteral("男"));
            else if (upper == u"F")
                b.set(QStringLiteral("base_sex"), QStringLiteral("女"));
            else if (upper == u"O" || upper == u"N" || upper == u"U")
                b.set(QStringLiteral("base_sex"), QStringLiteral("未知"));
            else
                b.set(QStringLiteral("base_sex"), sex);
        } else if ((name == u"RELATED" && p.hasType(QStringLiteral("spouse"))) ||
                   name == u"X-EVOLUTION-SPOUSE" || name == u"X-KADDRESSBOOK-X-SPOUSESNAME" ||
                   name == u"X-SPOUSE" ||
                   (name == u"X-ABRELATEDNAMES" &&
                    labelled(card, p,
                             {QStringLiteral("spouse"), QStringLiteral("partner"),
                              QStringLiteral("配偶")}))) {
            if (!text.contains(u':') || p.param(QStringLiteral("VALUE")).toLower() == u"text")
                b.set(QStringLiteral("home_name"), text.trimmed());
        } else if (name == u"CATEGORIES") {
            if (!b.has(QStringLiteral("base_type_code")) && isRelation_) {
                for (const QString& category : vcardtext::splitList(p.value)) {
                    if (isRelation_(category.trimmed())) {
                        b.set(QStringLiteral("base_type_code"), category.trimmed());
                        break;
                    }
                }
            }
        } else if (name.startsWith(kPrefix)) {
            extensions << &p;
        }
    }
    b.set(QStringLiteral("base_experience"), note.left(noteLimit + 1));
    // The program's own fields last: they say exactly what was stored.
    for (const VCardProperty* p : extensions) {
        const QString column = extensionColumn(p->name);
        if (!column.isEmpty())
            out.record.setValue(column, vcardtext::unescape(p->value));
    }
    b.finish();
    const QString name = fn.isEmpty() ? n.trimmed() : fn;
    if (name.isEmpty())
        out.refusal = QStringLiteral("没有姓名");
    else
        out.record.setValue(QStringLiteral("base_name"), name);
    return out;
}

} // namespace exchange

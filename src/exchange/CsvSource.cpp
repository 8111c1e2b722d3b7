// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CsvSource.h"

#include "contacts/ContactFields.h"
#include "exchange/ImportTargets.h"
#include "exchange/PartialDate.h"

#include <QMap>
#include <QRegularExpression>

namespace exchange {

namespace {

QString normaliseBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

bool hasCjk(const QString& text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x2E80)
            return true;
    return false;
}

// The column that says the kind of a typed value: "Phone 1 - Type" or
// "Phone 1 - Label" beside "Phone 1 - Value", "Address 1 - Type" beside
// "Address 1 - City".
qsizetype kindColumn(const QStringList& headings, qsizetype valueColumn) {
    static const QRegularExpression numbered(QStringLiteral("^\\D*\\d+"));
    const auto m = numbered.match(targets::normalHeading(headings.value(valueColumn)));
    if (!m.hasMatch())
        return -1;
    for (const char* word : {"type", "label"}) {
        const QString kind = m.captured(0) + QLatin1String(word);
        for (qsizetype i = 0; i < headings.size(); ++i)
            if (targets::normalHeading(headings.at(i)) == kind)
                return i;
    }
    return -1;
}

// Other programs put several values of one kind in one cell: "a ::: b".
QStringList severalValues(const QString& cell) {
    QStringList out;
    for (const QString& part : cell.split(QLatin1String(":::")))
        if (!part.trimmed().isEmpty())
            out << part.trimmed();
    return out;
}

bool isWorkKind(const QString& kind) {
    const QString k = kind.toLower();
    return k.contains(u"work") || k.contains(u"business") || k.contains(u"工作") ||
           k.contains(u"单位");
}

// The parts of one address of a spreadsheet row.
struct AddressParts {
    QString kind;
    QHash<QString, QString> parts;   // "street", "city", ... -> value
    QHash<QString, QString> heading; // part -> the file's heading, for notes
};

QString phoneColumn(const QString& kind) {
    const QString k = kind.toLower();
    if (k.contains(u"mobile") || k.contains(u"cell") || k.contains(u"手机"))
        return QStringLiteral("base_mobil");
    if (k.contains(u"fax") || k.contains(u"传真"))
        return QStringLiteral("work_fax");
    if (k.contains(u"work") || k.contains(u"business") || k.contains(u"工作"))
        return QStringLiteral("work_phone");
    if (k.contains(u"home") || k.contains(u"家"))
        return QStringLiteral("home_phone");
    return QStringLiteral("base_phone");
}

} // namespace

CsvSource::CsvSource(const QString& path, Encoding encoding, QChar separator,
                     const CsvMapping& mapping)
    : file_(path), mapping_(mapping) {
    if (!file_.open(QIODevice::ReadOnly))
        error_ = QStringLiteral("无法打开文件: %1").arg(file_.errorString());
    else
        parser_ = std::make_unique<CsvParser>(file_, encoding, separator);
}

IncomingContact CsvSource::map(const CsvRow& row, const CsvMapping& mapping,
                               const QStringList& headings) {
    IncomingContact c;
    c.line = row.line;
    if (!row.problem.isEmpty()) {
        c.refusal = row.problem;
        return c;
    }
    ContactRecord& r = c.record;
    QStringList overflow;
    // Several columns for one field are joined, in column order.
    auto put = [&](const QString& column, const QString& value) {
        if (value.isEmpty())
            return;
        const QString before = r.value(column);
        r.setValue(column, before.isEmpty() ? value : before + QStringLiteral("; ") + value);
    };
    auto noPlace = [&](const QString& heading, const QString& value) {
        c.notes << QStringLiteral("“%1”的“%2”没有可放的字段, 未导入").arg(heading, value);
    };
    // A value goes to the first of its fields that is still empty; the rest go
    // together to the other contacts field while they fit, else are reported.
    static const int contactRoom = fieldByColumn(QStringLiteral("base_contact"))->limit;
    auto offer = [&](const QStringList& columns, const QString& value, const QString& heading) {
        for (const QString& column : columns) {
            if (r.value(column).isEmpty()) {
                r.setValue(column, value);
                return;
            }
        }
        QStringList together = overflow;
        together.prepend(r.value(QStringLiteral("base_contact")));
        together << value;
        together.removeAll(QString());
        if (together.join(QStringLiteral("; ")).size() <= contactRoom)
            overflow << value;
        else
            noPlace(heading, value);
    };
    QMap<QString, AddressParts> addresses; // "address1#0" -> its parts
    QString family, given, middle;
    for (qsizetype i = 0; i < row.fields.size() && i < mapping.targets.size(); ++i) {
        const QString& id = mapping.targets.at(i);
        if (id.isEmpty())
            continue;
        const QString value = normaliseBreaks(row.fields.at(i));
        const QString heading = headings.value(i);
        const qsizetype kind = kindColumn(headings, i);
        const QString kindText = kind >= 0 ? row.fields.value(kind) : QString();
        if (id == targets::kFamilyName) {
            family = value.trimmed();
        } else if (id == targets::kGivenName) {
            given = value.trimmed();
        } else if (id == targets::kMiddleName) {
            middle = value.trimmed();
        } else if (id == targets::kTypedPhone) {
            // A second mobile goes to the phone field, then with the other contacts.
            for (const QString& v : severalValues(value))
                offer({phoneColumn(kindText), QStringLiteral("base_phone")}, v, heading);
        } else if (id == targets::kTypedEmail) {
            for (const QString& v : severalValues(value))
                offer({QStringLiteral("base_email")}, v, heading);
        } else if (id == targets::kTypedWebsite) {
            for (const QString& v : severalValues(value))
                offer({QStringLiteral("work_website")}, v, heading);
        } else if (id == targets::kTypedAddress) {
            static const QRegularExpression partOf(QStringLiteral("^\\D*(\\d+)(\\w+)$"));
            const auto m = partOf.match(targets::normalHeading(heading));
            const QStringList values = severalValues(value);
            for (qsizetype j = 0; j < values.size(); ++j) {
                AddressParts& a = addresses[m.captured(1) + u'#' + QString::number(j)];
                const QStringList kinds = severalValues(kindText);
                a.kind = kinds.value(j, kinds.value(0));
                a.parts.insert(m.captured(2), values.at(j));
                a.heading.insert(m.captured(2), heading.isEmpty() ? m.captured(2) : heading);
            }
        } else if (const ImportTarget* t = targets::find(id); t && t->wholeDate) {
            const auto date = parseLooseDate(value);
            if (!date) {
                c.notes << QStringLiteral("%1“%2”无法识别, 未导入").arg(t->label, value);
                continue;
            }
            if (date->isEmpty())
                continue;
            r.setValue(t->columns[0], date->year);
            r.setValue(t->columns[1], date->month);
            r.setValue(t->columns[2], date->day);
        } else if (t) {
            // Blanks around a single value are the person's own and stay.
            put(t->columns.first(), value.contains(QLatin1String(" ::: "))
                                        ? severalValues(value).join(QStringLiteral("; "))
                                        : value);
        }
    }
    // A work address fills the unit's address; any other the home address and
    // the contact's own city and province. What has no field is reported.
    for (const AddressParts& a : std::as_const(addresses)) {
        const bool work = isWorkKind(a.kind);
        auto place = [&](const QString& column, const QString& part, const QString& value) {
            if (value.isEmpty())
                return;
            if (!column.isEmpty() && r.value(column).isEmpty())
                r.setValue(column, value);
            else
                noPlace(a.heading.value(part), value);
        };
        QStringList street;
        for (const char* part : {"street", "extendedaddress", "pobox"})
            if (!a.parts.value(QLatin1String(part)).isEmpty())
                street << a.parts.value(QLatin1String(part));
        const bool formatted = street.isEmpty();
        const QString line =
            formatted ? a.parts.value(QStringLiteral("formatted")).simplified() : street.join(u' ');
        place(work ? QStringLiteral("work_address") : QStringLiteral("home_address"),
              formatted ? QStringLiteral("formatted") : QStringLiteral("street"), line);
        if (formatted && !line.isEmpty())
            continue; // the whole address is in the one line
        place(work ? QStringLiteral("work_city") : QStringLiteral("base_city"),
              QStringLiteral("city"), a.parts.value(QStringLiteral("city")));
        place(work ? QStringLiteral("work_province_code") : QStringLiteral("base_province_code"),
              QStringLiteral("region"), a.parts.value(QStringLiteral("region")));
        place(work ? QStringLiteral("work_zip") : QString(), QStringLiteral("postalcode"),
              a.parts.value(QStringLiteral("postalcode")));
        place(QString(), QStringLiteral("country"), a.parts.value(QStringLiteral("country")));
    }
    if (r.value(QStringLiteral("base_name")).trimmed().isEmpty()) {
        QString name = family + middle + given;
        if (!hasCjk(name)) {
            QStringList parts;
            for (const QString& part : {given, middle, family})
                if (!part.isEmpty())
                    parts << part;
            name = parts.join(u' ');
        }
        if (!name.isEmpty())
            r.setValue(QStringLiteral("base_name"), name);
    }
    if (!overflow.isEmpty())
        put(QStringLiteral("base_contact"), overflow.join(QStringLiteral("; ")));
    return c;
}

bool CsvSource::next(IncomingContact& contact) {
    if (!parser_ || !error_.isEmpty())
        return false;
    CsvRow row;
    for (;;) {
        if (!parser_->next(row)) {
            error_ = parser_->error();
            return false;
        }
        if (width_ < 0) {
            width_ = row.fields.size();
            if (mapping_.headerRow) {
                headings_ = row.fields;
                continue;
            }
        }
        bool blank = true;
        for (const QString& f : row.fields)
            blank = blank && f.trimmed().isEmpty();
        if (blank)
            continue;
        break;
    }
    if (row.problem.isEmpty() && row.fields.size() != width_) {
        contact = IncomingContact();
        contact.line = row.line;
        contact.refusal =
            QStringLiteral("有 %1 列, 而第一行有 %2 列").arg(row.fields.size()).arg(width_);
        const qsizetype name = mapping_.targets.indexOf(QStringLiteral("base_name"));
        if (name >= 0)
            contact.record.setValue(QStringLiteral("base_name"), row.fields.value(name));
        return true;
    }
    contact = map(row, mapping_, headings_);
    return true;
}

} // namespace exchange

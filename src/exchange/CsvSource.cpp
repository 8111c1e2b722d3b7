#include "exchange/CsvSource.h"

#include "exchange/ImportTargets.h"
#include "exchange/PartialDate.h"

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

// The heading of the column that says the kind of a typed value:
// "Phone 1 - Type" or "Phone 1 - Label" beside "Phone 1 - Value".
qsizetype kindColumn(const QStringList& headings, qsizetype valueColumn) {
    const QString heading = headings.value(valueColumn);
    const qsizetype at = heading.lastIndexOf(QLatin1String("Value"), -1, Qt::CaseInsensitive);
    if (at < 0)
        return -1;
    for (const char* word : {"Type", "Label"}) {
        const QString kind = heading.left(at) + QLatin1String(word) + heading.mid(at + 5);
        for (qsizetype i = 0; i < headings.size(); ++i)
            if (headings.at(i).compare(kind, Qt::CaseInsensitive) == 0)
                return i;
    }
    return -1;
}

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
    auto offer = [&](const QString& column, const QString& value) {
        if (value.isEmpty())
            return;
        if (r.value(column).isEmpty())
            r.setValue(column, value);
        else
            overflow << value;
    };
    QString family, given, middle;
    for (qsizetype i = 0; i < row.fields.size() && i < mapping.targets.size(); ++i) {
        const QString& id = mapping.targets.at(i);
        if (id.isEmpty())
            continue;
        const QString value = normaliseBreaks(row.fields.at(i));
        if (id == targets::kFamilyName) {
            family = value.trimmed();
        } else if (id == targets::kGivenName) {
            given = value.trimmed();
        } else if (id == targets::kMiddleName) {
            middle = value.trimmed();
        } else if (id == targets::kTypedPhone) {
            const qsizetype kind = kindColumn(headings, i);
            offer(phoneColumn(kind >= 0 ? row.fields.value(kind) : QString()), value.trimmed());
        } else if (id == targets::kTypedEmail) {
            offer(QStringLiteral("base_email"), value.trimmed());
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
            put(t->columns.first(), value);
        }
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

#include "db/Statement.h"

namespace sql {

namespace {

QString pad(const QString& body, int width, bool left, QChar fill) {
    if (body.size() >= width)
        return body;
    const QString padding(width - body.size(), fill);
    return left ? body + padding : padding + body;
}

QString integerText(qint64 v, QChar conv) {
    switch (conv.toLatin1()) {
    case 'x':
        return QString::number(static_cast<quint32>(v), 16);
    case 'X':
        return QString::number(static_cast<quint32>(v), 16).toUpper();
    case 'u':
        return QString::number(static_cast<quint32>(v));
    default:
        return QString::number(v);
    }
}

QString render(const Arg& arg, QChar conv) {
    switch (arg.kind) {
    case Arg::Kind::Text:
        return arg.text;
    case Arg::Kind::Integer:
        if (conv == u'c')
            return QString(QChar(static_cast<char16_t>(arg.integer)));
        return integerText(arg.integer, conv);
    case Arg::Kind::Real:
        if (conv == u'f')
            return QString::number(arg.real, 'f', 6);
        return QString::number(arg.real, 'g', 15);
    }
    return {};
}

} // namespace

QString formatArgs(const QString& tmpl, const QList<Arg>& args) {
    QString out;
    out.reserve(tmpl.size() + 32 * args.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < tmpl.size(); ++i) {
        const QChar c = tmpl.at(i);
        if (c != u'%' || i + 1 >= tmpl.size()) {
            out += c;
            continue;
        }
        if (tmpl.at(i + 1) == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        bool left = false;
        QChar fill = u' ';
        while (j < tmpl.size() && (tmpl.at(j) == u'-' || tmpl.at(j) == u'0')) {
            if (tmpl.at(j) == u'-')
                left = true;
            else
                fill = u'0';
            ++j;
        }
        int width = 0;
        while (j < tmpl.size() && tmpl.at(j).isDigit()) {
            width = width * 10 + tmpl.at(j).digitValue();
            ++j;
        }
        while (j < tmpl.size() && (tmpl.at(j) == u'l' || tmpl.at(j) == u'h'))
            ++j;
        if (j >= tmpl.size()) {
            out += tmpl.mid(i);
            break;
        }
        const QChar conv = tmpl.at(j);
        if (!QStringLiteral("sdicuxXf").contains(conv)) {
            out += tmpl.mid(i, j - i + 1);
            i = j;
            continue;
        }
        const QString body = next < args.size() ? render(args.at(next), conv) : QString();
        ++next;
        out += pad(body, width, left, left ? QChar(u' ') : fill);
        i = j;
    }
    return out;
}

QString doubleQuotes(const QString& text) {
    QString out = text;
    out.replace(u'\'', QStringLiteral("''"));
    return out;
}

} // namespace sql

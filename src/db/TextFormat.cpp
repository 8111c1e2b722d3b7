// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/TextFormat.h"

namespace text {

namespace {

QString pad(const QString& body, const Token& token) {
    if (body.size() >= token.width)
        return body;
    const QString padding(token.width - body.size(), token.left ? QChar(u' ') : token.fill);
    return token.left ? body + padding : padding + body;
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

} // namespace

QList<Token> tokenize(const QString& tmpl) {
    QList<Token> tokens;
    QString literal;
    auto flush = [&] {
        if (literal.isEmpty())
            return;
        Token token;
        token.literal = literal;
        tokens.append(token);
        literal.clear();
    };
    for (qsizetype i = 0; i < tmpl.size(); ++i) {
        const QChar c = tmpl.at(i);
        if (c != u'%' || i + 1 >= tmpl.size()) {
            literal += c;
            continue;
        }
        if (tmpl.at(i + 1) == u'%') {
            literal += u'%';
            ++i;
            continue;
        }
        Token token;
        token.conversion = true;
        qsizetype j = i + 1;
        while (j < tmpl.size() && (tmpl.at(j) == u'-' || tmpl.at(j) == u'0')) {
            if (tmpl.at(j) == u'-')
                token.left = true;
            else
                token.fill = u'0';
            ++j;
        }
        while (j < tmpl.size() && tmpl.at(j).isDigit()) {
            token.width = token.width * 10 + tmpl.at(j).digitValue();
            ++j;
        }
        if (j < tmpl.size() && tmpl.at(j) == u'.') {
            token.precision = 0;
            ++j;
            while (j < tmpl.size() && tmpl.at(j).isDigit()) {
                token.precision = token.precision * 10 + tmpl.at(j).digitValue();
                ++j;
            }
        }
        while (j < tmpl.size() && (tmpl.at(j) == u'l' || tmpl.at(j) == u'h'))
            ++j;
        if (j >= tmpl.size()) {
            literal += tmpl.mid(i);
            break;
        }
        token.conv = tmpl.at(j);
        if (!QStringLiteral("sdicuxXf").contains(token.conv)) {
            literal += tmpl.mid(i, j - i + 1);
            i = j;
            continue;
        }
        flush();
        tokens.append(token);
        i = j;
    }
    flush();
    return tokens;
}

QString render(const Arg& arg, const Token& token) {
    QString body;
    switch (arg.kind) {
    case Arg::Kind::Text:
    case Arg::Kind::Piece:
        body =
            token.precision >= 0 && token.conv == u's' ? arg.text.left(token.precision) : arg.text;
        break;
    case Arg::Kind::Integer:
        if (token.conv == u'f')
            body = QString::number(double(arg.integer), 'f',
                                   token.precision >= 0 ? token.precision : 6);
        else
            body = token.conv == u'c' ? QString(QChar(static_cast<char16_t>(arg.integer)))
                                      : integerText(arg.integer, token.conv);
        break;
    case Arg::Kind::Real:
        body = token.conv == u'f'
                   ? QString::number(arg.real, 'f', token.precision >= 0 ? token.precision : 6)
                   : QString::number(arg.real, 'g', 15);
        break;
    }
    return pad(body, token);
}

QString formatArgs(const QString& tmpl, const QList<Arg>& args) {
    QString out;
    out.reserve(tmpl.size() + 32 * args.size());
    qsizetype next = 0;
    for (const Token& token : tokenize(tmpl)) {
        if (!token.conversion) {
            out += token.literal;
            continue;
        }
        out += next < args.size() ? render(args.at(next), token) : pad(QString(), token);
        ++next;
    }
    return out;
}

} // namespace text

// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Statement.h"

#include <QRegularExpression>

namespace sql {

namespace {

// An empty text is bound as empty text, never as NULL.
QVariant boundText(const QString& text) {
    return text.isNull() ? QStringLiteral("") : text;
}

// A text that reads as a whole number is bound as that number.
QVariant boundValue(const QString& text) {
    static const QRegularExpression whole(QStringLiteral("^-?[0-9]{1,18}$"));
    if (whole.match(text).hasMatch())
        return text.toLongLong();
    return boundText(text);
}

QVariant boundValue(const text::Arg& arg, const text::Token& token) {
    if (token.width == 0) {
        switch (arg.kind) {
        case text::Arg::Kind::Integer:
            if (token.conv != u'c' && token.conv != u'x' && token.conv != u'X')
                return arg.integer;
            break;
        case text::Arg::Kind::Real:
            return arg.real;
        case text::Arg::Kind::Text:
            return boundValue(arg.text);
        case text::Arg::Kind::Piece:
            break;
        }
    }
    return boundValue(text::render(arg, token));
}

// A typed text inside a LIKE pattern, its wildcards and the escape character
// made to match themselves.
QString likeEscaped(const QString& text) {
    QString out;
    out.reserve(text.size() + 4);
    for (const QChar c : text) {
        if (c == u'\\' || c == u'%' || c == u'_')
            out += u'\\';
        out += c;
    }
    return out;
}

bool hasLikeSpecial(const QString& text) {
    return text.contains(u'%') || text.contains(u'_') || text.contains(u'\\');
}

// Whether the statement written so far ends in the word "like".
bool endsInLike(const QString& text) {
    static const QRegularExpression like(QStringLiteral("\\blike\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return like.match(text).hasMatch();
}

QString literalOf(const QVariant& value) {
    if (value.isNull())
        return QStringLiteral("NULL");
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Double:
        return value.toString();
    default:
        return quoted(value.toString());
    }
}

} // namespace

QString quoted(const QString& text) {
    QString out = text;
    out.replace(u'\'', QStringLiteral("''"));
    return u'\'' + out + u'\'';
}

QString Statement::shown() const {
    QString out;
    out.reserve(text_.size() + 16 * values_.size());
    bool inQuote = false;
    qsizetype next = 0;
    for (const QChar c : text_) {
        if (c == u'\'')
            inQuote = !inQuote;
        if (c == u'?' && !inQuote && next < values_.size())
            out += literalOf(values_.at(next++));
        else
            out += c;
    }
    return out;
}

Statement& Statement::operator+=(const Statement& more) {
    text_ += more.text_;
    values_ += more.values_;
    return *this;
}

Statement formatArgs(const QString& tmpl, const QList<text::Arg>& args,
                     const QList<Statement>& pieces) {
    Statement out;
    out.text_.reserve(tmpl.size() + 8 * args.size());

    // A quoted part of the template: kept as written when it has no conversion,
    // otherwise bound as one text with its conversions filled in.
    bool inQuote = false;
    bool quoteHasValue = false;
    QString quoteWritten; // as the template writes it, quotes included
    QString quoteValue;   // what it stands for
    // A pattern after "like": the same value with typed texts escaped, and
    // whether a typed text holds a character that needs it.
    bool quoteIsPattern = false;
    QString quotePattern;
    bool patternNeedsEscape = false;
    auto closeQuote = [&] {
        if (!quoteHasValue) {
            out.text_ += quoteWritten;
            return;
        }
        if (quoteIsPattern && patternNeedsEscape) {
            out.text_ += QStringLiteral("? escape '\\'");
            out.values_.append(boundText(quotePattern));
        } else {
            out.text_ += u'?';
            out.values_.append(boundText(quoteValue));
        }
    };

    qsizetype next = 0;
    const QList<text::Token> tokens = text::tokenize(tmpl);
    for (qsizetype t = 0; t < tokens.size(); ++t) {
        const text::Token& token = tokens.at(t);
        if (token.conversion) {
            const text::Arg arg = next < args.size() ? args.at(next) : text::Arg{};
            ++next;
            if (inQuote) {
                quoteHasValue = true;
                const QString rendered = text::render(arg, token);
                quoteValue += rendered;
                if (arg.wildcard || arg.kind != text::Arg::Kind::Text) {
                    quotePattern += rendered;
                } else {
                    quotePattern += likeEscaped(rendered);
                    patternNeedsEscape = patternNeedsEscape || hasLikeSpecial(rendered);
                }
            } else if (arg.kind == text::Arg::Kind::Piece) {
                out += pieces.at(arg.piece);
            } else {
                out.text_ += u'?';
                out.values_.append(boundValue(arg, token));
            }
            continue;
        }
        const QString& literal = token.literal;
        for (qsizetype i = 0; i < literal.size(); ++i) {
            const QChar c = literal.at(i);
            if (!inQuote) {
                if (c == u'\'') {
                    inQuote = true;
                    quoteHasValue = false;
                    quoteWritten = QStringLiteral("'");
                    quoteValue.clear();
                    quoteIsPattern = endsInLike(out.text_);
                    quotePattern.clear();
                    patternNeedsEscape = false;
                } else {
                    out.text_ += c;
                }
                continue;
            }
            if (c != u'\'') {
                quoteWritten += c;
                quoteValue += c;
                quotePattern += c;
                continue;
            }
            // A doubled quote inside a quoted part stands for one quote. The
            // second one may begin the next literal token only when no
            // conversion stands between them, so looking within this token is enough.
            if (i + 1 < literal.size() && literal.at(i + 1) == u'\'') {
                quoteWritten += QStringLiteral("''");
                quoteValue += u'\'';
                quotePattern += u'\'';
                ++i;
                continue;
            }
            inQuote = false;
            quoteWritten += u'\'';
            closeQuote();
        }
    }
    if (inQuote) {
        // An unterminated quote: never let a value become statement text.
        closeQuote();
    }
    return out;
}

QString withNameOrder(const QString& statementText) {
    static const QRegularExpression orderBy(QStringLiteral("\\border\\s+by\\s+"),
                                            QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression term(QStringLiteral("\\G([A-Za-z_][A-Za-z0-9_.]*)"));
    if (!statementText.contains(QStringLiteral("_name"), Qt::CaseInsensitive))
        return statementText;

    // Where quoted literals lie, so an "order by" inside one is left alone.
    QList<bool> quotedAt(statementText.size(), false);
    bool inQuote = false;
    for (qsizetype i = 0; i < statementText.size(); ++i) {
        if (statementText.at(i) == u'\'')
            inQuote = !inQuote;
        quotedAt[i] = inQuote;
    }

    const QString collate = QStringLiteral(" collate ") + QLatin1String(kNameCollation);
    QString out;
    qsizetype copied = 0;
    auto it = orderBy.globalMatch(statementText);
    while (it.hasNext()) {
        const QRegularExpressionMatch clause = it.next();
        if (quotedAt.at(clause.capturedStart()))
            continue;
        qsizetype pos = clause.capturedEnd();
        while (pos < statementText.size()) {
            const QRegularExpressionMatch name = term.match(statementText, pos);
            if (!name.hasMatch())
                break;
            const qsizetype end = name.capturedEnd();
            if (name.captured(1).endsWith(QStringLiteral("_name"), Qt::CaseInsensitive)) {
                out += statementText.mid(copied, end - copied) + collate;
                copied = end;
            }
            // On to the next term of the clause, if there is one.
            qsizetype depth = 0;
            pos = end;
            while (pos < statementText.size()) {
                const QChar c = statementText.at(pos);
                if (c == u'(')
                    ++depth;
                else if (c == u')' && --depth < 0)
                    break;
                else if (c == u',' && depth == 0 && !quotedAt.at(pos))
                    break;
                ++pos;
            }
            if (pos >= statementText.size() || statementText.at(pos) != u',')
                break;
            ++pos;
            while (pos < statementText.size() && statementText.at(pos).isSpace())
                ++pos;
        }
    }
    out += statementText.mid(copied);
    return out;
}

} // namespace sql

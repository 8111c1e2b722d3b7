// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/TextFormat.h"

#include <QString>
#include <QVariantList>
#include <cstddef>

// Statements are the program's fixed templates, filled printf-style. Every value
// reaches the engine as a bound value, never as statement text:
//   - a quoted part of the template that holds conversions ('%s', '%%%s%%',
//     '%s%s%s') becomes one bound text, its conversions filled in;
//   - an unquoted %s, %d or %ld becomes one bound value (a text that reads as a
//     whole number is bound as that number, so "where base_code=%s" with an ID
//     text compares numbers);
//   - in a quoted part after "like", sql::kAnyText is the wildcard "%"; a
//     typed text's own "%", "_" and "\\" match themselves (the pattern is then
//     bound escaped, with "escape '\\'");
//   - a Statement given as an argument is a piece the program built (a tree
//     filter, a query condition): its text is pasted in and its values go along.
// So a typed text can never change what a statement does, whatever it holds.
namespace sql {

class Statement {
  public:
    Statement() = default;
    // Program text only: a template or a piece written in the code, no values.
    explicit Statement(const QString& programText) : text_(programText) {}
    // A string literal is program text by construction.
    template <std::size_t N>
    Statement(const char (&literal)[N]) : text_(QString::fromUtf8(literal, N - 1)) {}

    // The text handed to the engine, "?" standing for each value.
    const QString& text() const { return text_; }
    const QVariantList& values() const { return values_; }
    bool isEmpty() const { return text_.isEmpty(); }

    // The statement as it reads with its values written in, texts between
    // single quotes with every quote doubled: for messages and tests.
    QString shown() const;

    Statement& operator+=(const Statement& more);
    friend Statement operator+(Statement left, const Statement& right) {
        left += right;
        return left;
    }
    friend bool operator==(const Statement& a, const Statement& b) {
        return a.text_ == b.text_ && a.values_ == b.values_;
    }

  private:
    friend Statement formatArgs(const QString& tmpl, const QList<text::Arg>& args,
                                const QList<Statement>& pieces);
    QString text_;
    QVariantList values_;
};

// The LIKE wildcard "%" in a pattern: sql::format(kName, kAnyText, typed, kAnyText).
struct AnyText {};
inline constexpr AnyText kAnyText{};

// The argument list of sql::format: values, and statement pieces kept aside.
struct Args {
    QList<text::Arg> args;
    QList<Statement> pieces;

    void add(const Statement& piece) {
        text::Arg arg;
        arg.kind = text::Arg::Kind::Piece;
        arg.piece = int(pieces.size());
        arg.text = piece.shown();
        pieces.append(piece);
        args.append(arg);
    }
    void add(AnyText) {
        text::Arg arg = text::toArg(QStringLiteral("%"));
        arg.wildcard = true;
        args.append(arg);
    }
    template <typename T> void add(const T& value) { args.append(text::toArg(value)); }
};

Statement formatArgs(const QString& tmpl, const QList<text::Arg>& args,
                     const QList<Statement>& pieces);

// Fills a template: sql::format(kContactName, code).
template <typename... Ts> Statement format(const QString& tmpl, const Ts&... values) {
    Args all;
    (all.add(values), ...);
    return formatArgs(tmpl, all.args, all.pieces);
}

// A text written between single quotes as a literal, every quote doubled. Only
// for showing statements; values never travel this way.
QString quoted(const QString& text);

// "order by" terms on name columns ("..._name") ordered the way Chinese readers
// expect (pinyin), through the collation every connection registers.
inline const char* const kNameCollation = "pinyin";
QString withNameOrder(const QString& statementText);

} // namespace sql

Q_DECLARE_METATYPE(sql::Statement)

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <type_traits>

// printf-style filling of the program's fixed texts (captions, messages, date
// forms). The arguments are typed, so a text never turns into a number or the
// other way round: %s takes text or a number, %d/%ld take numbers, %c takes a
// character, %% is a percent sign. Flags, widths and precisions ("%4s", "%2d",
// "%0lX", "%.2f") are honoured. Statements are filled by sql::format instead, which binds values.
namespace text {

struct Arg {
    enum class Kind { Text, Integer, Real, Piece };
    Kind kind = Kind::Text;
    QString text;
    qint64 integer = 0;
    double real = 0.0;
    int piece = -1; // index of a statement piece (sql::format only)
    // sql::format only: a LIKE wildcard the program put in a pattern, as opposed
    // to a typed text whose own "%" and "_" must match themselves.
    bool wildcard = false;
};

inline Arg toArg(const QString& s) {
    return {Arg::Kind::Text, s, 0, 0.0, -1};
}
inline Arg toArg(const char* s) {
    return {Arg::Kind::Text, QString::fromUtf8(s), 0, 0.0, -1};
}
inline Arg toArg(QChar c) {
    return {Arg::Kind::Text, QString(c), 0, 0.0, -1};
}
inline Arg toArg(char c) {
    return {Arg::Kind::Text, QString(QChar::fromLatin1(c)), 0, 0.0, -1};
}
template <typename T>
requires std::is_integral_v<T> Arg toArg(T v) {
    return {Arg::Kind::Integer, {}, static_cast<qint64>(v), 0.0, -1};
}
template <typename T>
requires std::is_floating_point_v<T> Arg toArg(T v) {
    return {Arg::Kind::Real, {}, 0, static_cast<double>(v), -1};
}

// One piece of a template: literal text, or a conversion with its flags.
struct Token {
    bool conversion = false;
    QString literal; // literal text ("%%" already turned into "%")
    QChar conv;      // s d i c u x X f
    int width = 0;
    int precision = -1; // ".2" of "%.2f"; -1 when not given
    bool left = false;  // "-" flag
    QChar fill = u' ';  // "0" flag
};

QList<Token> tokenize(const QString& tmpl);
// One argument rendered as the conversion asks, width and padding included.
QString render(const Arg& arg, const Token& token);
QString formatArgs(const QString& tmpl, const QList<Arg>& args);

template <typename... Args> QString format(const QString& tmpl, const Args&... args) {
    return formatArgs(tmpl, QList<Arg>{toArg(args)...});
}

} // namespace text

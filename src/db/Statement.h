#pragma once

#include <QString>
#include <QStringList>
#include <type_traits>

// Statements are fixed templates filled printf-style. The helper takes typed
// arguments, so a text never turns into a number or the other way round:
// %s takes text or a number, %d/%ld take numbers, %c takes a character,
// %% is a percent sign. Flags and widths ("%4s", "%2d", "%0lX") are honoured.
namespace sql {

struct Arg {
    enum class Kind { Text, Integer, Real };
    Kind kind = Kind::Text;
    QString text;
    qint64 integer = 0;
    double real = 0.0;
};

inline Arg toArg(const QString& s) {
    return {Arg::Kind::Text, s, 0, 0.0};
}
inline Arg toArg(const char* s) {
    return {Arg::Kind::Text, QString::fromUtf8(s), 0, 0.0};
}
inline Arg toArg(QChar c) {
    return {Arg::Kind::Text, QString(c), 0, 0.0};
}
inline Arg toArg(char c) {
    return {Arg::Kind::Text, QString(QChar::fromLatin1(c)), 0, 0.0};
}
template <typename T>
requires std::is_integral_v<T> Arg toArg(T v) {
    return {Arg::Kind::Integer, {}, static_cast<qint64>(v), 0.0};
}
template <typename T>
requires std::is_floating_point_v<T> Arg toArg(T v) {
    return {Arg::Kind::Real, {}, 0, static_cast<double>(v)};
}

QString formatArgs(const QString& tmpl, const QList<Arg>& args);

// Fills a template: sql::format("select * from base where base_code=%ld", code).
template <typename... Args> QString format(const QString& tmpl, const Args&... args) {
    return formatArgs(tmpl, QList<Arg>{toArg(args)...});
}

// The one place where a text is made safe to stand between single quotes.
QString doubleQuotes(const QString& text);

} // namespace sql

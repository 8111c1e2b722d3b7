// SPDX-License-Identifier: GPL-3.0-or-later
#include "quickfind/PinyinReadings.h"

#include <QStringList>

#include <unicode/translit.h>
#include <unicode/unistr.h>

namespace quickfind {

namespace {

// Surnames whose reading differs from the character's usual one. ICU's name
// mode knows most of them; the table keeps them right whatever ICU version the
// program runs with, and fixes the ones it reads wrong (朴 pu, 覃 tan, 缪 mou).
const QHash<QString, QStringList>& surnames() {
    static const QHash<QString, QStringList> table{
        {QStringLiteral("尉迟"), {"yu", "chi"}},
        {QStringLiteral("万俟"), {"mo", "qi"}},
        {QStringLiteral("长孙"), {"zhang", "sun"}},
        {QStringLiteral("单于"), {"chan", "yu"}},
        {QStringLiteral("单"), {"shan"}},
        {QStringLiteral("曾"), {"zeng"}},
        {QStringLiteral("解"), {"xie"}},
        {QStringLiteral("仇"), {"qiu"}},
        {QStringLiteral("区"), {"ou"}},
        {QStringLiteral("朴"), {"piao"}},
        {QStringLiteral("查"), {"zha"}},
        {QStringLiteral("盖"), {"ge"}},
        {QStringLiteral("乐"), {"yue"}},
        {QStringLiteral("覃"), {"qin"}},
        {QStringLiteral("缪"), {"miao"}},
        {QStringLiteral("翟"), {"zhai"}},
        {QStringLiteral("繁"), {"po"}},
        {QStringLiteral("员"), {"yun"}},
    };
    return table;
}

// Characters with two readings in common use; ICU gives one of them, a person
// may type either.
const QHash<char32_t, QList<std::string>>& secondReadings() {
    static const QHash<char32_t, QList<std::string>> table{
        {U'长', {"chang", "zhang"}}, {U'行', {"xing", "hang"}},   {U'重', {"zhong", "chong"}},
        {U'乐', {"le", "yue"}},      {U'曾', {"ceng", "zeng"}},   {U'解', {"jie", "xie"}},
        {U'朝', {"chao", "zhao"}},   {U'藏', {"cang", "zang"}},   {U'调', {"tiao", "diao"}},
        {U'传', {"chuan", "zhuan"}}, {U'都', {"du", "dou"}},      {U'参', {"can", "shen"}},
        {U'和', {"he", "huo"}},      {U'茜', {"qian", "xi"}},     {U'柏', {"bai", "bo"}},
        {U'晟', {"sheng", "cheng"}}, {U'单', {"dan", "shan"}},    {U'查', {"cha", "zha"}},
        {U'区', {"qu", "ou"}},       {U'仇', {"chou", "qiu"}},    {U'盖', {"gai", "ge"}},
        {U'覃', {"tan", "qin"}},     {U'朴', {"pu", "piao"}},     {U'翟', {"di", "zhai"}},
        {U'缪', {"mou", "miao"}},    {U'厦', {"sha", "xia"}},     {U'会', {"hui", "kuai"}},
        {U'省', {"sheng", "xing"}},  {U'强', {"qiang", "jiang"}}, {U'蔚', {"wei", "yu"}},
        {U'大', {"da", "dai"}},      {U'阿', {"a", "e"}},         {U'尉', {"wei", "yu"}},
        {U'员', {"yuan", "yun"}},    {U'石', {"shi", "dan"}},     {U'薄', {"bo", "bao"}},
    };
    return table;
}

std::unique_ptr<icu::Transliterator> transliterator(const char* id) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
        icu::UnicodeString::fromUTF8(id), UTRANS_FORWARD, status));
    return U_SUCCESS(status) ? std::move(t) : nullptr;
}

char32_t codePointAt(const QString& text, qsizetype i, qsizetype* width) {
    const QChar c = text.at(i);
    if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        *width = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1));
    }
    *width = 1;
    return c.unicode();
}

// Toneless lower-case syllables of ICU's output: marks dropped, ü as v.
QList<std::string> syllables(const QString& latin) {
    const QString decomposed = latin.normalized(QString::NormalizationForm_D).toLower();
    QList<std::string> out;
    std::string current;
    for (qsizetype i = 0; i < decomposed.size(); ++i) {
        const QChar c = decomposed.at(i);
        if (c == u'\u0308' && !current.empty() && current.back() == 'u') {
            current.back() = 'v';
        } else if (c >= u'a' && c <= u'z') {
            current += char(c.unicode());
        } else if (c.category() != QChar::Mark_NonSpacing) {
            if (!current.empty())
                out << current;
            current.clear();
        }
    }
    if (!current.empty())
        out << current;
    return out;
}

void addReading(Readings& readings, const std::string& reading) {
    if (!reading.empty() && !readings.contains(reading))
        readings << reading;
}

} // namespace

bool isHan(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3134F) || c == 0x3007;
}

PinyinReadings::PinyinReadings()
    : plain_(transliterator("Han-Latin")), names_(transliterator("Han-Latin/Names")) {}

PinyinReadings::~PinyinReadings() = default;

QList<Token> PinyinReadings::split(const QString& text) {
    QList<Token> tokens;
    enum class Run { None, Letters, Digits } run = Run::None;
    for (qsizetype i = 0; i < text.size();) {
        qsizetype width = 1;
        const char32_t c = codePointAt(text, i, &width);
        const bool letter = c < 128 && ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
        const bool digit = c >= '0' && c <= '9';
        const Run kind = letter ? Run::Letters : digit ? Run::Digits : Run::None;
        if (kind != Run::None && kind == run) {
            tokens.last().end = i + width;
            tokens.last().readings.extend(char(letter ? (c | 0x20) : c));
            tokens.last().character = 0;
        } else if (kind != Run::None) {
            Token token{i, i + width, c, {std::string(1, char(letter ? (c | 0x20) : c))}};
            tokens << token;
        } else if (isHan(c) || QChar::isLetterOrNumber(c)) {
            tokens << Token{i, i + width, c, {}};
        }
        run = kind;
        i += width;
    }
    return tokens;
}

QList<std::string> PinyinReadings::transliterate(const QString& text, icu::Transliterator* by) {
    if (!by)
        return {};
    icu::UnicodeString s(reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()));
    by->transliterate(s);
    const QString out(reinterpret_cast<const QChar*>(s.getBuffer()), s.length());
    return out == text ? QList<std::string>() : syllables(out);
}

const Readings& PinyinReadings::readingsOf(char32_t c) {
    auto found = cache_.constFind(c);
    if (found != cache_.constEnd())
        return *found;
    Readings readings;
    const QList<std::string> icu = transliterate(QString::fromUcs4(&c, 1), plain_.get());
    if (icu.size() == 1)
        readings << icu.first();
    for (const std::string& reading : secondReadings().value(c))
        addReading(readings, reading);
    return *cache_.insert(c, readings);
}

QList<Token> PinyinReadings::ofText(const QString& text) {
    QList<Token> tokens = split(text);
    for (Token& token : tokens) {
        if (token.readings.isEmpty() && token.character && isHan(token.character))
            token.readings = readingsOf(token.character);
    }
    return tokens;
}

QList<Token> PinyinReadings::ofName(const QString& name) {
    QList<Token> tokens = ofText(name);
    if (tokens.isEmpty() || !isHan(tokens[0].character))
        return tokens;
    // A compound surname first, then a single one; else ICU's name mode.
    if (tokens.size() > 1 && isHan(tokens[1].character)) {
        const QString pair = name.mid(tokens[0].begin, tokens[1].end - tokens[0].begin);
        const QStringList compound = surnames().value(pair);
        if (compound.size() == 2) {
            tokens[0].readings = {compound[0].toStdString()};
            tokens[1].readings = {compound[1].toStdString()};
            return tokens;
        }
    }
    const QString first = name.mid(tokens[0].begin, tokens[0].end - tokens[0].begin);
    QStringList surname = surnames().value(first);
    if (surname.isEmpty()) {
        const QList<std::string> named = transliterate(first, names_.get());
        if (named.size() == 1)
            surname << QString::fromStdString(named.first());
    }
    if (surname.size() == 1)
        tokens[0].readings = {surname[0].toStdString()};
    return tokens;
}

QString PinyinReadings::encode(const QList<Token>& tokens) {
    QStringList parts;
    for (const Token& token : tokens) {
        parts << (token.readings.isEmpty() ? QStringLiteral("-")
                                           : QString::fromStdString(token.readings.joined()));
    }
    return parts.join(u' ');
}

QList<Token> PinyinReadings::decode(const QString& text, const QString& key) {
    QList<Token> tokens = split(text);
    const QStringList parts = key.split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != tokens.size())
        return {};
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        tokens[i].readings.clear();
        if (parts[i] == u'-')
            continue;
        for (const QString& reading : parts[i].split(u'/'))
            tokens[i].readings << reading.toStdString();
    }
    return tokens;
}

} // namespace quickfind

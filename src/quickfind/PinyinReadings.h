// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <string>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Transliterator;
U_NAMESPACE_END

namespace quickfind {

// One piece of a name or a unit as the find box matches it: a Chinese
// character with its pinyin readings (toneless, ü written v), a run of Latin
// letters or of digits (the run itself is its reading), or any other letter
// (matched only as itself).
struct Token {
    qsizetype begin = 0; // position in the text (UTF-16 units)
    qsizetype end = 0;
    char32_t character = 0;      // the character, for a single-character token
    QList<std::string> readings; // lower-case ASCII; the first is the usual one
};

// Pinyin readings of names and units, from ICU's Han-Latin transliteration.
// ICU gives one reading per character; a person's name is read in its surname
// mode for the first one or two characters (with a short table where ICU's
// surname reading is wrong), and characters with a second common reading
// match both. Readings are cached per character: a name costs a lookup.
class PinyinReadings {
  public:
    PinyinReadings();
    ~PinyinReadings();
    PinyinReadings(const PinyinReadings&) = delete;
    PinyinReadings& operator=(const PinyinReadings&) = delete;

    // The tokens of a person's name (surname mode) or of any other text.
    QList<Token> ofName(const QString& name);
    QList<Token> ofText(const QString& text);

    // Readings as stored: tokens by blanks, a token's readings by '/', a token
    // without a reading as '-' ("shan tian fang", "chang/zhang jiang").
    static QString encode(const QList<Token>& tokens);
    // The tokens of text with the readings of a stored key; empty when the key
    // does not fit the text (a key from another text).
    static QList<Token> decode(const QString& text, const QString& key);

    // Splits a text into tokens, without readings.
    static QList<Token> split(const QString& text);

  private:
    const QList<std::string>& readingsOf(char32_t c);
    QList<std::string> transliterate(const QString& text, icu::Transliterator* by);

    std::unique_ptr<icu::Transliterator> plain_;
    std::unique_ptr<icu::Transliterator> names_;
    QHash<char32_t, QList<std::string>> cache_;
};

// Whether a character is read as pinyin (CJK ideographs, the BMP's and beyond).
bool isHan(char32_t c);

} // namespace quickfind

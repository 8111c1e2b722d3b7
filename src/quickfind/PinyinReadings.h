// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <string>
#include <string_view>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Transliterator;
U_NAMESPACE_END

namespace quickfind {

// The readings of a token, kept in one string ("zhong/chong"): a name of
// 100,000 contacts keeps them without an allocation of their own.
class Readings {
  public:
    Readings() = default;
    Readings(std::initializer_list<std::string_view> readings) {
        for (std::string_view reading : readings)
            *this << reading;
    }
    bool isEmpty() const { return joined_.empty(); }
    void clear() { joined_.clear(); }
    Readings& operator<<(std::string_view reading) {
        if (!joined_.empty())
            joined_ += '/';
        joined_ += reading;
        return *this;
    }
    // A run of letters or digits grows by one.
    void extend(char c) { joined_ += c; }
    std::string_view first() const {
        return std::string_view(joined_).substr(0, joined_.find('/'));
    }
    bool contains(std::string_view reading) const {
        for (std::string_view r : *this) {
            if (r == reading)
                return true;
        }
        return false;
    }
    const std::string& joined() const { return joined_; }

    class const_iterator {
      public:
        const_iterator(const std::string* s, std::size_t from) : s_(s), from_(from) { seek(); }
        std::string_view operator*() const {
            return std::string_view(*s_).substr(from_, to_ - from_);
        }
        const_iterator& operator++() {
            from_ = to_ == s_->size() ? to_ : to_ + 1;
            seek();
            return *this;
        }
        bool operator!=(const const_iterator& other) const { return from_ != other.from_; }

      private:
        // Where the reading at from_ ends: the next '/' or the end.
        void seek() {
            const std::size_t to = from_ < s_->size() ? s_->find('/', from_) : std::string::npos;
            to_ = to == std::string::npos ? s_->size() : to;
        }
        const std::string* s_;
        std::size_t from_;
        std::size_t to_ = 0;
    };
    const_iterator begin() const { return {&joined_, 0}; }
    const_iterator end() const { return {&joined_, joined_.size()}; }

  private:
    std::string joined_;
};

// One piece of a name or a unit as the find box matches it: a Chinese
// character with its pinyin readings (toneless, ü written v), a run of Latin
// letters or of digits (the run itself is its reading), or any other letter
// (matched only as itself).
struct Token {
    qsizetype begin = 0; // position in the text (UTF-16 units)
    qsizetype end = 0;
    char32_t character = 0; // the character, for a single-character token
    Readings readings;      // lower-case ASCII; the first is the usual one
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
    const Readings& readingsOf(char32_t c);
    QList<std::string> transliterate(const QString& text, icu::Transliterator* by);

    std::unique_ptr<icu::Transliterator> plain_;
    std::unique_ptr<icu::Transliterator> names_;
    QHash<char32_t, Readings> cache_;
};

// Whether a character is read as pinyin (CJK ideographs, the BMP's and beyond).
bool isHan(char32_t c);

} // namespace quickfind

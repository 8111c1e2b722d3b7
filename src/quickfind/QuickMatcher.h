// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "quickfind/PinyinReadings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string>

namespace quickfind {

// A contact as the find box matches it.
struct Entry {
    qint64 code = 0;
    bool live = true; // false in the trash
    QString name;
    QString post;
    QString unit;   // work_name
    QString branch; // work_branch_name
    QString email;
    QStringList numbers; // mobile, phone, work phone, fax as written
    QList<Token> nameTokens;
    QList<Token> unitTokens;
    QList<Token> branchTokens;
    QByteArray digits;   // the numbers as digits only, separated by blanks
    std::string sortKey; // the name's usual pinyin, for ties
    // Case-folded texts for the fragment checks.
    QString nameFold, unitFold, branchFold, emailFold;
    // The letters a pinyin match can start with (startBit): in the name, in
    // the unit or department. Most contacts are passed over on these alone.
    quint64 nameStarts = 0;
    quint64 unitStarts = 0;
    // Every letter, digit and character (by startBit) any match could use;
    // the characters of each text, for the fragment checks; the letters the
    // first word of the unit or department starts with.
    quint64 present = 0;
    quint64 nameChars = 0, unitChars = 0, branchChars = 0, emailChars = 0;
    quint64 unitHead = 0;
    // The first two letters a pinyin match in the unit or department can start
    // with (pairIndex): two of one reading, or the initials of two words.
    std::array<quint64, 11> unitPairs{};

    // Fills the derived members from the texts and tokens.
    void prepare();
};

// The better kinds of match first.
enum class Tier {
    ExactName = 0,
    NamePrefix,
    NamePinyin,
    NameFragment,
    Unit,
    Number,
    Email,
};

enum class Field { Name, Unit, Branch, Number, Email };

struct Match {
    Tier tier = Tier::Email;
    Field field = Field::Name;
    qsizetype begin = 0; // the matched part of the field (UTF-16 units); for
    qsizetype end = 0;   // a number, which of the numbers is in begin
};

// What a person typed, in the forms the matching compares.
class Query {
  public:
    explicit Query(const QString& typed);

    bool isEmpty() const { return fold_.isEmpty(); }
    // Whether a longer query typed after this one can only match fewer contacts.
    bool narrows(const Query& longer) const;

    const QString& fold() const { return fold_; }
    const std::u32string& letters() const { return letters_; }
    const QByteArray& digits() const { return digits_; } // empty unless a number is typed
    // The bits (startBit) an entry must have all of to match.
    quint64 needed() const { return needed_; }
    // Whether the entry has every character a match needs (the first, cheap test).
    bool admits(const Entry& e) const { return !isEmpty() && (e.present & needed_) == needed_; }
    bool admits(quint64 present) const { return !isEmpty() && (present & needed_) == needed_; }

  private:
    QString typed_;
    QString fold_;
    std::u32string letters_;
    QByteArray digits_;
    quint64 needed_ = 0;
};

// The best match of a contact for a query, if any: the best of its name,
// else of its unit and department, else of its numbers and e-mail. The parts
// look at their own fields only (a finder reuses the unit's answer for every
// contact of the same unit); each assumes the query admits the entry.
std::optional<Match> match(const Entry& entry, const Query& query);
std::optional<Match> matchName(const Entry& entry, const Query& query);
std::optional<Match> matchUnit(const Entry& entry, const Query& query);
std::optional<Match> matchOther(const Entry& entry, const Query& query);

// The digits of a written number: blanks, dashes and a leading +86 (or 0086) dropped.
QByteArray numberDigits(const QString& number);
// Where in a written number a run of digits lies ([begin, end) in the text); -1 when nowhere.
std::pair<qsizetype, qsizetype> numberSpan(const QString& number, const QByteArray& digits);

// A character's bit in Entry::nameStarts and unitStarts.
quint64 startBit(char32_t c);
// Two lower-case Latin letters' place in Entry::unitPairs; -1 for anything else.
int pairIndex(char32_t first, char32_t second);

// The usual pinyin of a text's tokens, for ordering ties.
std::string sortKeyOf(const QString& text, const QList<Token>& tokens);

} // namespace quickfind

// SPDX-License-Identifier: GPL-3.0-or-later
#include "quickfind/QuickMatcher.h"

#include <cstdint>

namespace quickfind {

namespace {

// The typed letters: lower-case, toneless (ü as v), full-width folded, blanks,
// apostrophes and dashes between syllables left out. Longer than this, the rest is not compared.
constexpr std::size_t kMostLetters = 63;

std::u32string lettersOf(const QString& fold, std::size_t most = kMostLetters) {
    const QString decomposed = fold.normalized(QString::NormalizationForm_D);
    std::u32string out;
    const QList<uint> points = decomposed.toUcs4();
    for (uint c : points) {
        if (c == 0x308 && !out.empty() && out.back() == U'u')
            out.back() = U'v';
        else if (c == U'ü')
            out += U'v';
        else if (!QChar::isSpace(char32_t(c)) && c != '\'' && c != 0x2019 && c != '-' &&
                 c != 0xB7 && QChar::category(char32_t(c)) != QChar::Mark_NonSpacing)
            out += char32_t(c); // other signs stay, so "zhangsan@" is no name
        if (out.size() == most)
            break;
    }
    return out;
}

// The last token of tokens, starting at first, through which the letters run
// out; -1 when they do not fit. Each token takes its character, or a prefix of
// one of its readings (a full syllable, an initial or more), so "zs", "zhs",
// "zsan", "zhangsan" and "张san" all read 张三.
int runThrough(const QList<Token>& tokens, qsizetype first, const std::u32string& letters) {
    const std::size_t m = letters.size();
    if (m == 0 || m > kMostLetters)
        return -1;
    std::uint64_t reached = 1; // bit p: the first p letters are taken
    for (qsizetype i = first; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        std::uint64_t next = 0;
        for (std::size_t p = 0; p < m; ++p) {
            if (!(reached >> p & 1))
                continue;
            if (token.character && letters[p] == token.character)
                next |= std::uint64_t(1) << (p + 1);
            for (std::string_view reading : token.readings) {
                for (std::size_t k = 0; k < reading.size() && p + k < m; ++k) {
                    if (letters[p + k] != char32_t(reading[k]))
                        break;
                    next |= std::uint64_t(1) << (p + k + 1);
                }
            }
        }
        if (next >> m & 1)
            return int(i);
        if (!next)
            return -1;
        reached = next;
    }
    return -1;
}

std::optional<Match> tokensMatch(const QList<Token>& tokens, const std::u32string& letters,
                                 bool anyStart, Tier tier, Field field) {
    if (letters.empty())
        return std::nullopt;
    for (qsizetype first = 0; first < tokens.size(); ++first) {
        const Token& start = tokens[first];
        bool opens = start.character == letters[0];
        for (std::string_view reading : start.readings)
            opens = opens || char32_t(reading[0]) == letters[0];
        if (opens) {
            if (const int last = runThrough(tokens, first, letters); last >= 0)
                return Match{tier, field, start.begin, tokens[last].end};
        }
        if (!anyStart)
            break;
    }
    return std::nullopt;
}

std::optional<Match> fragment(const QString& fold, const QString& what, Tier tier, Field field) {
    const qsizetype at = fold.indexOf(what);
    if (at < 0)
        return std::nullopt;
    return Match{tier, field, at, at + what.size()};
}

bool onlyNumberSigns(const QString& text) {
    for (QChar c : text) {
        if (!c.isDigit() && c != u' ' && c != u'-' && c != u'(' && c != u')' && c != u'+')
            return false;
    }
    return true;
}

} // namespace

QByteArray numberDigits(const QString& number) {
    const QString trimmed = number.trimmed();
    QByteArray digits;
    for (QChar c : trimmed) {
        if (c >= u'0' && c <= u'9')
            digits += char(c.unicode());
    }
    if (trimmed.startsWith(u'+') && digits.startsWith("86"))
        digits.remove(0, 2);
    else if (digits.startsWith("0086"))
        digits.remove(0, 4);
    return digits;
}

std::pair<qsizetype, qsizetype> numberSpan(const QString& number, const QByteArray& digits) {
    const QByteArray all = numberDigits(number);
    const qsizetype at = all.indexOf(digits);
    if (at < 0 || digits.isEmpty())
        return {-1, -1};
    // Digits dropped at the front (the country code) come before the first kept one.
    qsizetype skipped = 0;
    for (QChar c : number)
        skipped += (c >= u'0' && c <= u'9') ? 1 : 0;
    skipped -= all.size();
    qsizetype seen = 0;
    qsizetype begin = -1;
    for (qsizetype i = 0; i < number.size(); ++i) {
        if (number.at(i) < u'0' || number.at(i) > u'9')
            continue;
        const qsizetype index = seen++ - skipped;
        if (index == at)
            begin = i;
        if (index == at + digits.size() - 1)
            return {begin, i + 1};
    }
    return {-1, -1};
}

std::string sortKeyOf(const QString& text, const QList<Token>& tokens) {
    std::string key;
    for (const Token& token : tokens) {
        key += token.readings.isEmpty()
                   ? text.mid(token.begin, token.end - token.begin).toUtf8().toStdString()
                   : std::string(token.readings.first());
    }
    return key;
}

quint64 startBit(char32_t c) {
    if (c >= 'a' && c <= 'z')
        return quint64(1) << (c - 'a');
    if (c >= '0' && c <= '9')
        return quint64(1) << (26 + c - '0');
    return quint64(1) << (36 + c % 28);
}

int pairIndex(char32_t first, char32_t second) {
    const auto letter = [](char32_t c) { return c >= 'a' && c <= 'z'; };
    return letter(first) && letter(second) ? int(first - 'a') * 26 + int(second - 'a') : -1;
}

namespace {

void addPairs(std::array<quint64, 11>& pairs, const QList<Token>& tokens) {
    const auto add = [&pairs](char32_t a, char32_t b) {
        if (const int i = pairIndex(a, b); i >= 0)
            pairs[std::size_t(i / 64)] |= quint64(1) << (i % 64);
    };
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        for (std::string_view reading : tokens[i].readings) {
            if (reading.size() > 1)
                add(char32_t(reading[0]), char32_t(reading[1]));
            if (i + 1 < tokens.size()) {
                for (std::string_view next : tokens[i + 1].readings)
                    add(char32_t(reading[0]), char32_t(next[0]));
            }
        }
    }
}

quint64 startsOf(const Token& token) {
    quint64 bits = token.character ? startBit(token.character) : 0;
    for (std::string_view reading : token.readings)
        bits |= startBit(char32_t(reading[0]));
    return bits;
}

} // namespace

namespace {

quint64 bitsOf(const QString& fold) {
    quint64 bits = 0;
    for (char32_t c : lettersOf(fold, std::size_t(-1)))
        bits |= startBit(c);
    return bits;
}

quint64 bitsOf(const QList<Token>& tokens) {
    quint64 bits = 0;
    for (const Token& token : tokens) {
        for (std::string_view reading : token.readings)
            for (char c : reading)
                bits |= startBit(char32_t(c));
    }
    return bits;
}

} // namespace

void Entry::prepare() {
    nameStarts = nameTokens.isEmpty() ? 0 : startsOf(nameTokens.first());
    unitStarts = 0;
    for (const Token& token : std::as_const(unitTokens))
        unitStarts |= startsOf(token);
    for (const Token& token : std::as_const(branchTokens))
        unitStarts |= startsOf(token);
    nameFold = name.toCaseFolded();
    unitFold = unit.toCaseFolded();
    branchFold = branch.toCaseFolded();
    emailFold = email.toCaseFolded();
    sortKey = sortKeyOf(name, nameTokens);
    nameChars = bitsOf(nameFold);
    unitChars = bitsOf(unitFold);
    branchChars = bitsOf(branchFold);
    emailChars = bitsOf(emailFold);
    unitHead = (unitTokens.isEmpty() ? 0 : startsOf(unitTokens.first())) |
               (branchTokens.isEmpty() ? 0 : startsOf(branchTokens.first()));
    unitPairs = {};
    addPairs(unitPairs, unitTokens);
    addPairs(unitPairs, branchTokens);
    present = nameChars | unitChars | branchChars | emailChars | bitsOf(nameTokens) |
              bitsOf(unitTokens) | bitsOf(branchTokens);
    for (char c : std::as_const(digits))
        present |= startBit(char32_t(c));
}

Query::Query(const QString& typed)
    : typed_(typed),
      fold_(typed.normalized(QString::NormalizationForm_KC).trimmed().toCaseFolded()) {
    letters_ = lettersOf(fold_);
    if (onlyNumberSigns(fold_)) {
        const QByteArray digits = numberDigits(fold_);
        if (digits.size() >= 3)
            digits_ = digits;
    }
    // Whatever matches has each typed letter somewhere (a number its digits).
    for (char c : std::as_const(digits_))
        needed_ |= startBit(char32_t(c));
    for (char32_t c : letters_) {
        if (digits_.isEmpty())
            needed_ |= startBit(c);
    }
}

bool Query::narrows(const Query& longer) const {
    // A number's matches grow when its third digit is typed; the country code
    // is dropped only once it is complete.
    // One letter finds units by their first word only, two anywhere.
    return letters_.size() > 1 && longer.fold_.startsWith(fold_) &&
           digits_.isEmpty() == longer.digits_.isEmpty() && !fold_.startsWith(u'+') &&
           !fold_.startsWith(QStringLiteral("00"));
}

std::optional<Match> matchName(const Entry& e, const Query& q) {
    const QString& fold = q.fold();
    const quint64 needed = q.needed();
    // A text is searched only when it has every character typed.
    const auto has = [needed](quint64 chars) { return (chars & needed) == needed; };
    const bool inName = has(e.nameChars);
    if (inName && e.nameFold == fold)
        return Match{Tier::ExactName, Field::Name, 0, e.name.size()};
    if (inName && e.nameFold.startsWith(fold))
        return Match{Tier::NamePrefix, Field::Name, 0, fold.size()};
    const quint64 start = q.letters().empty() ? 0 : startBit(q.letters()[0]);
    if (e.nameStarts & start) {
        if (auto m = tokensMatch(e.nameTokens, q.letters(), false, Tier::NamePinyin, Field::Name))
            return m;
    }
    if (inName) {
        if (auto m = fragment(e.nameFold, fold, Tier::NameFragment, Field::Name))
            return m;
    }
    return std::nullopt;
}

std::optional<Match> matchUnit(const Entry& e, const Query& q) {
    const QString& fold = q.fold();
    const quint64 needed = q.needed();
    const auto has = [needed](quint64 chars) { return (chars & needed) == needed; };
    const quint64 start = q.letters().empty() ? 0 : startBit(q.letters()[0]);
    if (has(e.unitChars)) {
        if (auto m = fragment(e.unitFold, fold, Tier::Unit, Field::Unit))
            return m;
    }
    // One letter finds a unit by its first character only: nearly every
    // unit has some word starting with any given letter.
    const bool anywhere = q.letters().size() > 1;
    bool unitStarts = (anywhere ? e.unitStarts : e.unitHead) & start;
    if (unitStarts && anywhere) {
        if (const int pair = pairIndex(q.letters()[0], q.letters()[1]); pair >= 0)
            unitStarts = e.unitPairs[std::size_t(pair / 64)] >> (pair % 64) & 1;
    }
    if (unitStarts) {
        if (auto m = tokensMatch(e.unitTokens, q.letters(), anywhere, Tier::Unit, Field::Unit))
            return m;
    }
    if (has(e.branchChars)) {
        if (auto m = fragment(e.branchFold, fold, Tier::Unit, Field::Branch))
            return m;
    }
    if (unitStarts) {
        if (auto m = tokensMatch(e.branchTokens, q.letters(), anywhere, Tier::Unit, Field::Branch))
            return m;
    }
    return std::nullopt;
}

std::optional<Match> matchOther(const Entry& e, const Query& q) {
    const QString& fold = q.fold();
    const quint64 needed = q.needed();
    const auto has = [needed](quint64 chars) { return (chars & needed) == needed; };
    if (!q.digits().isEmpty()) {
        const qsizetype at = e.digits.indexOf(q.digits());
        if (at >= 0) {
            const qsizetype which = e.digits.left(at).count(' ');
            return Match{Tier::Number, Field::Number, which, which};
        }
    }
    if (fold.size() >= 2 && has(e.emailChars) && !e.emailFold.isEmpty()) {
        if (auto m = fragment(e.emailFold, fold, Tier::Email, Field::Email))
            return m;
    }
    return std::nullopt;
}

std::optional<Match> match(const Entry& e, const Query& q) {
    if (!q.admits(e))
        return std::nullopt;
    if (auto m = matchName(e, q))
        return m;
    if (auto m = matchUnit(e, q))
        return m;
    return matchOther(e, q);
}

} // namespace quickfind

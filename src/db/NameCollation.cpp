// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/NameCollation.h"

#include "db/Statement.h"

#include <QCollator>
#include <QHash>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>
#include <unicode/ucol.h>
#include <unicode/uset.h>
#include <utility>
#include <vector>

namespace namecollation {

namespace {

// Names in pinyin order. Each connection has its own collator: a connection is
// used by one thread only. A sort orders the same names again and again, so
// their sort keys are kept; equal-looking names fall back to their code
// points, so the order is total.
struct NameCollator {
    QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
    QHash<QByteArray, QCollatorSortKey> keys;

    const QCollatorSortKey& keyOf(const char* utf8, int length) {
        // fromRawData wraps the engine's buffer: looking up costs no copy.
        const QByteArray probe = QByteArray::fromRawData(utf8, length);
        auto it = keys.constFind(probe);
        if (it != keys.constEnd())
            return *it;
        if (keys.size() > kMaxKeys)
            keys.clear();
        const QByteArray owned(utf8, length);
        return *keys.insert(owned, collator.sortKey(QString::fromUtf8(owned)));
    }

    static constexpr qsizetype kMaxKeys = 200000;
    // Comparisons made, up to the point where the characters' ranks pay.
    qint64 compares = 0;
    static constexpr qint64 kRanksAfter = 5000;
};

// The pinyin order of single Chinese characters (the unified ideographs of
// U+3400 to U+9FFF), made once: rank 0 for none, then 1, 2, ... in the
// collator's order. Two names that agree up to a character and differ there
// in two ranked characters are ordered by them: each such character is one
// unit of the collator's first level, which decides before accents and case
// do. Characters the collator reads together with a neighbour (沈阳 and 重庆
// are read as place names) or as several units get no rank: names that
// differ there are left to the collator.
class HanRanks {
  public:
    static const HanRanks& instance() {
        static const HanRanks ranks;
        return ranks;
    }
    quint16 of(char32_t c) const { return c >= kFirst && c <= kLast ? rank_[c - kFirst] : 0; }

  private:
    static constexpr char32_t kFirst = 0x3400;
    static constexpr char32_t kLast = 0x9FFF;

    HanRanks() : rank_(kLast - kFirst + 1, 0) {
        const std::vector<bool> apart = readApart();
        if (apart.empty())
            return;
        const QCollator collator{QLocale(QLocale::Chinese, QLocale::China)};
        std::vector<std::pair<QCollatorSortKey, char32_t>> keys;
        keys.reserve(rank_.size());
        for (char32_t c = kFirst; c <= kLast; ++c)
            if (apart[c - kFirst])
                keys.emplace_back(collator.sortKey(QString(QChar(char16_t(c)))), c);
        std::sort(keys.begin(), keys.end(),
                  [](const auto& x, const auto& y) { return x.first.compare(y.first) < 0; });
        quint16 rank = 0;
        for (size_t i = 0; i < keys.size(); ++i) {
            // Characters the collator does not tell apart share a rank, and
            // are then left to it.
            if (i == 0 || keys[i - 1].first.compare(keys[i].first) != 0)
                ++rank;
            rank_[keys[i].second - kFirst] = rank;
        }
    }

    // Which characters the collator reads on their own, as one unit each:
    // none of its contractions (or their contexts) and expansions holds them.
    // Empty when the collator cannot say.
    static std::vector<bool> readApart() {
        UErrorCode status = U_ZERO_ERROR;
        UCollator* icu = ucol_open("zh_CN", &status);
        if (!icu || U_FAILURE(status))
            return {};
        USet* together = uset_openEmpty();
        USet* several = uset_openEmpty();
        ucol_getContractionsAndExpansions(icu, together, several, true, &status);
        std::vector<bool> apart;
        if (U_SUCCESS(status)) {
            apart.assign(kLast - kFirst + 1, true);
            const auto exclude = [&](UChar32 c) {
                if (c >= UChar32(kFirst) && c <= UChar32(kLast))
                    apart[size_t(c) - kFirst] = false;
            };
            for (USet* set : {together, several}) {
                for (int32_t i = 0; i < uset_getItemCount(set); ++i) {
                    UChar32 start = 0;
                    UChar32 end = 0;
                    UChar text[64];
                    UErrorCode itemStatus = U_ZERO_ERROR;
                    const int32_t length =
                        uset_getItem(set, i, &start, &end, text, 64, &itemStatus);
                    if (U_FAILURE(itemStatus)) {
                        apart.clear();
                        break;
                    }
                    if (length == 0) { // a range of characters
                        for (UChar32 c = start; c <= end; ++c)
                            exclude(c);
                    } else { // a string: each of its characters
                        for (int32_t k = 0; k < length; ++k)
                            exclude(text[k]);
                    }
                }
            }
        }
        uset_close(together);
        uset_close(several);
        ucol_close(icu);
        return apart;
    }

    std::vector<quint16> rank_;
};

// The code point of the three-byte UTF-8 sequence at p, or 0 when there is
// none (the ideographs above are all three bytes long).
char32_t threeByteCharAt(const unsigned char* p, const unsigned char* end) {
    if (end - p < 3 || (p[0] & 0xF0) != 0xE0 || (p[1] & 0xC0) != 0x80 || (p[2] & 0xC0) != 0x80)
        return 0;
    return char32_t(p[0] & 0x0F) << 12 | char32_t(p[1] & 0x3F) << 6 | char32_t(p[2] & 0x3F);
}

// Where names first differ in two ideographs of different rank, the order is
// theirs (-1 or 1); 0 when that does not settle it.
int byFirstDifferentIdeograph(const unsigned char* a, int lengthA, const unsigned char* b,
                              int lengthB) {
    const int common = std::min(lengthA, lengthB);
    int at = 0;
    while (at < common && a[at] == b[at])
        ++at;
    if (at == common)
        return 0;
    // Back to the first byte of the character that differs.
    while (at > 0 && (a[at] & 0xC0) == 0x80)
        --at;
    const HanRanks& ranks = HanRanks::instance();
    const quint16 x = ranks.of(threeByteCharAt(a + at, a + lengthA));
    const quint16 y = ranks.of(threeByteCharAt(b + at, b + lengthB));
    if (x == 0 || y == 0 || x == y)
        return 0;
    return x < y ? -1 : 1;
}

int compareNames(void* state, int lengthA, const void* a, int lengthB, const void* b) {
    const auto* left = static_cast<const char*>(a);
    const auto* right = static_cast<const char*>(b);
    const int common = std::min(lengthA, lengthB);
    const int bytes = std::memcmp(left, right, size_t(common));
    if (bytes == 0 && lengthA == lengthB)
        return 0;
    auto* names = static_cast<NameCollator*>(state);
    // Most company names differ first in a Chinese character: a long sort
    // orders those by the characters' ranks, without sort keys. The ranks take
    // a few hundredths of a second to make, once: a connection that has only
    // sorted short lists never waits for them.
    if (bytes != 0 && (names->compares >= NameCollator::kRanksAfter ||
                       ++names->compares >= NameCollator::kRanksAfter)) {
        if (const int order =
                byFirstDifferentIdeograph(static_cast<const unsigned char*>(a), lengthA,
                                          static_cast<const unsigned char*>(b), lengthB))
            return order;
    }
    // A copy, not a reference: looking up the right name may grow or clear the
    // cache, which would leave a reference into it dangling.
    const QCollatorSortKey leftKey = names->keyOf(left, lengthA);
    const int order = leftKey.compare(names->keyOf(right, lengthB));
    if (order != 0)
        return order;
    // UTF-8 bytes compare in code point order.
    return bytes != 0 ? bytes : (lengthA < lengthB ? -1 : 1);
}

void dropCollator(void* state) {
    delete static_cast<NameCollator*>(state);
}

} // namespace

bool install(sqlite3* connection) {
    auto* collator = new NameCollator;
    // A collation that is not installed is not dropped by the engine either.
    if (sqlite3_create_collation_v2(connection, sql::kNameCollation, SQLITE_UTF8, collator,
                                    compareNames, dropCollator) == SQLITE_OK)
        return true;
    delete collator;
    return false;
}

} // namespace namecollation

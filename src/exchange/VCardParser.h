// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/VCardCard.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace exchange {

// Reads cards one by one from a vCard file of any size: lines are unfolded,
// QUOTED-PRINTABLE soft line breaks joined, each value decoded from its
// CHARSET (or UTF-8, or GB18030 when the bytes are not UTF-8). Photos, sounds,
// keys and other BASE64 data are passed over without being kept, so memory
// follows the cards, not the file; and a card is bounded too: past its caps
// it is refused and the rest of it is read without being kept.
class VCardParser {
  public:
    // Longest line kept; a longer one makes its card's problem.
    static constexpr qsizetype kMaxLine = 1 << 20;
    // Most properties of one card (a phone's fullest cards hold a few hundred).
    static constexpr int kMaxProperties = 5000;
    // Most bytes of one card's kept lines (photos and other passed-over data not counted).
    static constexpr qsizetype kMaxCardBytes = 1 << 20;

    explicit VCardParser(QIODevice& device);

    // The next card (whole or with its problem); false at the end of the input
    // or on an error that ends the file (error() then says why).
    bool next(VCardCard& card);
    // Why reading stopped before the end: the file holds binary data.
    QString error() const { return error_; }
    // Bytes consumed so far, for progress.
    qint64 position() const;
    // Whether any BEGIN:VCARD was seen.
    bool sawCard() const { return sawCard_; }

  private:
    struct Physical {
        QByteArray bytes;
        int line = 0;
        bool tooLong = false;
    };
    // Up to kMaxLine bytes of the current line, its end included when reached.
    QByteArrayView readSlice();
    bool readPhysical(Physical& out);
    bool peek(Physical*& out);
    void consumePeeked();
    // One logical line (unfolded); false at the end of input.
    bool readLogical(Physical& logical, bool* skipped);
    bool parseProperty(const Physical& logical, VCardProperty& property) const;

    QIODevice& device_;
    QByteArray slice_;
    int lineNumber_ = 0;
    bool havePeek_ = false;
    Physical peeked_;
    bool pendingBegin_ = false;
    int pendingLine_ = 0;
    bool sawCard_ = false;
    QString error_;
};

} // namespace exchange

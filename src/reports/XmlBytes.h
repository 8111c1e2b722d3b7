// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringView>

// An XML part's UTF-8 bytes written piece by piece into one buffer that grows
// as needed: the worksheet of a long export runs to tens of megabytes, written
// without a temporary string per piece.
class XmlBytes {
  public:
    explicit XmlBytes(qsizetype reserve = 0);

    void append(char c) { *room(1) = c, ++used_; }
    void append(const char* bytes, qsizetype size);
    void append(const QByteArray& bytes) { append(bytes.constData(), bytes.size()); }
    // A string literal, without its terminating zero.
    template <qsizetype N> void appendLiteral(const char (&literal)[N]) { append(literal, N - 1); }
    void appendNumber(qint64 n);
    // Text for an element's content or an attribute value: &, <, > and " as
    // entities, a carriage return as a character reference (so that it is read
    // back as written), and what XML cannot carry at all left out (the other
    // control characters, U+FFFE, U+FFFF and half of a surrogate pair alone).
    void appendEscaped(QStringView text);

    qsizetype size() const { return used_; }
    // The bytes written; the buffer is empty after.
    QByteArray take();

  private:
    // Room for n more bytes at the end of what is written.
    char* room(qsizetype n) {
        if (used_ + n > bytes_.size())
            grow(n);
        return bytes_.data() + used_;
    }
    void grow(qsizetype n);

    QByteArray bytes_; // its size is the room; used_ bytes of it are written
    qsizetype used_ = 0;
};

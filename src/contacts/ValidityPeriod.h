// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Settings;

// The interaction validity period of the cleansing, kept as "Day" in the
// settings file: how the period dialog shows it and what it accepts.
class ValidityPeriod {
  public:
    enum class Verdict { Empty, NotDigits, Saved, NotSaved };

    explicit ValidityPeriod(Settings& settings) : settings_(settings) {}

    // The stored period without blanks, or "30" when that is empty or holds
    // anything but digits.
    QString shown() const;
    // Stores text when it is all digits.
    Verdict save(const QString& text);

    // The message when the settings file cannot be written.
    QString notSavedMessage() const;

    static inline const QString kKey = QStringLiteral("Day");
    static inline const QString kEmpty = QStringLiteral("请输入天数!");
    static inline const QString kNotDigits = QStringLiteral("请输入数字0-9!");
    static constexpr int kMaxChars = 4;

  private:
    Settings& settings_;
};

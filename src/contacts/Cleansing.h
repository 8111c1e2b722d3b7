// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Clock;
class Database;
class Prompter;

// Data cleansing: every contact with whom nothing has happened within the
// interaction validity period goes to the trash, in one transaction, so a
// failure (or the program's end halfway) moves nobody.
//
// A contact without any interaction goes whatever the period. Otherwise its
// newest interaction (by comm_date, the later-entered one first on the same
// date) decides: more than the period's days before today, and the contact
// goes, also when it is already in the trash. Dates are compared by the
// engine's date functions, so an interaction whose parts form no date fails
// the whole run with the engine's text.
class Cleansing {
  public:
    Cleansing(Database& db, Prompter& prompter, const Clock& clock)
        : db_(db), prompter_(prompter), clock_(clock) {}

    // The period the "Day" setting holds: its leading decimal digits, 0 when
    // it does not begin with one.
    static int periodOf(const QString& setting);

    // "系统自动将 %d 天内无往来记录的人脉资料移入垃圾箱, ...确定要对资料进行清洗吗?"
    bool confirm(int days);
    // Runs the cleansing with the progress window; false after a failure
    // (shown, and rolled back).
    bool run(int days);

    static inline const QString kQuestion = QStringLiteral(
        "系统自动将 %d 天内无往来记录的人脉资料移入垃圾箱,\r\n\r\n如果人脉资料数量减少,"
        "可到垃圾箱中寻找!\r\n\r\n确定要对资料进行清洗吗?");
    static inline const QString kDone = QStringLiteral("数据清洗完成,请检查垃圾箱中的资料!");

  private:
    bool fail();

    Database& db_;
    Prompter& prompter_;
    const Clock& clock_;
};

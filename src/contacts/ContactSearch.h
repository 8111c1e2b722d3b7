// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;
class Prompter;

// The two "查" buttons of the pages: the name search on the basic page and the
// unit search on the work page, with the rows of the existing-records dialog
// (CExistingRecordsDlg) and the copy of a chosen unit into the work page.
class ContactSearch {
  public:
    enum class Mode { ByName = 0, ByUnit = 1 };

    // One row of the existing-records list.
    struct Existing {
        QString code; // base_code as text, carried by the "选" column
        QString name; // base_name
        QString unit; // work_name
    };

    static inline const QString kDialogCaption = QStringLiteral("已有资料");
    static inline const QString kColumns = QStringLiteral("选,20;姓名,60;单位名称,210");

    ContactSearch(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // Whether the name search goes on to the dialog (mode ByName). False after
    // "请输入姓名!" (empty name) or "该用户名不存在!" (no contact of exactly that name).
    bool checkName(const QString& name);
    // Whether the unit search goes on to the dialog (mode ByUnit). False after
    // "请输入单位名称!" or "该单位资料不存在!" (no work_name containing the text).
    bool checkUnit(const QString& unit);

    // The live contacts whose name (ByName) or unit (ByUnit) contains text.
    QList<Existing> existing(const QString& text, Mode mode);
    // The dialog's title for a number of rows: "资料列表--目前共有记录数： %d".
    static QString title(int rows);

    // The unit columns of contact code that the unit search copies into the work
    // page, codes turned into the names the lists show (an unknown code gives
    // the empty text). Only these keys come back; every other field keeps its value.
    ContactRecord unitOf(qint64 code);
    static const QStringList& copiedColumns();

  private:
    Database& db_;
    Prompter& prompter_;
};

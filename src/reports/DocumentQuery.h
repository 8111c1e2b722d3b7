// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;
class Prompter;
class ReportModel;

// The document search: the documents of live contacts, narrowed by a keyword
// and a category, and the file of the one chosen.
class DocumentQuery {
  public:
    static inline const QString kColumns =
        QStringLiteral("选,20;文档标题,220;文档类别,110;关键字,180");
    static inline const QString kCategories = QStringLiteral(
        "select docsort_name from docsort where docsort_name<>'' order by docsort_name");

    static inline const QString kAll = QStringLiteral(
        "select d.doc_code,d.doc_title,s.docsort_name,d.doc_keyword \t\t\t\t\tfrom doc d,docsort "
        "s,base b \t\t\t\t\twhere d.doc_docsort_code=s.docsort_code and \t\t\t\t\t      "
        "d.doc_base_code=b.base_code and \t\t\t\t\t\t  b.base_invalid_flag=1 order by "
        "d.doc_title");
    static inline const QString kBoth = QStringLiteral(
        "select d.doc_code,d.doc_title,s.docsort_name,d.doc_keyword \t\t\t\t\tfrom doc d,docsort "
        "s,base b \t\t\t\t\twhere d.doc_docsort_code=s.docsort_code and \t\t\t\t\t      "
        "d.doc_base_code=b.base_code and \t\t\t\t\t\t  d.doc_keyword like '%s%s%s' and "
        "s.docsort_name='%s' and b.base_invalid_flag=1 \t\t\t\t\torder by d.doc_title");
    static inline const QString kCategoryOnly = QStringLiteral(
        "select d.doc_code,d.doc_title,s.docsort_name,d.doc_keyword \t\t\t\t\tfrom doc d,docsort "
        "s,base b \t\t\t\t\twhere d.doc_docsort_code=s.docsort_code and \t\t\t\t\t      "
        "d.doc_base_code=b.base_code and b.base_invalid_flag=1 and \t\t\t\t\t\t  "
        "s.docsort_name='%s' \t\t\t\t\torder by d.doc_title");
    static inline const QString kKeywordOnly = QStringLiteral(
        "select d.doc_code,d.doc_title,s.docsort_name,d.doc_keyword \t\t\t\t\tfrom doc d,docsort "
        "s,base b \t\t\t\t\twhere d.doc_docsort_code=s.docsort_code and \t\t\t\t\t      "
        "d.doc_base_code=b.base_code and b.base_invalid_flag=1 and \t\t\t\t\t\t  "
        "d.doc_keyword like '%s%s%s' \t\t\t\t\torder by d.doc_title");

    static inline const QString kNoRow = QStringLiteral("请选择所要操作的数据!");
    static inline const QString kNoFileName = QStringLiteral("数据库操作失败!");
    static inline const QString kMissingFile =
        QStringLiteral("文件不存在,请重新确认文件位置.\r\n\r\n文件名:%s");

    DocumentQuery(Database& db, Prompter& prompter) : db_(db), prompter_(prompter) {}

    // The statement for a keyword and a category (either may be empty).
    static sql::Statement statement(const QString& keyword, const QString& category);
    // Rows of the list: the code (in the tick column), title, category, keyword.
    bool fetch(const QString& keyword, const QString& category, QList<QStringList>& rows);
    QStringList categories();

    // The file of the list row to open: the row is ticked and its stored path
    // given back when the file is there; otherwise empty, after the message
    // that says why (no row chosen, no path stored, no such file).
    QString fileToOpen(ReportModel& list, int row);

  private:
    Database& db_;
    Prompter& prompter_;
};

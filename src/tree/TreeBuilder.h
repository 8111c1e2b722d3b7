// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"
#include "tree/TreeSink.h"

#include <QString>

class AutoResetEvent;
class Database;
class ReminderNodes;

// Builds the navigation tree from the database, step by step. It runs on the
// builder thread with that thread's own connection; between steps it gives the
// stop event 10 ms, and a stop ends the build at once with the done event set.
class TreeBuilder {
  public:
    static constexpr int kStepWaitMs = 10;

    static inline const QString kRootPattern = QStringLiteral("全部人脉");
    static inline const QString kRootCaption = QStringLiteral("全部人脉 <共%d个>");
    static inline const QString kDocumentsNode = QStringLiteral("文档资料");
    static inline const QString kTrashCaption = QStringLiteral("垃圾箱 <共%d个>");

    TreeBuilder(TreeSink& sink, ReminderNodes& reminders, AutoResetEvent& stop,
                AutoResetEvent& done, qint64 userCode);

    // True when the build ran to its end, false when it was stopped.
    bool run(Database& db);
    // Whether the build ends with the "部门分布" node (after users, departments
    // or hand-overs changed).
    void setDepartments(bool departments) { departments_ = departments; }
    // The pause between steps; only a measurement of the statements alone asks for less.
    void setStepWait(int milliseconds) { stepWaitMs_ = milliseconds; }

    // The six category folders under the root, in the order they are built.
    // The builder reads the counts the database keeps of column; countFragment
    // says what they count, as a count of base would.
    struct Folder {
        QString caption;
        QString listQuery;
        QString countFragment;
        QString column;
    };
    static const Folder kFolders[6];
    // A folder's values and counts, as the builder reads them.
    static sql::Statement folderStatement(const Folder& folder);

    static inline const sql::Statement kLiveContacts{QStringLiteral("base_invalid_flag=1")};
    static inline const sql::Statement kTrashedContacts{QStringLiteral("base_invalid_flag=0")};
    static inline const QString kDocSorts =
        QStringLiteral("select docsort_code,docsort_name from docsort order by docsort_name DESC");
    static inline const QString kDocumentTitles = QStringLiteral(
        "select d.doc_title from doc d inner join base b on d.doc_base_code=b.base_code "
        "where b.base_invalid_flag=1 and d.doc_docsort_code=%ld order by doc_title");

  private:
    bool stopped();
    void buildFolder(Database& db, TreeNode root, const Folder& folder);
    void buildDocuments(Database& db);

    TreeSink& sink_;
    ReminderNodes& reminders_;
    AutoResetEvent& stop_;
    AutoResetEvent& done_;
    qint64 userCode_;
    bool departments_ = false;
    int stepWaitMs_ = kStepWaitMs;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QString>

class Lookups;
class Prompter;

// What a node of the navigation tree stands for: the WHERE fragment, list mode
// and live-list flag the contact list is loaded with. Nodes carry only their
// captions, so codes are looked up again from the names.
struct TreeChoice {
    bool matched = false;
    sql::Statement filter;
    int mode = 0;
    int live = 1;
};

// A node as the rules see it: its depth (0 = top level) and the captions of
// itself, its parent and its grandparent (empty where there is none).
struct TreeNodePath {
    int depth = 0;
    QString caption;
    QString parent;
    QString grandparent;
};

class TreeSelection {
  public:
    // List modes handed to the contact list.
    enum Mode {
        Contacts = 0,
        PlannedToday = 1,
        DueToday = 2,
        Overdue = 3,
        Documents = 5,
        BirthdayCare = 6,
        FamilyCare = 7
    };

    static inline const QString kDatabaseFailed = QStringLiteral("数据库操作失败!");
    static inline const QString kFileMissing =
        QStringLiteral("文件不存在,请重新确认文件位置.\r\n\r\n文件名:%s");

    explicit TreeSelection(Lookups& lookups) : lookups_(lookups) {}

    // The first rule the node matches; not matched for folders and headings.
    TreeChoice choose(const TreeNodePath& node);

    // A double click: only a document title reacts. Returns the file to open,
    // or empty text when there is nothing to open (the reason already shown).
    QString documentToOpen(const TreeNodePath& node, Prompter& prompter);

    static bool isDocumentTitle(const TreeNodePath& node);

  private:
    TreeChoice topLevel(const TreeNodePath& node);
    TreeChoice secondLevel(const TreeNodePath& node);
    TreeChoice thirdLevel(const TreeNodePath& node);

    Lookups& lookups_;
};

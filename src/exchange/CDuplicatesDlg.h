// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactRecord.h"
#include "exchange/ContactMerger.h"
#include "exchange/DuplicateFinder.h"

#include <QDialog>

class Database;
class Prompter;
class QButtonGroup;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

// "查找重复人脉": the groups of live contacts that seem to be one person. For
// the group chosen on the left the person ticks the contacts to merge, picks
// the one that stays and, for each field where they differ, the value it
// keeps; "合并" makes one contact of them.
class CDuplicatesDlg : public QDialog {
    Q_OBJECT
  public:
    enum MemberColumn {
        MergeColumn,
        KeepColumn,
        NameColumn,
        MobileColumn,
        EmailColumn,
        UnitColumn,
        DateColumn
    };

    CDuplicatesDlg(Database& db, Prompter& prompter, QWidget* parent = nullptr);

    // Finds the groups; false when the contacts could not be read (reported).
    bool load();
    int groupCount() const { return int(groups_.size()); }
    // Contacts moved to the trash by the merges so far.
    int mergedAway() const { return mergedAway_; }

    void selectGroup(int index);
    void setSurvivor(int member);
    void setIncluded(int member, bool included);
    // Chooses, for the field with this label, the value of a member.
    bool chooseValue(const QString& label, int member);
    // Asks, then merges the shown group; false when refused or failed.
    bool mergeShown();

    QListWidget* groupList() const { return groupList_; }
    QTableWidget* members() const { return members_; }
    QTableWidget* fields() const { return fields_; }
    QPushButton* mergeButton() const { return merge_; }

  private:
    void showGroup(int index);
    void refreshFields();
    QList<int> includedMembers() const;

    Database& db_;
    Prompter& prompter_;
    QList<exchange::DuplicateGroup> groups_;
    int shown_ = -1;
    QList<ContactRecord> records_;
    bool loaded_ = false;
    QList<bool> included_;
    int survivor_ = 0;
    QList<exchange::MergeField> differences_;
    int mergedAway_ = 0;

    QListWidget* groupList_;
    QLabel* reasons_;
    QTableWidget* members_;
    QButtonGroup* keep_;
    QTableWidget* fields_;
    QPushButton* merge_;
    QLabel* status_;
};

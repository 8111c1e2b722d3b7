// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

class CReportView;
class Database;
class EditableList;
class Prompter;
class QPushButton;
class RefRecordForm;
class RefTable;
struct RefRecord;
struct RefTableDefinition;

// The list window of a table of names: the rows with a tick box each, and
// "增加(&A)", "删除(&D)", "修改(&M)", "退出(&C)". The reference editors use it
// as it is; the user and department windows give it their own list and form.
class CRefListDlg : public QDialog {
    Q_OBJECT
  public:
    // The editor of one reference table, with CRefEditDlg as its form.
    CRefListDlg(Database& db, Prompter& prompter, const RefTableDefinition& definition,
                QWidget* parent = nullptr);
    ~CRefListDlg() override;

    EditableList& list() const { return *list_; }
    // Whether an add, modify or delete succeeded while the window was open.
    bool changed() const;

    CReportView* view() const { return view_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* modifyButton() const { return modify_; }
    QPushButton* exitButton() const { return exit_; }

  protected:
    // For the other windows of the family: their own list, their own form.
    CRefListDlg(std::unique_ptr<EditableList> list, QWidget* parent);

    // Opens the edit form for a row (-1: a new record); true when it saved.
    virtual bool openForm(int row);
    virtual bool opensOnDoubleClick() const;
    // Shows the reference form; true when it saved.
    virtual bool runEditForm(RefRecordForm& form, const RefRecord& start);

    Database* db_ = nullptr;
    Prompter* prompter_ = nullptr;

  private:
    void build();
    void onAdd();
    void onModify();
    void onDelete();
    void onDoubleClick();
    void showTitle();

    std::unique_ptr<EditableList> list_;
    RefTable* refTable_ = nullptr;
    CReportView* view_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* modify_ = nullptr;
    QPushButton* exit_ = nullptr;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CDuplicatesDlg.h"

#include "base/Prompter.h"
#include "exchange/PartialDate.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace exchange;

namespace {} // namespace

CDuplicatesDlg::CDuplicatesDlg(Database& db, Prompter& prompter, QWidget* parent)
    : QDialog(parent), db_(db), prompter_(prompter) {
    setObjectName(QStringLiteral("CDuplicatesDlg"));
    setWindowTitle(QStringLiteral("查找重复人脉"));

    groupList_ = new QListWidget(this);
    groupList_->setObjectName(QStringLiteral("groups"));
    connect(groupList_, &QListWidget::currentRowChanged, this, &CDuplicatesDlg::showGroup);

    reasons_ = new QLabel(this);
    reasons_->setWordWrap(true);
    members_ = new QTableWidget(0, 7, this);
    members_->setObjectName(QStringLiteral("members"));
    members_->setHorizontalHeaderLabels({QStringLiteral("合并"), QStringLiteral("保留"),
                                         QStringLiteral("姓名"), QStringLiteral("手机"),
                                         QStringLiteral("邮件"), QStringLiteral("单位名称"),
                                         QStringLiteral("最近联系时间")});
    members_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    members_->setSelectionMode(QAbstractItemView::NoSelection);
    members_->horizontalHeader()->setStretchLastSection(true);
    connect(members_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == MergeColumn)
            setIncluded(item->row(), item->checkState() == Qt::Checked);
    });
    keep_ = new QButtonGroup(this);
    connect(keep_, &QButtonGroup::idClicked, this, &CDuplicatesDlg::setSurvivor);

    fields_ = new QTableWidget(0, 2, this);
    fields_->setObjectName(QStringLiteral("fields"));
    fields_->setHorizontalHeaderLabels({QStringLiteral("字段"), QStringLiteral("保留的值")});
    fields_->verticalHeader()->hide();
    fields_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fields_->setSelectionMode(QAbstractItemView::NoSelection);
    fields_->horizontalHeader()->setStretchLastSection(true);

    merge_ = new QPushButton(QStringLiteral("合并(&M)"), this);
    merge_->setObjectName(QStringLiteral("merge"));
    connect(merge_, &QPushButton::clicked, this, &CDuplicatesDlg::mergeShown);
    status_ = new QLabel(this);

    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(reasons_);
    rightLayout->addWidget(members_, 2);
    rightLayout->addWidget(new QLabel(QStringLiteral("资料不同的字段, 合并后保留的值:"), right));
    rightLayout->addWidget(fields_, 3);
    auto* mergeRow = new QHBoxLayout;
    mergeRow->addWidget(
        new QLabel(QStringLiteral("未保留的人脉将移至垃圾箱, 可用“资料还原”找回。"), right), 1);
    mergeRow->addWidget(merge_);
    rightLayout->addLayout(mergeRow);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel(QStringLiteral("可能重复的人脉:"), left));
    leftLayout->addWidget(groupList_, 1);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({240, 660});

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(bottom);
    resize(960, 620);
}

bool CDuplicatesDlg::load() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = DuplicateFinder::find(db_, &groups_);
    QApplication::restoreOverrideCursor();
    groupList_->clear();
    for (const DuplicateGroup& g : groups_)
        groupList_->addItem(
            QStringLiteral("%1 等 %2 人").arg(g.members.first().name).arg(g.members.size()));
    status_->setText(QStringLiteral("共 %1 组").arg(groups_.size()));
    if (groups_.isEmpty())
        showGroup(-1);
    else
        groupList_->setCurrentRow(0);
    return ok;
}

void CDuplicatesDlg::selectGroup(int index) {
    groupList_->setCurrentRow(index);
}

void CDuplicatesDlg::showGroup(int index) {
    shown_ = index;
    records_.clear();
    included_.clear();
    survivor_ = 0;
    members_->blockSignals(true);
    members_->setRowCount(0);
    for (QAbstractButton* b : keep_->buttons())
        keep_->removeButton(b);
    if (index < 0 || index >= groups_.size()) {
        reasons_->setText(groups_.isEmpty() ? QStringLiteral("没有找到重复的人脉。") : QString());
        members_->blockSignals(false);
        refreshFields();
        return;
    }
    const DuplicateGroup& g = groups_.at(index);
    reasons_->setText(QStringLiteral("相同之处: %1").arg(g.reasons.join(QStringLiteral("; "))));
    QList<qint64> codes;
    for (const DuplicateMember& m : g.members)
        codes << m.code;
    loaded_ = ContactMerger(db_, prompter_).load(codes, &records_);
    for (int r = 0; r < g.members.size(); ++r) {
        const DuplicateMember& m = g.members.at(r);
        members_->insertRow(r);
        auto* tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        tick->setCheckState(Qt::Checked);
        members_->setItem(r, MergeColumn, tick);
        auto* radio = new QRadioButton(members_);
        keep_->addButton(radio, r);
        radio->setChecked(r == 0);
        members_->setCellWidget(r, KeepColumn, radio);
        const QStringList texts = {m.name, m.mobile, m.email, m.unit, m.lastDate};
        for (int c = 0; c < texts.size(); ++c)
            members_->setItem(r, NameColumn + c, new QTableWidgetItem(texts[c]));
        included_ << true;
    }
    members_->resizeColumnsToContents();
    members_->blockSignals(false);
    refreshFields();
}

QList<int> CDuplicatesDlg::includedMembers() const {
    QList<int> out;
    for (int i = 0; i < included_.size(); ++i)
        if (included_[i])
            out << i;
    return out;
}

void CDuplicatesDlg::setSurvivor(int member) {
    if (member < 0 || member >= included_.size())
        return;
    survivor_ = member;
    if (QAbstractButton* b = keep_->button(member))
        b->setChecked(true);
    if (!included_[member]) {
        included_[member] = true;
        members_->blockSignals(true);
        members_->item(member, MergeColumn)->setCheckState(Qt::Checked);
        members_->blockSignals(false);
    }
    refreshFields();
}

void CDuplicatesDlg::setIncluded(int member, bool included) {
    if (member < 0 || member >= included_.size())
        return;
    // The contact that stays is always part of the merge.
    if (member == survivor_)
        included = true;
    included_[member] = included;
    members_->blockSignals(true);
    members_->item(member, MergeColumn)->setCheckState(included ? Qt::Checked : Qt::Unchecked);
    members_->blockSignals(false);
    refreshFields();
}

void CDuplicatesDlg::refreshFields() {
    fields_->setRowCount(0);
    differences_.clear();
    const QList<int> members = includedMembers();
    merge_->setEnabled(loaded_ && members.size() >= 2);
    if (!loaded_ || members.size() < 2)
        return;
    QList<ContactRecord> chosen;
    for (int m : members)
        chosen << records_.at(m);
    differences_ = ContactMerger::differences(chosen, int(members.indexOf(survivor_)));
    const DuplicateGroup& g = groups_.at(shown_);
    for (int f = 0; f < differences_.size(); ++f) {
        const MergeField& field = differences_.at(f);
        fields_->insertRow(f);
        fields_->setItem(f, 0, new QTableWidgetItem(field.label));
        auto* box = new QComboBox(fields_);
        for (int i = 0; i < field.values.size(); ++i)
            box->addItem(QStringLiteral("%1    〔%2 %3〕")
                             .arg(ContactMerger::shown(field.values.at(i)))
                             .arg(members.at(i) + 1)
                             .arg(g.members.at(members.at(i)).name));
        box->setCurrentIndex(field.chosen);
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, f](int i) { differences_[f].chosen = i; });
        fields_->setCellWidget(f, 1, box);
    }
    fields_->resizeColumnToContents(0);
}

bool CDuplicatesDlg::chooseValue(const QString& label, int member) {
    const QList<int> members = includedMembers();
    const int at = int(members.indexOf(member));
    for (int f = 0; f < differences_.size(); ++f) {
        if (differences_[f].label != label || at < 0)
            continue;
        if (auto* box = qobject_cast<QComboBox*>(fields_->cellWidget(f, 1)))
            box->setCurrentIndex(at);
        differences_[f].chosen = at;
        return true;
    }
    return false;
}

bool CDuplicatesDlg::mergeShown() {
    const QList<int> members = includedMembers();
    if (shown_ < 0 || !loaded_ || members.size() < 2)
        return false;
    const DuplicateGroup& g = groups_.at(shown_);
    const DuplicateMember& keep = g.members.at(survivor_);
    // The values not kept are said before the merge, so a choice is never lost unseen.
    const QStringList dropped = ContactMerger::dropped(differences_);
    const QString droppedText =
        dropped.isEmpty() ? QString()
                          : QStringLiteral("\r\n以下不同的值不保留(仍在垃圾箱的人脉中):\r\n%1")
                                .arg(dropped.join(QStringLiteral("\r\n")));
    if (!prompter_.confirm(QStringLiteral("确定要把所选的 %1 个人脉合并为“%2”吗?\r\n"
                                          "其余人脉将移至垃圾箱。%3")
                               .arg(members.size())
                               .arg(keep.name, droppedText)))
        return false;
    QList<ContactRecord> chosen;
    QList<qint64> others;
    for (int m : members) {
        chosen << records_.at(m);
        if (m != survivor_)
            others << g.members.at(m).code;
    }
    const ContactRecord record =
        ContactMerger::combine(chosen, int(members.indexOf(survivor_)), differences_);
    ContactMerger merger(db_, prompter_);
    if (!merger.merge(keep.code, record, others))
        return false;
    mergedAway_ += int(others.size());
    const QString keptName = keep.name; // the group goes now
    const int row = shown_;
    groups_.removeAt(row);
    delete groupList_->takeItem(row);
    QString status = QStringLiteral("共 %1 组").arg(groups_.size());
    if (merger.removedSelfAssociations() > 0)
        status += QStringLiteral(";“%1”与被合并人脉之间的 %2 条关联已删除")
                      .arg(keptName)
                      .arg(merger.removedSelfAssociations());
    status_->setText(status);
    if (groups_.isEmpty())
        showGroup(-1);
    else
        showGroup(groupList_->currentRow());
    return true;
}

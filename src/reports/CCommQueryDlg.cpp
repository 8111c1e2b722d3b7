// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/CCommQueryDlg.h"

#include "reports/DateRangeFields.h"
#include "reports/QueryButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CCommQueryDlg::CCommQueryDlg(InteractionQuery& query, const QStringList& provinces,
                             const QStringList& levels, const Clock& clock, QWidget* parent)
    : QDialog(parent), query_(query) {
    setObjectName(QStringLiteral("CCommQueryDlg"));
    setWindowTitle(QStringLiteral("往来查询"));

    auto edit = [this](const QString& objectName, int limit) {
        auto* e = new QLineEdit(this);
        e->setObjectName(objectName);
        e->setMaxLength(limit);
        return e;
    };
    name_ = edit(QStringLiteral("name"), 20);
    mobile_ = edit(QStringLiteral("mobile"), 20);
    phone_ = edit(QStringLiteral("phone"), 30);
    workName_ = edit(QStringLiteral("workName"), 30);
    workAddress_ = edit(QStringLiteral("workAddress"), 30);
    workPhone_ = edit(QStringLiteral("workPhone"), 30);
    auto choice = [this](const QString& objectName, const QStringList& names) {
        auto* list = new QComboBox(this);
        list->setObjectName(objectName);
        list->addItem(QString());
        list->addItems(names);
        list->setMinimumContentsLength(12);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        return list;
    };
    province_ = choice(QStringLiteral("province"), provinces);
    level_ = choice(QStringLiteral("level"), levels);
    dates_ = new DateRangeFields(clock, this);

    auto* who = new QGroupBox(QStringLiteral("往来对象"), this);
    auto* grid = new QGridLayout(who);
    const QList<QPair<QString, QWidget*>> fields{{QStringLiteral("姓名(&N):"), name_},
                                                 {QStringLiteral("手机号码(&M):"), mobile_},
                                                 {QStringLiteral("联系电话(&T):"), phone_},
                                                 {QStringLiteral("单位名称(&W):"), workName_},
                                                 {QStringLiteral("单位地址(&A):"), workAddress_},
                                                 {QStringLiteral("单位电话(&H):"), workPhone_},
                                                 {QStringLiteral("原籍省份(&P):"), province_},
                                                 {QStringLiteral("人脉级别(&L):"), level_}};
    for (int i = 0; i < fields.size(); ++i) {
        auto* label = new QLabel(fields.at(i).first, who);
        label->setBuddy(fields.at(i).second);
        grid->addWidget(label, i / 2, (i % 2) * 2);
        grid->addWidget(fields.at(i).second, i / 2, (i % 2) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* when = new QGroupBox(QStringLiteral("往来日期"), this);
    auto* whenLayout = new QVBoxLayout(when);
    whenLayout->addWidget(dates_);

    QDialogButtonBox* buttons = queryButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(who);
    layout->addWidget(when);
    layout->addWidget(buttons);
    name_->setFocus();
}

QLineEdit* CCommQueryDlg::field(const QString& objectName) const {
    return findChild<QLineEdit*>(objectName);
}

InteractionQueryForm CCommQueryDlg::form() const {
    InteractionQueryForm f;
    f.name = name_->text();
    f.mobile = mobile_->text();
    f.phone = phone_->text();
    f.workName = workName_->text();
    f.workAddress = workAddress_->text();
    f.workPhone = workPhone_->text();
    f.province = province_->currentText();
    f.level = level_->currentText();
    f.dates = dates_->value();
    return f;
}

void CCommQueryDlg::accept() {
    const std::optional<InteractionConditions> built = query_.conditions(form());
    if (!built)
        return; // the date lists were refused; the form stays open
    conditions_ = *built;
    QDialog::accept();
}

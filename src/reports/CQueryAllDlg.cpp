// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/CQueryAllDlg.h"

#include "reports/DateRangeFields.h"
#include "reports/QueryButtons.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

// A list whose first entry, empty, means "any".
QComboBox* choiceList(const QStringList& names, const QString& objectName, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(objectName);
    list->addItem(QString());
    for (const QString& name : names) {
        if (!name.isEmpty())
            list->addItem(name);
    }
    list->setMinimumContentsLength(12);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
}

} // namespace

CQueryAllDlg::CQueryAllDlg(ContactQuery& query, const Clock& clock, QWidget* parent)
    : QDialog(parent), query_(query) {
    setObjectName(QStringLiteral("CQueryAllDlg"));
    setWindowTitle(QStringLiteral("资料综合查询"));

    category_ = new QComboBox(this);
    category_->setObjectName(QStringLiteral("category"));
    category_->addItems(ContactQuery::categories());
    information_ = new QLineEdit(this);
    information_->setObjectName(QStringLiteral("information"));
    information_->setMaxLength(50);
    information_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0")) * 32);
    department_ =
        choiceList(query.names(ContactQuery::kDepartments), QStringLiteral("department"), this);
    user_ = choiceList(query.names(ContactQuery::kUsers), QStringLiteral("user"), this);
    level_ = choiceList(query.names(ContactQuery::kLevels), QStringLiteral("level"), this);
    province_ = choiceList(query.names(ContactQuery::kProvinces), QStringLiteral("province"), this);
    dates_ = new DateRangeFields(clock, this);

    auto* what = new QGroupBox(QStringLiteral("查询内容"), this);
    auto* whatGrid = new QGridLayout(what);
    auto addField = [](QGridLayout* grid, int row, int column, const QString& caption,
                       QWidget* field) {
        auto* label = new QLabel(caption, field->parentWidget());
        label->setBuddy(field);
        grid->addWidget(label, row, column * 2);
        grid->addWidget(field, row, column * 2 + 1);
    };
    addField(whatGrid, 0, 0, QStringLiteral("查询类别(&T):"), category_);
    addField(whatGrid, 0, 1, QStringLiteral("查询信息(&I):"), information_);
    whatGrid->setColumnStretch(3, 1);

    auto* whose = new QGroupBox(QStringLiteral("查询范围"), this);
    auto* whoseGrid = new QGridLayout(whose);
    addField(whoseGrid, 0, 0, QStringLiteral("部门名称(&D):"), department_);
    addField(whoseGrid, 0, 1, QStringLiteral("用户名称(&U):"), user_);
    addField(whoseGrid, 1, 0, QStringLiteral("人脉级别(&L):"), level_);
    addField(whoseGrid, 1, 1, QStringLiteral("所属省份(&P):"), province_);
    whoseGrid->setColumnStretch(1, 1);
    whoseGrid->setColumnStretch(3, 1);

    auto* when = new QGroupBox(QStringLiteral("往来日期"), this);
    auto* whenLayout = new QVBoxLayout(when);
    whenLayout->addWidget(dates_);

    QDialogButtonBox* buttons = queryButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(what);
    layout->addWidget(whose);
    layout->addWidget(when);
    layout->addWidget(buttons);
    information_->setFocus();
}

ContactQueryForm CQueryAllDlg::form() const {
    ContactQueryForm f;
    f.category = category_->currentIndex();
    f.information = information_->text();
    f.department = department_->currentText();
    f.user = user_->currentText();
    f.level = level_->currentText();
    f.province = province_->currentText();
    f.dates = dates_->value();
    return f;
}

void CQueryAllDlg::accept() {
    const std::optional<sql::Statement> built = query_.condition(form());
    if (!built)
        return; // the date lists were refused; the form stays open
    condition_ = *built;
    QDialog::accept();
}

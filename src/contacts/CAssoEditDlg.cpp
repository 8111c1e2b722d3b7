// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/CAssoEditDlg.h"

#include "contacts/AssoStore.h"
#include "contacts/AssoTargets.h"
#include "contacts/CAssoTargetDlg.h"
#include "featureapi/AppContext.h"
#include "ui/CDropList.h"
#include "ui/TextLimit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kNameHintBefore = QStringLiteral("(您也可以点");
const QString kNameHintAfter = QStringLiteral("来选择)");
constexpr int kNameHintBlanks = 11;

// The name's hint, "(您也可以点           来选择)", with the "选择" button
// sitting in the gap of its text.
class HintWithButton : public QLabel {
  public:
    HintWithButton(QPushButton* button, QWidget* parent) : QLabel(parent), button_(button) {
        button->setParent(this);
        const QFontMetrics metrics(font());
        const int blank = std::max(1, metrics.horizontalAdvance(u' '));
        const int needed = metrics.horizontalAdvance(button->text()) + 10;
        // The gap widens only when the button's caption would not fit in it.
        const int blanks = std::max(kNameHintBlanks, (needed + blank - 1) / blank);
        const QString gap(blanks, u' ');
        setText(kNameHintBefore + gap + kNameHintAfter);
        left_ = metrics.horizontalAdvance(kNameHintBefore);
        width_ = metrics.horizontalAdvance(gap);
        setMinimumHeight(button->sizeHint().height());
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        const int height = button_->sizeHint().height();
        button_->setGeometry(contentsRect().left() + left_, (this->height() - height) / 2, width_,
                             height);
    }

  private:
    QPushButton* button_;
    int left_ = 0;
    int width_ = 0;
};

QLabel* caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("caption:") + text);
    return label;
}

} // namespace

CAssoEditDlg::CAssoEditDlg(AppContext& app, AssoList::Edit& edit, QWidget* parent)
    : QDialog(parent), app_(app), edit_(edit), name_(new QLineEdit(this)),
      relation_(new QLineEdit(this)), company_(new QLineEdit(this)), duty_(new CDropList(this)),
      industry_(new CDropList(this)), comment_(new QPlainTextEdit(this)),
      choose_(new QPushButton(QStringLiteral("选择"), this)) {
    setObjectName(QStringLiteral("CAssoEditDlg"));
    setWindowTitle(QStringLiteral("关联关系管理"));
    name_->setObjectName(QStringLiteral("asso_name"));
    relation_->setObjectName(QStringLiteral("asso_sortname"));
    company_->setObjectName(QStringLiteral("asso_company"));
    duty_->setObjectName(QStringLiteral("asso_duty_code"));
    industry_->setObjectName(QStringLiteral("asso_industry_code"));
    comment_->setObjectName(QStringLiteral("asso_comment"));
    choose_->setObjectName(QStringLiteral("choose"));
    name_->setMaxLength(kNameLimit);
    relation_->setMaxLength(kRelationLimit);
    company_->setMaxLength(kCompanyLimit);
    comment_->setTabChangesFocus(true);

    AssoStore store(app_.db, app_.prompter);
    duty_->setEntries(store.dutyNames());
    industry_->setEntries(store.industryNames());

    auto* grid = new QGridLayout;
    grid->addWidget(caption(QStringLiteral("姓      名:"), this), 0, 0);
    grid->addWidget(name_, 0, 1);
    grid->addWidget(new HintWithButton(choose_, this), 0, 2);
    grid->addWidget(caption(QStringLiteral("关系类型:"), this), 1, 0);
    grid->addWidget(relation_, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("(如同学、同事、亲戚等)"), this), 1, 2);
    grid->addWidget(caption(QStringLiteral("单位名称:"), this), 2, 0);
    grid->addWidget(company_, 2, 1, 1, 2);
    grid->addWidget(caption(QStringLiteral("职      务:"), this), 3, 0);
    grid->addWidget(duty_, 3, 1);
    grid->addWidget(caption(QStringLiteral("行业:"), this), 4, 0);
    grid->addWidget(industry_, 4, 1);
    grid->setColumnStretch(1, 1);

    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setObjectName(QStringLiteral("ok"));
    auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    // Enter confirms nothing here: no button is the default.
    for (QPushButton* button : {ok, cancel, choose_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    connect(ok, &QPushButton::clicked, this, &CAssoEditDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CAssoEditDlg::reject);
    connect(choose_, &QPushButton::clicked, this, &CAssoEditDlg::choosePerson);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(
        caption(QStringLiteral("关系描述:(输入关联人的关系,也可输入关联人的关系的关系)"), this));
    layout->addWidget(comment_, 1);
    layout->addLayout(buttons);

    limitPlainText(comment_, kCommentLimit);
    for (CDropList* list : {duty_, industry_}) {
        list->installEventFilter(this);
        list->setContextMenuPolicy(Qt::PreventContextMenu);
    }
    setValues(edit_.values);
    resize(560, 380);
    name_->setFocus();
}

void CAssoEditDlg::setValues(const AssoValues& values) {
    name_->setText(values.name);
    relation_->setText(values.relation);
    company_->setText(values.company);
    duty_->setText(values.duty);
    industry_->setText(values.industry);
    comment_->setPlainText(values.comment);
}

AssoValues CAssoEditDlg::values() const {
    AssoValues v;
    v.name = name_->text();
    v.relation = relation_->text();
    v.company = company_->text();
    v.duty = duty_->currentText();
    v.industry = industry_->currentText();
    v.comment = comment_->toPlainText().left(kCommentLimit);
    return v;
}

void CAssoEditDlg::accept() {
    const AssoValues v = values();
    AssoStore store(app_.db, app_.prompter);
    if (edit_.mode == AssoList::Mode::Add) {
        const qint64 code = store.add(edit_.contact, v);
        if (code < 0) {
            if (store.failedField())
                focusField(*store.failedField());
            return;
        }
        edit_.code = QString::number(code);
    } else if (!store.modify(edit_.code, v)) {
        if (store.failedField())
            focusField(*store.failedField());
        return;
    }
    edit_.values = v;
    QDialog::accept();
}

void CAssoEditDlg::focusField(AssoField field) {
    QWidget* control = nullptr;
    switch (field) {
    case AssoField::Name:
        control = name_;
        break;
    case AssoField::Relation:
        control = relation_;
        break;
    case AssoField::Company:
        control = company_;
        break;
    case AssoField::Duty:
        control = duty_;
        break;
    case AssoField::Industry:
        control = industry_;
        break;
    case AssoField::Comment:
        control = comment_;
        break;
    }
    control->setFocus(Qt::OtherFocusReason);
}

void CAssoEditDlg::choosePerson() {
    CAssoTargetDlg picker(app_.db, app_.prompter, edit_.contact, this);
    if (picker.exec() != QDialog::Accepted)
        return;
    edit_.chosenRecord = picker.chosenCode();
    if (const auto person = AssoTargets(app_.db, edit_.contact).person(edit_.chosenRecord)) {
        name_->setText(person->name);
        company_->setText(person->unit);
    }
}

void CAssoEditDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

// The two lists take their value only from their entries: typing and the
// right button do nothing, Backspace and Delete empty them.
bool CAssoEditDlg::eventFilter(QObject* watched, QEvent* event) {
    auto* list = qobject_cast<CDropList*>(watched);
    if (!list)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return true;
        default:
            break;
        }
    }
    return CDropList::takesOnlyPicks(list, event) || QDialog::eventFilter(watched, event);
}

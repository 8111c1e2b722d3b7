// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/CDocForm.h"

#include "base/Clock.h"
#include "base/Prompter.h"
#include "documents/DocForm.h"
#include "documents/FileOpener.h"
#include "featureapi/AppContext.h"
#include "ui/CDropList.h"
#include "ui/TextLimit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString textOf(const QWidget* control) {
    if (const auto* list = qobject_cast<const QComboBox*>(control))
        return list->currentText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* multi = qobject_cast<const QPlainTextEdit*>(control))
        return multi->toPlainText();
    return {};
}

} // namespace

QString CDocForm::chooseFile(QWidget* parent, const QString& start) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("打开"), start,
                                        QStringLiteral("All Files (*)"));
}

CDocForm::CDocForm(AppContext& app, DocKind kind, DocMode mode, const QStringList& categories,
                   FileOpener& opener, FileChooser chooser, QWidget* parent)
    : QDialog(parent), app_(app), mode_(mode), opener_(opener), chooser_(std::move(chooser)) {
    setObjectName(kind == DocKind::Contact ? QStringLiteral("CDocEditDlg")
                                           : QStringLiteral("CDatumEditDlg"));
    setWindowTitle(docform::caption(kind, mode));
    build(categories);
}

void CDocForm::build(const QStringList& categories) {
    auto* grid = new QGridLayout;
    QHBoxLayout* row = nullptr;
    int rowIndex = -1;
    for (const docform::FieldSpec& entry : docform::fields()) {
        if (!entry.caption.isEmpty()) {
            ++rowIndex;
            auto* caption = new QLabel(entry.caption, this);
            caption->setObjectName(QStringLiteral("caption:") + entry.caption);
            grid->addWidget(caption, rowIndex, 0,
                            entry.kind == docform::Kind::MultiLine ? Qt::AlignTop
                                                                   : Qt::Alignment());
            row = new QHBoxLayout;
            grid->addLayout(row, rowIndex, 1);
        }
        QWidget* control = nullptr;
        switch (entry.kind) {
        case docform::Kind::EditableList: {
            auto* list = new QComboBox(this);
            list->setEditable(true);
            list->setInsertPolicy(QComboBox::NoInsert);
            list->lineEdit()->setMaxLength(entry.limit);
            list->addItems(docform::years(app_.clock));
            list->setMinimumContentsLength(entry.limit + 1);
            control = list;
            break;
        }
        case docform::Kind::List: {
            auto* list = new CDropList(this);
            switch (entry.field) {
            case DocField::Month:
                list->setEntries(docform::months());
                break;
            case DocField::Day:
                list->setEntries(docform::days());
                break;
            case DocField::Hour:
                list->setEntries(docform::hours());
                break;
            case DocField::Minute:
                list->setEntries(docform::minutes());
                break;
            default:
                list->setEntries(categories);
                list->setMinimumContentsLength(12);
                break;
            }
            control = list;
            break;
        }
        case docform::Kind::Edit: {
            auto* edit = new QLineEdit(this);
            edit->setMaxLength(entry.limit);
            control = edit;
            break;
        }
        case docform::Kind::MultiLine: {
            auto* multi = new QPlainTextEdit(this);
            multi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            multi->setTabChangesFocus(true);
            limitPlainText(multi, entry.limit);
            control = multi;
            break;
        }
        }
        control->setObjectName(QStringLiteral("field%1").arg(int(entry.field)));
        controls_.insert(entry.field, control);
        const bool stretches = entry.kind == docform::Kind::Edit ||
                               entry.kind == docform::Kind::MultiLine ||
                               entry.field == DocField::Category;
        row->addWidget(control, stretches ? 1 : 0);
        if (!entry.unit.isEmpty())
            row->addWidget(new QLabel(entry.unit, this));
        if (entry.field == DocField::File) {
            browse_ = new QPushButton(QStringLiteral("浏览"), this);
            browse_->setObjectName(QStringLiteral("browse"));
            edit_ = new QPushButton(QStringLiteral("编辑"), this);
            edit_->setObjectName(QStringLiteral("edit"));
            for (QPushButton* button : {browse_, edit_}) {
                button->setAutoDefault(false);
                row->addWidget(button);
            }
            connect(browse_, &QPushButton::clicked, this, &CDocForm::browse);
            connect(edit_, &QPushButton::clicked, this, &CDocForm::editFile);
        }
        if (entry.field == DocField::Minute || entry.field == DocField::Category)
            row->addStretch(1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(rowIndex, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("确定(&O)"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("取消(&C)"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CDocForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDocForm::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(buttons);
    resize(580, 400);
}

void CDocForm::start(const DocValues& values) {
    if (mode_ == DocMode::Add) {
        const QDate today = app_.clock.today();
        DocValues fresh;
        fresh.year = QString::number(today.year());
        fresh.month = today.toString(QStringLiteral("MM"));
        fresh.day = today.toString(QStringLiteral("dd"));
        setValues(fresh);
    } else {
        setValues(values);
    }
    control(DocField::Year)->setFocus(Qt::OtherFocusReason);
}

void CDocForm::setValues(const DocValues& v) {
    code_ = v.code;
    file_ = v.file;
    // A year before the list's ten stays in the field as text.
    static_cast<QComboBox*>(control(DocField::Year))->setEditText(v.year);
    const QList<QPair<DocField, QString>> lists{{DocField::Month, v.month},
                                                {DocField::Day, v.day},
                                                {DocField::Hour, v.hour},
                                                {DocField::Minute, v.minute},
                                                {DocField::Category, v.category}};
    for (const auto& [field, text] : lists)
        static_cast<CDropList*>(control(field))->setText(text);
    static_cast<QLineEdit*>(control(DocField::Title))->setText(v.title);
    static_cast<QLineEdit*>(control(DocField::File))->setText(v.path);
    static_cast<QLineEdit*>(control(DocField::Keyword))->setText(v.keyword);
    static_cast<QPlainTextEdit*>(control(DocField::Description))->setPlainText(v.description);
}

DocValues CDocForm::values() const {
    auto take = [this](DocField field) {
        const QString text = textOf(control(field));
        return text.left(docform::field(field).limit);
    };
    DocValues v;
    v.code = code_;
    v.file = file_;
    v.year = take(DocField::Year);
    v.month = take(DocField::Month);
    v.day = take(DocField::Day);
    v.hour = take(DocField::Hour);
    v.minute = take(DocField::Minute);
    v.title = take(DocField::Title);
    v.category = take(DocField::Category);
    v.path = take(DocField::File);
    v.keyword = take(DocField::Keyword);
    v.description = take(DocField::Description);
    return v;
}

void CDocForm::accept() {
    DocValues v = values();
    if (!save(v)) {
        if (const auto field = failedField()) {
            QWidget* at = control(*field);
            at->setFocus(Qt::OtherFocusReason);
            if (auto* edit = qobject_cast<QLineEdit*>(at))
                edit->selectAll();
        }
        return;
    }
    code_ = v.code;
    file_ = v.file;
    QDialog::accept();
}

void CDocForm::browse() {
    auto* field = static_cast<QLineEdit*>(control(DocField::File));
    const QString path = chooser_ ? chooser_(this, field->text()) : chooseFile(this, field->text());
    if (path.isEmpty())
        return;
    field->setText(path);
    file_ = docform::bareName(path);
}

void CDocForm::editFile() {
    const QString path = textOf(control(DocField::File));
    if (path.isEmpty()) {
        app_.prompter.inform(QStringLiteral("请输入文档名称!"));
        return;
    }
    if (!docform::fileExists(path)) {
        app_.prompter.inform(docform::kFileMissing);
        return;
    }
    opener_.openOrReport(path, app_.prompter);
}

#include "reference/CRefEditDlg.h"

#include "reference/RefRecordForm.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QStringList twoDigits(int last) {
    QStringList items;
    for (int i = 1; i <= last; ++i)
        items << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return items;
}

} // namespace

CRefEditDlg::CRefEditDlg(RefRecordForm& form, const RefRecord& start, QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("CRefEditDlg"));
    setWindowTitle(form.title());
    const RefTableSpec& spec = form.spec();

    auto* rows = new QFormLayout;
    rows->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    name_ = new QLineEdit(start.name, this);
    name_->setObjectName(QStringLiteral("name"));
    name_->setMaxLength(spec.nameMaxLength);
    // Room for a name of twenty Chinese characters.
    name_->setMinimumWidth(fontMetrics().horizontalAdvance(QChar(0x4E2D)) * 21);
    rows->addRow(spec.nameCaption, name_);

    for (int i = 0; i < spec.fields.size(); ++i) {
        const RefField& field = spec.fields.at(i);
        const QString value = start.fields.value(i);
        QWidget* control = nullptr;
        if (field.kind == RefField::Kind::Digits) {
            auto* edit = new QLineEdit(value, this);
            edit->setMaxLength(field.maxLength);
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
            edit->setMaximumWidth(fontMetrics().horizontalAdvance(u'0') * 10 + 12);
            control = edit;
        } else {
            auto* list = new QComboBox(this);
            list->addItems(twoDigits(field.kind == RefField::Kind::Month ? 12 : 31));
            if (!value.isEmpty())
                list->setCurrentText(value);
            control = list;
        }
        control->setObjectName(field.column);
        fields_ << control;
        auto* line = new QHBoxLayout;
        line->addWidget(control);
        if (!field.unit.isEmpty())
            line->addWidget(new QLabel(field.unit, this));
        if (!field.note.isEmpty())
            line->addWidget(new QLabel(field.note, this));
        line->addStretch();
        rows->addRow(field.caption, line);
    }

    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &CRefEditDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    name_->setFocus();
    name_->selectAll();
}

QStringList CRefEditDlg::fieldValues() const {
    QStringList values;
    for (QWidget* control : fields_) {
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            values << edit->text();
        else if (auto* list = qobject_cast<QComboBox*>(control))
            values << list->currentText();
    }
    return values;
}

void CRefEditDlg::onOk() {
    const RefRecordForm::Outcome outcome = form_.submit(name_->text(), fieldValues());
    if (outcome.saved) {
        name_->clear();
        accept();
        return;
    }
    QWidget* focus =
        outcome.focus == RefRecordForm::kNameField ? name_ : fields_.value(outcome.focus);
    if (focus)
        focus->setFocus();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/CRefEditDlg.h"

#include "db/LunarCalendar.h"
#include "reference/RefRecordForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

// Fills a month or day list, keeping the entry picked (a day past the lunar
// 三十 becomes 三十). Gregorian entries read as stored ("01"), lunar ones by
// their names ("正月", "初一"); each entry's data is the stored text.
void fillDateList(QComboBox* list, RefField::Kind kind, bool lunarNames, const QString& value) {
    const QString keep = value.isEmpty() ? list->currentData().toString() : value;
    const bool month = kind == RefField::Kind::Month;
    const int last = month ? 12 : lunarNames ? 30 : 31;
    list->clear();
    for (int i = 1; i <= last; ++i) {
        const QString stored = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        const QString shown = !lunarNames ? stored
                              : month     ? lunar::monthName(i)
                                          : lunar::dayName(i);
        list->addItem(shown, stored);
    }
    if (keep.isEmpty())
        return;
    const int index = list->findData(keep);
    list->setCurrentIndex(index >= 0 ? index : list->count() - 1);
}

bool isDateList(const RefField& field) {
    return field.kind == RefField::Kind::Month || field.kind == RefField::Kind::Day;
}

} // namespace

CRefEditDlg::CRefEditDlg(RefRecordForm& form, const RefRecord& start, QWidget* parent)
    : QDialog(parent), form_(form) {
    setObjectName(QStringLiteral("CRefEditDlg"));
    setWindowTitle(form.title());
    const RefTableDefinition& definition = form.definition();

    auto* rows = new QFormLayout;
    rows->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    name_ = new QLineEdit(start.name, this);
    name_->setObjectName(QStringLiteral("name"));
    name_->setMaxLength(definition.nameMaxLength);
    // Room for a name of twenty Chinese characters.
    name_->setMinimumWidth(fontMetrics().horizontalAdvance(QChar(0x4E2D)) * 21);
    rows->addRow(definition.nameCaption, name_);

    // The lunar tick, when the table has one, decides what the date lists read.
    bool lunarNames = false;
    for (int i = 0; i < definition.fields.size(); ++i) {
        if (definition.fields.at(i).kind == RefField::Kind::Lunar)
            lunarNames = start.fields.value(i).toLongLong() != 0;
    }

    for (int i = 0; i < definition.fields.size(); ++i) {
        const RefField& field = definition.fields.at(i);
        const QString value = start.fields.value(i);
        QWidget* control = nullptr;
        if (field.kind == RefField::Kind::Digits) {
            auto* edit = new QLineEdit(value, this);
            edit->setMaxLength(field.maxLength);
            edit->setValidator(new QRegularExpressionValidator(
                QRegularExpression(QStringLiteral("[0-9]*")), edit));
            edit->setMaximumWidth(fontMetrics().horizontalAdvance(u'0') * 10 + 12);
            control = edit;
        } else if (field.kind == RefField::Kind::Lunar) {
            auto* tick = new QCheckBox(field.caption, this);
            tick->setChecked(lunarNames);
            connect(tick, &QCheckBox::toggled, this, &CRefEditDlg::showDateNames);
            control = tick;
        } else {
            auto* list = new QComboBox(this);
            // Wide enough for "十二月" and "廿九" whichever calendar it shows.
            list->setMinimumContentsLength(3);
            fillDateList(list, field.kind, lunarNames, value);
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
        if (field.kind == RefField::Kind::Lunar)
            rows->addRow(QString(), line); // the tick carries its own caption
        else
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
            values << list->currentData().toString();
        else if (auto* tick = qobject_cast<QCheckBox*>(control))
            values << (tick->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    }
    return values;
}

void CRefEditDlg::showDateNames(bool lunarNames) {
    const RefTableDefinition& definition = form_.definition();
    for (int i = 0; i < definition.fields.size(); ++i) {
        if (auto* list = qobject_cast<QComboBox*>(fields_.value(i));
            list && isDateList(definition.fields.at(i)))
            fillDateList(list, definition.fields.at(i).kind, lunarNames, QString());
    }
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

// SPDX-License-Identifier: GPL-3.0-or-later
#include "contacts/ContactPageBuilder.h"

#include "contacts/LunarBirthday.h"
#include "ui/CDropList.h"
#include "ui/ElidedLabel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>

namespace {

// Enough room for a short name or a telephone number; the grid gives more when it can.
constexpr int kMinimumFieldWidth = 70;
constexpr int kMultiLineHeight = 90;

void fitWidth(QComboBox* list, const QString& sample) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    const QFontMetrics metrics = list->fontMetrics();
    const QSize contents(metrics.horizontalAdvance(sample) + 6, metrics.height());
    list->setFixedWidth(
        list->style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, list).width());
}

QLabel* captionLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

ContactPageBuilder::ContactPageBuilder(ContactPage page, Layout layout)
    : page_(page), layout_(std::move(layout)), fields_(fieldsOf(page)) {}

void ContactPageBuilder::build(QWidget* form) {
    auto* outer = new QVBoxLayout(form);
    outer->setContentsMargins(10, 10, 10, 10);
    const int bandCount = pageInfo(page_).bandCount;
    if (bandCount == 0) {
        auto* grid = new QGridLayout;
        layOut(fields_, layout_.columns, grid, form);
        outer->addLayout(grid, 1);
        const bool growsDown = std::any_of(fields_.begin(), fields_.end(), [](const auto& f) {
            return f.kind == FieldKind::MultiLine;
        });
        if (!growsDown)
            outer->addStretch(1);
        return;
    }
    for (int band = 0; band < bandCount; ++band) {
        QList<FieldSpec> inBand;
        for (const auto& field : fields_)
            if (field.band == band)
                inBand.append(field);
        auto* box = new QGroupBox(form);
        box->setObjectName(QStringLiteral("band%1").arg(band));
        auto* grid = new QGridLayout(box);
        layOut(inBand, layout_.bandColumns.value(band, layout_.columns), grid, box);
        outer->addWidget(box);
        bands_.append(box);
    }
    outer->addStretch(1);
}

QList<CDropList*> ContactPageBuilder::allLists() const {
    QList<CDropList*> all;
    for (const auto& lists : lists_)
        all += lists;
    return all;
}

// Fields fill the grid row by row. A multi-line field takes a whole row of its
// own and the spare height; the fields of one person (the leader, the
// superior) begin a new row so that their rows line up.
void ContactPageBuilder::layOut(const QList<FieldSpec>& fields, int columns, QGridLayout* grid,
                                QWidget* parent) {
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    for (int c = 0; c < columns; ++c) {
        grid->setColumnStretch(2 * c, 0);
        grid->setColumnStretch(2 * c + 1, 1);
        if (c > 0)
            grid->setColumnMinimumWidth(2 * c, 0);
    }
    int row = 0;
    int column = 0;
    QString previousRole;
    const auto newRow = [&] {
        if (column > 0) {
            ++row;
            column = 0;
        }
    };
    for (const auto& field : fields) {
        if (!field.role.isEmpty() && field.role != previousRole)
            newRow();
        previousRole = field.role;
        QWidget* caption = captionCell(field, parent);
        QWidget* cell = fieldCell(field, parent);
        if (field.kind == FieldKind::MultiLine) {
            newRow();
            grid->addWidget(caption, row, 0, Qt::AlignRight | Qt::AlignTop);
            grid->addWidget(cell, row, 1, 1, 2 * columns - 1);
            grid->setRowStretch(row, 1);
            ++row;
            continue;
        }
        // Field columns share the width by their stretch, not by what the controls ask
        // for; a cell still never gets less than it needs to show its parts.
        cell->setMinimumWidth(std::max(cell->minimumWidth(), cell->minimumSizeHint().width()));
        cell->setSizePolicy(QSizePolicy::Ignored, cell->sizePolicy().verticalPolicy());
        if (field.hasLunarTick()) {
            // The birthday's cell has a second line: the caption faces its lists.
            caption->setFixedHeight(
                controls_.value(field.dateColumns.value(0))->sizeHint().height());
            grid->addWidget(caption, row, 2 * column, Qt::AlignTop);
        } else {
            grid->addWidget(caption, row, 2 * column);
        }
        grid->addWidget(cell, row, 2 * column + 1);
        if (++column == columns)
            newRow();
    }
}

QWidget* ContactPageBuilder::captionCell(const FieldSpec& field, QWidget* parent) {
    QLabel* label = captionLabel(field.caption, parent);
    label->setObjectName(kCaptionPrefix + field.column);
    captions_.insert(field.column, label);
    if (field.extraCaption.isEmpty())
        return label;
    // Two captions before one control ("原籍:" "国籍:") stand side by side.
    auto* cell = new QWidget(parent);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    label->setParent(cell);
    QLabel* extra = captionLabel(field.extraCaption, cell);
    extra->setObjectName(QStringLiteral("caption2:") + field.column);
    extraCaptions_.insert(field.column, extra);
    row->addStretch(1);
    row->addWidget(label);
    row->addWidget(extra);
    return cell;
}

QWidget* ContactPageBuilder::fieldCell(const FieldSpec& field, QWidget* parent) {
    QWidget* control = nullptr;
    switch (field.kind) {
    case FieldKind::Edit:
    case FieldKind::SearchEdit: {
        auto* edit = new QLineEdit(parent);
        if (field.limit > 0)
            edit->setMaxLength(field.limit);
        edit->setMinimumWidth(kMinimumFieldWidth);
        control = edit;
        break;
    }
    case FieldKind::MultiLine: {
        auto* edit = new QPlainTextEdit(parent);
        edit->setTabChangesFocus(true);
        edit->setMinimumHeight(kMultiLineHeight);
        control = edit;
        break;
    }
    case FieldKind::List:
        control = makeList(field.column, field.source, field.items, parent);
        control->setMinimumWidth(kMinimumFieldWidth);
        break;
    case FieldKind::Date:
        return dateCell(field, parent);
    }
    control->setObjectName(field.column);
    controls_.insert(field.column, control);
    if (QLabel* label = captions_.value(field.column))
        label->setBuddy(control);
    if (field.kind != FieldKind::SearchEdit)
        return control;

    auto* cell = new QWidget(parent);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    control->setParent(cell);
    auto* button = new QPushButton(kSearchCaption, cell);
    button->setObjectName(QStringLiteral("search:") + field.column);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(kSearchCaption) + 24);
    buttons_.insert(field.column, button);
    row->addWidget(control, 1);
    row->addWidget(button);
    return cell;
}

QWidget* ContactPageBuilder::dateCell(const FieldSpec& field, QWidget* parent) {
    auto* cell = new QWidget(parent);
    auto* lines = new QVBoxLayout(cell);
    lines->setContentsMargins(0, 0, 0, 0);
    lines->setSpacing(1);
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    lines->addLayout(row);
    static const ListSource kSources[] = {ListSource::Years, ListSource::Months, ListSource::Days};
    for (int part = 0; part < 3; ++part) {
        const QString column = field.dateColumns.value(part);
        CDropList* list = makeList(column, kSources[part], {}, cell);
        // Just wide enough for "2026" or "12": a year cut to "202" reads as another year.
        // A birthday's lists may show lunar names ("闰冬月", "廿九") instead.
        static const QString kSamples[] = {QStringLiteral("0000"), QStringLiteral("00"),
                                           QStringLiteral("00")};
        static const QString kLunarSamples[] = {QStringLiteral("0000"), QStringLiteral("闰冬月"),
                                                QStringLiteral("廿九")};
        fitWidth(list, field.hasLunarTick() ? kLunarSamples[part] : kSamples[part]);
        list->setObjectName(column);
        controls_.insert(column, list);
        auto* unit = new QLabel(kDateUnits.at(part), cell);
        unit->setObjectName(QStringLiteral("unit:") + column);
        row->addWidget(list);
        row->addWidget(unit);
        if (part < 2)
            row->addSpacing(4);
    }
    if (field.hasLunarTick()) {
        auto* tick = new QCheckBox(lunarbirthday::kCaption, cell);
        tick->setObjectName(field.lunarColumn);
        controls_.insert(field.lunarColumn, tick);
        ticks_.insert(field.lunarColumn, tick);
        ticks_.insert(field.column, tick);
        auto* other = new ElidedLabel(cell);
        other->setObjectName(QStringLiteral("other:") + field.column);
        other->setEnabled(false); // an aid, greyed like a hint
        others_.insert(field.column, other);
        row->addSpacing(6);
        row->addWidget(tick);
        // Under the lists: beside them a pane of two columns has no room left.
        lines->addWidget(other);
    }
    row->addStretch(1);
    if (QLabel* label = captions_.value(field.column))
        label->setBuddy(controls_.value(field.column));
    return cell;
}

CDropList* ContactPageBuilder::makeList(const QString& column, ListSource source,
                                        const QStringList& items, QWidget* parent) {
    auto* list = new CDropList(parent);
    list->setObjectName(column);
    if (source == ListSource::Fixed)
        list->setEntries(items);
    lists_[source].append(list);
    return list;
}

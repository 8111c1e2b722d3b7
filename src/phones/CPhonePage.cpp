// SPDX-License-Identifier: GPL-3.0-or-later
#include "phones/CPhonePage.h"

#include "ui/CDropList.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace {

// Most characters each one-line field takes.
constexpr int kTitleLimit = 50;
constexpr int kAddressLimit = 100;
constexpr int kContactLimit = 20;
constexpr int kNumberLimit = 30;
constexpr int kPriceLimit = 50;

} // namespace

CPhonePage::CPhonePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CPhonePage"));
    title_ = addEdit(QStringLiteral("title"), kTitleLimit);
    category_ = new CDropList(this);
    category_->setObjectName(QStringLiteral("category"));
    address_ = addEdit(QStringLiteral("address"), kAddressLimit);
    contact_ = addEdit(QStringLiteral("contact"), kContactLimit);
    duty_ = new CDropList(this);
    duty_->setObjectName(QStringLiteral("duty"));
    mobile_ = addEdit(QStringLiteral("mobile"), kNumberLimit);
    phone_ = addEdit(QStringLiteral("phone"), kNumberLimit);
    fax_ = addEdit(QStringLiteral("fax"), kNumberLimit);
    price_ = addEdit(QStringLiteral("price"), kPriceLimit);
    memo_ = new QPlainTextEdit(this);
    memo_->setObjectName(QStringLiteral("memo"));
    memo_->setTabChangesFocus(true);
    memo_->setMinimumHeight(48);

    for (CDropList* list : {category_, duty_})
        connect(list, &QComboBox::activated, this, &CPhonePage::markChanged);
    connect(memo_, &QPlainTextEdit::textChanged, this, [this] {
        if (filling_)
            return;
        // The note takes 100 characters; what is typed or pasted beyond is cut.
        const QString text = memo_->toPlainText();
        if (text.size() > kMemoLimit) {
            const QSignalBlocker blocker(memo_);
            memo_->setPlainText(text.left(kMemoLimit));
            memo_->moveCursor(QTextCursor::End);
        }
        markChanged();
    });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(8);
    auto caption = [this](const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, this);
        label->setBuddy(buddy);
        return label;
    };
    grid->addWidget(caption(QStringLiteral("名    称:"), title_), 0, 0);
    grid->addWidget(title_, 0, 1);
    grid->addWidget(caption(QStringLiteral("类    别:"), category_), 0, 2);
    grid->addWidget(category_, 0, 3);
    grid->addWidget(caption(QStringLiteral("地    址:"), address_), 1, 0);
    grid->addWidget(address_, 1, 1, 1, 3);
    grid->addWidget(caption(QStringLiteral("联 系 人:"), contact_), 2, 0);
    grid->addWidget(contact_, 2, 1);
    grid->addWidget(caption(QStringLiteral("职    务:"), duty_), 2, 2);
    grid->addWidget(duty_, 2, 3);
    grid->addWidget(caption(QStringLiteral("手    机:"), mobile_), 3, 0);
    grid->addWidget(mobile_, 3, 1);
    grid->addWidget(caption(QStringLiteral("电    话:"), phone_), 3, 2);
    grid->addWidget(phone_, 3, 3);
    grid->addWidget(caption(QStringLiteral("传    真:"), fax_), 4, 0);
    grid->addWidget(fax_, 4, 1);
    grid->addWidget(caption(QStringLiteral("价    格:"), price_), 4, 2);
    grid->addWidget(price_, 4, 3);
    QLabel* memoCaption = caption(QStringLiteral("备    注:"), memo_);
    memoCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(memoCaption, 5, 0);
    grid->addWidget(memo_, 5, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(5, 1);
    setTabOrder(title_, category_);
    setTabOrder(category_, address_);
    setTabOrder(address_, contact_);
    setTabOrder(contact_, duty_);
    setTabOrder(duty_, mobile_);
    setTabOrder(mobile_, phone_);
    setTabOrder(phone_, fax_);
    setTabOrder(fax_, price_);
    setTabOrder(price_, memo_);
}

QLineEdit* CPhonePage::addEdit(const QString& name, int limit) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setMaxLength(limit);
    connect(edit, &QLineEdit::textEdited, this, &CPhonePage::markChanged);
    return edit;
}

QLineEdit* CPhonePage::edit(const QString& name) const {
    return findChild<QLineEdit*>(name);
}

void CPhonePage::markChanged() {
    if (filling_)
        return;
    changed_ = true;
    emit edited();
}

void CPhonePage::setLists(const QStringList& categories, const QStringList& duties) {
    category_->setEntries(categories);
    duty_->setEntries(duties);
}

PhoneEntry CPhonePage::entry() const {
    PhoneEntry entry;
    entry.title = title_->text();
    entry.category = category_->currentText();
    entry.address = address_->text();
    entry.contact = contact_->text();
    entry.duty = duty_->currentText();
    entry.mobile = mobile_->text();
    entry.phone = phone_->text();
    entry.fax = fax_->text();
    entry.price = price_->text();
    entry.memo = memo_->toPlainText().left(kMemoLimit);
    return entry;
}

void CPhonePage::setEntry(const PhoneEntry& entry) {
    filling_ = true;
    title_->setText(entry.title);
    category_->setText(entry.category);
    address_->setText(entry.address);
    contact_->setText(entry.contact);
    duty_->setText(entry.duty);
    mobile_->setText(entry.mobile);
    phone_->setText(entry.phone);
    fax_->setText(entry.fax);
    price_->setText(entry.price);
    memo_->setPlainText(entry.memo);
    filling_ = false;
    changed_ = false;
}

void CPhonePage::clear() {
    setEntry(PhoneEntry());
}

void CPhonePage::focusField(PhoneDirectory::Outcome outcome) {
    QWidget* field = nullptr;
    switch (outcome) {
    case PhoneDirectory::Outcome::NoTitle:
        field = title_;
        title_->selectAll();
        break;
    case PhoneDirectory::Outcome::NoCategory:
    case PhoneDirectory::Outcome::CategoryLookup:
        field = category_;
        break;
    case PhoneDirectory::Outcome::DutyLookup:
        field = duty_;
        break;
    case PhoneDirectory::Outcome::BadMobile:
        field = mobile_;
        break;
    case PhoneDirectory::Outcome::BadPhone:
        field = phone_;
        break;
    case PhoneDirectory::Outcome::BadFax:
        field = fax_;
        break;
    case PhoneDirectory::Outcome::BadPrice:
        field = price_;
        break;
    default:
        break;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
    if (field)
        field->setFocus();
}

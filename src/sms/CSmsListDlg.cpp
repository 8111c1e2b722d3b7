// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/CSmsListDlg.h"

#include "sms/CSmsViewDlg.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

CSmsListDlg::CSmsListDlg(Database& db, Prompter& prompter, SmsMailbox::Box box, QWidget* parent)
    : QDialog(parent), mailbox_(db, prompter, box) {
    setWindowTitle(mailbox_.caption());
    model_ = new ReportModel(mailbox_.columns(), this);
    list_ = new CReportView(this);
    list_->setReportModel(model_);
    // The view's own signal only comes for a double click on a row, which has
    // selected it first: the viewport's event also sees one where no row is.
    list_->viewport()->installEventFilter(this);

    auto addButton = [this](const QString& caption, const QString& name) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        return button;
    };
    QPushButton* remove = addButton(QStringLiteral("删除(&D)"), QStringLiteral("delete"));
    QPushButton* view = addButton(QStringLiteral("查看(&L)"), QStringLiteral("view"));
    QPushButton* quit = addButton(QStringLiteral("退出(&C)"), QStringLiteral("quit"));
    connect(remove, &QPushButton::clicked, this, &CSmsListDlg::deleteTicked);
    connect(view, &QPushButton::clicked, this, &CSmsListDlg::viewTicked);
    connect(quit, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(remove);
    buttons->addWidget(view);
    buttons->addWidget(quit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(620, 400);
    load();
}

QPushButton* CSmsListDlg::button(const QString& name) const {
    return findChild<QPushButton*>(name);
}

void CSmsListDlg::load() {
    QList<QStringList> rows;
    if (mailbox_.fetch(rows))
        model_->setRows(rows);
    // A number or a date is read whole: those columns grow to their texts.
    for (int column = 2; column < mailbox_.contentColumn(); ++column) {
        const int needed = static_cast<QAbstractItemView*>(list_)->sizeHintForColumn(column);
        if (needed > list_->columnWidth(column))
            list_->setColumnWidth(column, needed);
    }
    updateTitle();
}

bool CSmsListDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QModelIndexList selected = list_->selectionModel()->selectedRows();
        viewRow(selected.isEmpty() ? -1 : selected.first().row());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CSmsListDlg::updateTitle() {
    setWindowTitle(mailbox_.title(model_->rowCount()));
}

void CSmsListDlg::deleteTicked() {
    if (mailbox_.deleteTicked(*model_) >= 0)
        updateTitle();
}

void CSmsListDlg::viewTicked() {
    if (const auto text = mailbox_.tickedText(*model_))
        showText(*text);
}

void CSmsListDlg::viewRow(int row) {
    if (const auto text = mailbox_.selectedText(*model_, row))
        showText(*text);
}

void CSmsListDlg::showText(const QString& text) {
    if (viewer_) {
        viewer_(text);
        return;
    }
    CSmsViewDlg dialog(text, this);
    dialog.exec();
}

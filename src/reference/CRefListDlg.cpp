// SPDX-License-Identifier: GPL-3.0-or-later
#include "reference/CRefListDlg.h"

#include "reference/CRefEditDlg.h"
#include "reference/CTickBoxDelegate.h"
#include "reference/RefRecordForm.h"
#include "reference/RefTable.h"
#include "ui/CReportView.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// Double clicks on the list, also where no row is.
class DoubleClickFilter : public QObject {
  public:
    DoubleClickFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> action_;
};

} // namespace

CRefListDlg::CRefListDlg(Database& db, Prompter& prompter, const RefTableDefinition& definition,
                         QWidget* parent)
    : QDialog(parent), db_(&db), prompter_(&prompter) {
    auto table = std::make_unique<RefTable>(db, prompter, definition);
    refTable_ = table.get();
    list_ = std::move(table);
    setObjectName(QStringLiteral("CRefListDlg"));
    build();
}

CRefListDlg::CRefListDlg(std::unique_ptr<EditableList> list, QWidget* parent)
    : QDialog(parent), list_(std::move(list)) {
    build();
}

CRefListDlg::~CRefListDlg() = default;

bool CRefListDlg::changed() const {
    return list_->changed();
}

void CRefListDlg::build() {
    setWindowTitle(list_->caption());
    view_ = new CReportView(this);
    view_->setObjectName(QStringLiteral("list"));
    view_->setItemDelegateForColumn(0, new CTickBoxDelegate(view_));
    view_->setReportModel(&list_->model());
    view_->viewport()->installEventFilter(new DoubleClickFilter(this, [this] { onDoubleClick(); }));

    auto button = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    add_ = button(QStringLiteral("增加(&A)"), "add");
    delete_ = button(QStringLiteral("删除(&D)"), "delete");
    modify_ = button(QStringLiteral("修改(&M)"), "modify");
    exit_ = button(QStringLiteral("退出(&C)"), "exit");

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(delete_);
    buttons->addWidget(modify_);
    buttons->addStretch();
    buttons->addWidget(exit_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);

    // Wide enough for every column the list shows.
    int width = 0;
    for (int i = 0; i < list_->model().columnCount(); ++i) {
        if (!view_->isColumnHidden(i))
            width += view_->columnWidth(i);
    }
    view_->setMinimumWidth(width + view_->verticalScrollBar()->sizeHint().width() + 4);
    resize(sizeHint().width(), 380);

    connect(add_, &QPushButton::clicked, this, &CRefListDlg::onAdd);
    connect(delete_, &QPushButton::clicked, this, &CRefListDlg::onDelete);
    connect(modify_, &QPushButton::clicked, this, &CRefListDlg::onModify);
    connect(exit_, &QPushButton::clicked, this, &QDialog::accept);

    list_->load();
    showTitle();
}

void CRefListDlg::showTitle() {
    setWindowTitle(list_->title());
}

bool CRefListDlg::openForm(int row) {
    if (!refTable_)
        return false;
    const RefRecord start = row >= 0 ? refTable_->record(row) : RefRecord{};
    RefRecordForm form(*db_, *prompter_, refTable_->definition(),
                       row >= 0 ? RefRecordForm::Mode::Modify : RefRecordForm::Mode::Add,
                       start.code);
    return runEditForm(form, start);
}

bool CRefListDlg::runEditForm(RefRecordForm& form, const RefRecord& start) {
    CRefEditDlg dialog(form, start, this);
    return dialog.exec() == QDialog::Accepted;
}

bool CRefListDlg::opensOnDoubleClick() const {
    return !refTable_ || refTable_->definition().doubleClickOpens;
}

void CRefListDlg::onAdd() {
    list_->add([this](int row) { return openForm(row); });
    showTitle();
}

void CRefListDlg::onModify() {
    list_->modify([this](int row) { return openForm(row); });
    showTitle();
}

void CRefListDlg::onDelete() {
    list_->deleteTicked();
    showTitle();
}

void CRefListDlg::onDoubleClick() {
    if (!opensOnDoubleClick())
        return;
    const QModelIndexList selected = view_->selectionModel()->selectedRows();
    list_->openSelected(selected.isEmpty() ? -1 : selected.first().row(),
                        [this](int row) { return openForm(row); });
    showTitle();
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/CCommResultDlg.h"

#include "reports/InteractionResults.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

CCommResultDlg::CCommResultDlg(Database& db, const InteractionConditions& conditions,
                               Exporter exporter, QWidget* parent)
    : QDialog(parent), exporter_(std::move(exporter)) {
    setObjectName(QStringLiteral("CCommResultDlg"));
    setWindowTitle(QStringLiteral("往来查询"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    model_ = new ReportModel(InteractionResults::kColumns, this);
    list_ = new CReportView(this);
    list_->setObjectName(QStringLiteral("results"));
    list_->setReportModel(model_);

    ReportRows rows;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // A failed read keeps what was read before it (the error was shown).
        InteractionResults(db).fetch(conditions, rows, totals_);
        QApplication::restoreOverrideCursor();
    }
    model_->setRows(std::move(rows));

    auto* sums = new QGridLayout;
    auto value = [this](const QString& name, const QString& text) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000.00")));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    const struct {
        const char* caption;
        const char* name;
        QString text;
        const char* unit;
    } shown[] = {
        {"总计时间:", "totalTime", totals_.timeText(), "分"},
        {"总计支出:", "totalCost", totals_.costText(), "元"},
        {"总计往来:", "count", totals_.countText(), "次"},
        {"平均时间:", "averageTime", totals_.averageTimeText(), "分/次"},
        {"平均支出:", "averageCost", totals_.averageCostText(), "元/次"},
        {"总计收入:", "income", totals_.incomeText(), "元"},
    };
    for (int i = 0; i < 6; ++i) {
        const int row = i / 3;
        const int column = (i % 3) * 4;
        sums->addWidget(new QLabel(QString::fromUtf8(shown[i].caption), this), row, column);
        sums->addWidget(value(QString::fromUtf8(shown[i].name), shown[i].text), row, column + 1);
        sums->addWidget(new QLabel(QString::fromUtf8(shown[i].unit), this), row, column + 2);
        sums->setColumnMinimumWidth(column + 3, 24);
    }
    sums->setColumnStretch(11, 1);

    auto* exportButton = new QPushButton(QStringLiteral("导出Excel"), this);
    exportButton->setObjectName(QStringLiteral("export"));
    exportButton->setAutoDefault(false);
    auto* close = new QPushButton(QStringLiteral("确认(&O)"), this);
    close->setObjectName(QStringLiteral("ok"));
    close->setDefault(true);
    connect(exportButton, &QPushButton::clicked, this, &CCommResultDlg::exportRows);
    connect(close, &QPushButton::clicked, this, &CCommResultDlg::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(sums, 1);
    bottom->addSpacing(16);
    bottom->addWidget(exportButton, 0, Qt::AlignBottom);
    bottom->addWidget(close, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(bottom);

    int width = 40;
    for (const ReportColumn& column : model_->columns())
        width += column.width;
    QSize size(width, 520);
    if (const QScreen* screen = parent ? parent->screen() : QApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    resize(size);
}

QString CCommResultDlg::shown(const QString& name) const {
    const auto* label = findChild<QLabel*>(name);
    return label ? label->text() : QString();
}

void CCommResultDlg::exportRows() {
    if (exporter_)
        exporter_(*model_, totals_);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "interactions/CScoreQueryDlg.h"

#include "interactions/ScoreQuery.h"
#include "ui/CReportView.h"
#include "ui/ReportModel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QGroupBox* listBox(const QString& caption, ReportModel* model, QWidget* parent) {
    auto* box = new QGroupBox(caption, parent);
    auto* view = new CReportView(box);
    view->setReportModel(model);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(view);
    return box;
}

} // namespace

CScoreQueryDlg::CScoreQueryDlg(Database& db, QWidget* parent)
    : QDialog(parent), users_(new ReportModel(ScoreQuery::kUserColumns, this)),
      departments_(new ReportModel(ScoreQuery::kDepartmentColumns, this)), total_(new QLabel(this)),
      average_(new QLabel(this)) {
    setObjectName(QStringLiteral("CScoreQueryDlg"));
    setWindowTitle(ScoreQuery::kCaption);
    total_->setObjectName(QStringLiteral("total"));
    average_->setObjectName(QStringLiteral("average"));

    auto* lists = new QHBoxLayout;
    lists->addWidget(listBox(QStringLiteral("个人等级分"), users_, this));
    lists->addWidget(listBox(QStringLiteral("部门等级分"), departments_, this));

    auto* figures = new QHBoxLayout;
    figures->addWidget(new QLabel(QStringLiteral("总分:"), this));
    figures->addWidget(total_);
    figures->addSpacing(24);
    figures->addWidget(new QLabel(QStringLiteral("平均分:"), this));
    figures->addWidget(average_);
    figures->addStretch();
    auto* ok = new QPushButton(QStringLiteral("确定(&O)"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    figures->addWidget(ok);
    figures->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(figures);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(800, 420);
    fill(db);
}

void CScoreQueryDlg::fill(Database& db) {
    ScoreQuery query(db);
    const auto users = query.users();
    QList<QStringList> rows;
    for (const auto& row : users)
        rows.append({QString(), row.name, QString::number(row.score), row.department});
    users_->setRows(rows);
    rows.clear();
    for (const auto& row : query.departments())
        rows.append({QString(), row.name, QString::number(row.score), row.average});
    departments_->setRows(rows);
    total_->setText(ScoreQuery::total(users));
    average_->setText(ScoreQuery::average(users));
    setWindowTitle(ScoreQuery::title(users.size()));
}

QString CScoreQueryDlg::totalText() const {
    return total_->text();
}

QString CScoreQueryDlg::averageText() const {
    return average_->text();
}

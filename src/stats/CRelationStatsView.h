// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/RelationFigures.h"

#include <QWidget>
#include <functional>

class Clock;
class Database;
class QChart;
class QChartView;
class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;

// The relationship view (往来统计) of the right panel: over a period and a
// scope, interactions and money per month, the share of each type, the 20
// contacts seen most and the 20 most one-sided (a click shows the contact),
// and the overdue contacts of each level over the period.
class CRelationStatsView : public QWidget {
    Q_OBJECT
  public:
    enum Period { ThisYear = 0, LastTwelveMonths = 1, AllTime = 2, Custom = 3 };

    explicit CRelationStatsView(QWidget* parent = nullptr);

    void attach(Database* db, const Clock* clock, qint64 userCode, qint64 departmentCode);
    // Shows a contact when its bar is clicked.
    void setContactOpener(std::function<void(qint64)> open) { openContact_ = std::move(open); }

    // The choices, as remembered between runs; setting them recomputes.
    void choose(Period period, StatsScope scope, const QDate& from = {}, const QDate& to = {});
    Period period() const;
    StatsScope scope() const;
    QDate customFrom() const;
    QDate customTo() const;

    // Computes the figures of the current choices and draws them.
    void refresh();
    // The charts as one picture (what 保存图片 writes and 复制 copies).
    QImage picture() const;
    // Writes the picture: PNG, or SVG when the name ends in ".svg".
    bool savePicture(const QString& path) const;

    QChart* monthChart() const;
    QChart* typeChart() const;
    QChart* mostChart() const;
    QChart* imbalanceChart() const;
    QChart* overdueChart() const;
    QLabel* summary() const { return summary_; }
    const RelationFigures& figures() const { return figures_; }

  signals:
    // The period or scope changed (to be remembered).
    void choicesChanged();

  private:
    void savePictureAs();
    void copyPicture();
    void periodChosen();
    StatsRequest request() const;
    void drawMonths();
    void drawTypes();
    void drawContacts(QChartView* view, const QList<ContactFigures>& list, bool balance);
    void drawOverdue();

    Database* db_ = nullptr;
    const Clock* clock_ = nullptr;
    qint64 userCode_ = -1;
    qint64 departmentCode_ = -1;
    std::function<void(qint64)> openContact_;
    RelationFigures figures_;
    bool choosing_ = false;

    QComboBox* period_;
    QDateEdit* from_;
    QDateEdit* to_;
    QComboBox* scope_;
    QPushButton* save_;
    QPushButton* copy_;
    QLabel* summary_;
    QWidget* charts_;
    QChartView* months_;
    QChartView* types_;
    QChartView* most_;
    QChartView* imbalance_;
    QChartView* overdue_;
};

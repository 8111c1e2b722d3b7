// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/ContactTab.h"
#include "interactions/InteractionList.h"

#include <QWidget>
#include <memory>

class CReportView;
class QPushButton;
class ReportModel;

// The "往来记录" tab of the detail pane (dialog 182): the contact's
// interactions, and "增加", "修改", "删除" in a column at the right.
class CInteractionPage : public QWidget, public ContactTab {
    Q_OBJECT
  public:
    CInteractionPage(Database& db, Prompter& prompter, const Clock& clock, qint64 userCode,
                     QWidget* parent = nullptr);
    ~CInteractionPage() override;

    InteractionList& list() { return *list_; }
    CReportView* view() const { return view_; }
    QPushButton* button(const QString& caption) const;

    // ContactTab
    void clearContact() override;
    bool showContact(qint64 code) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::unique_ptr<ReportModel> model_;
    std::unique_ptr<InteractionList> list_;
    CReportView* view_;
};

#pragma once

#include <QWidget>

class CReportView;
class QSplitter;
class QTabWidget;
class ReportModel;

// View 1 of the right panel: the contact list above, the contact's detail below.
class CClientView2 : public QWidget {
    Q_OBJECT
  public:
    static inline const QString kColumns =
        QStringLiteral("选,25;ID,0;姓名,60;职务,65;级别,85;手机,105;联系电话,120;单位名称,160;"
                       "部门名称,80;最近联系时间,93;");

    explicit CClientView2(QWidget* parent = nullptr);

    ReportModel* model() const { return model_; }
    CReportView* list() const { return list_; }
    QTabWidget* detail() const { return detail_; }

  signals:
    void contextMenuRequested(const QPoint& globalPos);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QSplitter* splitter_;
    ReportModel* model_;
    CReportView* list_;
    QTabWidget* detail_;
    bool placed_ = false;
};

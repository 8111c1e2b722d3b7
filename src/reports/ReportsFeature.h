// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"
#include "reports/InteractionQuery.h"

#include <QString>
#include <functional>

class SheetWriter;

// The searches and the spreadsheet exports: the contact query, the
// interaction query and today's interactions, the document query, envelope
// labels and the contact list of the ticked contacts.
class ReportsFeature : public Feature {
  public:
    // Asks where to save an export; empty when the user cancels.
    using PathChooser = std::function<QString(QWidget* parent, const QString& defaultName)>;
    // Opens a document file with the desktop's program for it.
    using Opener = std::function<void(const QString& path)>;

    static inline const QString kNoLabels = QStringLiteral("请选择所要生成标签的资料!");
    static inline const QString kNoListRows = QStringLiteral("请选择所要生成的资料!");
    static inline const QString kLabelsName = QStringLiteral("信封标签");
    static inline const QString kListName = QStringLiteral("资料列表");
    static inline const QString kStatisticsName = QStringLiteral("往来统计表");

    explicit ReportsFeature(PathChooser chooser = {}, Opener opener = {});
    void install(FrameServices& frame) override;

    // The template the exports fill (the installed one unless set).
    void setTemplatePath(const QString& path) { templatePath_ = path; }

    void contactQuery(FrameServices& frame);
    void interactionQuery(FrameServices& frame);
    void todayInteractions(FrameServices& frame);
    void documentQuery(FrameServices& frame);
    void labels(FrameServices& frame);
    void contactList(FrameServices& frame);

    // The save dialog of the exports: a workbook (.xlsx), the default name filled in.
    static QString askExportPath(QWidget* parent, const QString& defaultName);

  private:
    void showResults(FrameServices& frame, const InteractionConditions& conditions);
    bool exportSheet(FrameServices& frame, SheetWriter& writer, const QString& defaultName);

    PathChooser chooser_;
    Opener opener_;
    QString templatePath_;
};

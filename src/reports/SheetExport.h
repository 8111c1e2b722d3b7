// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>

class ProgressHandle;
class Prompter;
class SheetWriter;

// The frame every export runs in: the template must be there; a progress
// window runs while the cells are filled; the workbook is saved under the
// chosen name and the export says it is done.
class SheetExport {
  public:
    static inline const QString kTemplateName = QStringLiteral("moban.xlsx");
    static inline const QString kTemplateMissing = QStringLiteral("模版文件不存在,请检查!");
    static inline const QString kTemplateChosen =
        QStringLiteral("不能保存到模版文件本身,请另选文件名!");

    // Opens the progress window (and the wait cursor) for the duration.
    using ProgressFactory = std::function<std::unique_ptr<ProgressHandle>()>;

    // Without a factory the prompter's progress window is used.
    SheetExport(Prompter& prompter, const QString& templatePath, ProgressFactory progress = {});

    // True when the file was written. A file already at the path is replaced
    // only by a complete new one; the template itself is never the path.
    bool run(SheetWriter& writer, const QString& path);

  private:
    Prompter& prompter_;
    QString templatePath_;
    ProgressFactory progress_;
};

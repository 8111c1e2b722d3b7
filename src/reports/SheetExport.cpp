// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/SheetExport.h"

#include "base/Prompter.h"
#include "reports/SheetWriter.h"
#include "reports/XlsxWorkbook.h"

#include <QFileInfo>

SheetExport::SheetExport(Prompter& prompter, const QString& templatePath, ProgressFactory progress)
    : prompter_(prompter), templatePath_(templatePath), progress_(std::move(progress)) {}

bool SheetExport::run(SheetWriter& writer, const QString& path) {
    if (!QFileInfo(templatePath_).isFile()) {
        prompter_.inform(kTemplateMissing);
        return false;
    }
    // Saving over the template would leave every later export without it.
    if (QFileInfo(path).canonicalFilePath() == QFileInfo(templatePath_).canonicalFilePath()) {
        prompter_.inform(kTemplateChosen);
        return false;
    }
    if (const QString why = writer.nothingToWrite(); !why.isEmpty()) {
        prompter_.inform(why);
        return false;
    }
    std::unique_ptr<ProgressHandle> progress = progress_ ? progress_() : prompter_.beginProgress();
    if (progress)
        progress->setRange(0, writer.steps());

    XlsxWorkbook book;
    if (!book.open(templatePath_)) {
        progress.reset();
        prompter_.fail(book.error());
        return false;
    }
    book.useSheet(writer.sheetName());
    const bool filled = writer.fill(book, [&progress](int step) {
        if (progress)
            progress->setPosition(step);
    });
    if (!filled)
        return false;
    if (!book.saveAs(path)) {
        progress.reset();
        prompter_.fail(book.error());
        return false;
    }
    progress.reset();
    prompter_.inform(writer.doneMessage());
    return true;
}

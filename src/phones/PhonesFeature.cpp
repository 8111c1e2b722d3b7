// SPDX-License-Identifier: GPL-3.0-or-later
#include "phones/PhonesFeature.h"

#include "base/Prompter.h"
#include "db/ErrorMessages.h"
#include "db/Lookups.h"
#include "featureapi/CommandTable.h"
#include "interactions/Score.h"
#include "phones/CPhoneAddDlg.h"
#include "phones/CSocietySiteView.h"
#include "phones/PhoneDirectory.h"

#include <QAction>

namespace {

// Adding an entry earns its author these points; deleting one costs them.
constexpr qint64 kPointsPerEntry = 3;

} // namespace

PhonesFeature::PhonesFeature() = default;
PhonesFeature::~PhonesFeature() = default;

void PhonesFeature::install(FrameServices& frame) {
    AppContext& app = frame.context();
    directory_ = std::make_unique<PhoneDirectory>(app.db, app.prompter);
    view_ = new CSocietySiteView(frame.window());
    frame.setView(3, view_);
    view_->attach(directory_.get(), &app.prompter);
    // The list's menu runs the main window's commands, with their guards.
    view_->setCommandRunner([&frame](int id) { frame.runCommand(id); });
    frame.addCommand(commands::AddPhone, [this, &frame] { addEntries(frame); });
    frame.addCommand(commands::DeletePhone, [this, &frame] { deleteEntries(frame); });
    // The page's category and post lists follow their editors.
    frame.onReferenceTableChange([this](const QString& table) {
        if (table == QLatin1String("societysitesort") || table == QLatin1String("duty"))
            view_->fillLists();
    });
    frame.onGroupItem(commands::PhoneGroup, [this, &frame](int, const QString& caption) {
        showCategory(frame, caption);
    });
}

void PhonesFeature::addEntries(FrameServices& frame) {
    AppContext& app = frame.context();
    const int added =
        CPhoneAddDlg::run(*directory_, app.prompter, frame.session().userCode, frame.window());
    if (added < 1)
        return;
    scoreChanged(frame, kPointsPerEntry * added);
    view_->reload();
}

void PhonesFeature::deleteEntries(FrameServices& frame) {
    const int deleted = view_->deleteTicked();
    if (deleted < 1)
        return;
    scoreChanged(frame, -kPointsPerEntry * deleted);
}

void PhonesFeature::scoreChanged(FrameServices& frame, qint64 points) {
    Score(frame.context().db).add(frame.session().userCode, points);
    frame.showNotice(Score::changeNotice(points));
    frame.showScore();
}

void PhonesFeature::showCategory(FrameServices& frame, const QString& caption) {
    AppContext& app = frame.context();
    const qint64 code = Lookups(app.db).phoneSortCode(caption);
    if (code == -1) {
        // The view keeps what it shows.
        errors::show(app.prompter, errors::CommonData);
        return;
    }
    view_->showCategory(code);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "quickfind/QuickFindFeature.h"

#include "db/Statement.h"
#include "quickfind/CQuickFindBox.h"

#include <QShortcut>
#include <QStringList>

void QuickFindFeature::install(FrameServices& frame) {
    auto* box = new CQuickFindBox(frame.context().db, frame.window());
    frame.addToolWidget(box);
    auto* shortcut = new QShortcut(QKeySequence::Find, frame.window());
    QObject::connect(shortcut, &QShortcut::activated, box, [box] {
        box->setFocus(Qt::ShortcutFocusReason);
        box->selectAll();
    });
    FrameServices* services = &frame;
    box->onChosen(
        [services](qint64 code) {
            // As a tree node and a row click would: pending edits are offered
            // for saving first, then the contact fills the list and the pane.
            if (!services->showContacts(sql::format(QStringLiteral("b.base_code=%ld"), code), 0, 1))
                return;
            services->contactList().openContact(code);
        },
        [services](const QList<qint64>& codes) {
            QStringList numbers;
            for (qint64 code : codes)
                numbers << QString::number(code);
            // Program-built from numbers only.
            services->showContacts(
                sql::Statement(QStringLiteral("b.base_code in (%1)").arg(numbers.join(u','))), 0,
                1);
        });
}

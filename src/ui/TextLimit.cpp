// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextLimit.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

void limitPlainText(QPlainTextEdit* edit, int limit) {
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit, limit] {
        const QString text = edit->toPlainText();
        if (text.size() <= limit)
            return;
        QTextCursor cursor = edit->textCursor();
        const int at = std::min<int>(cursor.position(), limit);
        edit->setPlainText(text.left(limit));
        cursor = edit->textCursor();
        cursor.setPosition(at);
        edit->setTextCursor(cursor);
    });
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTranslator>

// Chinese for the few texts of Qt's own file dialogs that Qt's Chinese
// catalogue leaves in English (the "type" column: 文件夹, 驱动器, ...). Installed
// after the catalogue, so that it is asked first and the catalogue answers the rest.
class QtTextsZh : public QTranslator {
  public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText,
                      const char* disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }
};

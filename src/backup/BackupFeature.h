// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

#include <functional>

// 数据备份 and 数据恢复 of the 系统设置 menu: the file dialogs, and around a
// restore the tree builder that holds the file and the end of the program.
class BackupFeature : public Feature {
  public:
    void install(FrameServices& frame) override;

    // Asks for the backup's name and takes it.
    static void backup(FrameServices& frame);
    // Asks for the backup to restore and restores it; quit ends the program
    // after a restore (the running program's own ending unless replaced).
    static void restore(FrameServices& frame, const QString& chosen,
                        const std::function<void()>& quit = {});
    static QString chooseRestoreFile(QWidget* parent);
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

// The editors of the reference tables and the postal and area code lookup.
class ReferenceFeature : public Feature {
  public:
    void install(FrameServices& frame) override;

    // Opens a table's editor; the main window shows its names again when it changed.
    static void openEditor(FrameServices& frame, const QString& table);
};

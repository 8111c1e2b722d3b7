// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

// The exchange commands beside the contact list's: "导入人脉...",
// "导出人脉..." and "查找重复人脉...".
class ExchangeFeature : public Feature {
  public:
    void install(FrameServices& frame) override;

    // Each returns whether it changed the contacts.
    static bool importContacts(FrameServices& frame);
    static bool exportContacts(FrameServices& frame);
    static bool findDuplicates(FrameServices& frame);
    // The import of a file chosen in the wizard, with the progress window and
    // the summary; the number of contacts stored or merged.
    static int runImport(FrameServices& frame, const class CImportWizard& wizard);
};

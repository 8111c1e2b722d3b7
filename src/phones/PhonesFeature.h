// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

#include <memory>

class CSocietySiteView;
class PhoneDirectory;

// The common phone directory: view 3, the add and delete commands (also from
// the list's menu 241) and the category items of the 〖常用电话〗 group.
class PhonesFeature : public Feature {
  public:
    PhonesFeature();
    ~PhonesFeature() override;
    void install(FrameServices& frame) override;

  private:
    void addEntries(FrameServices& frame);
    void deleteEntries(FrameServices& frame);
    void showCategory(FrameServices& frame, const QString& caption);
    void scoreChanged(FrameServices& frame, qint64 points);

    std::unique_ptr<PhoneDirectory> directory_;
    CSocietySiteView* view_ = nullptr;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

// Contact documents and my data: the "相关文档" tab of the detail pane, view 4
// with the categories of the 〖我的资料〗 group, and the my-data commands.
class DocumentsFeature : public Feature {
  public:
    void install(FrameServices& frame) override;
};

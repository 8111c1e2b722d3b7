#pragma once

#include "base/Prompter.h"

namespace faults {

// The progress window of a run nobody watches: the operations set it as
// they go, so it must be there.
class QuietProgress : public ProgressHandle {
  public:
    void setRange(int, int) override {}
    void setPosition(int) override {}
};

} // namespace faults

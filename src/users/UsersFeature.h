#pragma once

#include "app/FrameServices.h"

// The logged-in user's own settings: the password.
class UsersFeature : public Feature {
  public:
    void install(FrameServices& frame) override;
};

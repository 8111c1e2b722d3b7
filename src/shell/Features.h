// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "featureapi/FrameServices.h"

#include <memory>
#include <vector>

// Every feature of the program, in the order they are installed.
std::vector<std::unique_ptr<Feature>> makeFeatures();

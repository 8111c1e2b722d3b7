// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace app {

// What the About box says: the title, the release, what the program is for,
// its licence and its home page.
QString aboutText();

} // namespace app

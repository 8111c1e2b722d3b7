// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QSqlError;

// The engine's failures that come from the file or the disk, not from a
// statement, said in the user's words with the engine's own text after them;
// empty text for every other failure.
namespace engine {

QString plainReason(const QSqlError& error);

} // namespace engine

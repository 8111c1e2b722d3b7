// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Database;

// What the query planner knows of the data. A new file and an upgraded one get
// it once their upgrade steps ran; after the data changed a great deal at once (a
// generated or imported network) refresh() gathers it again; in between, each
// connection re-analyses as it closes the tables that grew many times over.
namespace statistics {

// Gathers the statistics again in one transaction; false with error set when
// the file could not be written.
bool refresh(Database& db, QString* error = nullptr);

// Gathers them inside the caller's transaction.
bool gather(Database& db, QString* error = nullptr);

} // namespace statistics

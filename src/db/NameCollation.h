// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct sqlite3;

// The collation "order by" terms on names use (sql::kNameCollation): names in
// the pinyin order Chinese readers expect, equal-looking names in code point
// order, so the order is total. Each connection gets its own.
namespace namecollation {

bool install(sqlite3* connection);

} // namespace namecollation

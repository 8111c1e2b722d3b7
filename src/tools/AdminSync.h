// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

// mavor-admin sync --user NAME [--matches join|apart] [--book URL --login LOGIN] PATH
// Syncs the contacts of the database PATH with the CardDAV address book of
// the [CardDav] section of its mavor.ini (the one beside a file; the data
// directory's for --server), new contacts going to the user NAME. With --book
// the account is set first, its password taken from MAVOR_DAV_PASSWORD and
// kept sealed. Contacts that seem to be the same person on both sides are
// joined (--matches apart: kept as two); each is listed.
int adminSync(QStringList args, QTextStream& out, QTextStream& err);

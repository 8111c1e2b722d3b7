// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

// The administration commands of a team's people:
//   team --server        sets up the team's roles on a server made by an
//                        earlier version (one shared login, stored passwords):
//                        a login role for every user, first passwords printed
//                        once, the stored passwords cleared
//   user add NAME --department DEP [--manager] PATH
//   user rename NAME NEW-NAME PATH
//   user reset NAME PATH         a new password, printed once
//   user drop NAME PATH
//   user disable|enable NAME --server
// PATH is a database file or --server; on a server each change of a user
// changes their login role with it, in one transaction.
namespace admin {

int setUpTeam(const QStringList& args, QTextStream& out, QTextStream& err);
int user(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace admin

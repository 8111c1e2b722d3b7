// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

// The administration commands around the database file:
//   backup PATH DEST     an online copy, also while the program writes
//   restore BACKUP PATH  checked and replaced safely; refused while a program holds PATH
//   check [--repair] PATH  integrity, rows whose contact is gone and each contact's kept
//                        newest interaction, with a verdict; --repair makes the latter again
namespace admin {

int backup(const QStringList& args, QTextStream& out, QTextStream& err);
int restore(const QStringList& args, QTextStream& out, QTextStream& err);
int check(QStringList args, QTextStream& out, QTextStream& err);

} // namespace admin

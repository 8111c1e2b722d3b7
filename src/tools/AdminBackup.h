// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class QTextStream;

// The administration commands around the database file:
//   backup PATH DEST     an online copy, also while the program writes
//   restore BACKUP PATH  checked and replaced safely; refused while a program holds PATH
//   check PATH           integrity and rows whose contact is gone, with a verdict
namespace admin {

int backup(const QStringList& args, QTextStream& out, QTextStream& err);
int restore(const QStringList& args, QTextStream& out, QTextStream& err);
int check(const QStringList& args, QTextStream& out, QTextStream& err);

} // namespace admin

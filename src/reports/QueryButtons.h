// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QDialog;
class QDialogButtonBox;

// The 查询 / 取消 buttons of the query dialogs ("ok" the default, "cancel"),
// accepting or rejecting the dialog.
QDialogButtonBox* queryButtons(QDialog* dialog);

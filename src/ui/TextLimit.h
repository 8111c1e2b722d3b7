// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QPlainTextEdit;

// Stops a multi-line edit at `limit` characters, as a one-line edit's maximum
// length does: what is typed or pasted beyond the limit is not taken, and the
// cursor stays where the typing was.
void limitPlainText(QPlainTextEdit* edit, int limit);

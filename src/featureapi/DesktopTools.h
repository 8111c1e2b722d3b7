// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Prompter;

// The desktop's text editor and calculator, for the "常用工具" group.
namespace desktop {

QStringList editorCandidates();
QStringList calculatorCandidates();

// The first candidate found on the PATH, or empty text.
QString findFirst(const QStringList& candidates);

// Starts the first program found, detached and without arguments; says so
// through the prompter when none is installed.
bool startEditor(Prompter& prompter);
bool startCalculator(Prompter& prompter);

// Runs a program without waiting for it and calls finished with its exit code
// once it ends (-1 when it could not be started at all).
using Runner = std::function<void(const QString& program, const QStringList& arguments,
                                  std::function<void(int exitCode)> finished)>;
// The runner over QProcess; the program's output goes to this program's own.
Runner processRunner();

// Hands a file to the desktop's opener (xdg-open) for the program registered
// for its type. When there is no opener or it finds no program, says so
// through the prompter, which must outlive the opener's run.
void openFile(const QString& path, Prompter& prompter, const Runner& run = processRunner());
QString noViewerMessage(const QString& path);

} // namespace desktop

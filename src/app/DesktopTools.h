#pragma once

#include <QString>
#include <QStringList>

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

} // namespace desktop

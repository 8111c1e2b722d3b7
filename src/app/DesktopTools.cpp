#include "app/DesktopTools.h"

#include "base/Prompter.h"

#include <QProcess>
#include <QStandardPaths>

namespace desktop {

QStringList editorCandidates() {
    return {QStringLiteral("gnome-text-editor"),
            QStringLiteral("gedit"),
            QStringLiteral("kate"),
            QStringLiteral("kwrite"),
            QStringLiteral("mousepad"),
            QStringLiteral("pluma"),
            QStringLiteral("xed"),
            QStringLiteral("leafpad"),
            QStringLiteral("featherpad")};
}

QStringList calculatorCandidates() {
    return {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
            QStringLiteral("galculator"),       QStringLiteral("qalculate-gtk"),
            QStringLiteral("mate-calc"),        QStringLiteral("xcalc")};
}

QString findFirst(const QStringList& candidates) {
    for (const QString& name : candidates) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

namespace {

bool startFirst(Prompter& prompter, const QStringList& candidates, const QString& what) {
    const QString program = findFirst(candidates);
    if (program.isEmpty() || !QProcess::startDetached(program, {})) {
        prompter.inform(QStringLiteral("没有找到可用的%1。\r\n请先安装其中之一: %2")
                            .arg(what, candidates.join(QStringLiteral(", "))));
        return false;
    }
    return true;
}

} // namespace

bool startEditor(Prompter& prompter) {
    return startFirst(prompter, editorCandidates(), QStringLiteral("文本编辑器(记事本)"));
}

bool startCalculator(Prompter& prompter) {
    return startFirst(prompter, calculatorCandidates(), QStringLiteral("计算器"));
}

} // namespace desktop

// SPDX-License-Identifier: GPL-3.0-or-later
#include "featureapi/DesktopTools.h"

#include "base/Prompter.h"

#include <QProcess>
#include <QStandardPaths>

#include <memory>

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

Runner processRunner() {
    return [](const QString& program, const QStringList& arguments,
              std::function<void(int)> finished) {
        // Not parented: a viewer still open when this program ends is left running.
        auto* process = new QProcess;
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        auto done = std::make_shared<std::function<void(int)>>(std::move(finished));
        QObject::connect(process, &QProcess::finished, process,
                         [process, done](int code, QProcess::ExitStatus status) {
                             (*done)(status == QProcess::NormalExit ? code : -1);
                             process->deleteLater();
                         });
        QObject::connect(process, &QProcess::errorOccurred, process,
                         [process, done](QProcess::ProcessError error) {
                             if (error != QProcess::FailedToStart)
                                 return;
                             (*done)(-1);
                             process->deleteLater();
                         });
        process->start(program, arguments);
    };
}

QString noViewerMessage(const QString& path) {
    return QStringLiteral("没有找到可以打开此文件的程序:\r\n%1\r\n"
                          "请先安装能打开这类文件的程序(如浏览器、PDF 阅读器或办公软件)。")
        .arg(path);
}

void openFile(const QString& path, Prompter& prompter, const Runner& run) {
    // xdg-open only starts the program registered for the type; when it finds
    // none it ends with an error, so the answer comes when it ends.
    run(QStringLiteral("xdg-open"), {path}, [&prompter, path](int exitCode) {
        if (exitCode != 0)
            prompter.inform(noViewerMessage(path));
    });
}

} // namespace desktop

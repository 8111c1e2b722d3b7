// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/StartUp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return StartUp().run();
}

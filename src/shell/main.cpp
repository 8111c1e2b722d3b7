// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartUp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return StartUp().run();
}

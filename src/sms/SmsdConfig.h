// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The settings of the SMS sender, in its own file mavor-smsd.ini: the
// database, the gateway's send and receive commands, the pause between rounds
// and how long one command may run.
struct SmsdConfig {
    QString databasePath;
    QString sendCommand;
    QString receiveCommand;
    int intervalSeconds = 30;
    int timeoutSeconds = 60;

    static inline const QString kFileName = QStringLiteral("mavor-smsd.ini");

    // Reads the file; a missing or empty SendCommand is an error. An empty
    // Database names mavor.tdb in programDir.
    static std::optional<SmsdConfig> read(const QString& path, const QString& programDir,
                                          QString* error);
    // Writes a commented file to fill in, for its owner alone, making its
    // folder when there is none yet (a fresh account); false when one is there
    // already or it cannot be written (error says why).
    static bool writeTemplate(const QString& path, QString* error = nullptr);
    static QByteArray templateContent();
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace app {

// The application title: window captions, the single-instance key, the tray tooltip.
inline const QString kTitle = QStringLiteral("Halvora人脉 V3.0");
// The release, from the build ("3.0").
inline const QString kVersion = QStringLiteral(MAVOR_VERSION);
inline const QString kDatabaseFile = QStringLiteral("mavor.tdb");
inline const QString kSettingsFile = QStringLiteral("mavor.ini");

} // namespace app

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "carddav/CardDavClient.h"

#include <QString>
#include <QUrl>

// The address book a data directory syncs with, in the [CardDav] section of
// its mavor.ini:
//
//   [CardDav]
//   Book=https://dav.example.org/user/contacts/   the chosen address book
//   User=...
//   Password=v1:...       sealed (SecretBox): useless without the user's key file
//   Certificate=...       SHA-256 of a certificate the person chose to trust
//                         although no authority vouches for it; empty: verified
//   Every=0               minutes between syncs while the program runs (0: on command)
struct SyncAccount {
    static inline const QString kSection = QStringLiteral("CardDav");

    QUrl book;
    QString user;
    QString password;
    QString trustedCertificate;
    int everyMinutes = 0;

    bool isSet() const { return book.isValid() && !book.isEmpty(); }
    carddav::Connection connection() const;

    // False with the reason when the section cannot be used (a password
    // sealed with another key). An absent section reads as an unset account.
    static bool read(const QString& iniPath, const QString& keyPath, SyncAccount* account,
                     QString* error);
    static bool write(const QString& iniPath, const QString& keyPath, const SyncAccount& account,
                      QString* error);
};

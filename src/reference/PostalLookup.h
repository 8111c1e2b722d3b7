// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "db/Statement.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// The search of cities with their province, area code and postcode: each
// field given narrows the list to the cities whose value holds the typed
// fragment.
class PostalLookup {
  public:
    static inline const QString kColumns =
        QStringLiteral("选,20;城市名称,75;所属省份,120;区号,50;邮政编码,80");
    static constexpr int kProvinceLength = 50;
    static constexpr int kCityLength = 50;
    static constexpr int kAreaCodeLength = 10;
    static constexpr int kPostcodeLength = 6;

    struct Fragments {
        QString province;
        QString city;
        QString areaCode;
        QString postcode;
    };

    explicit PostalLookup(Database& db) : db_(db) {}

    // The condition of the non-empty fragments; empty when all are empty.
    static sql::Statement condition(const Fragments& fragments);
    static sql::Statement statement(const Fragments& fragments);
    // One row per city: code, city, province, area code, postcode. False when
    // the query failed (rows then holds what was read).
    bool search(const Fragments& fragments, QList<QStringList>& rows);
    // "区号邮编查询--目前共有记录数： %d".
    static QString title(int count);

  private:
    Database& db_;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One entry of the common phone directory as the page shows it: the category
// and the position by their names, everything else as typed.
struct PhoneEntry {
    QString title;    // 名称
    QString category; // 类别 (societysitesort_name)
    QString address;  // 地址
    QString contact;  // 联系人
    QString duty;     // 职务 (duty_name)
    QString mobile;   // 手机
    QString phone;    // 电话
    QString fax;      // 传真
    QString price;    // 价格
    QString memo;     // 备注

    friend bool operator==(const PhoneEntry&, const PhoneEntry&) = default;
};

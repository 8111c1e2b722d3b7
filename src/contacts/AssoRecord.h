// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the association form holds: the related person and the relation. Post
// and industry are the names chosen in the form's lists.
struct AssoValues {
    QString name;     // asso_name
    QString relation; // asso_sortname, typed freely ("同学", "同事", ...)
    QString company;  // asso_company
    QString duty;     // post name, stored as asso_duty_code
    QString industry; // industry name, stored as asso_industry_code
    QString comment;  // asso_comment

    friend bool operator==(const AssoValues&, const AssoValues&) = default;
};

// The form's fields, for focusing the one a check refused.
enum class AssoField { Name, Relation, Company, Duty, Industry, Comment };

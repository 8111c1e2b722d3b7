// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "contacts/ContactFields.h"
#include "contacts/ContactRecord.h"

#include <QList>
#include <QString>
#include <optional>

// The checks of the five pages over a record's values, without windows: the
// first failure comes back with its message, its page and the field to focus.
// The add sheet checks the basic, work and extended pages; the detail pane
// also checks the family page and leaves out the work page's number checks.
namespace contactcheck {

enum class Set { Add, Modify };

struct Failure {
    QString message;  // shown with caption "提示" and the information icon
    ContactPage page; // page to bring to the front
    QString column;   // field to focus (a date's year column)
    bool operator==(const Failure&) const = default;
};

// The checks of one page in their order; nothing when the page passes.
std::optional<Failure> checkPage(const ContactRecord& record, ContactPage page, Set set);

// The pages a save checks, in the order it checks them.
QList<ContactPage> pagesChecked(Set set);

// Every page of the set in order; the first failure ends the walk.
std::optional<Failure> checkContact(const ContactRecord& record, Set set);

} // namespace contactcheck

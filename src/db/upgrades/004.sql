-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 4: the month's birthdays are counted from the birthday index alone.
-- Since birthdays can be kept by the lunar calendar, the count reads each
-- contact's calendar flag too; with the flag in the index it no longer looks
-- up every contact born in the month.
DROP INDEX idx_base_birthday;
CREATE INDEX idx_base_birthday ON base(base_month, base_day, base_lunar);

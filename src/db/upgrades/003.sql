-- SPDX-License-Identifier: GPL-3.0-or-later
-- Lunar dates. A birthday of a contact, a spouse or a child can be kept by the
-- lunar calendar: its flag is 0 for a Gregorian date, 1 when the month and day
-- columns hold a lunar month and day, 2 when that month is a leap month (闰).
-- A festival with feast_lunar=1 falls on its lunar month and day every year.
ALTER TABLE base ADD COLUMN base_lunar INTEGER NOT NULL DEFAULT 0;
ALTER TABLE home ADD COLUMN home_lunar INTEGER NOT NULL DEFAULT 0;
ALTER TABLE home ADD COLUMN home_child_lunar INTEGER NOT NULL DEFAULT 0;
ALTER TABLE feast ADD COLUMN feast_lunar INTEGER NOT NULL DEFAULT 0;

-- The festivals people plan visits and gifts around. A name the table already
-- has (a row the user added or renamed) is left as it is and not added twice.
-- 除夕 is the twelfth month's last day: 三十, or 廿九 in a short month.
INSERT INTO feast (feast_name, feast_month, feast_day, feast_lunar)
  SELECT n.name, n.month, n.day, 1 FROM (
    SELECT '春节' AS name, '01' AS month, '01' AS day
    UNION ALL SELECT '元宵节', '01', '15'
    UNION ALL SELECT '端午节', '05', '05'
    UNION ALL SELECT '七夕', '07', '07'
    UNION ALL SELECT '中秋节', '08', '15'
    UNION ALL SELECT '重阳节', '09', '09'
    UNION ALL SELECT '除夕', '12', '30'
  ) AS n
  WHERE NOT EXISTS (SELECT 1 FROM feast AS f WHERE f.feast_name = n.name);

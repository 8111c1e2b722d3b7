-- SPDX-License-Identifier: GPL-3.0-or-later
-- Statistics for the query planner: gathered from the tables that grow,
-- fixed for the small lists (see upgrades/002.sql for why), then loaded.
ANALYZE;

-- The small lists (reference tables, users, departments) are described as a
-- thousand rows each, whatever they hold. Told their real size of a few rows,
-- the planner would loop over them first and read a date range of the
-- interactions once for every combination of user, department and level.
-- At this size an automatic re-analysis never finds them changed.
DELETE FROM sqlite_stat1 WHERE tbl IN ('dep','userlogin','province','city','region',
  'industry','duty','sort','relationsort','degree','business','docsort','datumsort',
  'assosort','societysitesort','societyrelationsort','feast');
INSERT INTO sqlite_stat1(tbl, idx, stat) VALUES
  ('dep', NULL, '1000'),
  ('userlogin', 'idx_userlogin_name', '1000 1'),
  ('userlogin', 'idx_userlogin_dep', '1000 10'),
  ('province', 'idx_province_name', '1000 1'),
  ('city', 'idx_city_name', '1000 1'),
  ('city', 'idx_city_province', '1000 10'),
  ('region', 'idx_region_name', '1000 1'),
  ('industry', 'idx_industry_name', '1000 1'),
  ('duty', 'idx_duty_name', '1000 1'),
  ('sort', 'idx_sort_name', '1000 1'),
  ('relationsort', 'idx_relationsort_name', '1000 1'),
  ('degree', NULL, '1000'),
  ('business', NULL, '1000'),
  ('docsort', NULL, '1000'),
  ('datumsort', NULL, '1000'),
  ('assosort', NULL, '1000'),
  ('societysitesort', NULL, '1000'),
  ('societyrelationsort', NULL, '1000'),
  ('feast', NULL, '1000');
-- ANALYZE says nothing of an index without rows (a partial index of lunar
-- birthdays where nobody has one). The automatic re-analysis when a
-- connection closes would then go over its whole table again each time, with
-- a sample too small for a large table, and leave figures far from the truth
-- (a flag of two values taken for a thousand). Such an index is described as
-- empty; it is looked at again once its table has grown.
INSERT INTO sqlite_stat1(tbl, idx, stat) SELECT tbl_name, name, '0' FROM sqlite_master
WHERE type = 'index' AND sql IS NOT NULL
  AND name NOT IN (SELECT idx FROM sqlite_stat1 WHERE idx IS NOT NULL);
ANALYZE sqlite_master;

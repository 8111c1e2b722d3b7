-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 2: indexes that answer the navigation tree, the reminders and the
-- birthday lists by themselves, and statistics for the query planner.

-- "How many live contacts have this value" reads the index alone.
DROP INDEX idx_base_type;
CREATE INDEX idx_base_type_live ON base(base_type_code, base_invalid_flag);
DROP INDEX idx_base_sort;
CREATE INDEX idx_base_sort_live ON base(base_sort_code, base_invalid_flag);
DROP INDEX idx_base_work_region;
CREATE INDEX idx_base_work_region_live ON base(work_region_code, base_invalid_flag);
DROP INDEX idx_base_work_province;
CREATE INDEX idx_base_work_province_live ON base(work_province_code, base_invalid_flag);
DROP INDEX idx_base_work_duty;
CREATE INDEX idx_base_work_duty_live ON base(work_duty_code, base_invalid_flag);
DROP INDEX idx_base_work_industry;
CREATE INDEX idx_base_work_industry_live ON base(work_industry_code, base_invalid_flag);
DROP INDEX idx_base_dep;
CREATE INDEX idx_base_dep_live ON base(base_user_dep_code, base_invalid_flag);

-- The live contacts in the order of their numbers, with their level and
-- creation date, for the reminders: read in that order, each contact's
-- interactions lie next to the previous contact's in idx_comm_latest.
DROP INDEX idx_base_invalid;
CREATE INDEX idx_base_live ON base(base_invalid_flag, base_code, base_sort_code, base_create_date);

-- A contact's newest interaction (by date, then the later entered) with
-- its date parts and planned date, without reading the interaction itself.
DROP INDEX idx_comm_base_date;
CREATE INDEX idx_comm_latest ON comm(comm_base_code, comm_date, comm_code, comm_year,
  comm_month, comm_day, comm_next_year, comm_next_month, comm_next_day);

-- Birthdays of spouses and children this month (and from today on).
CREATE INDEX idx_home_birthday ON home(home_month, home_day);
CREATE INDEX idx_home_child_birthday ON home(home_child_month, home_child_day);

-- The reminder rows are rewritten whole for one user at a time and read by
-- user and type; nothing looks them up by contact.
DROP INDEX idx_tmptrans_base;

-- Statistics for the planner are gathered after the steps (statistics.sql).

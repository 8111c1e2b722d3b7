-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 11 on a server: the same table and meaning as 011.sql. Triggers
-- for each statement rather than each row: a statement's rows (an import, a
-- migration's copy, a whole selection sent to the trash) are summed per
-- counter first, so each counter is written once per statement. An update
-- that leaves these columns as they were sums to nothing and writes nothing.
-- A counter's row is locked from its change to the commit: two people adding
-- live contacts at the same time wait for each other there, briefly. Each
-- statement takes its counters in one order (base_invalid_flag's first), so
-- two such statements queue rather than lock each other out.
CREATE TABLE basecount (
  basecount_column TEXT NOT NULL,
  basecount_value INTEGER NOT NULL,
  basecount_flag INTEGER NOT NULL,
  basecount_n INTEGER NOT NULL,
  PRIMARY KEY (basecount_column, basecount_value, basecount_flag)
);
create function basecount_follow() returns trigger language plpgsql as '
begin
  if tg_op = ''INSERT'' then
  with change(name, value, flag, n) as (
    select c.name, c.value, r.base_invalid_flag, 1
    from new_rows as r cross join lateral (values
      (''base_invalid_flag'', r.base_invalid_flag), (''base_type_code'', r.base_type_code),
      (''base_sort_code'', r.base_sort_code), (''work_region_code'', r.work_region_code),
      (''work_province_code'', r.work_province_code), (''work_duty_code'', r.work_duty_code),
      (''work_industry_code'', r.work_industry_code)) as c(name, value)
  )
  insert into basecount (basecount_column, basecount_value, basecount_flag, basecount_n)
  select name, value, flag, sum(n) from change
  where value is not null and flag in (0, 1)
  group by name, value, flag having sum(n) <> 0 order by name, value, flag
  on conflict (basecount_column, basecount_value, basecount_flag)
  do update set basecount_n = basecount.basecount_n + excluded.basecount_n;
    return null;
  end if;
  if tg_op = ''DELETE'' then
  with change(name, value, flag, n) as (
    select c.name, c.value, r.base_invalid_flag, -1
    from old_rows as r cross join lateral (values
      (''base_invalid_flag'', r.base_invalid_flag), (''base_type_code'', r.base_type_code),
      (''base_sort_code'', r.base_sort_code), (''work_region_code'', r.work_region_code),
      (''work_province_code'', r.work_province_code), (''work_duty_code'', r.work_duty_code),
      (''work_industry_code'', r.work_industry_code)) as c(name, value)
  )
  insert into basecount (basecount_column, basecount_value, basecount_flag, basecount_n)
  select name, value, flag, sum(n) from change
  where value is not null and flag in (0, 1)
  group by name, value, flag having sum(n) <> 0 order by name, value, flag
  on conflict (basecount_column, basecount_value, basecount_flag)
  do update set basecount_n = basecount.basecount_n + excluded.basecount_n;
  else
  with change(name, value, flag, n) as (
    select c.name, c.value, r.base_invalid_flag, -1
    from old_rows as r cross join lateral (values
      (''base_invalid_flag'', r.base_invalid_flag), (''base_type_code'', r.base_type_code),
      (''base_sort_code'', r.base_sort_code), (''work_region_code'', r.work_region_code),
      (''work_province_code'', r.work_province_code), (''work_duty_code'', r.work_duty_code),
      (''work_industry_code'', r.work_industry_code)) as c(name, value)
    union all
    select c.name, c.value, r.base_invalid_flag, 1
    from new_rows as r cross join lateral (values
      (''base_invalid_flag'', r.base_invalid_flag), (''base_type_code'', r.base_type_code),
      (''base_sort_code'', r.base_sort_code), (''work_region_code'', r.work_region_code),
      (''work_province_code'', r.work_province_code), (''work_duty_code'', r.work_duty_code),
      (''work_industry_code'', r.work_industry_code)) as c(name, value)
  )
  insert into basecount (basecount_column, basecount_value, basecount_flag, basecount_n)
  select name, value, flag, sum(n) from change
  where value is not null and flag in (0, 1)
  group by name, value, flag having sum(n) <> 0 order by name, value, flag
  on conflict (basecount_column, basecount_value, basecount_flag)
  do update set basecount_n = basecount.basecount_n + excluded.basecount_n;
  end if;
  delete from basecount where basecount_n = 0;
  return null;
end';
create trigger basecount_added after insert on base referencing new table as new_rows
  for each statement execute function basecount_follow();
create trigger basecount_changed after update on base
  referencing old table as old_rows new table as new_rows
  for each statement execute function basecount_follow();
create trigger basecount_removed after delete on base referencing old table as old_rows
  for each statement execute function basecount_follow();
insert into basecount (basecount_column, basecount_value, basecount_flag, basecount_n)
select c.name, c.value, b.base_invalid_flag, count(*)
from base as b cross join lateral (values
  ('base_invalid_flag', b.base_invalid_flag), ('base_type_code', b.base_type_code),
  ('base_sort_code', b.base_sort_code), ('work_region_code', b.work_region_code),
  ('work_province_code', b.work_province_code), ('work_duty_code', b.work_duty_code),
  ('work_industry_code', b.work_industry_code)) as c(name, value)
where c.value is not null and b.base_invalid_flag in (0, 1)
group by c.name, c.value, b.base_invalid_flag;

-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 11 on a server: the same table and meaning as 011.sql, kept in two
-- steps. A trigger for each statement sums the statement's rows per counter
-- (an import's contact, a whole selection sent to the trash) and adds that to
-- what the transaction has changed so far, held in a setting of the
-- transaction (mavor.basecount, "column|flag|value" to a change). At the
-- commit a deferred trigger writes it to the counters, each once: a counter
-- row updated again and again in one transaction would leave a chain of
-- versions that every later update walks, so an import of n contacts would
-- cost n squared. The counters are locked only while the commit writes them,
-- in one order (base_invalid_flag's first), so two commits queue rather than
-- lock each other out; an update that leaves these columns as they were adds
-- nothing and writes nothing. A rolled back savepoint takes its part of the
-- setting with it. Until the commit the transaction's own reads of basecount
-- do not show its changes (the tree reads on a connection of its own).
CREATE TABLE basecount (
  basecount_column TEXT NOT NULL,
  basecount_value INTEGER NOT NULL,
  basecount_flag INTEGER NOT NULL,
  basecount_n INTEGER NOT NULL,
  PRIMARY KEY (basecount_column, basecount_value, basecount_flag)
);
create function basecount_follow() returns trigger language plpgsql as '
declare
  delta jsonb;
  pending jsonb;
begin
  if tg_op = ''INSERT'' then
    with change(k, n) as (
      select c.name || ''|'' || r.base_invalid_flag || ''|'' || c.value, 1
      from new_rows as r cross join lateral (values
        (''base_invalid_flag'', r.base_invalid_flag), (''base_type_code'', r.base_type_code),
        (''base_sort_code'', r.base_sort_code), (''work_region_code'', r.work_region_code),
        (''work_province_code'', r.work_province_code), (''work_duty_code'', r.work_duty_code),
        (''work_industry_code'', r.work_industry_code)) as c(name, value)
      where c.value is not null and r.base_invalid_flag in (0, 1)
    )
    select jsonb_object_agg(k, n) into delta from (select k, sum(n) as n from change
      group by k having sum(n) <> 0) as s;
  elsif tg_op = ''DELETE'' then
    with change(k, n) as (
      select c.name || ''|'' || r.base_invalid_flag || ''|'' || c.value, -1
      from old_rows as r cross join lateral (values
        (''base_invalid_flag'', r.base_invalid_flag), (''base_type_code'', r.base_type_code),
        (''base_sort_code'', r.base_sort_code), (''work_region_code'', r.work_region_code),
        (''work_province_code'', r.work_province_code), (''work_duty_code'', r.work_duty_code),
        (''work_industry_code'', r.work_industry_code)) as c(name, value)
      where c.value is not null and r.base_invalid_flag in (0, 1)
    )
    select jsonb_object_agg(k, n) into delta from (select k, sum(n) as n from change
      group by k having sum(n) <> 0) as s;
  else
    with change(k, n) as (
      select c.name || ''|'' || r.base_invalid_flag || ''|'' || c.value, -1
      from old_rows as r cross join lateral (values
        (''base_invalid_flag'', r.base_invalid_flag), (''base_type_code'', r.base_type_code),
        (''base_sort_code'', r.base_sort_code), (''work_region_code'', r.work_region_code),
        (''work_province_code'', r.work_province_code), (''work_duty_code'', r.work_duty_code),
        (''work_industry_code'', r.work_industry_code)) as c(name, value)
      where c.value is not null and r.base_invalid_flag in (0, 1)
      union all
      select c.name || ''|'' || r.base_invalid_flag || ''|'' || c.value, 1
      from new_rows as r cross join lateral (values
        (''base_invalid_flag'', r.base_invalid_flag), (''base_type_code'', r.base_type_code),
        (''base_sort_code'', r.base_sort_code), (''work_region_code'', r.work_region_code),
        (''work_province_code'', r.work_province_code), (''work_duty_code'', r.work_duty_code),
        (''work_industry_code'', r.work_industry_code)) as c(name, value)
      where c.value is not null and r.base_invalid_flag in (0, 1)
    )
    select jsonb_object_agg(k, n) into delta from (select k, sum(n) as n from change
      group by k having sum(n) <> 0) as s;
  end if;
  if delta is null then
    return null;
  end if;
  pending := coalesce(nullif(current_setting(''mavor.basecount'', true), ''''), ''{}'')::jsonb;
  select pending || jsonb_object_agg(key, value::bigint + coalesce((pending->>key)::bigint, 0))
    into pending from jsonb_each_text(delta);
  perform set_config(''mavor.basecount'', pending::text, true);
  return null;
end';
create function basecount_settle() returns trigger language plpgsql as '
declare
  pending jsonb := nullif(current_setting(''mavor.basecount'', true), '''')::jsonb;
  entry record;
  left_over bigint;
begin
  if pending is null then
    return null;
  end if;
  perform set_config(''mavor.basecount'', '''', true);
  for entry in select split_part(key, ''|'', 1) as name, split_part(key, ''|'', 3)::bigint as code,
      split_part(key, ''|'', 2)::bigint as flag, value::bigint as n
    from jsonb_each_text(pending) where value::bigint <> 0 order by 1, 2, 3 loop
    insert into basecount (basecount_column, basecount_value, basecount_flag, basecount_n)
    values (entry.name, entry.code, entry.flag, entry.n)
    on conflict (basecount_column, basecount_value, basecount_flag)
    do update set basecount_n = basecount.basecount_n + excluded.basecount_n
    returning basecount_n into left_over;
    if left_over = 0 then
      delete from basecount where basecount_column = entry.name
        and basecount_value = entry.code and basecount_flag = entry.flag;
    end if;
  end loop;
  return null;
end';
create trigger basecount_added after insert on base referencing new table as new_rows
  for each statement execute function basecount_follow();
create trigger basecount_changed after update on base
  referencing old table as old_rows new table as new_rows
  for each statement execute function basecount_follow();
create trigger basecount_removed after delete on base referencing old table as old_rows
  for each statement execute function basecount_follow();
create constraint trigger basecount_settled after insert or delete or update of
  base_invalid_flag, base_type_code, base_sort_code, work_region_code, work_province_code,
  work_duty_code, work_industry_code on base
  deferrable initially deferred for each row execute function basecount_settle();
insert into basecount (basecount_column, basecount_value, basecount_flag, basecount_n)
select c.name, c.value, b.base_invalid_flag, count(*)
from base as b cross join lateral (values
  ('base_invalid_flag', b.base_invalid_flag), ('base_type_code', b.base_type_code),
  ('base_sort_code', b.base_sort_code), ('work_region_code', b.work_region_code),
  ('work_province_code', b.work_province_code), ('work_duty_code', b.work_duty_code),
  ('work_industry_code', b.work_industry_code)) as c(name, value)
where c.value is not null and b.base_invalid_flag in (0, 1)
group by c.name, c.value, b.base_invalid_flag;

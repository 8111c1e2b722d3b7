-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 10 on a server: the same tables (010.sql). The changes of comm and
-- base are noted once per statement, so an import of many rows writes each
-- contact once; a level's interval, per row as on a file. A rebuild locks
-- remindlog against writers while it reads it, so a change numbered before
-- another but committed after it is never passed over.
CREATE TABLE remindlog (
  remindlog_seq INTEGER PRIMARY KEY AUTOINCREMENT,
  remindlog_base_code INTEGER
);
CREATE TABLE reminddue (
  reminddue_base_code INTEGER PRIMARY KEY,
  reminddue_overdue INTEGER
);
CREATE INDEX idx_reminddue_overdue ON reminddue(reminddue_overdue);
-- The month's birthdays, counted apart by kind: the lunar ones of contacts,
-- and the family pages by the spouse's and by the child's month, each from an
-- index that holds what its count reads.
CREATE INDEX idx_base_lunar ON base(base_lunar, base_month, base_day) WHERE base_lunar<>0;
CREATE INDEX idx_home_month_lunar ON home(home_month, home_lunar);
CREATE INDEX idx_home_child_month_lunar ON home(home_child_month, home_child_lunar, home_lunar,
  home_month);
CREATE INDEX idx_home_lunar_day ON home(home_lunar, home_month, home_day, home_child_lunar,
  home_child_month) WHERE home_lunar<>0;
CREATE INDEX idx_home_child_lunar_day ON home(home_child_lunar, home_child_month, home_child_day,
  home_lunar, home_month, home_day) WHERE home_child_lunar<>0;
-- Today's planned interactions name their contacts from the index alone,
-- without a read of each interaction's row.
DROP INDEX idx_comm_next_date;
CREATE INDEX idx_comm_next_date ON comm(comm_next_year, comm_next_month, comm_next_day,
  comm_base_code);
-- The reminder rows of a few contacts are found by contact. Databases made
-- before this index was in the schema are given it here.
CREATE INDEX IF NOT EXISTS idx_tmptrans_base ON tmptrans(tmptrans_base_code);
CREATE TABLE remindstate (
  remindstate_user_code INTEGER PRIMARY KEY,
  remindstate_day INTEGER,
  remindstate_seq INTEGER,
  remindstate_planned INTEGER,
  remindstate_due INTEGER,
  remindstate_overdue INTEGER
);
create function remindlog_comm() returns trigger language plpgsql as '
begin
  if tg_op = ''INSERT'' then
    insert into remindlog(remindlog_base_code)
      select distinct comm_base_code from new_rows where comm_base_code is not null;
  elsif tg_op = ''DELETE'' then
    insert into remindlog(remindlog_base_code)
      select distinct comm_base_code from old_rows where comm_base_code is not null;
  else
    insert into remindlog(remindlog_base_code)
      select comm_base_code from old_rows where comm_base_code is not null
      union select comm_base_code from new_rows where comm_base_code is not null;
  end if;
  return null;
end';
create function remindlog_base() returns trigger language plpgsql as '
begin
  if tg_op = ''INSERT'' then
    insert into remindlog(remindlog_base_code) select base_code from new_rows;
  elsif tg_op = ''DELETE'' then
    insert into remindlog(remindlog_base_code) select base_code from old_rows;
  else
    insert into remindlog(remindlog_base_code)
      select base_code from old_rows union select base_code from new_rows;
  end if;
  return null;
end';
create function remindlog_everyone() returns trigger language plpgsql as '
begin
  insert into remindlog(remindlog_base_code) values (null);
  return null;
end';
create trigger remindlog_comm_added after insert on comm referencing new table as new_rows
  for each statement execute function remindlog_comm();
create trigger remindlog_comm_changed after update on comm
  referencing old table as old_rows new table as new_rows
  for each statement execute function remindlog_comm();
create trigger remindlog_comm_removed after delete on comm referencing old table as old_rows
  for each statement execute function remindlog_comm();
create trigger remindlog_base_added after insert on base referencing new table as new_rows
  for each statement execute function remindlog_base();
create trigger remindlog_base_changed after update on base
  referencing old table as old_rows new table as new_rows
  for each statement execute function remindlog_base();
create trigger remindlog_base_removed after delete on base referencing old table as old_rows
  for each statement execute function remindlog_base();
create trigger remindlog_sort_added after insert on sort
  for each row execute function remindlog_everyone();
create trigger remindlog_sort_changed after update of sort_code, sort_frequence on sort
  for each row when (old.sort_code is distinct from new.sort_code
                     or old.sort_frequence is distinct from new.sort_frequence)
  execute function remindlog_everyone();
create trigger remindlog_sort_removed after delete on sort
  for each row execute function remindlog_everyone();

-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 7 on a server: the same table (007.sql). One function finds a
-- contact's newest interaction again; a lock per contact makes two people who
-- change the same contact's interactions at once wait for each other, so the
-- second reads what the first committed.
CREATE TABLE commlast (
  commlast_base_code INTEGER PRIMARY KEY,
  commlast_comm_code INTEGER NOT NULL,
  commlast_year TEXT,
  commlast_month TEXT,
  commlast_day TEXT,
  commlast_next_year TEXT,
  commlast_next_month TEXT,
  commlast_next_day TEXT
);
create function commlast_refresh(code bigint) returns void language plpgsql as '
begin
  if code is null then
    return;
  end if;
  perform pg_advisory_xact_lock(7007, hashint8(code));
  delete from commlast where commlast_base_code = code;
  insert into commlast select comm_base_code, comm_code, comm_year, comm_month, comm_day,
    comm_next_year, comm_next_month, comm_next_day from comm
  where comm_base_code = code order by comm_date desc, comm_code desc limit 1;
end';
create function commlast_follow() returns trigger language plpgsql as '
begin
  if tg_op <> ''INSERT'' then
    perform commlast_refresh(old.comm_base_code);
  end if;
  if tg_op <> ''DELETE'' and (tg_op = ''INSERT''
      or new.comm_base_code is distinct from old.comm_base_code) then
    perform commlast_refresh(new.comm_base_code);
  end if;
  return null;
end';
create trigger commlast_added after insert on comm for each row execute function commlast_follow();
create trigger commlast_changed after update of comm_code, comm_base_code, comm_date, comm_year,
  comm_month, comm_day, comm_next_year, comm_next_month, comm_next_day on comm
  for each row execute function commlast_follow();
create trigger commlast_removed after delete on comm for each row execute function commlast_follow();
insert into commlast select distinct on (comm_base_code) comm_base_code, comm_code, comm_year,
  comm_month, comm_day, comm_next_year, comm_next_month, comm_next_day from comm
where comm_base_code is not null order by comm_base_code, comm_date desc, comm_code desc;

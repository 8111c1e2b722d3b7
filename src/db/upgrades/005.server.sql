-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 5 on a server: the same table and the same two triggers (005.sql).
CREATE TABLE findkey (
  findkey_code INTEGER PRIMARY KEY AUTOINCREMENT,
  findkey_base_code INTEGER NOT NULL UNIQUE,
  findkey_name TEXT,
  findkey_unit TEXT,
  findkey_branch TEXT,
  findkey_digits TEXT
);
create function findkey_forget() returns trigger language plpgsql as '
begin
  delete from findkey where findkey_base_code = old.base_code;
  return null;
end';
create trigger findkey_changed after update of base_name, work_name, work_branch_name,
  base_mobil, base_phone, work_phone, work_fax, base_email, work_duty_code,
  base_invalid_flag on base for each row execute function findkey_forget();
create trigger findkey_gone after delete on base for each row execute function findkey_forget();

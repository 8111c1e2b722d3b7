-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 5: the find box's keys, one row per contact (pinyin readings of the
-- name, unit and department; the digits of the numbers). A change to any of
-- the columns they come from drops the row in the same transaction; the
-- program writes it again (the rows of existing contacts right after this step).
CREATE TABLE findkey (
  findkey_code INTEGER PRIMARY KEY AUTOINCREMENT,
  findkey_base_code INTEGER NOT NULL UNIQUE,
  findkey_name TEXT,
  findkey_unit TEXT,
  findkey_branch TEXT,
  findkey_digits TEXT
);
-- The post and the trash flag are not keys, but the find box shows the one
-- and leaves out trashed contacts: a change renews the row, so it is seen.
CREATE TRIGGER findkey_changed AFTER UPDATE OF base_name, work_name, work_branch_name,
  base_mobil, base_phone, work_phone, work_fax, base_email, work_duty_code,
  base_invalid_flag ON base
BEGIN
  DELETE FROM findkey WHERE findkey_base_code = OLD.base_code;
END;
CREATE TRIGGER findkey_gone AFTER DELETE ON base
BEGIN
  DELETE FROM findkey WHERE findkey_base_code = OLD.base_code;
END;

-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 11: how many contacts have each value of the columns the tree
-- counts by, kept by the engine itself, so the tree's folders, its root and
-- its trash read a few rows instead of counting contacts. A row says: this
-- many contacts have basecount_value in basecount_column and basecount_flag
-- in base_invalid_flag. The column base_invalid_flag counts itself (value and
-- flag alike), which gives the live and the trashed contacts.
--
-- Only what a count of base can find is kept: flags 0 and 1 (as "=0"/"=1"
-- compare them) and values that are not NULL. A value is kept as the contact
-- row holds it, in a column of the same affinity, so "basecount_value=code"
-- compares exactly as "base_type_code=code" does (a text code stays text and
-- meets no number). A row goes when its count comes to 0.
--
-- Plain triggers: every change to base, from the window, mavor-admin, an
-- import, a merge or a restore, keeps the counts in its own transaction, and
-- any sqlite3 can still write the file.
CREATE TABLE basecount (
  basecount_column TEXT NOT NULL,
  basecount_value INTEGER NOT NULL,
  basecount_flag INTEGER NOT NULL,
  basecount_n INTEGER NOT NULL,
  PRIMARY KEY (basecount_column, basecount_value, basecount_flag)
) WITHOUT ROWID;
-- One statement for all the columns: a program that prepares each insert
-- anew pays for compiling the trigger with every contact.
CREATE TRIGGER basecount_added AFTER INSERT ON base
WHEN NEW.base_invalid_flag IN (0, 1)
BEGIN
  INSERT INTO basecount SELECT c, v, NEW.base_invalid_flag, 1 FROM (
    SELECT 'base_invalid_flag' AS c, NEW.base_invalid_flag AS v UNION ALL
    SELECT 'base_type_code', NEW.base_type_code UNION ALL
    SELECT 'base_sort_code', NEW.base_sort_code UNION ALL
    SELECT 'work_region_code', NEW.work_region_code UNION ALL
    SELECT 'work_province_code', NEW.work_province_code UNION ALL
    SELECT 'work_duty_code', NEW.work_duty_code UNION ALL
    SELECT 'work_industry_code', NEW.work_industry_code)
  WHERE v IS NOT NULL
  ON CONFLICT (basecount_column, basecount_value, basecount_flag)
  DO UPDATE SET basecount_n = basecount_n + 1;
END;
-- A row that goes takes its values with it; a row with no count (NULL, or a
-- flag other than 0 and 1) finds no counter to take from.
CREATE TRIGGER basecount_removed AFTER DELETE ON base
BEGIN
  DELETE FROM basecount WHERE basecount_column = 'base_invalid_flag' AND basecount_value = OLD.base_invalid_flag
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'base_invalid_flag'
    AND basecount_value = OLD.base_invalid_flag AND basecount_flag = OLD.base_invalid_flag;
  DELETE FROM basecount WHERE basecount_column = 'base_type_code' AND basecount_value = OLD.base_type_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'base_type_code'
    AND basecount_value = OLD.base_type_code AND basecount_flag = OLD.base_invalid_flag;
  DELETE FROM basecount WHERE basecount_column = 'base_sort_code' AND basecount_value = OLD.base_sort_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'base_sort_code'
    AND basecount_value = OLD.base_sort_code AND basecount_flag = OLD.base_invalid_flag;
  DELETE FROM basecount WHERE basecount_column = 'work_region_code' AND basecount_value = OLD.work_region_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'work_region_code'
    AND basecount_value = OLD.work_region_code AND basecount_flag = OLD.base_invalid_flag;
  DELETE FROM basecount WHERE basecount_column = 'work_province_code' AND basecount_value = OLD.work_province_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'work_province_code'
    AND basecount_value = OLD.work_province_code AND basecount_flag = OLD.base_invalid_flag;
  DELETE FROM basecount WHERE basecount_column = 'work_duty_code' AND basecount_value = OLD.work_duty_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'work_duty_code'
    AND basecount_value = OLD.work_duty_code AND basecount_flag = OLD.base_invalid_flag;
  DELETE FROM basecount WHERE basecount_column = 'work_industry_code' AND basecount_value = OLD.work_industry_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'work_industry_code'
    AND basecount_value = OLD.work_industry_code AND basecount_flag = OLD.base_invalid_flag;
END;
-- A change moves a contact from one counter to another: one trigger a column,
-- so a save that leaves these columns as they were costs a comparison only.
CREATE TRIGGER basecount_base_invalid_flag AFTER UPDATE OF base_invalid_flag ON base
WHEN OLD.base_invalid_flag IS NOT NEW.base_invalid_flag
BEGIN
  DELETE FROM basecount WHERE basecount_column = 'base_invalid_flag' AND basecount_value = OLD.base_invalid_flag
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'base_invalid_flag'
    AND basecount_value = OLD.base_invalid_flag AND basecount_flag = OLD.base_invalid_flag;
  INSERT INTO basecount SELECT 'base_invalid_flag', NEW.base_invalid_flag, NEW.base_invalid_flag, 1
    WHERE NEW.base_invalid_flag IN (0, 1)
    ON CONFLICT (basecount_column, basecount_value, basecount_flag) DO UPDATE SET basecount_n = basecount_n + 1;
END;
CREATE TRIGGER basecount_base_type_code AFTER UPDATE OF base_type_code, base_invalid_flag ON base
WHEN OLD.base_type_code IS NOT NEW.base_type_code OR OLD.base_invalid_flag IS NOT NEW.base_invalid_flag
BEGIN
  DELETE FROM basecount WHERE basecount_column = 'base_type_code' AND basecount_value = OLD.base_type_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'base_type_code'
    AND basecount_value = OLD.base_type_code AND basecount_flag = OLD.base_invalid_flag;
  INSERT INTO basecount SELECT 'base_type_code', NEW.base_type_code, NEW.base_invalid_flag, 1
    WHERE NEW.base_invalid_flag IN (0, 1) AND NEW.base_type_code IS NOT NULL
    ON CONFLICT (basecount_column, basecount_value, basecount_flag) DO UPDATE SET basecount_n = basecount_n + 1;
END;
CREATE TRIGGER basecount_base_sort_code AFTER UPDATE OF base_sort_code, base_invalid_flag ON base
WHEN OLD.base_sort_code IS NOT NEW.base_sort_code OR OLD.base_invalid_flag IS NOT NEW.base_invalid_flag
BEGIN
  DELETE FROM basecount WHERE basecount_column = 'base_sort_code' AND basecount_value = OLD.base_sort_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'base_sort_code'
    AND basecount_value = OLD.base_sort_code AND basecount_flag = OLD.base_invalid_flag;
  INSERT INTO basecount SELECT 'base_sort_code', NEW.base_sort_code, NEW.base_invalid_flag, 1
    WHERE NEW.base_invalid_flag IN (0, 1) AND NEW.base_sort_code IS NOT NULL
    ON CONFLICT (basecount_column, basecount_value, basecount_flag) DO UPDATE SET basecount_n = basecount_n + 1;
END;
CREATE TRIGGER basecount_work_region_code AFTER UPDATE OF work_region_code, base_invalid_flag ON base
WHEN OLD.work_region_code IS NOT NEW.work_region_code OR OLD.base_invalid_flag IS NOT NEW.base_invalid_flag
BEGIN
  DELETE FROM basecount WHERE basecount_column = 'work_region_code' AND basecount_value = OLD.work_region_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'work_region_code'
    AND basecount_value = OLD.work_region_code AND basecount_flag = OLD.base_invalid_flag;
  INSERT INTO basecount SELECT 'work_region_code', NEW.work_region_code, NEW.base_invalid_flag, 1
    WHERE NEW.base_invalid_flag IN (0, 1) AND NEW.work_region_code IS NOT NULL
    ON CONFLICT (basecount_column, basecount_value, basecount_flag) DO UPDATE SET basecount_n = basecount_n + 1;
END;
CREATE TRIGGER basecount_work_province_code AFTER UPDATE OF work_province_code, base_invalid_flag ON base
WHEN OLD.work_province_code IS NOT NEW.work_province_code OR OLD.base_invalid_flag IS NOT NEW.base_invalid_flag
BEGIN
  DELETE FROM basecount WHERE basecount_column = 'work_province_code' AND basecount_value = OLD.work_province_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'work_province_code'
    AND basecount_value = OLD.work_province_code AND basecount_flag = OLD.base_invalid_flag;
  INSERT INTO basecount SELECT 'work_province_code', NEW.work_province_code, NEW.base_invalid_flag, 1
    WHERE NEW.base_invalid_flag IN (0, 1) AND NEW.work_province_code IS NOT NULL
    ON CONFLICT (basecount_column, basecount_value, basecount_flag) DO UPDATE SET basecount_n = basecount_n + 1;
END;
CREATE TRIGGER basecount_work_duty_code AFTER UPDATE OF work_duty_code, base_invalid_flag ON base
WHEN OLD.work_duty_code IS NOT NEW.work_duty_code OR OLD.base_invalid_flag IS NOT NEW.base_invalid_flag
BEGIN
  DELETE FROM basecount WHERE basecount_column = 'work_duty_code' AND basecount_value = OLD.work_duty_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'work_duty_code'
    AND basecount_value = OLD.work_duty_code AND basecount_flag = OLD.base_invalid_flag;
  INSERT INTO basecount SELECT 'work_duty_code', NEW.work_duty_code, NEW.base_invalid_flag, 1
    WHERE NEW.base_invalid_flag IN (0, 1) AND NEW.work_duty_code IS NOT NULL
    ON CONFLICT (basecount_column, basecount_value, basecount_flag) DO UPDATE SET basecount_n = basecount_n + 1;
END;
CREATE TRIGGER basecount_work_industry_code AFTER UPDATE OF work_industry_code, base_invalid_flag ON base
WHEN OLD.work_industry_code IS NOT NEW.work_industry_code OR OLD.base_invalid_flag IS NOT NEW.base_invalid_flag
BEGIN
  DELETE FROM basecount WHERE basecount_column = 'work_industry_code' AND basecount_value = OLD.work_industry_code
    AND basecount_flag = OLD.base_invalid_flag AND basecount_n = 1;
  UPDATE basecount SET basecount_n = basecount_n - 1 WHERE basecount_column = 'work_industry_code'
    AND basecount_value = OLD.work_industry_code AND basecount_flag = OLD.base_invalid_flag;
  INSERT INTO basecount SELECT 'work_industry_code', NEW.work_industry_code, NEW.base_invalid_flag, 1
    WHERE NEW.base_invalid_flag IN (0, 1) AND NEW.work_industry_code IS NOT NULL
    ON CONFLICT (basecount_column, basecount_value, basecount_flag) DO UPDATE SET basecount_n = basecount_n + 1;
END;
-- The counts of the contacts already there (the same statements as
-- mavor-admin check --repair runs).
INSERT INTO basecount SELECT 'base_invalid_flag', base_invalid_flag, base_invalid_flag, count(*) FROM base
WHERE base_invalid_flag IN (0, 1) GROUP BY base_invalid_flag, base_invalid_flag;
INSERT INTO basecount SELECT 'base_type_code', base_type_code, base_invalid_flag, count(*) FROM base
WHERE base_type_code IS NOT NULL AND base_invalid_flag IN (0, 1) GROUP BY base_type_code, base_invalid_flag;
INSERT INTO basecount SELECT 'base_sort_code', base_sort_code, base_invalid_flag, count(*) FROM base
WHERE base_sort_code IS NOT NULL AND base_invalid_flag IN (0, 1) GROUP BY base_sort_code, base_invalid_flag;
INSERT INTO basecount SELECT 'work_region_code', work_region_code, base_invalid_flag, count(*) FROM base
WHERE work_region_code IS NOT NULL AND base_invalid_flag IN (0, 1) GROUP BY work_region_code, base_invalid_flag;
INSERT INTO basecount SELECT 'work_province_code', work_province_code, base_invalid_flag, count(*) FROM base
WHERE work_province_code IS NOT NULL AND base_invalid_flag IN (0, 1) GROUP BY work_province_code, base_invalid_flag;
INSERT INTO basecount SELECT 'work_duty_code', work_duty_code, base_invalid_flag, count(*) FROM base
WHERE work_duty_code IS NOT NULL AND base_invalid_flag IN (0, 1) GROUP BY work_duty_code, base_invalid_flag;
INSERT INTO basecount SELECT 'work_industry_code', work_industry_code, base_invalid_flag, count(*) FROM base
WHERE work_industry_code IS NOT NULL AND base_invalid_flag IN (0, 1) GROUP BY work_industry_code, base_invalid_flag;

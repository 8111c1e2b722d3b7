-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 10: the reminders are brought up to date rather than made anew.
-- remindlog lists every contact whose reminder rows may have changed (its
-- interactions, its level, its trash flag, its creation date), written by the
-- engine in the same transaction as the change; a row without a contact says
-- every contact may have changed (a level's interval). reminddue keeps, for
-- each live contact, the first day it is overdue (a contact becomes due on
-- that day or the one before), so a new day finds the few contacts whose rows
-- change. remindstate keeps,
-- per user, the day of the user's rows, the last change they include and
-- how many rows of each kind there are (user 0: the days of reminddue).
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
CREATE TRIGGER remindlog_comm_added AFTER INSERT ON comm
WHEN NEW.comm_base_code IS NOT NULL
BEGIN
  INSERT INTO remindlog(remindlog_base_code) VALUES (NEW.comm_base_code);
END;
CREATE TRIGGER remindlog_comm_changed AFTER UPDATE OF comm_code, comm_base_code, comm_date,
  comm_year, comm_month, comm_day, comm_next_year, comm_next_month, comm_next_day ON comm
BEGIN
  INSERT INTO remindlog(remindlog_base_code) SELECT OLD.comm_base_code
  WHERE OLD.comm_base_code IS NOT NULL;
  INSERT INTO remindlog(remindlog_base_code) SELECT NEW.comm_base_code
  WHERE NEW.comm_base_code IS NOT NULL AND NEW.comm_base_code IS NOT OLD.comm_base_code;
END;
CREATE TRIGGER remindlog_comm_removed AFTER DELETE ON comm
WHEN OLD.comm_base_code IS NOT NULL
BEGIN
  INSERT INTO remindlog(remindlog_base_code) VALUES (OLD.comm_base_code);
END;
CREATE TRIGGER remindlog_base_added AFTER INSERT ON base
BEGIN
  INSERT INTO remindlog(remindlog_base_code) VALUES (NEW.base_code);
END;
CREATE TRIGGER remindlog_base_changed AFTER UPDATE OF base_code, base_invalid_flag,
  base_sort_code, base_create_date ON base
BEGIN
  INSERT INTO remindlog(remindlog_base_code) VALUES (OLD.base_code);
  INSERT INTO remindlog(remindlog_base_code) SELECT NEW.base_code
  WHERE NEW.base_code IS NOT OLD.base_code;
END;
CREATE TRIGGER remindlog_base_removed AFTER DELETE ON base
BEGIN
  INSERT INTO remindlog(remindlog_base_code) VALUES (OLD.base_code);
END;
CREATE TRIGGER remindlog_sort_added AFTER INSERT ON sort
BEGIN
  INSERT INTO remindlog(remindlog_base_code) VALUES (NULL);
END;
CREATE TRIGGER remindlog_sort_changed AFTER UPDATE OF sort_code, sort_frequence ON sort
BEGIN
  INSERT INTO remindlog(remindlog_base_code) VALUES (NULL);
END;
CREATE TRIGGER remindlog_sort_removed AFTER DELETE ON sort
BEGIN
  INSERT INTO remindlog(remindlog_base_code) VALUES (NULL);
END;

-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 7: each contact's newest interaction (by comm_date, then the later
-- entered), kept by the engine itself: the reminders read one row per contact
-- instead of walking every interaction. A row exists exactly while the contact
-- has interactions. The triggers find the newest again with the same order the
-- reminders used, so ties, empty and odd dates come out as they always did;
-- every change to comm, from the window, mavor-admin, an import, a merge or a
-- cleansing, keeps it in the same transaction.
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
-- A new interaction can only become its contact's newest.
CREATE TRIGGER commlast_added AFTER INSERT ON comm
WHEN typeof(NEW.comm_base_code) = 'integer'
BEGIN
  INSERT OR REPLACE INTO commlast SELECT comm_base_code, comm_code, comm_year, comm_month,
    comm_day, comm_next_year, comm_next_month, comm_next_day FROM comm
  WHERE comm_base_code = NEW.comm_base_code ORDER BY comm_date DESC, comm_code DESC LIMIT 1;
END;
-- A change may move the interaction to another contact: both are found again.
CREATE TRIGGER commlast_changed AFTER UPDATE OF comm_code, comm_base_code, comm_date, comm_year,
  comm_month, comm_day, comm_next_year, comm_next_month, comm_next_day ON comm
BEGIN
  DELETE FROM commlast WHERE commlast_base_code = OLD.comm_base_code;
  INSERT OR REPLACE INTO commlast SELECT comm_base_code, comm_code, comm_year, comm_month,
    comm_day, comm_next_year, comm_next_month, comm_next_day FROM comm
  WHERE comm_base_code = OLD.comm_base_code AND typeof(OLD.comm_base_code) = 'integer'
  ORDER BY comm_date DESC, comm_code DESC LIMIT 1;
  INSERT OR REPLACE INTO commlast SELECT comm_base_code, comm_code, comm_year, comm_month,
    comm_day, comm_next_year, comm_next_month, comm_next_day FROM comm
  WHERE comm_base_code = NEW.comm_base_code AND typeof(NEW.comm_base_code) = 'integer'
  ORDER BY comm_date DESC, comm_code DESC LIMIT 1;
END;
CREATE TRIGGER commlast_removed AFTER DELETE ON comm
BEGIN
  DELETE FROM commlast WHERE commlast_base_code = OLD.comm_base_code;
  INSERT INTO commlast SELECT comm_base_code, comm_code, comm_year, comm_month,
    comm_day, comm_next_year, comm_next_month, comm_next_day FROM comm
  WHERE comm_base_code = OLD.comm_base_code AND typeof(OLD.comm_base_code) = 'integer'
  ORDER BY comm_date DESC, comm_code DESC LIMIT 1;
END;
-- The rows of the interactions already there (the same statement as
-- mavor-admin check --repair runs).
INSERT INTO commlast SELECT c.comm_base_code, c.comm_code, c.comm_year, c.comm_month,
  c.comm_day, c.comm_next_year, c.comm_next_month, c.comm_next_day
FROM (SELECT DISTINCT comm_base_code AS code FROM comm
      WHERE typeof(comm_base_code) = 'integer') AS k, comm AS c
WHERE c.comm_code = (SELECT n.comm_code FROM comm AS n WHERE n.comm_base_code = k.code
                     ORDER BY n.comm_date DESC, n.comm_code DESC LIMIT 1);

-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 9 on a server: the indexes of 009.sql (documents, lunar birthdays), and
-- the day numbers of the newest interaction's date and next planned date,
-- kept by the server itself whenever the row is written (the same daynumber
-- as every statement's). The reminders read them instead of working the day
-- number out of three texts for every contact, which cost the server most of
-- a reminder rebuild. The statements still name daynumber(l.commlast_year,
-- ...); the server's dialect reads it from here (ServerDialect.h). Were
-- daynumber ever to read parts differently, a step would have to write these
-- columns again.
ALTER TABLE commlast
  ADD COLUMN commlast_day_number bigint
    GENERATED ALWAYS AS (daynumber(commlast_year, commlast_month, commlast_day)) STORED,
  ADD COLUMN commlast_next_day_number bigint
    GENERATED ALWAYS AS (daynumber(commlast_next_year, commlast_next_month,
                                   commlast_next_day)) STORED;
DROP INDEX idx_doc_docsort;
CREATE INDEX idx_doc_docsort ON doc(doc_docsort_code, doc_title, doc_base_code);
-- The care counts' lunar birthdays of spouses and children, as on a file.
CREATE INDEX idx_home_lunar ON home(home_base_code) WHERE home_lunar<>0;
CREATE INDEX idx_home_child_lunar ON home(home_base_code) WHERE home_child_lunar<>0;

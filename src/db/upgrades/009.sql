-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 9. The documents of the tree are listed by sort and title with
-- their contact's code from the index alone, without a look at each
-- document's row.
DROP INDEX idx_doc_docsort;
CREATE INDEX idx_doc_docsort ON doc(doc_docsort_code, doc_title, doc_base_code);

-- The care counts look up spouses and children with lunar birthdays: few
-- rows, found through these instead of a pass over every family page (a
-- server combines them with the birthday months' indexes).
CREATE INDEX idx_home_lunar ON home(home_base_code) WHERE home_lunar<>0;
CREATE INDEX idx_home_child_lunar ON home(home_base_code) WHERE home_child_lunar<>0;

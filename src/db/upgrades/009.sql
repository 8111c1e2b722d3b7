-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 9. The documents of the tree are listed by sort and title with
-- their contact's code from the index alone, without a look at each
-- document's row.
DROP INDEX idx_doc_docsort;
CREATE INDEX idx_doc_docsort ON doc(doc_docsort_code, doc_title, doc_base_code);

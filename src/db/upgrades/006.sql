-- SPDX-License-Identifier: GPL-3.0-or-later
-- Version 6: contacts kept in step with a CardDAV address book.
-- The address book of this data directory and the server's token for "what
-- changed since": at most one row.
CREATE TABLE davbook (
  davbook_url TEXT NOT NULL,
  davbook_user TEXT NOT NULL DEFAULT '',
  davbook_token TEXT NOT NULL DEFAULT ''
);
-- Each contact that has a card on the server, as both sides were at the last
-- sync: the card's UID, address and version tag (empty while an upload is not
-- yet confirmed), a digest of the contact as then stored and one of its
-- rows, and, when both sides changed it, the server's version to be merged.
CREATE TABLE davcard (
  davcard_base_code INTEGER NOT NULL PRIMARY KEY,
  davcard_uid TEXT NOT NULL,
  davcard_href TEXT NOT NULL,
  davcard_etag TEXT NOT NULL DEFAULT '',
  davcard_digest TEXT NOT NULL DEFAULT '',
  davcard_remote TEXT NOT NULL DEFAULT '',
  davcard_remote_etag TEXT NOT NULL DEFAULT '',
  davcard_stamp TEXT NOT NULL DEFAULT ''
);
CREATE UNIQUE INDEX idx_davcard_href ON davcard(davcard_href);

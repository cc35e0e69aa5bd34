-- The type phone_number: text in and out, the setting kelvane.region, casts, order, indexes,
-- joins and binary COPY.
-- (pg_regress creates the extension; each file keeps its tables apart.)
CREATE SCHEMA type_test;
SET search_path = type_test, public;
\set SHOW_CONTEXT never

-- Not set, the setting lets in numbers written with their country code only.
SHOW kelvane.region;
SELECT '+972 50-123-4567'::phone_number, '+1 (212) 555-1234'::phone_number;
SELECT '050-1234567'::phone_number;
-- Set, any writing of its region; the setting reads back in capitals.
SET kelvane.region = 'il';
SHOW kelvane.region;
SELECT w::phone_number FROM (VALUES ('050-1234567'), ('(050) 123-4567'), ('+972501234567'),
  ('00972 50 123 4567'), ('050-1234567 ext. 8'), ('+44 20 7946 0018')) v(w);
SELECT '050-12'::phone_number;
SELECT 'call me'::phone_number;
SET kelvane.region = 'XX';
SET kelvane.region = 'israel';
SHOW kelvane.region;
SET kelvane.other = 'IL';
RESET kelvane.region;

-- Casts: from and to text, and to the E.164 digits as one bigint.
SELECT '+972501234567'::text::phone_number::text, '+972501234567'::phone_number::bigint;
CREATE TABLE casts (p phone_number, t text);
INSERT INTO casts VALUES ('+12125551234'::text, '+12125551234'::phone_number);
SELECT * FROM casts;
SELECT 12125551234::bigint::phone_number;

-- Order: the E.164 digits as one integer, so a shorter number comes first whatever its
-- country code.
SELECT p, p::bigint FROM (VALUES ('+12125551234'::phone_number), ('+4930901820'),
  ('+972501234567'), ('+97236123456')) v(p) ORDER BY 1;
SELECT a.p AS a, b.p AS b, a.p = b.p AS eq, a.p <> b.p AS ne, a.p < b.p AS lt,
       a.p <= b.p AS le, a.p > b.p AS gt, a.p >= b.p AS ge
FROM (VALUES ('+4930901820'::phone_number), ('+12125551234')) a(p),
     (VALUES ('+4930901820'::phone_number), ('+12125551234')) b(p) ORDER BY a.p, b.p;

-- A UNIQUE index knows one number however it is written.
SET kelvane.region = 'IL';
CREATE TABLE contacts (phone phone_number UNIQUE, name text);
INSERT INTO contacts VALUES ('050-1234567', 'first');
INSERT INTO contacts VALUES ('+972 50-123-4567', 'again');
INSERT INTO contacts VALUES ('03-6123456', 'office'), ('+1 212 555 1234', 'new york');
SELECT * FROM contacts ORDER BY phone;

-- DISTINCT, GROUP BY and joins by sorting and by hashing alike.
CREATE TABLE calls AS SELECT w AS raw, try_parse_phone(w) AS phone
  FROM unnest(ARRAY['050-1234567', '050 123 4567', '+972501234567', '03-6123456',
                    '036123456', 'nobody', '+1 212 555 1234']) w;
SET enable_hashagg = off;
SELECT phone, count(*) FROM calls GROUP BY phone ORDER BY phone;
SET enable_hashagg = on;
SET enable_sort = off;
SELECT phone, count(*) FROM calls GROUP BY phone ORDER BY count(*) DESC, phone;
RESET enable_sort;
SELECT count(DISTINCT phone) FROM calls;
SET enable_nestloop = off;
SET enable_hashjoin = off;
EXPLAIN (COSTS OFF) SELECT c.raw, k.name FROM calls c JOIN contacts k ON k.phone = c.phone;
SELECT c.raw, k.name FROM calls c JOIN contacts k ON k.phone = c.phone ORDER BY c.raw;
SET enable_hashjoin = on;
SET enable_mergejoin = off;
EXPLAIN (COSTS OFF) SELECT c.raw, k.name FROM calls c JOIN contacts k ON k.phone = c.phone;
SELECT c.raw, k.name FROM calls c JOIN contacts k ON k.phone = c.phone ORDER BY c.raw;
RESET enable_nestloop;
RESET enable_mergejoin;
CREATE INDEX calls_hash ON calls USING hash (phone);
SET enable_seqscan = off;
SET enable_bitmapscan = off;
EXPLAIN (COSTS OFF) SELECT raw FROM calls WHERE phone = '+972501234567';
SELECT raw FROM calls WHERE phone = '+972501234567' ORDER BY raw;
SELECT phone FROM contacts WHERE phone > '+4930901820' ORDER BY phone DESC;
RESET enable_seqscan;
RESET enable_bitmapscan;

-- COPY in binary round-trips the keys, and refuses eight bytes that are no valid number's own
-- key: +9721 is too short, +972 0501234567 reads as +972501234567.
CREATE FUNCTION copy_path(name text) RETURNS text LANGUAGE sql
  AS $$ SELECT current_setting('data_directory') || '/kelvane-' || name || '.bin' $$;
DO $$ BEGIN
  EXECUTE format('COPY (SELECT phone FROM contacts ORDER BY phone) TO %L (FORMAT binary)',
                 copy_path('keys'));
  EXECUTE format('COPY (SELECT 9721::bigint) TO %L (FORMAT binary)', copy_path('short'));
  EXECUTE format('COPY (SELECT 9720501234567::bigint) TO %L (FORMAT binary)',
                 copy_path('prefixed'));
END $$;
CREATE TABLE copied (phone phone_number);
DO $$ BEGIN
  EXECUTE format('COPY copied FROM %L (FORMAT binary)', copy_path('keys'));
END $$;
SELECT * FROM copied;
DO $$ BEGIN
  EXECUTE format('COPY copied FROM %L (FORMAT binary)', copy_path('short'));
END $$;
DO $$ BEGIN
  EXECUTE format('COPY copied FROM %L (FORMAT binary)', copy_path('prefixed'));
END $$;

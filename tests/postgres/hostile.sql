-- The hostile-input test's queries (see hostile): every entry point of the extension called
-- with each string of the table hostile, each call in a subtransaction of its own.
\set ON_ERROR_STOP on
\set QUIET on
CREATE EXTENSION kelvane;
CREATE TABLE hostile (n serial, s text);
COPY hostile (s) FROM :'strings' WITH (FORMAT csv);
SET hostile.keys = :'keys';
CREATE TABLE keys (phone phone_number);

-- Each entry point as a statement on the string $1; the ones without a region argument read
-- kelvane.region, IL. A call that returns, or that the extension refuses with one of its
-- errors, reached the code; anything else did not, or failed in a way it must not.
CREATE TABLE entries (entry text, statement text);
INSERT INTO entries VALUES
  ('phone_number_in', 'SELECT $1::phone_number'),
  ('parse_phone, the line', 'SELECT parse_phone($1, ''IL'')'),
  ('parse_phone, the region', 'SELECT parse_phone(''050-1234567'', $1)'),
  ('parse_phone under kelvane.region', 'SELECT parse_phone($1)'),
  ('try_parse_phone, the line', 'SELECT try_parse_phone($1, ''IL'')'),
  ('try_parse_phone under kelvane.region', 'SELECT try_parse_phone($1)'),
  ('phone_reason, the line', 'SELECT phone_reason($1, ''IL'')'),
  ('phone_reason, the region', 'SELECT phone_reason(''050-1234567'', $1)'),
  ('phone_format, the format', 'SELECT phone_format(''+972501234567'', $1)'),
  ('phone_format, the region', 'SELECT phone_format(''+972501234567'', ''national'', $1)'),
  ('phone_type, phone_region, phone_place of the line read',
   'SELECT phone_type(p), phone_region(p), phone_place(p) FROM try_parse_phone($1, ''IL'') p'),
  ('phone_place, the language', 'SELECT phone_place(''+97236123456'', $1)'),
  ('extract_phones, the text', 'SELECT count(*) FROM extract_phones($1, ''IL'', ''possible'')'),
  ('extract_phones, the region', 'SELECT count(*) FROM extract_phones(''050-1234567'', $1)'),
  ('extract_phones, the leniency',
   'SELECT count(*) FROM extract_phones(''050-1234567'', ''IL'', $1)'),
  ('kelvane.region', 'SELECT set_config(''kelvane.region'', $1, true),
                             set_config(''kelvane.region'', ''IL'', true)');

CREATE TABLE outcomes (entry text, outcome text);
CREATE FUNCTION outcome(state text, message text) RETURNS text LANGUAGE sql AS $$
  SELECT CASE WHEN state IN ('22P02', '22P03', '22023', '55000', '08P01') THEN 'refused'
              ELSE state || ' ' || message END $$;

SET kelvane.region = 'IL';
SELECT pg_postmaster_start_time() AS started \gset
DO $$
DECLARE
  e record;
  h record;
BEGIN
  FOR h IN SELECT s FROM hostile ORDER BY n LOOP
    FOR e IN SELECT * FROM entries LOOP
      BEGIN
        EXECUTE e.statement USING h.s;
        INSERT INTO outcomes VALUES (e.entry, 'returned');
      EXCEPTION WHEN OTHERS THEN
        INSERT INTO outcomes VALUES (e.entry, outcome(SQLSTATE, SQLERRM));
      END;
    END LOOP;
  END LOOP;
END $$;
-- Binary input: each string as the eight bytes (or fewer, or more) of a key.
DO $$
DECLARE
  h record;
BEGIN
  FOR h IN SELECT n FROM hostile ORDER BY n LOOP
    BEGIN
      EXECUTE format('COPY keys FROM %L (FORMAT binary)',
                     current_setting('hostile.keys') || '/' || h.n || '.bin');
      INSERT INTO outcomes VALUES ('phone_number_recv', 'returned');
    EXCEPTION WHEN OTHERS THEN
      -- 22P04: the key was taken, and the field had bytes beyond it.
      INSERT INTO outcomes VALUES ('phone_number_recv',
        CASE WHEN SQLSTATE = '22P04' THEN 'returned' ELSE outcome(SQLSTATE, SQLERRM) END);
    END;
  END LOOP;
END $$;

\pset footer off
\pset format aligned
SELECT entry, count(*) AS calls, count(*) FILTER (WHERE outcome = 'returned') AS returned,
       count(*) FILTER (WHERE outcome = 'refused') AS refused,
       count(*) FILTER (WHERE outcome NOT IN ('returned', 'refused')) AS other
FROM outcomes GROUP BY entry ORDER BY min(ctid);
SELECT outcome AS "other outcome", count(*) FROM outcomes
WHERE outcome NOT IN ('returned', 'refused') GROUP BY outcome;

-- A backend's memory over 10,000 errors or more, once the strings are known to the verdict
-- cache: refusals of a line or of a region, raised from the engine's answer, or thrown and
-- caught inside the engine first; and over 10,000 searches stopped after their first number
-- (LIMIT 1), whose finders the server's memory must free.
CREATE FUNCTION resident_kib() RETURNS bigint LANGUAGE sql AS $$
  SELECT substring(pg_read_file('/proc/self/status') FROM 'VmRSS:\s*(\d+)')::bigint $$;
CREATE FUNCTION context_bytes() RETURNS bigint LANGUAGE sql AS $$
  SELECT sum(total_bytes)::bigint FROM pg_backend_memory_contexts $$;
CREATE FUNCTION misuse() RETURNS int LANGUAGE plpgsql AS $$
DECLARE
  h record;
  raised int := 0;
BEGIN
  FOR h IN SELECT s FROM hostile ORDER BY n LOOP
    BEGIN
      PERFORM parse_phone(h.s, 'IL');
    EXCEPTION WHEN OTHERS THEN
      raised := raised + 1;
    END;
    BEGIN
      PERFORM parse_phone('050-1234567', h.s);
    EXCEPTION WHEN OTHERS THEN
      raised := raised + 1;
    END;
    PERFORM extract_phones(repeat('050-1234567 ', 30), 'IL') LIMIT 1;
  END LOOP;
  RETURN raised;
END $$;
SELECT misuse() AS warm_up, resident_kib() AS rss_before, context_bytes() AS contexts_before \gset
SELECT misuse() AS errors, resident_kib() - :rss_before AS rss_growth_kib,
       context_bytes() - :contexts_before AS context_growth_bytes \gset
SELECT count(*) AS stopped, pg_postmaster_start_time() = :'started' AS same_server,
       substring(pg_read_file('/proc/self/status') FROM 'Threads:\s*(\d+)') AS threads
FROM hostile \gset
\echo errors :errors, searches stopped :stopped: resident memory grew :rss_growth_kib KiB, memory contexts :context_growth_bytes bytes; threads :threads; same server :same_server

-- The test fails here when a call did not reach the code or failed otherwise, when memory
-- grew, when the backend started a thread or when the server started over.
SELECT count(*) = 17 AND bool_and(calls = 10000 AND other = 0) AS reached FROM
  (SELECT entry, count(*) AS calls,
          count(*) FILTER (WHERE outcome NOT IN ('returned', 'refused')) AS other
   FROM outcomes GROUP BY entry) counted \gset
SELECT :'reached'::boolean AND :rss_growth_kib < 1024 AND :context_growth_bytes < 65536
       AND :threads = 1 AND :'same_server'::boolean AS passed \gset
\if :passed
\else
  DO $$ BEGIN RAISE EXCEPTION 'hostile input: see above'; END $$;
\endif

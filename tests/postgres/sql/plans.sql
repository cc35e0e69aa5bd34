-- At the server's default costs, parsing a large table and scrubbing a list against an
-- indexed registry run on parallel workers.
-- (pg_regress creates the extension; each file keeps its tables apart.)
CREATE SCHEMA plans_test;
SET search_path = plans_test, public;

-- True when the plan of `query` has a Gather node above a parallel-aware scan.
CREATE FUNCTION runs_in_parallel(query text) RETURNS boolean LANGUAGE plpgsql AS $$
DECLARE
  plan json;
BEGIN
  EXECUTE 'EXPLAIN (FORMAT JSON) ' || query INTO plan;
  RETURN plan::text ~ '"Node Type": "Gather' AND plan::text ~ '"Parallel Aware": true';
END $$;

CREATE TABLE calls AS
  SELECT (ARRAY['0', '+972 ', '(0', '00972'])[i % 4 + 1] || (500000000 + i * 37 % 99999999)
    AS raw
  FROM generate_series(1, 1000000) i;
ANALYZE calls;
SELECT runs_in_parallel('SELECT count(try_parse_phone(raw, ''IL'')) FROM calls');

-- A registry of a million rows (of twenty thousand numbers, so that it is made quickly).
CREATE TABLE registry AS
  SELECT try_parse_phone('0' || (500000000 + i % 20000 * 4999), 'IL') AS phone
  FROM generate_series(1, 1000000) i;
CREATE INDEX ON registry (phone);
CREATE TABLE list AS SELECT raw FROM calls WHERE raw LIKE '0%' LIMIT 200000;
ANALYZE registry;
ANALYZE list;
SELECT runs_in_parallel('SELECT raw FROM list l WHERE NOT EXISTS
  (SELECT FROM registry r WHERE r.phone = try_parse_phone(l.raw, ''IL''))');

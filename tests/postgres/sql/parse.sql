-- Reading lines as numbers: parse_phone, try_parse_phone and phone_reason.
-- (pg_regress creates the extension; each file keeps its tables apart.)
CREATE SCHEMA parse_test;
SET search_path = parse_test, public;
\set SHOW_CONTEXT never

-- What a statement raises, as SQLSTATE: message (detail).
CREATE FUNCTION error_of(statement text) RETURNS text LANGUAGE plpgsql AS $$
DECLARE
  detail text;
BEGIN
  EXECUTE statement;
  RETURN 'no error';
EXCEPTION WHEN OTHERS THEN
  GET STACKED DIAGNOSTICS detail = PG_EXCEPTION_DETAIL;
  RETURN SQLSTATE || ': ' || SQLERRM || coalesce(' (' || nullif(detail, '') || ')', '');
END $$;

-- Every way of writing and every reason, read under IL.
CREATE TABLE lines (line text);
INSERT INTO lines VALUES ('050-1234567'), ('(050) 123-4567'), (' 0501234567 '), ('050.123.4567'),
  ('+972 50 123 4567'), ('00972501234567'), ('972501234567'), ('050-1234567 ext. 8'),
  ('050-1234567;ext=5'), (U&'\FF10\FF15\FF10\FF11\FF12\FF13\FF14\FF15\FF16\FF17'),
  ('+44 20 7946 0018'), ('+1 (212) 555-1234'), ('1-800-FLOWERS'), ('03-6123456'),
  ('050-12'), ('0501234567890123'), ('+999 1234'), ('050-1234567 #'), ('call 050-1234567'),
  (E'050\t1234567'), ('12'), (''), ('abc'), ('--'), ('0591234567'), ('+972 1'), ('000');
SELECT line, parse_phone(line, 'IL') AS parsed FROM lines WHERE phone_reason(line, 'IL') = '';
SELECT line, try_parse_phone(line, 'IL') AS tried, phone_reason(line, 'IL') AS reason,
       error_of(format('SELECT parse_phone(%L, %L)', line, 'IL')) AS raised
FROM lines WHERE try_parse_phone(line, 'IL') IS NULL;

-- The region in any case, and numbers of another region read under it.
SELECT parse_phone('212-555-1234', 'us'), parse_phone('020 7946 0018', 'GB'),
       try_parse_phone('050-1234567', 'US'), phone_reason('050-1234567', 'US');
-- A region the library does not know is an error, for try_parse_phone too.
SELECT error_of(format('SELECT %s(%L, %L)', f, '050-1234567', r))
FROM unnest(ARRAY['parse_phone', 'try_parse_phone', 'phone_reason']) f,
     unnest(ARRAY['XX', '', 'ISR', 'il ', repeat('I', 5000)]) r;
-- NULL in, NULL out.
SELECT parse_phone(NULL, 'IL') IS NULL, try_parse_phone(NULL) IS NULL,
       phone_reason(NULL, 'IL') IS NULL, phone_reason('050', NULL) IS NULL;

-- Without a region, the forms with one argument read under kelvane.region, and need it.
SELECT error_of('SELECT parse_phone(''050-1234567'')'),
       error_of('SELECT try_parse_phone(''050-1234567'')');
SET kelvane.region = 'IL';
SELECT parse_phone('050-1234567'), try_parse_phone('050-1234567'), try_parse_phone('050-12'),
       error_of('SELECT parse_phone(''050-12'')');
SET kelvane.region = 'US';
SELECT parse_phone('212-555-1234'), try_parse_phone('050-1234567');

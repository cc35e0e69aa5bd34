-- The numbers in free text: extract_phones.
-- (pg_regress creates the extension; each file keeps its tables apart.)
CREATE SCHEMA extract_test;
SET search_path = extract_test, public;
\set SHOW_CONTEXT never

-- The first region a backend checks is checked too.
SELECT * FROM extract_phones('050-1234567', '');
SELECT phone_format('+972501234567', 'e164', '');
-- Line by line, as kelvane-cli extract reads a file: LF or CR LF ends a line, a number never
-- runs over a line's end, and a byte-order mark at the very start is not text.
SELECT * FROM extract_phones(E'\uFEFFcall 050-1234567 or +1 212 555 1234\r\n'
  'the office: 03-6123456, fax 03-6123457\n050-123\n4567\n\n+44 20 7946 0018', 'IL');
SELECT * FROM extract_phones('', 'IL');
-- How sure the match must be.
SELECT leniency, array_agg(phone ORDER BY phone)
FROM unnest(ARRAY['possible', 'valid', 'strict', 'exact']) leniency,
     extract_phones('050-1234567, 0501234568, 05-01234569, 050 12 345 70, 050-123', 'IL', leniency)
       AS phone
GROUP BY leniency ORDER BY leniency;
SELECT * FROM extract_phones('050-1234567', 'IL', 'lenient');
SELECT * FROM extract_phones('050-1234567', 'XX');
SELECT * FROM extract_phones(NULL, 'IL');

-- A set like any other: in the select list LIMIT stops the search early (a function in FROM
-- runs to its end first), and a join takes every text's numbers.
SELECT extract_phones(repeat(E'050-1234567\n', 100000), 'IL') LIMIT 2;
SELECT n, phone FROM (VALUES (1, 'dial 050-1234567'), (2, 'no number'),
  (3, '03-6123456 or 03-6123457')) v(n, note), extract_phones(note, 'IL') phone ORDER BY n, phone;

-- statement_timeout (and a cancel, which takes the same way) stops a long search, of many
-- lines or of one long line, and the next query finds the backend well.
SET statement_timeout = '1s';
SELECT count(*) FROM extract_phones(repeat(E'call 050-1234567 today\n', 2000000), 'IL');
SELECT count(*) FROM extract_phones(repeat('call 050-1234567 today ', 1000000), 'IL');
RESET statement_timeout;
SELECT count(*) FROM extract_phones(repeat(E'call 050-1234567 today\n', 1000), 'IL');

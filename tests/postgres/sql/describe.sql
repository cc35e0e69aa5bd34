-- What a number is: phone_format, phone_type, phone_region and phone_place.
-- (pg_regress creates the extension; each file keeps its tables apart.)
CREATE SCHEMA describe_test;
SET search_path = describe_test, public;
\set SHOW_CONTEXT never

CREATE TABLE numbers (phone phone_number);
INSERT INTO numbers VALUES ('+972501234567'), ('+97236123456'), ('+9721800123456'),
  ('+9721919123456'), ('+972771234567'), ('+12125551234'), ('+442079460018'), ('+447012345678'),
  ('+447640123456'), ('+80012345678'), ('+390612345678'), ('+4930901820');

-- Each format; national only for numbers of the region given, the others stay international,
-- so that the text reads back as the same number.
SELECT phone, phone_format(phone, 'e164') AS e164, phone_format(phone, 'international') AS intl,
       phone_format(phone, 'rfc3966') AS rfc3966, phone_format(phone, 'national', 'IL') AS il,
       phone_format(phone, 'national', 'gb') AS gb
FROM numbers ORDER BY phone;
SELECT bool_and(parse_phone(phone_format(phone, f, 'IL'), 'IL') = phone)
FROM numbers, unnest(ARRAY['e164', 'international', 'national', 'rfc3966']) f;
SELECT phone_format('+972501234567', 'national');
SELECT phone_format('+972501234567', 'E164');
SELECT phone_format('+972501234567', 'national', 'XX');
SELECT phone_format('+972501234567', 'e164', 'XX');

-- Kind, region and place, as kelvane-cli info gives them.
SELECT phone, phone_type(phone), phone_region(phone), phone_place(phone) AS place,
       phone_place(phone, 'de') AS place_de, phone_place(phone, 'zh') AS place_zh
FROM numbers ORDER BY phone;
SELECT phone_place('+97236123456', 'english');
SELECT phone_place('+97236123456', 'e1');

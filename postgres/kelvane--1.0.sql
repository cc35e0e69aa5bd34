-- SPDX-License-Identifier: GPL-3.0-or-later
-- kelvane 1.0: the telephone-number engine of kelvane-cli, inside the server.
\echo Use "CREATE EXTENSION kelvane" to load this file. \quit

-- Volatility: a function given the region is immutable, as its answer depends on its arguments
-- and the library's numbering-plan metadata only, which the package's version fixes (REINDEX
-- after an upgrade of libphonenumber); one that reads kelvane.region is stable. Every function
-- is parallel safe: each process keeps its own caches. COST: the library spends some 10 to 25
-- microseconds on a number it has not read lately, a hundred times a comparison.

CREATE TYPE phone_number;

CREATE FUNCTION phone_number_in(cstring) RETURNS phone_number
  AS 'MODULE_PATHNAME' LANGUAGE C STABLE STRICT PARALLEL SAFE;
CREATE FUNCTION phone_number_out(phone_number) RETURNS cstring
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
CREATE FUNCTION phone_number_recv(internal) RETURNS phone_number
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;
-- The key is a bigint's eight bytes: the server's own bigint functions send, compare and hash it.
CREATE FUNCTION phone_number_send(phone_number) RETURNS bytea
  AS 'int8send' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE;

-- A valid number as its E.164 digits read as one integer: +972 50-123-4567 is 972501234567.
CREATE TYPE phone_number (
  INPUT = phone_number_in,
  OUTPUT = phone_number_out,
  RECEIVE = phone_number_recv,
  SEND = phone_number_send,
  INTERNALLENGTH = 8,
  PASSEDBYVALUE,
  ALIGNMENT = double,
  STORAGE = plain
);
COMMENT ON TYPE phone_number IS
  'a valid telephone number, kept as its E.164 digits in 8 bytes; ordered as those digits read as one integer';

CREATE CAST (text AS phone_number) WITH INOUT AS ASSIGNMENT;
CREATE CAST (phone_number AS text) WITH INOUT AS ASSIGNMENT;
CREATE CAST (phone_number AS bigint) WITHOUT FUNCTION;

-- Reading lines as numbers.
CREATE FUNCTION parse_phone(line text, region text) RETURNS phone_number
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 100;
CREATE FUNCTION parse_phone(line text) RETURNS phone_number
  AS 'MODULE_PATHNAME' LANGUAGE C STABLE STRICT PARALLEL SAFE COST 100;
CREATE FUNCTION try_parse_phone(line text, region text) RETURNS phone_number
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 100;
CREATE FUNCTION try_parse_phone(line text) RETURNS phone_number
  AS 'MODULE_PATHNAME' LANGUAGE C STABLE STRICT PARALLEL SAFE COST 100;
CREATE FUNCTION phone_reason(line text, region text) RETURNS text
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 100;

-- What a number is.
CREATE FUNCTION phone_format(number phone_number, format text) RETURNS text
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 100;
CREATE FUNCTION phone_format(number phone_number, format text, region text) RETURNS text
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 100;
CREATE FUNCTION phone_type(number phone_number) RETURNS text
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 100;
CREATE FUNCTION phone_region(number phone_number) RETURNS text
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 100;
CREATE FUNCTION phone_place(number phone_number, language text DEFAULT 'en') RETURNS text
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 100;

-- The numbers in free text, line by line.
CREATE FUNCTION extract_phones(free_text text, region text, leniency text DEFAULT 'valid')
  RETURNS SETOF phone_number
  AS 'MODULE_PATHNAME' LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE COST 1000 ROWS 4;

-- Comparison: the bigint functions, on the keys.
CREATE FUNCTION phone_number_eq(phone_number, phone_number) RETURNS boolean
  AS 'int8eq' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION phone_number_ne(phone_number, phone_number) RETURNS boolean
  AS 'int8ne' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION phone_number_lt(phone_number, phone_number) RETURNS boolean
  AS 'int8lt' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION phone_number_le(phone_number, phone_number) RETURNS boolean
  AS 'int8le' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION phone_number_gt(phone_number, phone_number) RETURNS boolean
  AS 'int8gt' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION phone_number_ge(phone_number, phone_number) RETURNS boolean
  AS 'int8ge' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION phone_number_cmp(phone_number, phone_number) RETURNS integer
  AS 'btint8cmp' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION phone_number_sortsupport(internal) RETURNS void
  AS 'btint8sortsupport' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE;
CREATE FUNCTION phone_number_hash(phone_number) RETURNS integer
  AS 'hashint8' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;
CREATE FUNCTION phone_number_hash_extended(phone_number, bigint) RETURNS bigint
  AS 'hashint8extended' LANGUAGE internal IMMUTABLE STRICT PARALLEL SAFE LEAKPROOF;

CREATE OPERATOR = (
  LEFTARG = phone_number, RIGHTARG = phone_number, FUNCTION = phone_number_eq,
  COMMUTATOR = =, NEGATOR = <>, RESTRICT = eqsel, JOIN = eqjoinsel, HASHES, MERGES
);
CREATE OPERATOR <> (
  LEFTARG = phone_number, RIGHTARG = phone_number, FUNCTION = phone_number_ne,
  COMMUTATOR = <>, NEGATOR = =, RESTRICT = neqsel, JOIN = neqjoinsel
);
CREATE OPERATOR < (
  LEFTARG = phone_number, RIGHTARG = phone_number, FUNCTION = phone_number_lt,
  COMMUTATOR = >, NEGATOR = >=, RESTRICT = scalarltsel, JOIN = scalarltjoinsel
);
CREATE OPERATOR <= (
  LEFTARG = phone_number, RIGHTARG = phone_number, FUNCTION = phone_number_le,
  COMMUTATOR = >=, NEGATOR = >, RESTRICT = scalarlesel, JOIN = scalarlejoinsel
);
CREATE OPERATOR > (
  LEFTARG = phone_number, RIGHTARG = phone_number, FUNCTION = phone_number_gt,
  COMMUTATOR = <, NEGATOR = <=, RESTRICT = scalargtsel, JOIN = scalargtjoinsel
);
CREATE OPERATOR >= (
  LEFTARG = phone_number, RIGHTARG = phone_number, FUNCTION = phone_number_ge,
  COMMUTATOR = <=, NEGATOR = <, RESTRICT = scalargesel, JOIN = scalargejoinsel
);

CREATE OPERATOR CLASS phone_number_ops DEFAULT FOR TYPE phone_number USING btree AS
  OPERATOR 1 <,
  OPERATOR 2 <=,
  OPERATOR 3 =,
  OPERATOR 4 >=,
  OPERATOR 5 >,
  FUNCTION 1 phone_number_cmp(phone_number, phone_number),
  FUNCTION 2 phone_number_sortsupport(internal),
  FUNCTION 4 btequalimage(oid);

CREATE OPERATOR CLASS phone_number_ops DEFAULT FOR TYPE phone_number USING hash AS
  OPERATOR 1 =,
  FUNCTION 1 phone_number_hash(phone_number),
  FUNCTION 2 phone_number_hash_extended(phone_number, bigint);

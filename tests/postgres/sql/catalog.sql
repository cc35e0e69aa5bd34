-- What the extension puts in the catalog: every function parallel safe, with the strictest
-- volatility that is true: immutable given the region, stable where kelvane.region is read.
-- (pg_regress creates the extension; each file keeps its tables apart.)
CREATE SCHEMA catalog_test;
SET search_path = catalog_test, public;

SELECT p.oid::regprocedure AS function, p.provolatile AS volatility, p.proparallel AS parallel,
       p.proisstrict AS strict
FROM pg_proc p
JOIN pg_depend d ON d.classid = 'pg_proc'::regclass AND d.objid = p.oid AND d.deptype = 'e'
JOIN pg_extension e ON e.oid = d.refobjid AND e.extname = 'kelvane'
ORDER BY p.oid::regprocedure::text;

-- The forms that read the setting are stable, every other is immutable, none is volatile or
-- less than parallel safe.
SELECT p.oid::regprocedure AS reads_setting
FROM pg_proc p
JOIN pg_depend d ON d.classid = 'pg_proc'::regclass AND d.objid = p.oid AND d.deptype = 'e'
JOIN pg_extension e ON e.oid = d.refobjid AND e.extname = 'kelvane'
WHERE p.provolatile <> 'i' OR p.proparallel <> 's'
ORDER BY p.oid::regprocedure::text;

-- The default operator classes, for indexes, merge and hash joins.
SELECT am.amname, oc.opcname, oc.opcdefault
FROM pg_opclass oc JOIN pg_am am ON am.oid = oc.opcmethod
WHERE oc.opcintype = 'phone_number'::regtype ORDER BY am.amname;
SELECT oprname, oprcanmerge, oprcanhash FROM pg_operator
WHERE oprleft = 'phone_number'::regtype ORDER BY oprname;
SELECT castsource::regtype, casttarget::regtype, castcontext, castmethod FROM pg_cast
WHERE 'phone_number'::regtype IN (castsource, casttarget) ORDER BY castsource::regtype::text,
  casttarget::regtype::text;
SELECT typlen, typbyval, typalign FROM pg_type WHERE oid = 'phone_number'::regtype;

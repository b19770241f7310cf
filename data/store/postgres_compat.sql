-- What the store statements take from SQL Server and Oracle, for PostgreSQL: CHARINDEX, ISNULL,
-- '+' between texts and TRUNC of a timestamp. CONVERT(VARCHAR, x, 103) cannot be given this way
-- (VARCHAR parses as a column); the till query has a variant of its own for PostgreSQL.

-- CHARINDEX(needle, haystack): 1-based position, 0 when absent or when the needle is empty.
CREATE FUNCTION charindex(needle text, haystack text) RETURNS integer
    LANGUAGE sql IMMUTABLE
    AS $$ SELECT CASE WHEN needle = '' THEN 0 ELSE strpos(haystack, needle) END $$;

-- ISNULL(value, replacement), over any two types with a common one (numeric and integer).
CREATE FUNCTION "isnull"(anycompatible, anycompatible) RETURNS anycompatible
    LANGUAGE sql IMMUTABLE
    AS $$ SELECT coalesce($1, $2) $$;

-- '%' + text: concatenation, as SQL Server's '+' between texts.
CREATE FUNCTION tsql_concat(text, text) RETURNS text
    LANGUAGE sql IMMUTABLE
    AS $$ SELECT $1 || $2 $$;
CREATE OPERATOR + (LEFTARG = text, RIGHTARG = text, FUNCTION = tsql_concat);

-- Oracle's TRUNC(date): the day of a timestamp.
CREATE FUNCTION trunc(timestamp) RETURNS date
    LANGUAGE sql IMMUTABLE
    AS $$ SELECT $1::date $$;

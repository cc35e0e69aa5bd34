/* SPDX-License-Identifier: GPL-3.0-or-later */
/* Reading lines as numbers, and what a number is: the functions on single values. A region given
 * as an argument makes a function immutable; without it, kelvane.region is read. */
#include "postgres/Server.h"

#include "fmgr.h"
#include "utils/builtins.h"

PG_FUNCTION_INFO_V1(parse_phone);
PG_FUNCTION_INFO_V1(try_parse_phone);
PG_FUNCTION_INFO_V1(phone_reason);
PG_FUNCTION_INFO_V1(phone_format);
PG_FUNCTION_INFO_V1(phone_type);
PG_FUNCTION_INFO_V1(phone_region);
PG_FUNCTION_INFO_V1(phone_place);

/* Reads argument 0 under the region of argument 1, or of the setting when there is none.
 * Returns PHONE_OK (the key in *key) or PHONE_NOT_VALID (the reason in the engine's answer);
 * raises the other errors. */
static PhoneStatus read_line(FunctionCallInfo fcinfo, uint64* key) {
    text* line = PG_GETARG_TEXT_PP(0);
    text* given = PG_NARGS() > 1 ? PG_GETARG_TEXT_PP(1) : NULL;
    const PhoneText region = given ? to_engine(given) : setting_region();
    const PhoneStatus status = engine_parse(to_engine(line), region, key);

    if (status != PHONE_OK && status != PHONE_NOT_VALID)
        raise_phone_error(status, given ? shown_text(given) : kelvane_region);
    return status;
}

Datum parse_phone(PG_FUNCTION_ARGS) {
    uint64 key = 0;

    if (read_line(fcinfo, &key) == PHONE_NOT_VALID)
        raise_not_valid("phone_number", shown_text(PG_GETARG_TEXT_PP(0)));
    PG_RETURN_INT64((int64)key);
}

Datum try_parse_phone(PG_FUNCTION_ARGS) {
    uint64 key = 0;

    if (read_line(fcinfo, &key) == PHONE_NOT_VALID) PG_RETURN_NULL();
    PG_RETURN_INT64((int64)key);
}

/* Why the line is not a valid number, in kelvane-cli's words; "" for a valid one. */
Datum phone_reason(PG_FUNCTION_ARGS) {
    uint64 key = 0;

    if (read_line(fcinfo, &key) == PHONE_OK) PG_RETURN_TEXT_P(cstring_to_text(""));
    PG_RETURN_TEXT_P(answer_text());
}

Datum phone_format(PG_FUNCTION_ARGS) {
    const uint64 key = (uint64)PG_GETARG_INT64(0);
    text* format = PG_GETARG_TEXT_PP(1);
    text* region = PG_NARGS() > 2 ? PG_GETARG_TEXT_PP(2) : NULL;
    const PhoneStatus status =
        engine_format(key, to_engine(format), region ? to_engine(region) : (PhoneText){NULL, 0});

    if (status != PHONE_OK)
        raise_phone_error(status, shown_text(status == PHONE_BAD_REGION ? region : format));
    PG_RETURN_TEXT_P(answer_text());
}

Datum phone_type(PG_FUNCTION_ARGS) {
    const PhoneStatus status = engine_type_name((uint64)PG_GETARG_INT64(0));

    if (status != PHONE_OK) raise_phone_error(status, NULL);
    PG_RETURN_TEXT_P(answer_text());
}

Datum phone_region(PG_FUNCTION_ARGS) {
    const PhoneStatus status = engine_region_name((uint64)PG_GETARG_INT64(0));

    if (status != PHONE_OK) raise_phone_error(status, NULL);
    PG_RETURN_TEXT_P(answer_text());
}

Datum phone_place(PG_FUNCTION_ARGS) {
    text* language = PG_GETARG_TEXT_PP(1);
    const PhoneStatus status = engine_place((uint64)PG_GETARG_INT64(0), to_engine(language));

    if (status != PHONE_OK) raise_phone_error(status, shown_text(language));
    PG_RETURN_TEXT_P(answer_text());
}

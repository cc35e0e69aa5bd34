/* SPDX-License-Identifier: GPL-3.0-or-later */
/* The type phone_number: a valid number's key (its E.164 digits as one integer), 8 bytes passed
 * by value. Comparison, hashing and binary output are the server's own bigint functions (see
 * kelvane--1.0.sql); what is here reads and writes the numbers. */
#include "postgres/Server.h"

#include "fmgr.h"
#include "libpq/pqformat.h"

PG_FUNCTION_INFO_V1(phone_number_in);
PG_FUNCTION_INFO_V1(phone_number_out);
PG_FUNCTION_INFO_V1(phone_number_recv);

/* Any writing under kelvane.region; with the setting empty, a number with its country code. */
Datum phone_number_in(PG_FUNCTION_ARGS) {
    const char* input = PG_GETARG_CSTRING(0);
    const bool regionSet = kelvane_region != NULL && kelvane_region[0] != '\0';
    const PhoneText region = {regionSet ? kelvane_region : NULL,
                              regionSet ? strlen(kelvane_region) : 0};
    uint64 key = 0;
    const PhoneStatus status = engine_parse(cstring_to_engine(input), region, &key);

    if (status == PHONE_NOT_VALID) {
        const PhoneText reason = engine_answer();

        ereport(ERROR, (errcode(ERRCODE_INVALID_TEXT_REPRESENTATION),
                        errmsg("invalid input syntax for type %s: \"%s\"", "phone_number",
                               shown_cstring(input)),
                        errdetail("%.*s", (int)reason.size, reason.data),
                        regionSet ? 0
                                  : errhint("kelvane.region is not set: write the number with its "
                                            "country code, as +972 50-123-4567, or SET "
                                            "kelvane.region to the region of numbers written "
                                            "without one.")));
    }
    if (status != PHONE_OK) raise_phone_error(status, kelvane_region);
    PG_RETURN_INT64((int64)key);
}

Datum phone_number_out(PG_FUNCTION_ARGS) {
    PG_RETURN_CSTRING(psprintf("+" UINT64_FORMAT, (uint64)PG_GETARG_INT64(0)));
}

/* Anyone can send any eight bytes: only a valid number's key is taken. */
Datum phone_number_recv(PG_FUNCTION_ARGS) {
    StringInfo buffer = (StringInfo)PG_GETARG_POINTER(0);
    const int64 key = pq_getmsgint64(buffer);
    const PhoneStatus status = engine_check_key((uint64)key);

    if (status == PHONE_NOT_VALID) {
        ereport(ERROR,
                (errcode(ERRCODE_INVALID_BINARY_REPRESENTATION),
                 errmsg("invalid telephone number key " INT64_FORMAT " in binary input", key)));
    }
    if (status != PHONE_OK) raise_phone_error(status, NULL);
    PG_RETURN_INT64(key);
}

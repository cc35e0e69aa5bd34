/* SPDX-License-Identifier: GPL-3.0-or-later */
/* The extension's module: its setting, and the passage of text and errors between the server
 * and the engine. */
#include "postgres/Server.h"

#include "fmgr.h"
#include "mb/pg_wchar.h"
#include "utils/builtins.h"
#include "utils/guc.h"

PG_MODULE_MAGIC;

/* An error message shows at most this many bytes of a value (a list line can be any size). */
#define SHOWN_BYTES 60

char* kelvane_region = NULL;

/* Accepts "" (not set) or a region the library knows, written in capitals whatever was given
 * (the server takes a replaced value from malloc). */
static bool check_region(char** newval, void** extra, GucSource source) {
    PhoneText answer;
    char* code;
    PhoneStatus status;

    (void)extra;
    (void)source;
    if (*newval == NULL || **newval == '\0') return true;
    status = engine_region_code((PhoneText){*newval, strlen(*newval)});
    if (status == PHONE_BAD_REGION) {
        GUC_check_errdetail("A region is a two-letter country code, such as US or IL.");
        return false;
    }
    if (status != PHONE_OK) {
        GUC_check_errdetail("The telephone-number engine could not check the region.");
        return false;
    }
    answer = engine_answer();
    code = malloc(answer.size + 1);
    if (code == NULL) return false;
    memcpy(code, answer.data, answer.size);
    code[answer.size] = '\0';
    free(*newval);
    *newval = code;
    return true;
}

void _PG_init(void);

void _PG_init(void) {
    DefineCustomStringVariable(
        "kelvane.region", "The region of telephone numbers written without a country code.",
        "A two-letter country code, such as IL. Not set (empty), only numbers written with "
        "their country code are read as phone_number.",
        &kelvane_region, "", PGC_USERSET, 0, check_region, NULL, NULL);
    MarkGUCPrefixReserved("kelvane");
}

PhoneText setting_region(void) {
    if (kelvane_region == NULL || kelvane_region[0] == '\0') {
        ereport(ERROR, (errcode(ERRCODE_OBJECT_NOT_IN_PREREQUISITE_STATE),
                        errmsg("kelvane.region is not set"),
                        errhint("SET kelvane.region to the region of numbers written without a "
                                "country code, such as 'IL', or give the region as an "
                                "argument.")));
    }
    return (PhoneText){kelvane_region, strlen(kelvane_region)};
}

/* The engine reads UTF-8; a SQL_ASCII database's bytes go as they are (the engine refuses a
 * line that is not UTF-8). */
static bool reads_as_is(void) {
    const int encoding = GetDatabaseEncoding();
    return encoding == PG_UTF8 || encoding == PG_SQL_ASCII;
}

static PhoneText utf8_of(const char* data, size_t size) {
    char* converted;

    if (reads_as_is()) return (PhoneText){data, size};
    converted = pg_server_to_any(data, (int)size, PG_UTF8);
    return (PhoneText){converted, converted == data ? size : strlen(converted)};
}

PhoneText to_engine(text* value) {
    return utf8_of(VARDATA_ANY(value), VARSIZE_ANY_EXHDR(value));
}

PhoneText cstring_to_engine(const char* value) {
    return utf8_of(value, strlen(value));
}

text* answer_text(void) {
    const PhoneText answer = engine_answer();
    char* converted;

    if (reads_as_is()) return cstring_to_text_with_len(answer.data, (int)answer.size);
    converted = pg_any_to_server(answer.data, (int)answer.size, PG_UTF8);
    return cstring_to_text_with_len(
        converted, converted == answer.data ? (int)answer.size : (int)strlen(converted));
}

static char* shown(const char* data, int size) {
    const int kept = pg_mbcliplen(data, size, SHOWN_BYTES);
    return psprintf("%.*s%s", kept, data, kept < size ? "..." : "");
}

char* shown_text(text* value) {
    return shown(VARDATA_ANY(value), (int)VARSIZE_ANY_EXHDR(value));
}

char* shown_cstring(const char* value) {
    return shown(value, (int)strlen(value));
}

void raise_phone_error(PhoneStatus status, const char* argument) {
    const PhoneText answer = engine_answer();

    switch (status) {
        case PHONE_BAD_REGION:
            ereport(ERROR, (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
                            errmsg("unknown region \"%s\"", argument),
                            errhint("A region is a two-letter country code, such as US or IL.")));
            break;
        case PHONE_BAD_FORMAT:
            ereport(ERROR, (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
                            errmsg("unknown telephone number format \"%s\"", argument),
                            errhint("The formats are e164, international, national and rfc3966.")));
            break;
        case PHONE_NEEDS_REGION:
            ereport(ERROR, (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
                            errmsg("the national format needs a region"),
                            errhint("Give the region after the format, as in "
                                    "phone_format(number, 'national', 'IL').")));
            break;
        case PHONE_BAD_LANGUAGE:
            ereport(ERROR, (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
                            errmsg("unknown language \"%s\"", argument),
                            errhint("A language is a two- or three-letter code (ISO 639), such "
                                    "as en or he.")));
            break;
        case PHONE_BAD_LENIENCY:
            ereport(ERROR, (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
                            errmsg("unknown leniency \"%s\"", argument),
                            errhint("The leniencies are possible, valid, strict and exact.")));
            break;
        case PHONE_NO_MEMORY:
            ereport(ERROR, (errcode(ERRCODE_OUT_OF_MEMORY), errmsg("out of memory"),
                            errdetail("The telephone-number engine could not allocate memory.")));
            break;
        default:
            ereport(ERROR, (errcode(ERRCODE_INTERNAL_ERROR),
                            errmsg("the telephone-number engine failed: %.*s", (int)answer.size,
                                   answer.data)));
    }
    pg_unreachable();
}

void raise_not_valid(const char* type, const char* line) {
    const PhoneText reason = engine_answer();

    ereport(ERROR, (errcode(ERRCODE_INVALID_TEXT_REPRESENTATION),
                    errmsg("invalid input syntax for type %s: \"%s\"", type, line),
                    errdetail("%.*s", (int)reason.size, reason.data)));
    pg_unreachable();
}

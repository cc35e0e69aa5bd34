/* SPDX-License-Identifier: GPL-3.0-or-later */
#pragma once

/*
 * The telephone-number engine as the server's C code calls it. The server reports errors by
 * jumping (ereport, palloc, CHECK_FOR_INTERRUPTS), which would skip the destructors of C++
 * objects, and a C++ exception must not unwind through the server's frames: so every function
 * here catches whatever the engine throws and answers with a status, and the caller raises the
 * server's errors outside the engine. Nothing here calls the server.
 *
 * The engine works in UTF-8; its answers stay valid until the next call. It starts no threads,
 * and its caches are per process and bounded (see PhoneEngine.cpp).
 */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef enum PhoneStatus {
    PHONE_OK,
    PHONE_NOT_VALID,    /* the line is not a valid number: engine_answer() gives the reason */
    PHONE_BAD_REGION,   /* a region the library does not know */
    PHONE_BAD_FORMAT,   /* not e164, international, national or rfc3966 */
    PHONE_NEEDS_REGION, /* the national format without a region */
    PHONE_BAD_LANGUAGE, /* not a language code (ISO 639, as "he", maybe with a script) */
    PHONE_BAD_LENIENCY, /* not possible, valid, strict or exact */
    PHONE_DONE,         /* a finder has found every number */
    PHONE_NO_MEMORY,
    PHONE_FAILED /* the engine threw something else: engine_answer() gives its text */
} PhoneStatus;

/* A piece of text the caller owns; not NUL-terminated. */
typedef struct PhoneText {
    const char* data;
    size_t size;
} PhoneText;

/* The text the last call answered with (a reason, a formatted number, a name, a failure). */
PhoneText engine_answer(void);

/* The key of the number `line` writes, read under `region` (two letters, any case); with no
 * region (data NULL) only numbers written with their country code are read. */
PhoneStatus engine_parse(PhoneText line, PhoneText region, uint64_t* key);

/* PHONE_OK when `region` is one the library knows; the answer is its code in capitals. */
PhoneStatus engine_region_code(PhoneText region);

/* PHONE_OK when `key` is the key of a valid number (binary input, which anyone can send). */
PhoneStatus engine_check_key(uint64_t key);

/* The number in `format`; national needs `region` (data NULL: none), and numbers of other
 * regions stay international. */
PhoneStatus engine_format(uint64_t key, PhoneText format, PhoneText region);

/* The number's kind ("mobile", ...), its region ("IL", "001" for a non-geographic one) and its
 * place named in `language`, as kelvane-cli info gives them. */
PhoneStatus engine_type_name(uint64_t key);
PhoneStatus engine_region_name(uint64_t key);
PhoneStatus engine_place(uint64_t key, PhoneText language);

/* The numbers in free text, line by line as kelvane-cli extract reads a file, one step a call so
 * that the caller can look for a cancel between two. `text` must outlive the finder. */
typedef struct PhoneFinder PhoneFinder;
PhoneStatus engine_finder_start(PhoneText text, PhoneText region, PhoneText leniency,
                                PhoneFinder** finder);
/* PHONE_OK with *found set when a number was found (its key in *key), with *found cleared when
 * the step ended without one; PHONE_DONE at the end. */
PhoneStatus engine_finder_step(PhoneFinder* finder, int* found, uint64_t* key);
void engine_finder_end(PhoneFinder* finder);

#ifdef __cplusplus
}
#endif

/* SPDX-License-Identifier: GPL-3.0-or-later */
#pragma once

/* What the extension's SQL functions share: the setting kelvane.region, the way text goes to the
 * engine and back, and the errors the engine's statuses stand for. */

#include "postgres.h"

#include "postgres/PhoneEngine.h"

/* kelvane.region: the region of numbers written without a country code; "" when not set. */
extern char* kelvane_region;

/* The setting's region, or an error when it is not set. */
PhoneText setting_region(void);

/* `value` as the engine reads it: UTF-8 (or the bytes as they are in a SQL_ASCII database). */
PhoneText to_engine(text* value);
PhoneText cstring_to_engine(const char* value);

/* The engine's last answer as a text value of the database's encoding. */
text* answer_text(void);

/* `value` cut short for an error message. */
char* shown_text(text* value);
char* shown_cstring(const char* value);

/* Raises the error `status` stands for (anything but PHONE_OK and PHONE_DONE); `argument` is
 * the value given for the region, format, language or leniency the status is about. */
void raise_phone_error(PhoneStatus status, const char* argument) pg_attribute_noreturn();

/* Raises 22P02 for `line`, which is not a valid number, with the engine's reason as DETAIL. */
void raise_not_valid(const char* type, const char* line) pg_attribute_noreturn();

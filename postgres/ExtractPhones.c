/* SPDX-License-Identifier: GPL-3.0-or-later */
/* extract_phones: the numbers in free text, a row each. The engine searches a step at a time and
 * the server looks for a cancel between two, so a long text does not hold a query past its
 * statement_timeout. The engine's finder is freed with the function's memory, whether the scan
 * ends, stops early or fails. */
#include "postgres/Server.h"

#include "fmgr.h"
#include "funcapi.h"
#include "miscadmin.h"

PG_FUNCTION_INFO_V1(extract_phones);

typedef struct FinderState {
    PhoneFinder* finder;
} FinderState;

static void end_finder(void* argument) {
    FinderState* state = (FinderState*)argument;

    if (state->finder != NULL) engine_finder_end(state->finder);
    state->finder = NULL;
}

static FinderState* start_finder(FunctionCallInfo fcinfo, MemoryContext memory) {
    const MemoryContext caller = MemoryContextSwitchTo(memory);
    /* The text and its converted copy stay in the function's memory, as the finder reads it. */
    text* free_text = PG_GETARG_TEXT_PP(0);
    text* region = PG_GETARG_TEXT_PP(1);
    text* leniency = PG_GETARG_TEXT_PP(2);
    FinderState* state = palloc0(sizeof(FinderState));
    MemoryContextCallback* ending = palloc0(sizeof(MemoryContextCallback));
    const PhoneText lines = to_engine(free_text);
    PhoneStatus status;

    /* Registered before the finder exists: nothing can fail between the two. */
    ending->func = end_finder;
    ending->arg = state;
    MemoryContextRegisterResetCallback(memory, ending);
    status = engine_finder_start(lines, to_engine(region), to_engine(leniency), &state->finder);
    MemoryContextSwitchTo(caller);
    if (status != PHONE_OK)
        raise_phone_error(status, shown_text(status == PHONE_BAD_LENIENCY ? leniency : region));
    return state;
}

Datum extract_phones(PG_FUNCTION_ARGS) {
    FuncCallContext* call;
    FinderState* state;

    if (SRF_IS_FIRSTCALL()) {
        call = SRF_FIRSTCALL_INIT();
        call->user_fctx = start_finder(fcinfo, call->multi_call_memory_ctx);
    }
    call = SRF_PERCALL_SETUP();
    state = (FinderState*)call->user_fctx;
    for (;;) {
        int found = 0;
        uint64 key = 0;
        PhoneStatus status;

        CHECK_FOR_INTERRUPTS();
        status = engine_finder_step(state->finder, &found, &key);
        if (status == PHONE_DONE) SRF_RETURN_DONE(call);
        if (status != PHONE_OK) raise_phone_error(status, NULL);
        if (found) SRF_RETURN_NEXT(call, Int64GetDatum((int64)key));
    }
}

#pragma once

#include "AAX_CHostServices.h"

/** Reports a broken invariant to the host with the source file and line; does not stop the caller. */
#define AAX_ASSERT(condition)                                                                                          \
    do                                                                                                                 \
    {                                                                                                                  \
        if (! (condition))                                                                                             \
            AAX_CHostServices::HandleAssertFailure (__FILE__, __LINE__, #condition, AAX_eAssertFlags_Log);             \
    } while (false)

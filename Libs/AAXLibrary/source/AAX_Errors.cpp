#include "AAX_Errors.h"

const char* AAX::AsStringResult (AAX_Result result) noexcept
{
    if (result == AAX_SUCCESS)
        return "AAX_SUCCESS";

    if (result <= AAX_ERROR_INVALID_PARAMETER_ID && result >= AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW)
        return AAX::namedErrors[AAX_ERROR_INVALID_PARAMETER_ID - result];

    if (result <= AAX_ERROR_PLUGIN_BEGIN && result >= AAX_ERROR_PLUGIN_END)
        return "plug-in defined error";

    return "<unknown error code>";
}

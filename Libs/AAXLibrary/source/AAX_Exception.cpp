#include "AAX_Exception.h"

#include "AAX_Errors.h"

namespace
{
std::string composeWhat (const std::string& description, const std::string& function, const std::string& line)
{
    auto what = description;

    if (! function.empty())
        what += " func:" + function;

    if (! line.empty())
        what += " line:" + line;

    return what;
}
} // namespace

AAX::Exception::Any::Any (const std::string& descriptionToUse, const std::string& functionToUse,
                          const std::string& lineToUse)
    : description (descriptionToUse),
      function (functionToUse),
      line (lineToUse),
      whatText (composeWhat (description, function, line))
{
}

AAX::Exception::ResultError::ResultError (AAX_Result resultToUse)
    : Any (std::string (AAX::AsStringResult (resultToUse)) + " (" + std::to_string (resultToUse) + ")"),
      result (resultToUse)
{
}

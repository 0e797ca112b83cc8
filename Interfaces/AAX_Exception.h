#pragma once

#include "AAX.h"

#include <string>

namespace AAX
{
namespace Exception
{
/** The base of the library's exceptions: a description, where it was raised, and the composed text. */
class Any
{
public:
    explicit Any (const std::string& description, const std::string& function = {}, const std::string& line = {});
    virtual ~Any() = default;

    const std::string& What() const noexcept { return whatText; }
    const std::string& Desc() const noexcept { return description; }
    const std::string& Function() const noexcept { return function; }
    const std::string& Line() const noexcept { return line; }

private:
    std::string description, function, line, whatText;
};

/** A result code that was not accepted; its description is the code's name and the code. */
class ResultError : public Any
{
public:
    explicit ResultError (AAX_Result result);

    AAX_Result Result() const noexcept { return result; }

private:
    AAX_Result result;
};
} // namespace Exception
} // namespace AAX

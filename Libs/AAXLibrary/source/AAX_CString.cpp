#include "AAX_CString.h"

#include <cstring>
#include <iomanip>
#include <locale>
#include <sstream>

namespace
{
// The standard string's constructor from a null text is undefined: a null text is an empty one.
const char* orEmpty (const char* text)
{
    return text != nullptr ? text : "";
}
} // namespace

AAX_CString::AAX_CString (const char* iString)
    : text (orEmpty (iString))
{
}

AAX_CString::AAX_CString (const std::string& iString)
    : text (iString)
{
}

AAX_CString::AAX_CString (const AAX_CString& other)
    : AAX_IString (other),
      text (other.text)
{
}

AAX_CString& AAX_CString::operator= (const AAX_CString& other)
{
    text = other.text;
    return *this;
}

uint32_t AAX_CString::Length() const
{
    return static_cast<uint32_t> (text.length());
}

uint32_t AAX_CString::MaxLength() const
{
    return kMaxLength;
}

const char* AAX_CString::Get() const
{
    return text.c_str();
}

void AAX_CString::Set (const char* iString)
{
    text = orEmpty (iString);
}

AAX_IString& AAX_CString::operator= (const AAX_IString& iOther)
{
    Set (iOther.Get());
    return *this;
}

AAX_IString& AAX_CString::operator= (const char* iString)
{
    Set (iString);
    return *this;
}

bool AAX_CString::operator== (const AAX_CString& other) const
{
    return std::strcmp (Get(), other.Get()) == 0;
}

bool AAX_CString::operator!= (const AAX_CString& other) const
{
    return ! (*this == other);
}

void AAX_CString::AppendNumber (double value, int32_t precision)
{
    std::ostringstream stream;
    stream.imbue (std::locale::classic());
    stream << std::fixed << std::setprecision (precision < 0 ? 0 : precision) << value;
    text += stream.str();
}

void AAX_CString::Clear()
{
    text.clear();
}

void AAX_CString::Erase (uint32_t position, uint32_t count)
{
    // The standard string throws for a position past the end; here nothing is removed.
    if (position < text.length())
        text.erase (position, count);
}

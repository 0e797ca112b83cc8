#pragma once

#include <CoreFoundation/CoreFoundation.h>

#include <string>

namespace vqsim
{
/** A new string with one reference, or null when the bytes are not UTF-8. */
CFStringRef createString (const std::string& utf8);

/** Copies a live string's text; false for null, released or foreign references. */
bool stringToStd (CFStringRef string, std::string& result);

/** Strings created and not yet released, constants not counted. */
int countLiveStrings();
} // namespace vqsim

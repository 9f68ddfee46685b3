// Letter case of 8-bit text by the user's locale, as the system compares and converts it.
#pragma once
#include <string>

namespace velmora::win {

// Three-way comparison without regard to case by the user's locale: negative, zero or positive.
int CompareIgnoringCaseByLocale(const std::string& a, const std::string& b);
bool EqualIgnoringCaseByLocale(const std::string& a, const std::string& b);
// The system's locale-aware upper case (CharUpperBuff); the length never changes.
std::string UpperCaseByLocale(const std::string& text);

}  // namespace velmora::win

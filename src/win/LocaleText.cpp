#include "win/LocaleText.h"

#include <windows.h>

namespace velmora::win {

int CompareIgnoringCaseByLocale(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) -
         CSTR_EQUAL;
}

bool EqualIgnoringCaseByLocale(const std::string& a, const std::string& b) {
  return CompareIgnoringCaseByLocale(a, b) == 0;
}

std::string UpperCaseByLocale(const std::string& text) {
  std::string upper = text;
  if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
  return upper;
}

}  // namespace velmora::win

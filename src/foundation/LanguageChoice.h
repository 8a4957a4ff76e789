#pragma once

#include "platform/SystemInfo.h"

#include <string>
#include <vector>

namespace wigglet {

// The languages the session asks for, best first, read as gettext and Qt read them: the
// LANGUAGE list, then the first of LC_ALL, LC_MESSAGES and LANG; each name also gives its bare
// language ("pt_BR.UTF-8" asks for pt_BR, then pt). The C locale asks for none, LANGUAGE or not.
class LanguageChoice {
  public:
    static std::vector<std::string> of(const LocaleVariables& variables);
};

} // namespace wigglet

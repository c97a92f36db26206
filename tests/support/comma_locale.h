// A locale whose decimal separator is a comma, compiled for the test run, so that the tests can
// show that no number the library reads or writes depends on the host's locale.
#ifndef TRAVERSE_TESTS_COMMA_LOCALE_H
#define TRAVERSE_TESTS_COMMA_LOCALE_H

#include <string>

namespace traverse {

// The name of the locale ("de_DE.UTF-8").
extern const char* const kCommaLocaleName;

// The directory holding the compiled locale, for LOCPATH; compiled at the first call. Empty when
// the locale cannot be compiled on this machine.
const std::string& CommaLocaleDir();

}  // namespace traverse

#endif

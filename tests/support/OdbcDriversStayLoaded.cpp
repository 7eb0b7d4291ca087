// unixODBC unloads a driver when its last connection closes, and a leak report can then no
// longer name the library the allocation came from. Holding every installed driver open for
// the life of the test program keeps the reports readable, so that the sanitizer suppressions
// for leaks inside the drivers (tests/support/lsan.supp) can match them.

#include <dlfcn.h>
#include <glob.h>

#include <cstddef>

namespace {

struct OdbcDriversStayLoaded {
    OdbcDriversStayLoaded() {
        glob_t found{};
        if (::glob("/usr/lib/*/odbc/*.so", 0, nullptr, &found) == 0) {
            for (std::size_t i = 0; i < found.gl_pathc; ++i)
                ::dlopen(found.gl_pathv[i], RTLD_LAZY | RTLD_NODELETE);
        }
        ::globfree(&found);
    }
};

const OdbcDriversStayLoaded kOdbcDriversStayLoaded;

}  // namespace

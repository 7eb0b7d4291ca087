// The connection-string parser, its writer (which must read back to the same pairs) and the
// translations of ODBC and ADO strings. The first byte picks the route.
#include <cstdio>
#include <cstdlib>

#include "ConnectionString.h"
#include "ConnectionTranslation.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text = fuzzBytes(data + 1, size - 1);
    const ConnectionString parsed = ConnectionString::parse(text);
    const std::string written = parsed.write();
    if (ConnectionString::parse(written).entries() != parsed.entries()) {
        std::fprintf(stderr, "written form does not read back: %s\n", written.c_str());
        std::abort();
    }
    const std::vector<std::string> drivers = {"SQLite3", "MDBTools", "FreeTDS", "PostgreSQL Unicode"};
    if (data[0] & 1)
        translateAdoConnect(text, data[0] & 2 ? "user" : "", data[0] & 4 ? "pass;word" : "", drivers);
    else
        translateOdbcConnect(text, drivers);
    return 0;
}

// The cost of reading an Access file through the mdbtools driver in a child process, against
// the same driver in this process: per connection (fork, connect, close) and per table request
// on an open connection. Reads a copy of the packaged test file (fp-units-db-3.2.2).
//
// Usage: isolated-read-bench [--benchmark_* options]

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "CIoTable.h"

namespace {

constexpr const char* kPackagedAccessFile =
    "/usr/share/doc/fp-units-db/3.2.2/examples/odbc/testodbc.mdb.gz";

const std::string& accessCopy() {
    static const std::string path = [] {
        const std::string copy =
            (std::filesystem::temp_directory_path() / "norva-isolated-bench.mdb").string();
        const std::string command =
            std::string("gzip -dc '") + kPackagedAccessFile + "' > '" + copy + "'";
        if (std::system(command.c_str()) != 0) std::abort();
        return copy;
    }();
    return path;
}

std::string driverString() { return "DRIVER={MDBTools};DBQ=" + accessCopy(); }

bool open(OdbcConnection& connection, bool isolated) {
    return isolated ? connection.OpenEx(driverString()) : connection.OpenDirect(driverString());
}

void BM_Connect(benchmark::State& state) {
    const bool isolated = state.range(0) != 0;
    for (auto _ : state) {
        OdbcConnection connection;
        if (!open(connection, isolated)) state.SkipWithError(connection.lastError().text().c_str());
        connection.Close();
    }
    state.SetLabel(isolated ? "child process" : "in process");
}

void BM_TableRequest(benchmark::State& state) {
    const bool isolated = state.range(0) != 0;
    OdbcConnection connection;
    if (!open(connection, isolated)) {
        state.SkipWithError(connection.lastError().text().c_str());
        return;
    }
    for (auto _ : state) {
        const CIoTable table(&connection, "FPdev", "id", "*", "UserName,InstEmail", 8);
        if (table.RowCount() != 8) state.SkipWithError("the table did not read");
    }
    state.SetLabel(isolated ? "child process" : "in process");
}

BENCHMARK(BM_Connect)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableRequest)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// Reads an MPS file (plain or gzip) with CoinUtils, so that our reader's time and memory on the
// same file can be set beside a well-known independent one. Prints the counts it read.

#include <CoinMpsIO.hpp>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: coin-mps-read FILE\n");
        return 2;
    }
    CoinMpsIO reader;
    reader.messageHandler()->setLogLevel(0);
    const int errors = reader.readMps(argv[1], "");
    if (errors != 0) {
        std::fprintf(stderr, "coin-mps-read: %d errors reading %s\n", errors, argv[1]);
        return 1;
    }
    std::printf("rows %d\ncolumns %d\nnon-zeros %lld\n", reader.getNumRows(), reader.getNumCols(),
                static_cast<long long>(reader.getNumElements()));
    return 0;
}

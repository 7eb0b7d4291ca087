#pragma once

#include <cstdio>

#include "CommandLine.h"

// Makes the one request of --table through the data-table layer and prints the status, the
// row count and the rows; the table's messages go to err. Returns 0 exactly when the status
// is 0, else 1.
int runTableRequest(const TableRequestArguments& request, std::FILE* out, std::FILE* err);

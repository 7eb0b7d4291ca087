#pragma once

#include <string>

// The folder of the running program's own file, ending in '/'; empty when it cannot be told.
std::string ExecutableFolder();

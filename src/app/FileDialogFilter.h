#pragma once

#include <string>

// An open-file dialog's filter list in the resource form "Name (*.a;*.b)|*.a;*.b|...||" turned
// into Qt's form "Name (*.a *.b);;...". "*.*" becomes "*", since on Linux many files have no
// dot at all. A pair without a pattern part is dropped.
std::string qtFileDialogFilter(const std::string& resourceFilter);

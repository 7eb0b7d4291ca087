#pragma once

// Application-wide flags that the document's open reads and sets.
struct AppFlags {
    bool openAsSolution = false;  // set by Open Solution: the next open reads a solution file
    bool matrixLoaded = false;    // set by a successful matrix open; enables Open Solution
};

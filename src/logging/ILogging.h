#pragma once

#include <string>

// A progress and error log. Nothing reaches a file until logging is enabled and both a folder
// and a file name are known.
class ILogging {
public:
    virtual ~ILogging() = default;
    virtual void Enable(bool enabled) = 0;
    virtual void SetFileName(const std::string& name) = 0;
    // The folder gains a trailing '/' when it lacks one, so "" names the root folder.
    virtual void SetFolder(const std::string& folder) = 0;
    // Writes the local time ("%c"), three blanks and text as given (callers end it with '\n').
    virtual void Write(const std::string& text) = 0;
    // Flushes and closes the file; the next Write opens it again.
    virtual void Close() = 0;
};

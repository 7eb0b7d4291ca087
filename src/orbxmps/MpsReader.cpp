#include "MpsReader.h"

#include <new>

#include "MallocTuning.h"
#include "MpsError.h"
#include "MpsLineFeed.h"
#include "MpsParser.h"
#include "orbxmps.h"

namespace orbxmps {

namespace {

void readInFormat(const std::string& path, MpsFormat format, MatrixStore& store) {
    store.clear();
    {
        MpsLineFeed feed(path, format);
        MpsParseState state(path, format, feed, store);
        parseMps(state);
        // Nothing is read past the first error; past ENDATA only blank lines, up to the end
        // of the stream, whose trailer a compressed file is checked by.
        feed.checkRest();
    }
    store.finishLoad();
}

// Free first, since it also reads most fixed files; fixed columns when free fails on the
// content. When both fail, the reading that got further says more about the file.
void readEitherFormat(const std::string& path, MatrixStore& store) {
    try {
        readInFormat(path, MpsFormat::kFree, store);
        return;
    } catch (const MpsContentError& freeError) {
        if (freeError.formatIndependent()) throw;
        try {
            readInFormat(path, MpsFormat::kFixed, store);
            return;
        } catch (const MpsContentError& fixedError) {
            if (fixedError.line() > freeError.line()) throw;
            throw freeError;
        }
    }
}

}  // namespace

void readMpsFile(const std::string& path, MpsFormat format, MatrixStore& store) {
    keepLargeBlocksMapped();
    try {
        if (format == MpsFormat::kAuto)
            readEitherFormat(path, store);
        else
            readInFormat(path, format, store);
    } catch (const std::bad_alloc&) {
        store.clear();
        throw ORB_ExcpBadAllocation(kMpsRoutine, path + ": out of memory while reading");
    } catch (...) {
        store.clear();
        throw;
    }
}

}  // namespace orbxmps

// The MPS reader in each format, plain and gzip-compressed. Each load sets up megabytes of
// buffers, so an input is read one way only, chosen by its size: mutations that change the
// size move it through all four.
#include <zlib.h>

#include <string>

#include "FuzzInput.h"
#include "orbxmps.h"

namespace {

using orbxmps::MpsFormat;

std::string gzipped(std::string_view bytes) {
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK) return {};
    std::string out(deflateBound(&stream, bytes.size()) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// A load either succeeds or throws the library's exceptions; anything else escapes and is a
// finding. A loaded matrix is walked row-wise too, which builds the row order.
void load(const std::string& path, MpsFormat format) {
    orbxmps::ORBObject* object = nullptr;
    orbxmps::XMPSManager* manager = nullptr;
    orbxmps::ORBObjectFactory(&object);
    orbxmps::CreateXMPSManagerObject(&manager);
    manager->attach(object);
    manager->setInputFile(path);
    manager->setFormat(format);
    try {
        manager->loadProblem();
        object->getNonlinearTerms()->update();
        const orbxmps::ORBElementManager* elements = object->getElementManager();
        for (int row = 1; row <= static_cast<int>(object->store().rowCount()); ++row)
            for (auto e = elements->firstElementOfRow(row); e; e = elements->nextElementOfRow(e))
                (void)e.value();
    } catch (const orbxmps::ORB_Exception&) {
    }
    manager->release();
    object->release();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzzBytes(data, size);
    switch (size % 4) {
        case 0:
            load(writeFuzzInput("input.mps", bytes), MpsFormat::kAuto);
            break;
        case 1:
            load(writeFuzzInput("input.mps", bytes), MpsFormat::kFree);
            break;
        case 2:
            load(writeFuzzInput("input.mps", bytes), MpsFormat::kFixed);
            break;
        default:
            load(writeFuzzInput("input.mps.gz", gzipped(bytes)), MpsFormat::kAuto);
            break;
    }
    return 0;
}

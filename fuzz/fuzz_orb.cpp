// The ORB reader: a loaded matrix is walked through the library's object as the views walk it.
#include "FuzzInput.h"
#include "orbxmps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = writeFuzzInput("input.orb", fuzzBytes(data, size));
    orbxmps::ORBObject* object = nullptr;
    orbxmps::ORBObjectFactory(&object);
    try {
        object->restoreFromFile(path);
        object->getNonlinearTerms()->update();
        const orbxmps::ORBElementManager* elements = object->getElementManager();
        const orbxmps::ORBNonlinearTerms* terms = object->getNonlinearTerms();
        for (int row = 1; row <= static_cast<int>(object->store().rowCount()); ++row) {
            for (auto e = elements->firstElementOfRow(row); e; e = elements->nextElementOfRow(e))
                (void)e.row().name();
            for (auto t = terms->firstTermOfRow(row); t; t = terms->nextTermOfRow(t)) {
            }
        }
        const orbxmps::ORBColumnManager* columns = object->getColumnManager();
        for (auto c = columns->firstColumn(); c; c = columns->nextColumn(c))
            (void)columns->findColumn(c.name());
    } catch (const orbxmps::ORB_Exception&) {
    }
    object->release();
    return 0;
}

#include "MpsReader.h"

#include "OrbExceptions.h"

namespace orbxmps {

// Placeholder until the reader lands.
void readMpsFile(const std::string& path, MpsFormat, MatrixStore& store) {
    store.clear();
    throw CMF_ExcpFileError("LoadProblemFromXMPS", path + ": MPS reading is not built yet");
}

}  // namespace orbxmps

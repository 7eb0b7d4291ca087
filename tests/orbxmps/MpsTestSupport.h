#pragma once

// Shared by the MPS reader tests: model text written to a private temporary folder, read
// back, and rejections checked for their line number and wording.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "MatrixStore.h"
#include "MpsReader.h"
#include "OrbExceptions.h"
#include "TempFolder.h"
#include "orbxmps.h"

namespace orbxmps::mpstest {

using testsupport::TempFolder;

// Writes text compressed with gzip framing, as `gzip` writes it, and returns the file's path.
inline std::string writeGzip(const TempFolder& folder, const std::string& name,
                             std::string_view text) {
    const std::string path = folder / name;
    gzFile file = gzopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return path;
    if (!text.empty()) gzwrite(file, text.data(), static_cast<unsigned>(text.size()));
    gzclose(file);
    return path;
}

inline std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads text as an MPS file; failures surface as the library's exception.
inline void readText(std::string_view text, MatrixStore& store,
                     MpsFormat format = MpsFormat::kAuto) {
    TempFolder folder;
    readMpsFile(folder.write("model.mps", text), format, store);
}

// The message of the rejection of text, or a test failure when it is read.
inline std::string rejection(std::string_view text, MpsFormat format = MpsFormat::kAuto) {
    TempFolder folder;
    const std::string path = folder.write("model.mps", text);
    MatrixStore store;
    try {
        readMpsFile(path, format, store);
    } catch (const CMF_Exception& error) {
        EXPECT_EQ(store.rowCount(), 0u) << "store not emptied";
        const std::string message = error.what();
        // Keep the file name only, so expectations do not depend on the folder.
        return message.substr(message.find("model.mps"));
    }
    ADD_FAILURE() << "accepted:\n" << text;
    return {};
}

// Expects the rejection at line with phrase in the message.
#define EXPECT_REJECTED_AT(text, line, phrase)                                                    \
    do {                                                                                          \
        const std::string message_ = ::orbxmps::mpstest::rejection(text);                         \
        EXPECT_EQ(message_.rfind("model.mps:" + std::to_string(line) + ": ", 0), 0u) << message_; \
        EXPECT_NE(message_.find(phrase), std::string::npos) << message_;                          \
    } while (false)

inline double elementValue(const MatrixStore& store, std::string_view column,
                           std::string_view row) {
    const std::int64_t c = store.columnNames.find(column);
    const std::int64_t r = store.rowNames.find(row);
    if (c < 0 || r < 0) return -12345.0;
    for (std::uint32_t e = store.columnStart[c]; e < store.columnStart[c + 1]; ++e)
        if (store.elementRow[e] == static_cast<std::uint32_t>(r)) return store.elementValue[e];
    return -12345.0;
}

inline std::size_t rowOf(const MatrixStore& store, std::string_view row) {
    const std::int64_t index = store.rowNames.find(row);
    if (index >= 0) return static_cast<std::size_t>(index);
    ADD_FAILURE() << "no row " << row;
    return 0;
}
inline std::size_t columnOf(const MatrixStore& store, std::string_view column) {
    const std::int64_t index = store.columnNames.find(column);
    if (index >= 0) return static_cast<std::size_t>(index);
    ADD_FAILURE() << "no column " << column;
    return 0;
}

}  // namespace orbxmps::mpstest

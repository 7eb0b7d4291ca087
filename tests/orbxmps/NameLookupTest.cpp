#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MpsTestSupport.h"

namespace orbxmps {
namespace {

// After a load the name indexes are freed and lookups search the name order; they must answer
// as the index does: the first of repeated names, nothing for a name not there.
TEST(NameLookupTest, SearchingTheNameOrderAnswersAsTheIndex) {
    for (const char* file : {"repeats.mps", "unordered.mps"}) {
        SCOPED_TRACE(file);
        MatrixStore store = mpstest::readFile(file, MpsFormat::kFree);
        store.ensureNameOrders();
        struct Table {
            NameTable& names;
            std::int64_t (MatrixStore::*find)(std::string_view) const;
        };
        for (const Table& table : {Table{store.rowNames, &MatrixStore::findRow},
                                   Table{store.columnNames, &MatrixStore::findColumn}}) {
            std::vector<std::string> probes = {"GONE", "", "R", "X10"};
            for (std::size_t i = 0; i < table.names.size(); ++i)
                probes.emplace_back(table.names.name(i));
            ASSERT_FALSE(table.names.indexCurrent());
            std::vector<std::int64_t> byOrder;
            for (const std::string& probe : probes) byOrder.push_back((store.*table.find)(probe));
            ASSERT_FALSE(table.names.indexCurrent()) << "a lookup built the index";
            for (std::size_t k = 0; k < probes.size(); ++k)
                EXPECT_EQ(byOrder[k], table.names.find(probes[k])) << probes[k];
        }
    }
}

}  // namespace
}  // namespace orbxmps

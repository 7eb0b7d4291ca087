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
        for (const auto& [names, find] : {std::pair{&store.rowNames, &MatrixStore::findRow},
                                          {&store.columnNames, &MatrixStore::findColumn}}) {
            std::vector<std::string> probes = {"GONE", "", "R", "X10"};
            for (std::size_t i = 0; i < names->size(); ++i) probes.emplace_back(names->name(i));
            ASSERT_FALSE(names->indexCurrent());
            std::vector<std::int64_t> byOrder;
            for (const std::string& probe : probes) byOrder.push_back((store.*find)(probe));
            ASSERT_FALSE(names->indexCurrent()) << "a lookup built the index";
            for (std::size_t k = 0; k < probes.size(); ++k)
                EXPECT_EQ(byOrder[k], names->find(probes[k])) << probes[k];
        }
    }
}

}  // namespace
}  // namespace orbxmps

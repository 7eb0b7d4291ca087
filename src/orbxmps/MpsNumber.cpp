#include "MpsNumber.h"

#include <fast_float/fast_float.h>

#include <system_error>

#include "MatrixStore.h"

namespace orbxmps {

bool parseMpsNumber(std::string_view text, double& value) {
    const char* p = text.data();
    const char* const end = p + text.size();
    if (p != end && *p == '+') ++p;
    if (p == end) return false;
    // A digit or point must come first (after a minus only without a plus), which turns
    // away "nan" and "inf" that the number parser would accept.
    const char* first = *p == '-' && p == text.data() ? p + 1 : p;
    if (first == end || !((*first >= '0' && *first <= '9') || *first == '.')) return false;
    const fast_float::from_chars_result result = fast_float::from_chars(p, end, value);
    if (result.ptr != end) return false;
    if (result.ec != std::errc() && result.ec != std::errc::result_out_of_range) return false;
    if (value >= kInfinity) value = kInfinity;
    if (value <= -kInfinity) value = -kInfinity;
    return true;
}

}  // namespace orbxmps

#include "probes/creatore.h"

#include <gtest/gtest.h>

namespace pulsaro {
namespace {

TEST(Creatore, FormeAccettateERifiutate) {
    const std::pair<const char*, Creatore> casi[] = {
        {"pid 412, Safari", {412, "Safari"}},
        {"pid 77", {77, ""}},
        {"pid 77,", {77, ""}},
        {"pid -3, x", {-3, "x"}},
        {"pid +3,y", {3, "y"}},
        // Leading commas are passed over; commas inside the name stay.
        {"pid ,,12, a, b ,c", {12, "a, b ,c"}},
        {"pid 12,,name", {12, ",name"}},
        // Every Unicode blank is trimmed (tab, no-break, em and ideographic spaces), line breaks are not.
        {"pid 5,\t Mail \t", {5, "Mail"}},
        {"pid 5,\u00A0\u3000Mail\u2003\u202F", {5, "Mail"}},
        {"pid 5, Po\u00A0sta\u205F", {5, "Po\u00A0sta"}},
        {"pid 5, Mail\n", {5, "Mail\n"}},
        {"pid 5, \u2028Mail", {5, "\u2028Mail"}},
        {"pid 2147483647, max", {2147483647, "max"}},
        {"pid -2147483648, min", {-2147483647 - 1, "min"}}};
    for (const auto& [testo, atteso] : casi) EXPECT_EQ(analizzaCreatore(testo), atteso) << testo;
    for (const char* s :
         {"PID 412, Safari", "Pid 412, Safari", "pid  412, Safari", "pid abc, Safari", "pid 41a, Safari",
          "pid 412 , Safari", "pid ", "pid", "pid ,,,", "pid +, x", "pid -", "pid 2147483648, x",
          "pid -2147483649, x", "pid 99999999999999999999", " pid 1, x", ""}) {
        EXPECT_FALSE(analizzaCreatore(s)) << '"' << s << '"';
    }
}

}  // namespace
}  // namespace pulsaro

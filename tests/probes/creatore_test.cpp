#include "probes/creatore.h"

#include <gtest/gtest.h>

namespace pulsaro {
namespace {

TEST(Creatore, FormeAccettate) {
    EXPECT_EQ(analizzaCreatore("pid 412, Safari"), (Creatore{412, "Safari"}));
    EXPECT_EQ(analizzaCreatore("pid 77"), (Creatore{77, ""}));
    EXPECT_EQ(analizzaCreatore("pid 77,"), (Creatore{77, ""}));
    EXPECT_EQ(analizzaCreatore("pid -3, x"), (Creatore{-3, "x"}));
    EXPECT_EQ(analizzaCreatore("pid +3,y"), (Creatore{3, "y"}));
    // Leading commas are passed over; commas inside the name stay.
    EXPECT_EQ(analizzaCreatore("pid ,,12, a, b ,c"), (Creatore{12, "a, b ,c"}));
    EXPECT_EQ(analizzaCreatore("pid 12,,name"), (Creatore{12, ",name"}));
    // Blanks and tabs are trimmed, line breaks are not.
    EXPECT_EQ(analizzaCreatore("pid 5,\t Mail \t"), (Creatore{5, "Mail"}));
    EXPECT_EQ(analizzaCreatore("pid 5, Mail\n"), (Creatore{5, "Mail\n"}));
    EXPECT_EQ(analizzaCreatore("pid 2147483647, max"), (Creatore{2147483647, "max"}));
    EXPECT_EQ(analizzaCreatore("pid -2147483648, min"), (Creatore{-2147483647 - 1, "min"}));
}

TEST(Creatore, FormeRifiutate) {
    for (const char* s : {"PID 412, Safari", "Pid 412, Safari", "pid  412, Safari", "pid abc, Safari",
                          "pid 41a, Safari", "pid 412 , Safari", "pid ", "pid", "pid ,,,", "pid +, x",
                          "pid -", "pid 2147483648, x", "pid -2147483649, x", "pid 99999999999999999999",
                          " pid 1, x", ""}) {
        EXPECT_FALSE(analizzaCreatore(s)) << '"' << s << '"';
    }
}

}  // namespace
}  // namespace pulsaro

#include "platform/testo_utf8.h"

#include <gtest/gtest.h>

namespace pulsaro {
namespace {

const std::string fffd = "\xEF\xBF\xBD";

TEST(TestoUtf8, ValidoPassaIntatto) {
    for (const std::string s :
         {"", "ascii", "caf\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x98\x80", "\xF4\x8F\xBF\xBF"}) {
        EXPECT_TRUE(utf8Valido(s)) << s;
        EXPECT_EQ(testoUtf8(s), s);
    }
}

TEST(TestoUtf8, SottoparteMassimaDiventaUnSostituto) {
    EXPECT_EQ(testoUtf8("a\xFF"
                        "b"),
              "a" + fffd + "b");
    EXPECT_EQ(testoUtf8("\x80\x80"), fffd + fffd);  // lone continuation bytes: one each
    EXPECT_EQ(testoUtf8("\xE2\x82"
                        "x"),
              fffd + "x");                                     // truncated three-byte sequence: one
    EXPECT_EQ(testoUtf8("\xF0\x9F\x98"), fffd);                // truncated at the end
    EXPECT_EQ(testoUtf8("\xC0\xAF"), fffd + fffd);             // overlong lead is never valid
    EXPECT_EQ(testoUtf8("\xE0\x80\xAF"), fffd + fffd + fffd);  // overlong three-byte form
    EXPECT_EQ(testoUtf8("\xED\xA0\x80"), fffd + fffd + fffd);  // surrogate
    EXPECT_EQ(testoUtf8("\xF4\x90\x80\x80"), fffd + fffd + fffd + fffd);  // above U+10FFFF
    EXPECT_EQ(testoUtf8("\xC3\xA9\xC3"), "\xC3\xA9" + fffd);
    EXPECT_FALSE(utf8Valido("\xED\xA0\x80"));
    EXPECT_FALSE(utf8Valido("abc\xC3"));
    // Long ASCII runs around the broken byte.
    EXPECT_FALSE(
        utf8Valido("0123456789abcdef\xFF"
                   "0123456789"));
    EXPECT_EQ(testoUtf8("0123456789abcdef\xFF"
                        "0123456789"),
              "0123456789abcdef" + fffd + "0123456789");
    EXPECT_FALSE(utf8Valido("01234567\xC3"));
    EXPECT_TRUE(utf8Valido("01234567caf\xC3\xA9 01234567"));
    // Blanks and line feeds are never swallowed by a broken sequence.
    EXPECT_EQ(testoUtf8("\xE2 \n"), fffd + " \n");
}

}  // namespace
}  // namespace pulsaro

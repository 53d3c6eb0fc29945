#include "platform/testo_utf8.h"

#include <gtest/gtest.h>

namespace pulsaro {
namespace {

TEST(TestoUtf8, SottoparteMassimaDiventaUnSostituto) {
    const std::string f = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> casi[] = {
        {"", ""},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {"\xE2\x82\xAC", "\xE2\x82\xAC"},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
        {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},  // U+10FFFF
        {"01234567caf\xC3\xA9 01234567", "01234567caf\xC3\xA9 01234567"},
        {"a\xFF"
         "b",
         "a" + f + "b"},
        {"\x80\x80", f + f},  // lone continuation bytes: one each
        {"\xE2\x82"
         "x",
         f + "x"},            // truncated three-byte sequence: one
        {"\xF0\x9F\x98", f},  // truncated at the end
        {"abc\xC3", "abc" + f},
        {"01234567\xC3", "01234567" + f},
        {"\xC0\xAF", f + f},                  // overlong lead is never valid
        {"\xE0\x80\xAF", f + f + f},          // overlong three-byte form
        {"\xED\xA0\x80", f + f + f},          // surrogate
        {"\xF4\x90\x80\x80", f + f + f + f},  // above U+10FFFF
        {"\xC3\xA9\xC3", "\xC3\xA9" + f},
        // Long ASCII runs around the broken byte.
        {"0123456789abcdef\xFF"
         "0123456789",
         "0123456789abcdef" + f + "0123456789"},
        // Blanks and line feeds are never swallowed by a broken sequence.
        {"\xE2 \n", f + " \n"}};
    for (const auto& [testo, atteso] : casi) {
        EXPECT_EQ(testoUtf8(testo), atteso) << testo;
        EXPECT_EQ(utf8Valido(testo), testo == atteso) << testo;
    }
}

}  // namespace
}  // namespace pulsaro

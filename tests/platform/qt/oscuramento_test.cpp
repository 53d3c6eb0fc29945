#include "platform/qt/oscuramento.h"

#include <gtest/gtest.h>

#include <QtGlobal>

#include "support/qt_app.h"

#if !defined(Q_OS_DARWIN)
#include <xcb/xcb.h>

using namespace pulsaro;

TEST(Oscuramento, SoloLaCoperturaTotaleDellaFinestraSeguita) {
    int cambi = 0;
    Oscuramento o([&] { ++cambi; });
    auto manda = [&](xcb_window_t w, std::uint8_t stato, const QByteArray& tipo = "xcb_generic_event_t") {
        xcb_visibility_notify_event_t e{};
        e.response_type = XCB_VISIBILITY_NOTIFY | 0x80;  // also when sent by SendEvent
        e.window = w;
        e.state = stato;
        qintptr r = 0;
        EXPECT_FALSE(o.nativeEventFilter(tipo, &e, &r)) << "the event goes on to Qt";
        return o.coperta();
    };
    constexpr auto tutta = XCB_VISIBILITY_FULLY_OBSCURED;
    o.osservaId(42);
    EXPECT_FALSE(manda(43, tutta)) << "another window";
    EXPECT_FALSE(manda(42, tutta, "windows_generic_MSG"));
    EXPECT_TRUE(manda(42, tutta));
    EXPECT_TRUE(manda(42, tutta));
    EXPECT_FALSE(manda(42, XCB_VISIBILITY_PARTIALLY_OBSCURED)) << "a corner on screen is on screen";
    EXPECT_EQ(cambi, 2) << "told on change only";
    qintptr r = 0;
    EXPECT_FALSE(o.nativeEventFilter("xcb_generic_event_t", nullptr, &r));
}

#endif

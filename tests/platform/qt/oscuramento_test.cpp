#include "platform/qt/oscuramento.h"

#include <gtest/gtest.h>

#include <QtGlobal>

#include "support/qt_app.h"

#if !defined(Q_OS_DARWIN)
#include <xcb/xcb.h>

#include <cstring>

using namespace pulsaro;

TEST(Oscuramento, SoloLaCoperturaTotaleDellaFinestraSeguita) {
    int cambi = 0;
    Oscuramento o([&] { ++cambi; });
    auto manda = [&](xcb_window_t w, std::uint8_t stato, bool inviato = false,
                     const QByteArray& tipo = "xcb_generic_event_t") {
        // What the X server sends a window that asked for its visibility; `inviato`: from SendEvent.
        xcb_visibility_notify_event_t e;
        std::memset(&e, 0, sizeof e);
        e.response_type = XCB_VISIBILITY_NOTIFY | (inviato ? 0x80 : 0);
        e.window = w;
        e.state = stato;
        qintptr r = 0;
        EXPECT_FALSE(o.nativeEventFilter(tipo, &e, &r)) << "the event goes on to Qt";
        return o.coperta();
    };
    constexpr auto tutta = XCB_VISIBILITY_FULLY_OBSCURED;
    EXPECT_FALSE(manda(42, tutta)) << "no window followed yet";
    o.osservaId(42);
    EXPECT_FALSE(manda(43, tutta)) << "another window";
    EXPECT_FALSE(manda(42, tutta, false, "windows_generic_MSG"));
    EXPECT_TRUE(manda(42, tutta, true));
    EXPECT_TRUE(manda(42, tutta));
    EXPECT_EQ(cambi, 1) << "told on change only";
    EXPECT_FALSE(manda(42, XCB_VISIBILITY_PARTIALLY_OBSCURED)) << "a corner on screen is on screen";
    EXPECT_TRUE(manda(42, tutta));
    EXPECT_FALSE(manda(42, XCB_VISIBILITY_UNOBSCURED));
    EXPECT_EQ(cambi, 4);

    // Another window followed, or a window shown again, starts uncovered.
    manda(42, tutta);
    o.azzera();
    EXPECT_FALSE(o.coperta());
    manda(42, tutta);
    o.osservaId(7);
    EXPECT_FALSE(o.coperta());
    qintptr r = 0;
    EXPECT_FALSE(o.nativeEventFilter("xcb_generic_event_t", nullptr, &r));
}

#endif

#include "platform/qt/oscuramento.h"

#include <gtest/gtest.h>

#include <QtGlobal>

#include "support/qt_app.h"

#if !defined(Q_OS_DARWIN)
#include <xcb/xcb.h>

#include <cstring>

using namespace pulsaro;

namespace {

// What the X server sends a window that asked for its visibility; `inviato`: from SendEvent.
xcb_visibility_notify_event_t visibilita(xcb_window_t finestra, std::uint8_t stato, bool inviato = false) {
    xcb_visibility_notify_event_t e;
    std::memset(&e, 0, sizeof e);
    e.response_type = XCB_VISIBILITY_NOTIFY | (inviato ? 0x80 : 0);
    e.window = finestra;
    e.state = stato;
    return e;
}

}  // namespace

TEST(Oscuramento, SoloLaCoperturaTotaleDellaFinestraSeguita) {
    int cambi = 0;
    Oscuramento o([&] { ++cambi; });
    const QByteArray tipo("xcb_generic_event_t");
    auto manda = [&](xcb_visibility_notify_event_t e, const QByteArray& t = "xcb_generic_event_t") {
        qintptr r = 0;
        EXPECT_FALSE(o.nativeEventFilter(t, &e, &r)) << "the event goes on to Qt";
    };

    manda(visibilita(42, XCB_VISIBILITY_FULLY_OBSCURED));
    EXPECT_FALSE(o.coperta()) << "no window followed yet";
    o.osservaId(42);
    manda(visibilita(43, XCB_VISIBILITY_FULLY_OBSCURED));
    EXPECT_FALSE(o.coperta()) << "another window";
    manda(visibilita(42, XCB_VISIBILITY_FULLY_OBSCURED), "windows_generic_MSG");
    EXPECT_FALSE(o.coperta());
    manda(visibilita(42, XCB_VISIBILITY_FULLY_OBSCURED, true));
    EXPECT_TRUE(o.coperta());
    EXPECT_EQ(cambi, 1);
    manda(visibilita(42, XCB_VISIBILITY_FULLY_OBSCURED));
    EXPECT_EQ(cambi, 1) << "told on change only";
    manda(visibilita(42, XCB_VISIBILITY_PARTIALLY_OBSCURED));
    EXPECT_FALSE(o.coperta()) << "a corner on screen is on screen";
    manda(visibilita(42, XCB_VISIBILITY_FULLY_OBSCURED));
    manda(visibilita(42, XCB_VISIBILITY_UNOBSCURED));
    EXPECT_FALSE(o.coperta());
    EXPECT_EQ(cambi, 4);

    // Another window followed, or a window shown again, starts uncovered.
    manda(visibilita(42, XCB_VISIBILITY_FULLY_OBSCURED));
    o.azzera();
    EXPECT_FALSE(o.coperta());
    manda(visibilita(42, XCB_VISIBILITY_FULLY_OBSCURED));
    o.osservaId(7);
    EXPECT_FALSE(o.coperta());
    xcb_generic_event_t altro{};
    altro.response_type = XCB_EXPOSE;
    qintptr r = 0;
    EXPECT_FALSE(o.nativeEventFilter(tipo, &altro, &r));
    EXPECT_FALSE(o.nativeEventFilter(tipo, nullptr, &r));
}

#endif

#include "panels/osserva_visibilita.h"

#include <gtest/gtest.h>

#include <QVBoxLayout>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "banco_pannelli.h"

using namespace pulsaro;
using prova::aspetta;

namespace {

// The X server's VisibilityNotify as it reaches the native event filter: event type 15, the window
// at byte 4, the state at byte 8 (0 unobscured, 1 partly, 2 fully obscured).
void visibilita(OsservaVisibilita& o, std::uint32_t finestra, std::uint8_t stato) {
    alignas(4) unsigned char e[32] = {15};
    std::memcpy(e + 4, &finestra, 4);
    e[8] = stato;
    qintptr r = 0;
    o.oscuramento().nativeEventFilter("xcb_generic_event_t", e, &r);
}

}  // namespace

// A panel inside a frame in a window, as the controller hosts them.
TEST(OsservaVisibilita, MostraCopertaNascondiChiudi) {
    std::vector<bool> voci;  // outlives the window, which reports to it when it goes
    auto finestra = std::make_unique<QWidget>();
    auto* cornice = new QWidget(finestra.get());
    auto* vista = new QWidget(cornice);
    (new QVBoxLayout(finestra.get()))->addWidget(cornice);
    const auto mostra = [&] {
        finestra->show();
        return aspetta([&] { return finestra->windowHandle() && finestra->windowHandle()->isExposed(); });
    };
    auto* o = new OsservaVisibilita(vista, [&](bool v) { voci.push_back(v); });
    EXPECT_EQ(voci, std::vector<bool>{false}) << "the first report always comes, even when false";

    ASSERT_TRUE(mostra());
    EXPECT_EQ(voci, (std::vector<bool>{false, true}));
    finestra->resize(320, 210);
    QApplication::processEvents();
    EXPECT_EQ(voci.size(), 2u) << "a resize of a visible window reports nothing";
    finestra->hide();
    EXPECT_EQ(voci, (std::vector<bool>{false, true, false})) << "hiding reports at once";
    ASSERT_TRUE(mostra());
    finestra->showMinimized();
    ASSERT_TRUE(aspetta([&] { return voci.back() == false; })) << "a minimised window is off screen";
    finestra->showNormal();
    ASSERT_TRUE(aspetta([&] { return voci.back() == true; }));
    EXPECT_EQ(voci.size(), 6u);

    o->oscuramento().osservaId(77);  // the server's id of this window
    visibilita(*o, 77, 2);
    EXPECT_EQ(voci.back(), false) << "fully covered: sampling stops";
    visibilita(*o, 77, 1);
    EXPECT_EQ(voci.back(), true) << "a corner shows: it resumes";
    visibilita(*o, 77, 2);
    finestra->hide();
    ASSERT_TRUE(mostra());
    EXPECT_EQ(voci.back(), true) << "shown again, it counts as uncovered until the server says more";

    finestra->setAttribute(Qt::WA_DeleteOnClose);
    QWidget* sola = finestra.release();
    bool vistaViva = true;
    QObject::connect(vista, &QObject::destroyed, [&] { vistaViva = false; });
    voci.clear();
    sola->close();
    ASSERT_EQ(voci, std::vector<bool>{false}) << "a close reports false before the window goes";
    EXPECT_TRUE(vistaViva);
    ASSERT_TRUE(aspetta([&] { return !vistaViva; }));
    EXPECT_EQ(voci, std::vector<bool>{false}) << "the destruction after it reports nothing more";
}

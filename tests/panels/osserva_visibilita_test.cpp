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

struct Registro {
    std::vector<bool> voci;
    OsservaVisibilita::Cambia cambia() {
        return [this](bool v) { voci.push_back(v); };
    }
};

// A window with a panel inside a frame, as the controller hosts them.
struct Finestra {
    std::unique_ptr<QWidget> finestra = std::make_unique<QWidget>();
    QWidget* cornice = new QWidget(finestra.get());
    QWidget* vista = new QWidget(cornice);
    Finestra() {
        prova::appQt();
        finestra->resize(300, 200);
        (new QVBoxLayout(finestra.get()))->addWidget(cornice);
    }
    bool mostra() {
        finestra->show();
        return aspetta([&] { return finestra->windowHandle() && finestra->windowHandle()->isExposed(); });
    }
};

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

TEST(OsservaVisibilita, MostraCopertaNascondiChiudi) {
    Registro r;  // outlives the window, which reports to it when it goes
    Finestra f;
    auto* o = new OsservaVisibilita(f.vista, r.cambia());
    EXPECT_EQ(r.voci, std::vector<bool>{false}) << "the first report always comes, even when false";

    ASSERT_TRUE(f.mostra());
    EXPECT_EQ(r.voci, (std::vector<bool>{false, true}));
    f.finestra->resize(320, 210);
    QApplication::processEvents();
    EXPECT_EQ(r.voci.size(), 2u) << "a resize of a visible window reports nothing";
    f.finestra->hide();
    EXPECT_EQ(r.voci, (std::vector<bool>{false, true, false})) << "hiding reports at once";
    ASSERT_TRUE(f.mostra());
    f.finestra->showMinimized();
    ASSERT_TRUE(aspetta([&] { return r.voci.back() == false; })) << "a minimised window is off screen";
    f.finestra->showNormal();
    ASSERT_TRUE(aspetta([&] { return r.voci.back() == true; }));
    EXPECT_EQ(r.voci.size(), 6u);

    o->oscuramento().osservaId(77);  // the server's id of this window
    visibilita(*o, 77, 2);
    EXPECT_EQ(r.voci.back(), false) << "fully covered: sampling stops";
    visibilita(*o, 77, 1);
    EXPECT_EQ(r.voci.back(), true) << "a corner shows: it resumes";
    visibilita(*o, 77, 2);
    f.finestra->hide();
    ASSERT_TRUE(f.mostra());
    EXPECT_EQ(r.voci.back(), true) << "shown again, it counts as uncovered until the server says more";

    f.finestra->setAttribute(Qt::WA_DeleteOnClose);
    QWidget* finestra = f.finestra.release();
    bool vistaViva = true;
    QObject::connect(f.vista, &QObject::destroyed, [&] { vistaViva = false; });
    r.voci.clear();
    finestra->close();
    ASSERT_EQ(r.voci, std::vector<bool>{false}) << "a close reports false before the window goes";
    EXPECT_TRUE(vistaViva);
    ASSERT_TRUE(aspetta([&] { return !vistaViva; }));
    EXPECT_EQ(r.voci, std::vector<bool>{false}) << "the destruction after it reports nothing more";
}

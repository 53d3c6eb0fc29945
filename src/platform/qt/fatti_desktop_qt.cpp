#include "platform/qt/fatti_desktop_qt.h"

#include <QGuiApplication>
#include <QPalette>
#include <QSessionManager>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#if !defined(Q_OS_DARWIN)
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#endif
#include <utility>

namespace pulsaro {

FattiDesktopQt::FattiDesktopQt(const std::vector<std::string>& argomenti)
    : daLogin_(std::find(argomenti.begin(), argomenti.end(), argomentoLogin) != argomenti.end()) {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // Sent by the session manager when the session ends (logout, restart, shutdown).
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
            fineSessione_ = true;
            if (spegnimento_) spegnimento_();
        });
    }
}

void FattiDesktopQt::quandoSpegnimento(std::function<void()> f) {
    spegnimento_ = std::move(f);
}

void FattiDesktopQt::quandoAvviata(std::function<void()> f) {
    QTimer::singleShot(0, this, std::move(f));
}

bool FattiDesktopQt::aspettoScuro() const {
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

bool FattiDesktopQt::compositoreDispone() const {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

namespace {
QByteArray& gettoneDelLancio() {
    static QByteArray g;
    return g;
}
}  // namespace

QByteArray gettoneValido(const QByteArray& gettone) {
    if (gettone.isEmpty() || gettone.size() > 256) return {};
    for (const char c : gettone)
        if (c <= ' ' || c > '~') return {};
    return gettone;
}

QByteArray gettoneLancio() {
    return gettoneDelLancio();
}

#if !defined(Q_OS_DARWIN)
namespace {

// A second start's token, kept for the next window brought forward (X11; Wayland keeps it in the
// environment, where Qt looks).
QByteArray& gettoneTenuto() {
    static QByteArray g;
    return g;
}

// The launcher's feedback ends and the window comes forward as of the launch's time (the
// "_TIME<n>" part of a startup id), which the window manager weighs against the user's last action.
void attivaX11(QWidget* finestra, const QByteArray& id) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return;
    const auto w = static_cast<xcb_window_t>(finestra->window()->winId());
    const auto radice = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    constexpr std::array<const char*, 5> nomi{"_NET_STARTUP_ID", "UTF8_STRING", "_NET_STARTUP_INFO_BEGIN",
                                              "_NET_STARTUP_INFO", "_NET_ACTIVE_WINDOW"};
    std::array<xcb_intern_atom_cookie_t, nomi.size()> richieste{};
    for (std::size_t i = 0; i < nomi.size(); ++i)
        richieste[i] = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(nomi[i])), nomi[i]);
    std::array<xcb_atom_t, nomi.size()> atomi{};
    for (std::size_t i = 0; i < nomi.size(); ++i) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, richieste[i], nullptr);
        if (!r) return;
        atomi[i] = r->atom;
        std::free(r);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, atomi[0], atomi[1], 8,
                        static_cast<std::uint32_t>(id.size()), id.constData());
    // "remove: ID=…", NUL included, in pieces of 20 bytes.
    const QByteArray fine = QByteArrayLiteral("remove: ID=") + id + '\0';
    for (qsizetype da = 0; da < fine.size(); da += 20) {
        xcb_client_message_event_t m{};
        m.response_type = XCB_CLIENT_MESSAGE;
        m.format = 8;
        m.window = w;
        m.type = da == 0 ? atomi[2] : atomi[3];
        std::memcpy(m.data.data8, fine.constData() + da,
                    static_cast<std::size_t>(std::min<qsizetype>(20, fine.size() - da)));
        xcb_send_event(c, 0, radice, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&m));
    }
    std::uint32_t tempo = 0;
    if (const qsizetype t = id.lastIndexOf("_TIME"); t >= 0) tempo = id.mid(t + 5).toUInt();
    xcb_client_message_event_t a{};
    a.response_type = XCB_CLIENT_MESSAGE;
    a.format = 32;
    a.window = w;
    a.type = atomi[4];
    a.data.data32[0] = 1;  // from an application
    a.data.data32[1] = tempo;
    xcb_send_event(c, 0, radice, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&a));
    xcb_flush(c);
}

}  // namespace

void tieniGettone(const QByteArray& gettone) {
    const QByteArray g = gettoneValido(gettone);
    if (g.isEmpty()) return;
    // Qt's Wayland platform activates with this variable's token, and forgets it once used.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        qputenv("XDG_ACTIVATION_TOKEN", g);
    else
        gettoneTenuto() = g;
}

void attivaFinestra(QWidget* finestra) {
    if (!finestra) return;
    const QByteArray g = std::exchange(gettoneTenuto(), {});
    if (!g.isEmpty() && QGuiApplication::platformName() == QLatin1String("xcb")) attivaX11(finestra, g);
    finestra->activateWindow();
}

bool schermoDisponibile() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void preparaFattiDesktop() {
    // Read before the toolkit starts: the X11 platform takes the startup id out of the environment.
    gettoneDelLancio() = gettoneValido(qgetenv("XDG_ACTIVATION_TOKEN"));
    if (gettoneDelLancio().isEmpty()) gettoneDelLancio() = gettoneValido(qgetenv("DESKTOP_STARTUP_ID"));
    // Every window is drawn by the raster engine into shared memory; Qt's Wayland platform would
    // still load its EGL client-buffer integration (Mesa, a software renderer, LLVM) when first
    // asked whether OpenGL is there. A key that names no integration loads none. The user's own
    // choice stands.
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION")) {
        qputenv("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION", "nessuna");
        // Qt then says, twice, that it loaded none: as asked, so not a warning for the user.
        static QtMessageHandler precedente = nullptr;
        precedente = qInstallMessageHandler([](QtMsgType t, const QMessageLogContext& c, const QString& m) {
            if (c.category && std::strcmp(c.category, "qt.qpa.wayland") == 0 &&
                m.contains(QLatin1String("client buffer integration")))
                return;
            if (precedente) precedente(t, c, m);
        });
    }
    // A dial's frame repaints a few small rectangles. Through X shared memory every such repaint
    // waits for the server to finish reading the previous one (a round trip, two thread wake-ups);
    // the same pixels sent over the socket cost less. The user's own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
}

std::unique_ptr<FattiDesktop> fattiDesktopDiSistema(const std::vector<std::string>& argomenti) {
    return std::make_unique<FattiDesktopQt>(argomenti);
}
#else
// The Mac activates an application as a whole; no token travels.
void tieniGettone(const QByteArray&) {}

void attivaFinestra(QWidget* finestra) {
    if (finestra) finestra->activateWindow();
}
#endif

}  // namespace pulsaro

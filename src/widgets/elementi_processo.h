// Pieces shared by the process lists: the icon hook, the gear fallback and the process texts.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <tuple>

#include "sampling/uso.h"
#include "widgets/tema.h"

class QIcon;
class QPainter;

namespace pulsaro {

// Draws the icon of process `pid` filling `cornice`. The lists know nothing of applications:
// the layer above hands them this; without it they draw the gear.
using DisegnoIcona = std::function<void(QPainter&, const QRectF& cornice, std::int32_t pid, Aspetto)>;

// The gear's images by size, scale and colour, kept by what repaints them.
struct ImmaginiIngranaggio {
    static constexpr std::size_t massimo = 16;  // one more empties them
    std::map<std::tuple<long, long, long, QRgb>, QImage> immagini;
};

// The "gearshape.fill" symbol with padding 4, aspect kept, in the secondary text colour.
void disegnaIngranaggio(QPainter& p, const QRectF& cornice, Aspetto a, ImmaginiIngranaggio& immagini);

// An application's icon filling `cornice` at the painter's real scale: the icon's pixmap for the
// device pixels it covers, on whole device pixels, so that it is as sharp as the gear beside it
// in whatever image a list is drawn into.
void disegnaIconaApplicazione(QPainter& p, const QRectF& cornice, const QIcon& icona);

// "1,5 GB · pid 42".
QString testoMemoriaPid(const UsoProcesso& p);

// Whether two samples of a process draw alike in a list: the same name, badge, memory text and
// value texts, and bars and dials within a fraction of a pixel. A new sample repaints only the
// processes that changed, and most of them sit still.
bool stessoAspetto(const UsoProcesso& a, const UsoProcesso& b);
// Its parts: the row's header (the process, its name, badge and memory text), one bar's value.
bool stessaIntestazione(const UsoProcesso& a, const UsoProcesso& b);
bool stessaBarra(double prima, double dopo);

// A process's name as the lists, the header card and the popover show it: on one line, with the
// characters that would steer the text rather than show (controls, bidirectional controls and other
// invisible format characters) written out ("\\u202e"), and "(pid 1234)" for a process without
// one or with one that shows nothing (blanks, marks alone), as the terminal mode prints it too.
// It is isolated (U+2068 … U+2069), so it cannot reorder what is drawn beside it.
QString nomeProcesso(const UsoProcesso& p);
// The same name without the isolating marks, for what is read rather than drawn (a screen reader).
QString nomeLeggibile(const UsoProcesso& p);

}  // namespace pulsaro

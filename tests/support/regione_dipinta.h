// What a widget repaints: the union of the regions of the paint events it receives once installed.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPaintEvent>
#include <QRegion>

namespace pulsaro::prova {

class RegioneDipinta : public QObject {
public:
    QRegion regione;

    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) regione += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

}  // namespace pulsaro::prova

// The icon of a process's application filling its frame, or a gear for processes that are none.
#pragma once

#include <QWidget>
#include <cstdint>

#include "platform/abbonamento.h"
#include "widgets/elementi_processo.h"
#include "widgets/tema.h"

namespace pulsaro {

class CacheIcone;

// The application icon stretched to `cornice`, else the gear; icons come from `cache`.
void disegnaIconaProcesso(QPainter& p, const QRectF& cornice, std::int32_t pid, Aspetto a, CacheIcone& cache);

// The hook the process lists take, drawing through `cache`, which must outlive the list.
DisegnoIcona disegnoIconaProcesso(CacheIcone& cache);

class IconaProcesso : public QWidget {
public:
    IconaProcesso(std::int32_t pid, CacheIcone& cache, QWidget* padre = nullptr);

    void setPid(std::int32_t pid);
    std::int32_t pid() const { return pid_; }

    QSize sizeHint() const override { return {28, 28}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    std::int32_t pid_;
    CacheIcone* cache_;
    Abbonamento arrivate_;  // its icon, read after the first paint
};

}  // namespace pulsaro

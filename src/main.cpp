#include "shell/avvio.h"

int main(int argc, char** argv) {
    return pulsaro::avvia(argc, argv);
}

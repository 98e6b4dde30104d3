#include "uAleatorio.h"

TAleatorio& GeneradorPrograma() {
    static TAleatorio generador;
    return generador;
}

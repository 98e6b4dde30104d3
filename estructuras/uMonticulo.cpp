#include "uMonticulo.h"

#include <algorithm>
#include <utility>

namespace {

TNodoMon* Mon(TNodoBin* n) { return static_cast<TNodoMon*>(n); }

constexpr std::int32_t Padre(std::int32_t i) { return (i - 1) / 2; }

}  // namespace

void TNodoMon::GuardarRegistro(TEscritorFlujo& Flujo) const {
    Flujo.EscribirEntero(Valor);
    Flujo.EscribirEntero(Indice);
    Flujo.EscribirByte(Izq != nullptr ? 1 : 0);
    Flujo.EscribirByte(Der != nullptr ? 1 : 0);
}

void TNodoMon::CargarRegistro(TLectorFlujo& Flujo, bool& HayIzq, bool& HayDer) {
    Valor = Flujo.LeerEntero();
    Indice = Flujo.LeerEntero();
    HayIzq = Flujo.LeerByte() != 0;
    HayDer = Flujo.LeerByte() != 0;
}

TMonticulo::TMonticulo() : TArbolBin(sizeof(TNodoMon)) { Redimensionar(1000); }

TNodoBin* TMonticulo::CrearNodo(std::int32_t Valor, TNodoBin* Padre, TNodoBin* Izq, TNodoBin* Der) {
    return NuevoNodo<TNodoMon>(Valor, Padre, Izq, Der);
}

void TMonticulo::Redimensionar(std::size_t Longitud) {
    // The visible length steps by 100; the storage doubles, so a long run of
    // insertions copies the arrays only a logarithmic number of times.
    if (Longitud > Vector.capacity()) {
        const std::size_t cap = std::max(Longitud, 2 * Vector.capacity());
        Vector.reserve(cap);
        VectorValores.reserve(cap);
    }
    Vector.resize(Longitud, nullptr);
    VectorValores.resize(Longitud, 0);
}

void TMonticulo::Vaciar() {
    TArbolBin::Vaciar();
    std::fill(Vector.begin(), Vector.end(), nullptr);
    MaxNodos = 0;
}

void TMonticulo::CopiarEstadoDeTipo(const TArbolBin& Origen) {
    const auto& o = static_cast<const TMonticulo&>(Origen);
    Vector.assign(o.Vector.size(), nullptr);
    VectorValores = o.VectorValores;
    MaxNodos = o.MaxNodos;
    RecorrerPreorden(Raiz, [&](TNodoBin* n, std::int32_t) {
        const std::int32_t i = Mon(n)->Indice;
        if (i >= 0 && static_cast<std::size_t>(i) < Vector.size() && o.Vector[i] != nullptr) Vector[i] = Mon(n);
    });
}

void TMonticulo::Cargar(TLectorFlujo& Flujo) {
    TCarga c(*this);
    LeerFlujo(Flujo, c);
    // Every index must be the position the tree shape gives the node: the
    // root 0, the children of i at 2i+1 and 2i+2, all below the count. Then
    // the indices are exactly 0..NumNodos-1 when there are NumNodos nodes.
    std::int64_t nodos = 0;
    bool valido = true;
    RecorrerPreorden(c.Raiz, [&](TNodoBin* n, std::int32_t) {
        const std::int64_t i = Mon(n)->Indice;
        const std::int64_t esperado =
            n->Padre == nullptr ? 0 : 2 * std::int64_t{Mon(n->Padre)->Indice} + (n->Padre->Izq == n ? 1 : 2);
        ++nodos;
        valido = i == esperado && i < c.NumNodos;
        return !valido;
    });
    if (!valido || nodos != c.NumNodos)
        throw EFlujoInvalido(
            "El fichero no contiene un montículo valido: las posiciones de los nodos no corresponden a la forma del "
            "arbol.");
    Adoptar(c);
    if (Vector.size() < static_cast<std::size_t>(NumNodos)) Redimensionar(static_cast<std::size_t>(NumNodos) + 100);
    RecorrerPreorden(Raiz, [&](TNodoBin* n, std::int32_t) {
        Vector[Mon(n)->Indice] = Mon(n);
        VectorValores[Mon(n)->Indice] = n->Valor;
    });
    MaxNodos = NumNodos;
}

void TMonticulo::Intercambiar(std::int32_t I, std::int32_t J) {
    TNodoMon* a = Vector[I];
    TNodoMon* b = Vector[J];
    std::swap(a->Valor, b->Valor);
    VectorValores[I] = a->Valor;
    VectorValores[J] = b->Valor;
    std::swap(a->X, b->X);
    std::swap(a->Y, b->Y);
}

bool TMonticulo::Buscar(std::int32_t) {
    const TEnListado listado(*this, "mon-minimo");
    NodoSel = Raiz;
    Etapa("Acceso al mínimo", "El elemento menor es la raiz (primer elemento del vector).", 0, "minimo");
    return Raiz != nullptr;
}

bool TMonticulo::Insertar(std::int32_t Valor) {
    const TEnListado listado(*this, "mon-insercion");
    ComprobarCabida();
    if (Vector.size() <= static_cast<std::size_t>(NumNodos)) Redimensionar(Vector.size() + 100);
    if (NumNodos == 0) {
        TNodoMon* n = Mon(CrearNodo(Valor, nullptr, nullptr, nullptr));
        n->Indice = 0;
        Raiz = n;
        Vector[0] = n;
        VectorValores[0] = Valor;
        NumNodos = 1;
        MaxNodos = std::max(1, MaxNodos);
        Etapa("Inserción de elemento", "El elemento pasa a ser la raiz.", 1, "raiz");
        return true;
    }
    const std::int32_t i = NumNodos;
    TNodoMon* p = Vector[Padre(i)];
    TNodoMon* n = Mon(CrearNodo(Valor, p, nullptr, nullptr));
    n->Indice = i;
    Vector[i] = n;
    VectorValores[i] = Valor;
    (i % 2 == 1 ? p->Izq : p->Der) = n;
    n->X = p->X;  // first drawn at its parent's place
    n->Y = p->Y;
    NodoSel = n;
    ++NumNodos;
    MaxNodos = std::max(MaxNodos, NumNodos);
    if (!MostrarEtapas()) {
        NodoSel = Vector[Subir(i)];
        return true;
    }
    try {
        Etapa("Inserción de elemento", "Se inserta al final del vector. Se realiza una reestructuración ascendente.",
              2, "final");
    } catch (...) {
        Subir(i);
        throw;
    }
    ReestructurarAscendente(i);
    return true;
}

void TMonticulo::ReestructurarAscendente(std::int32_t I) {
    if (!MostrarEtapas()) {
        NodoSel = Vector[Subir(I)];  // where the reported walk would leave it
        return;
    }
    const char* titulo = "Reestructuración ascendente";
    std::int32_t i = I;  // where the climbing value is
    try {
        for (;;) {
            if (i == 0) {
                Etapa(titulo, "El nodo seleccionado ha llegado a la raiz. Se termina la reestructuración.", 0, "cima");
                return;
            }
            const std::int32_t p = Padre(i);
            TMarcas marcas{Vector[i], Vector[p]};
            Etapa(titulo, "Se compara el nodo seleccionado con su padre.", 0, "comparar");
            if (VectorValores[i] >= VectorValores[p]) {
                Etapa(titulo, "El nodo seleccionado es mayor que el padre. Se termina la reestructuración.", 0,
                      "mayor");
                return;
            }
            Intercambiar(i, p);
            i = p;
            NodoSel = Vector[p];
            Etapa(titulo,
                  "El nodo seleccionado es menor que el padre. Se intercambia con él y continúa la reestructuración.",
                  2, "subir");
        }
    } catch (...) {
        Subir(i);
        throw;
    }
}

namespace {
// Cell I (node N) receives a value and the drawn position that goes with it.
inline void Poner(TNodoMon* N, std::int32_t* Valores, std::int32_t I, std::int32_t Valor,
                  std::int32_t X, std::int32_t Y) {
    N->Valor = Valor;
    Valores[I] = Valor;
    N->X = X;
    N->Y = Y;
}
}  // namespace

std::int32_t TMonticulo::Subir(std::int32_t I) {
    TNodoMon* const* nodos = Vector.data();
    std::int32_t* valores = VectorValores.data();
    const std::int32_t v = valores[I];
    std::int32_t i = I;
    if (i == 0 || v >= valores[Padre(i)]) return i;
    TNodoMon* n = nodos[i];
    const std::int32_t x = n->X, y = n->Y;
    do {
        // The parent's value and drawn position come down one level.
        const std::int32_t p = Padre(i);
        TNodoMon* q = nodos[p];
        Poner(n, valores, i, valores[p], q->X, q->Y);
        n = q;
        i = p;
    } while (i > 0 && v < valores[Padre(i)]);
    Poner(n, valores, i, v, x, y);
    return i;
}

std::int32_t TMonticulo::Bajar(std::int32_t I) {
    const TNodoMon* n = Vector[I];
    return Hundir(I, VectorValores[I], n->X, n->Y);
}

std::int32_t TMonticulo::Hundir(std::int32_t I, std::int32_t Valor, std::int32_t X, std::int32_t Y) {
    TNodoMon* const* nodos = Vector.data();
    std::int32_t* valores = VectorValores.data();
    const std::int64_t num = NumNodos;
    std::int32_t i = I;
    TNodoMon* n = nodos[i];
    for (;;) {
        std::int64_t c = 2 * std::int64_t{i} + 1;
        if (c >= num) break;
        // Equal children: the left one counts as the smaller.
        if (c + 1 < num && valores[c] > valores[c + 1]) ++c;
        // The cells of the next level, the children of the child taken,
        // asked for before the comparison decides whether there is one.
#if defined(__GNUC__)
        if (const std::int64_t nietos = 2 * c + 1; nietos < num) {
            __builtin_prefetch(valores + nietos);
            __builtin_prefetch(nodos + nietos);
        }
#endif
        const auto h = static_cast<std::int32_t>(c);
        const std::int32_t vh = valores[h];
        if (Valor <= vh) break;
        // The smaller child's value and drawn position go up one level.
        TNodoMon* q = nodos[h];
        Poner(n, valores, i, vh, q->X, q->Y);
        n = q;
        i = h;
    }
    Poner(n, valores, i, Valor, X, Y);
    return i;
}

void TMonticulo::DestruirPendiente() {
    if (NodoBorrado == nullptr) return;
    DestruirNodo(NodoBorrado);
    NodoBorrado = nullptr;
}

void TMonticulo::Borrar() {
    if (NumNodos == 0) return;
    const TEnListado listado(*this, "mon-borrado");
    const char* titulo = "Borrado del mínimo";
    NodoSel = Raiz;
    if (NumNodos == 1) {
        Etapa(titulo, "El montículo pasa a estar vacío.", 0, "vaciar");
        // The cell keeps its value and MaxNodos, so it stays shown, greyed.
        DestruirNodo(Raiz);
        Vector[0] = nullptr;
        Raiz = nullptr;
        NodoSel = nullptr;
        NumNodos = 0;
        return;
    }
    const std::int32_t l = NumNodos - 1;
    if (!MostrarEtapas()) {
        // What the exchange of the root with the last cell, the removal of
        // the last node and the sift-down leave: the removed minimum in cell
        // l, the last value sunk from the root with the last node's drawn
        // position (the root's goes with the minimum into the removed node).
        TNodoMon* ultimo = Vector[l];
        const std::int32_t v = ultimo->Valor, x = ultimo->X, y = ultimo->Y;
        VectorValores[l] = Raiz->Valor;
        TNodoBin* p = ultimo->Padre;
        (l % 2 == 1 ? p->Izq : p->Der) = nullptr;
        Vector[l] = nullptr;
        DestruirNodo(ultimo);
        --NumNodos;
        NodoSel = Vector[Hundir(0, v, x, y)];
        return;
    }
    {
        TMarcas marca{Vector[l]};
        Etapa(titulo, "Se intercambia la raiz con el último elemento del vector.", 0, "raiz-ultimo");
        Intercambiar(l, 0);
        NodoSel = Vector[l];
    }
    {
        TMarcas marca{Vector[0]};
        try {
            Etapa(titulo, "Se elimina el último elemento y se realiza una reestructuración descendente desde la raiz.",
                  1, "quitar");
        } catch (...) {
            // Abandoned before the last node is detached, the deletion
            // leaves the heap as it was.
            Intercambiar(l, 0);
            NodoSel = Raiz;
            throw;
        }
    }
    // The last node leaves the tree and stays drawn as NodoBorrado until the
    // first step of the sift-down; it is destroyed however that ends.
    TNodoMon* ultimo = Vector[l];
    TNodoBin* p = ultimo->Padre;
    (l % 2 == 1 ? p->Izq : p->Der) = nullptr;
    ultimo->Padre = nullptr;
    Vector[l] = nullptr;
    NodoBorrado = ultimo;
    struct TPendiente {
        TMonticulo& M;
        ~TPendiente() { M.DestruirPendiente(); }
    } pendiente{*this};
    NodoSel = Vector[0];
    --NumNodos;
    ReestructurarDescendente(0);
}

void TMonticulo::ReestructurarDescendente(std::int32_t I) {
    if (!MostrarEtapas()) {
        DestruirPendiente();
        NodoSel = Vector[Bajar(I)];  // where the reported walk would leave it
        return;
    }
    const char* titulo = "Reestructuración descendente";
    std::int32_t i = I;  // where the sinking value is
    try {
        for (;;) {
            NodoSel = Vector[i];
            std::int64_t c = 2 * std::int64_t{i} + 1;
            if (c >= NumNodos) {
                Etapa(titulo, "El nodo seleccionado es una hoja. Se termina la reestructuración.", 0, "hoja");
                DestruirPendiente();
                return;
            }
            // Equal children: the left one counts as the smaller.
            if (c + 1 < NumNodos && VectorValores[c] > VectorValores[c + 1]) ++c;
            const auto h = static_cast<std::int32_t>(c);
            TMarcas marcas{Vector[i], Vector[h]};
            Etapa(titulo, "Se compara el nodo seleccionado con su hijo menor.", 2, "comparar");
            DestruirPendiente();
            if (VectorValores[i] <= VectorValores[h]) {
                Etapa(titulo, "El nodo seleccionado es menor que el hijo menor. Se termina la reestructuración.", 0,
                      "menor");
                return;
            }
            Intercambiar(i, h);
            i = h;
            NodoSel = Vector[h];
            Etapa(titulo,
                  "El nodo seleccionado es mayor que el hijo menor. Se intercambia con él y continúa la "
                  "reestructuración.",
                  2, "bajar");
        }
    } catch (...) {
        Bajar(i);
        throw;
    }
}

void TMonticulo::CrearMonticulo() {
    if (NumNodos < 2) return;
    const TEnListado listado(*this, "mon-crear");
    // From (n-1) div 2, as the construction is shown: for an odd count the
    // first position is a leaf.
    for (std::int32_t i = (NumNodos - 1) / 2; i >= 0; --i) ReestructurarDescendente(i);
}

void TMonticulo::CrearDesordenado(std::int32_t N) { CrearDesordenado(N, GeneradorPrograma()); }

void TMonticulo::CrearDesordenado(std::int32_t N, TAleatorio& Generador) {
    if (N < 0) throw EArbol("Numero de elementos negativo!");
    Vaciar();
    if (static_cast<std::size_t>(N) > Vector.size()) Redimensionar(static_cast<std::size_t>(N));
    const auto n = static_cast<std::uint32_t>(N);
    for (std::uint32_t i = 0; i < n; ++i) VectorValores[i] = static_cast<std::int32_t>(i + 1);
    for (std::uint64_t k = 0; k < 2 * std::uint64_t{n}; ++k) {
        const std::uint32_t a = Generador.Extraer(n);
        const std::uint32_t b = Generador.Extraer(n);
        std::swap(VectorValores[a], VectorValores[b]);
    }
    // Abandoned half-way (its progress hook threw), the heap is emptied.
    try {
        Enlazar(n);
    } catch (...) {
        Vaciar();
        throw;
    }
    MaxNodos = N;
    NodoSel = nullptr;
}

void TMonticulo::Enlazar(std::uint32_t n) {
    for (std::uint32_t i = 0; i < n; ++i) {
        TNodoMon* nodo = Mon(CrearNodo(VectorValores[i], nullptr, nullptr, nullptr));
        nodo->Indice = static_cast<std::int32_t>(i);
        Vector[i] = nodo;
        if (i > 0) {
            TNodoMon* p = Vector[(i - 1) / 2];
            nodo->Padre = p;
            (i % 2 == 1 ? p->Izq : p->Der) = nodo;
        }
        if (i == 0) Raiz = nodo;
        NumNodos = static_cast<std::int32_t>(i + 1);
        Avanzar(NumNodos);
    }
}

#include "uArbolBin.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

namespace {

constexpr std::int64_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t Max32 = std::numeric_limits<std::int32_t>::max();

bool Cabe32(std::int64_t v) { return v >= Min32 && v <= Max32; }

[[noreturn]] void Desbordamiento() {
    throw EArbol("La estructura es demasiado grande para distribuirla!");
}

}  // namespace

// ---------------------------------------------------------------- streams

void TLectorFlujo::Truncado() {
    throw EFlujoInvalido("El fichero no contiene una estructura valida: los datos terminan antes de tiempo.");
}

std::int32_t TLectorFlujo::LeerEntero() {
    if (Restante() < 4) Truncado();
    const std::uint8_t* b = Datos_.data() + Pos_;
    Pos_ += 4;
    const std::uint32_t u = std::uint32_t{b[0]} | (std::uint32_t{b[1]} << 8) | (std::uint32_t{b[2]} << 16) |
                            (std::uint32_t{b[3]} << 24);
    return static_cast<std::int32_t>(u);
}

std::uint8_t TLectorFlujo::LeerByte() {
    if (Restante() < 1) Truncado();
    return Datos_[Pos_++];
}

void TEscritorFlujo::EscribirEntero(std::int32_t V) {
    const auto u = static_cast<std::uint32_t>(V);
    const std::size_t n = Destino_.size();
    Destino_.resize(n + 4);
    std::uint8_t* b = Destino_.data() + n;
    b[0] = static_cast<std::uint8_t>(u);
    b[1] = static_cast<std::uint8_t>(u >> 8);
    b[2] = static_cast<std::uint8_t>(u >> 16);
    b[3] = static_cast<std::uint8_t>(u >> 24);
}

// ---------------------------------------------------------------- nodes

void TNodoBin::GuardarRegistro(TEscritorFlujo& Flujo) const {
    Flujo.EscribirEntero(Valor);
    Flujo.EscribirByte(Izq != nullptr ? 1 : 0);
    Flujo.EscribirByte(Der != nullptr ? 1 : 0);
}

void TNodoBin::CargarRegistro(TLectorFlujo& Flujo, bool& HayIzq, bool& HayDer) {
    Valor = Flujo.LeerEntero();
    HayIzq = Flujo.LeerByte() != 0;
    HayDer = Flujo.LeerByte() != 0;
}

void TNodoBin::Guardar(TEscritorFlujo& Flujo) const {
    RecorrerPreorden(const_cast<TNodoBin*>(this), [&](TNodoBin* n, std::int32_t) { n->GuardarRegistro(Flujo); });
}

void TNodoBin::Cargar(TLectorFlujo& Flujo, TArbolBin& Arbol) {
    // Records come in pre-order: after a node, its left subtree, then its
    // right one. The stack holds the nodes whose right child is still owed.
    std::vector<TNodoBin*> pendientes;
    TNodoBin* n = this;
    for (std::int64_t leidos = 1;; ++leidos) {
        Arbol.Avanzar(leidos);
        bool hayIzq = false, hayDer = false;
        n->CargarRegistro(Flujo, hayIzq, hayDer);
        if (hayDer) pendientes.push_back(n);
        if (hayIzq) {
            n->Izq = Arbol.CrearNodo(0, n, nullptr, nullptr);
            n = n->Izq;
            continue;
        }
        if (pendientes.empty()) return;
        TNodoBin* p = pendientes.back();
        pendientes.pop_back();
        p->Der = Arbol.CrearNodo(0, p, nullptr, nullptr);
        n = p->Der;
    }
}

// ---------------------------------------------------------------- pool

TPoolNodos::TPoolNodos(std::size_t TamSlot) {
    const std::size_t a = alignof(void*);
    TamSlot_ = std::max(TamSlot, sizeof(TLibre));
    TamSlot_ = (TamSlot_ + a - 1) / a * a;
}

void TPoolNodos::TBloqueDel::operator()(std::byte* p) const noexcept {
    ::operator delete(p, std::align_val_t{64});
}

void* TPoolNodos::Reservar() {
    if (Libres_ != nullptr) {
        TLibre* l = Libres_;
        Libres_ = l->Sig;
        return l;
    }
    if (Quedan_ == 0) {
        if (Bloque_ == Bloques_.size()) {
            Bloques_.reserve(Bloques_.size() + 1);
            Bloques_.emplace_back(static_cast<std::byte*>(
                ::operator new(SlotsDelBloque(Bloque_) * TamSlot_, std::align_val_t{64})));
        }
        Actual_ = Bloques_[Bloque_].get();
        Quedan_ = SlotsDelBloque(Bloque_);
        ++Bloque_;
    }
    void* p = Actual_;
    Actual_ += TamSlot_;
    --Quedan_;
    return p;
}

void TPoolNodos::Devolver(void* p) noexcept {
    auto* l = static_cast<TLibre*>(p);
    l->Sig = Libres_;
    Libres_ = l;
}

void TPoolNodos::Reiniciar() noexcept {
    Libres_ = nullptr;
    Bloque_ = 0;
    Actual_ = nullptr;
    Quedan_ = 0;
}

// ---------------------------------------------------------------- structure

TArbolBin::~TArbolBin() {
    // Nodes without a destructor go with the pool's blocks.
    if (!NodosConDestructor_) return;
    if (NodoBorrado != nullptr) {
        DestruirNodo(NodoBorrado);
        NodoBorrado = nullptr;
    }
    LiberarNodos(Raiz);
}

void TArbolBin::DestruirNodo(TNodoBin* Nodo) noexcept {
    Nodo->~TNodoBin();
    Pool_.Devolver(Nodo);
}

TNodoBin* TArbolBin::CrearNodo(std::int32_t Valor, TNodoBin* Padre, TNodoBin* Izq, TNodoBin* Der) {
    return NuevoNodo<TNodoBin>(Valor, Padre, Izq, Der);
}

void TArbolBin::ComprobarCabida() const {
    // Reachable only with a count read from a stream that disagrees with its records.
    if (NumNodos == std::numeric_limits<std::int32_t>::max()) throw EArbol("Numero de elementos erroneo!");
}

void TArbolBin::Etapa(std::string_view Titulo, std::string_view Descripcion, int TipoEtapa,
                      std::string_view Etiqueta) {
    if (!OnEtapa) return;
    Sitio_ = {Listado_, Etiqueta};
    struct TFin {
        TSitio& S;
        ~TFin() { S = {}; }
    } fin{Sitio_};
    OnEtapa(std::string(Titulo), std::string(Descripcion), TipoEtapa);
}

void TArbolBin::LiberarNodos(TNodoBin* Nodo) {
    if (Nodo == nullptr) return;
    TNodoBin* padre = Nodo->Padre;
    const bool eraRaiz = Nodo == Raiz;
    RecorrerPostorden(Nodo, [&](TNodoBin* n) {
        if (n == NodoSel) NodoSel = nullptr;
        DestruirNodo(n);
        --NumNodos;
    });
    if (eraRaiz) {
        Raiz = nullptr;
    } else if (padre != nullptr) {
        // The destroyed subtree is unlinked so that no link dangles.
        if (padre->Izq == Nodo) padre->Izq = nullptr;
        if (padre->Der == Nodo) padre->Der = nullptr;
    }
}

TNodoBin* TArbolBin::BuscarNodo(TNodoBin* Nodo, std::int32_t Valor) const {
    // The first match in pre-order.
    return RecorrerPreorden(Nodo, [Valor](TNodoBin* n, std::int32_t) { return n->Valor == Valor; });
}

bool TArbolBin::Seleccionar(std::int32_t Valor, bool Marcar) {
    TNodoBin* n = BuscarNodo(Raiz, Valor);
    if (Marcar) NodoSel = n;
    return n != nullptr;
}

void TArbolBin::Vaciar() {
    // The tree holds every live slot unless a removed node is still shown:
    // then, or when nodes need their destructors, they go one by one.
    if (!NodosConDestructor_ && NodoBorrado == nullptr)
        Pool_.Reiniciar();
    else
        LiberarNodos(Raiz);
    Raiz = nullptr;
    NumNodos = 0;
    NodoSel = nullptr;
}

std::int32_t TArbolBin::Altura() const {
    std::int32_t h = 0;
    RecorrerPreorden(Raiz, [&](TNodoBin*, std::int32_t prof) { h = std::max(h, prof + 1); });
    return h;
}

double TArbolBin::OpPromedio() const {
    if (Raiz == nullptr) return 0.0;
    std::int64_t suma = 0;
    RecorrerPreorden(Raiz, [&](TNodoBin*, std::int32_t prof) { suma += prof + 1; });
    return static_cast<double>(suma) / NumNodos;
}

void TArbolBin::SeleccionarPosicion(std::int32_t K) {
    if (K < 0) return;
    // In-order walk by parent links; stops at the K-th node.
    TNodoBin* n = Raiz;
    if (n == nullptr) return;
    while (n->Izq != nullptr) n = n->Izq;
    std::int32_t cont = K;
    while (n != nullptr) {
        if (cont == 0) {
            NodoSel = n;
            return;
        }
        --cont;
        if (n->Der != nullptr) {
            n = n->Der;
            while (n->Izq != nullptr) n = n->Izq;
        } else {
            TNodoBin* p = n->Padre;
            while (p != nullptr && p->Der == n) {
                n = p;
                p = p->Padre;
            }
            n = p;
        }
    }
}

void TArbolBin::BorrarEntrada(std::int32_t Clave) {
    Seleccionar(Clave, true);
    Borrar();
}

namespace {

// Empties the structure and applies the n operations with the hook detached;
// the hook is given back however the replay ends.
template <typename TAplicar>
void Repetir(TArbolBin& A, std::size_t n, TAplicar Aplicar) {
    struct TRestaurar {
        TArbolBin& A;
        TEventoEtapa Guardado;
        ~TRestaurar() { A.OnEtapa = std::move(Guardado); }
    } restaurar{A, std::move(A.OnEtapa)};
    A.OnEtapa = nullptr;
    A.Vaciar();
    // A replay into a degenerate tree costs one walk of the whole chain per
    // entry: the hook is asked more often than elsewhere.
    for (std::size_t i = 0; i < n; ++i) {
        Aplicar(i);
        A.Avanzar(static_cast<std::int64_t>(i + 1), 32);
    }
}

}  // namespace

void TArbolBin::Reconstruir(std::span<const std::int32_t> Entradas, std::int32_t N) {
    const auto n = std::min<std::size_t>(static_cast<std::size_t>(std::max(N, 0)), Entradas.size());
    Repetir(*this, n, [&](std::size_t i) {
        const std::int32_t e = Entradas[i];
        if (e < 0) {
            BorrarEntrada(Negada(e));
        } else {
            Insertar(e);
        }
    });
}

void TArbolBin::Reconstruir(std::span<const TOperacion> Operaciones) {
    // Nothing was selected by the user: a replay that stops early leaves no
    // selection either.
    struct TDeseleccionar {
        TArbolBin& A;
        ~TDeseleccionar() { A.Deseleccionar(); }
    } deseleccionar{*this};
    Repetir(*this, Operaciones.size(), [&](std::size_t i) {
        const TOperacion& op = Operaciones[i];
        if (op.Tipo == TOperacion::Borrado) {
            BorrarEntrada(op.Clave);
        } else {
            Insertar(op.Clave);
        }
    });
}

// ---------------------------------------------------------------- stream

void TArbolBin::Guardar(TEscritorFlujo& Flujo) const {
    Flujo.EscribirEntero(NumNodos);
    if (Raiz != nullptr) Raiz->Guardar(Flujo);
}

std::vector<std::uint8_t> TArbolBin::Guardar() const {
    std::vector<std::uint8_t> datos;
    datos.reserve(4 + 6 * static_cast<std::size_t>(std::clamp(NumNodos, 0, 1 << 16)));
    TEscritorFlujo f(datos);
    Guardar(f);
    return datos;
}

TArbolBin::TCarga::~TCarga() {
    if (Raiz == nullptr) return;
    // Into an empty structure, the pool holds only what was read: its slots
    // are all freed at once (an abandoned load of millions of nodes is
    // discarded in no time).
    if (Arbol_.Raiz == nullptr && Arbol_.NodoBorrado == nullptr && !Arbol_.NodosConDestructor_) {
        Arbol_.Pool_.Reiniciar();
        return;
    }
    // A partly read tree has consistent links: each node is linked as soon as
    // it is created.
    RecorrerPostorden(Raiz, [&](TNodoBin* n) { Arbol_.DestruirNodo(n); });
}

void TArbolBin::LeerFlujo(TLectorFlujo& Flujo, TCarga& C) {
    C.NumNodos = Flujo.LeerEntero();
    if (C.NumNodos < 0)
        throw EFlujoInvalido("El fichero no contiene una estructura valida: el numero de nodos es negativo.");
    if (C.NumNodos == 0) return;  // whatever follows is not read
    C.Raiz = CrearNodo(0, nullptr, nullptr, nullptr);
    C.Raiz->Cargar(Flujo, *this);
}

void TArbolBin::Adoptar(TCarga& C) {
    LiberarNodos(Raiz);
    Raiz = C.Raiz;
    NumNodos = C.NumNodos;
    NodoSel = nullptr;
    C.Raiz = nullptr;
}

void TArbolBin::Cargar(TLectorFlujo& Flujo) {
    TCarga c(*this);
    LeerFlujo(Flujo, c);
    Adoptar(c);
}

void TArbolBin::Cargar(std::span<const std::uint8_t> Datos) {
    TLectorFlujo f(Datos);
    Cargar(f);
}

// ---------------------------------------------------------------- layouts

namespace {

// A node in a pre-order listing. Its left child follows it at once, its right
// child follows its left subtree.
// The child flags are copied so that the passes over the listing do not
// fetch the nodes again.
struct TPre {
    TNodoBin* Nodo;
    std::int32_t Prof;
    std::int32_t Tam;  // nodes in the subtree
    bool HayIzq, HayDer;
    std::int64_t W, H, RX, X;
};

std::vector<TPre> ListaPreorden(TNodoBin* Raiz, std::int32_t NumNodos) {
    std::vector<TPre> e;
    // The count is only a hint (a loaded count may be wrong), so it is capped.
    e.reserve(static_cast<std::size_t>(std::clamp(NumNodos, 0, 1 << 16)));
    RecorrerPreorden(Raiz, [&](TNodoBin* n, std::int32_t prof) {
        e.push_back({n, prof, 1, n->Izq != nullptr, n->Der != nullptr, 0, 0, 0, 0});
    });
    return e;
}

// Every subtree in a band of its own: width W = max(R, WL) + 2Sx + max(R, WR),
// its root RX = max(R, WL) + Sx from the band's left edge.
TDistribucion Separada(std::vector<TPre>& e, std::int64_t r, std::int64_t sx, std::int64_t sy) {
    const auto cuenta = static_cast<std::int64_t>(e.size());
    auto izq = [&](std::int64_t i) { return e[i].HayIzq ? i + 1 : -1; };
    auto der = [&](std::int64_t i, std::int64_t l) { return e[i].HayDer ? i + 1 + (l >= 0 ? e[l].Tam : 0) : -1; };
    // Bottom-up: width, height and root offset of every subtree.
    for (std::int64_t i = cuenta - 1; i >= 0; --i) {
        const std::int64_t l = izq(i), d = der(i, l);
        const std::int64_t wl = l >= 0 ? e[l].W : 0, hl = l >= 0 ? e[l].H : 0;
        const std::int64_t wr = d >= 0 ? e[d].W : 0, hr = d >= 0 ? e[d].H : 0;
        TPre& t = e[i];
        t.W = std::max(r, wl) + 2 * sx + std::max(r, wr);
        t.RX = std::max(r, wl) + sx;
        t.H = (hl == 0 && hr == 0) ? 2 * r : std::max(hl, hr) + 2 * r + sy;
        t.Tam = 1 + (l >= 0 ? e[l].Tam : 0) + (d >= 0 ? e[d].Tam : 0);
        if (!Cabe32(t.W) || !Cabe32(t.H) || !Cabe32(t.RX)) Desbordamiento();
    }
    // Top-down: a left child at RX - W - Sx from its parent, a right child at
    // RX + Sx (each with its own W and RX).
    e[0].X = e[0].RX;
    for (std::int64_t i = 0; i < cuenta; ++i) {
        const std::int64_t l = izq(i), d = der(i, l);
        if (l >= 0) e[l].X = e[i].X + e[l].RX - e[l].W - sx;
        if (d >= 0) e[d].X = e[i].X + e[d].RX + sx;
        if (!Cabe32(e[i].X) || !Cabe32(r + e[i].Prof * (2 * r + sy))) Desbordamiento();
    }
    for (const TPre& t : e) {
        t.Nodo->X = static_cast<std::int32_t>(t.X);
        t.Nodo->Y = static_cast<std::int32_t>(r + t.Prof * (2 * r + sy));
    }
    return {static_cast<std::int32_t>(e[0].W), static_cast<std::int32_t>(e[0].H), static_cast<std::int32_t>(e[0].RX)};
}

}  // namespace

TDistribucion TArbolBin::DistribuirSeparada(std::int32_t R, std::int32_t Sx, std::int32_t Sy) {
    Radio = R;
    SepX = Sx;
    SepY = Sy;
    if (Raiz == nullptr) return {};
    std::vector<TPre> e = ListaPreorden(Raiz, NumNodos);
    return Separada(e, R, Sx, Sy);
}

TDistribucion TArbolBin::DistribuirComprimida(std::int32_t R, std::int32_t Sx, std::int32_t Sy) {
    Radio = R;
    SepX = Sx;
    SepY = Sy;
    if (Raiz == nullptr) return {};
    struct TEntrada {
        TNodoBin* Nodo;
        std::int32_t Nivel;
        std::int32_t HijoIzq, HijoDer;  // entry indices, -1 for none
        std::int64_t X, Y;
        std::int64_t Empuje;  // shift of this entry and those right of it on its level, not yet applied
        std::int64_t Arrastre;  // shift owed to every descendant
        bool EsHoja() const { return HijoIzq < 0 && HijoDer < 0; }
    };
    // Level-order list: each entry's children appended in turn, left first.
    std::vector<TEntrada> e;
    e.push_back({Raiz, 0, -1, -1, 0, 0, 0, 0});
    for (std::size_t k = 0; k < e.size(); ++k) {
        TNodoBin* n = e[k].Nodo;
        const std::int32_t nivel = e[k].Nivel + 1;
        if (n->Izq != nullptr) {
            e[k].HijoIzq = static_cast<std::int32_t>(e.size());
            e.push_back({n->Izq, nivel, -1, -1, 0, 0, 0, 0});
        }
        if (n->Der != nullptr) {
            e[k].HijoDer = static_cast<std::int32_t>(e.size());
            e.push_back({n->Der, nivel, -1, -1, 0, 0, 0, 0});
        }
        if (e.size() > static_cast<std::size_t>(std::max(NumNodos, 0))) break;
    }
    if (e.size() != static_cast<std::size_t>(NumNodos)) throw EArbol("Numero de elementos erroneo!");

    const std::int64_t r = R, G = 2 * static_cast<std::int64_t>(R) + 2 * static_cast<std::int64_t>(Sx);
    const std::int64_t paso = 2 * static_cast<std::int64_t>(R) + Sy;
    auto centrar = [&](TEntrada& t) {
        if (t.HijoIzq < 0)
            t.X = e[t.HijoDer].X - r;
        else if (t.HijoDer < 0)
            t.X = e[t.HijoIzq].X + r;
        else
            t.X = (e[t.HijoIzq].X + e[t.HijoDer].X) / 2;
    };
    // The deepest level, packed leftwards from its last entry at x 0.
    const std::int64_t ultima = static_cast<std::int64_t>(e.size()) - 1;
    std::int64_t i = ultima;
    for (; i >= 0 && e[i].Nivel == e[ultima].Nivel; --i) {
        e[i].X = (i == ultima) ? 0 : e[i + 1].X - G;
        e[i].Y = 0;
    }
    // Every upper level, from its right end leftwards. A subtree pushed right
    // is moved lazily: the entry and its level neighbours get Empuje (summed
    // along the level when it is done), the descendants Arrastre (summed down
    // the tree at the end).
    std::int64_t y = 0;
    while (i >= 0) {
        y -= paso;
        const std::int64_t j = i;
        const std::int32_t nivel = e[j].Nivel;
        while (i >= 0 && e[i].Nivel == nivel && e[i].EsHoja()) --i;
        if (i < 0 || e[i].Nivel != nivel) throw EArbol("Numero de elementos erroneo!");
        centrar(e[i]);
        e[i].Y = y;
        for (std::int64_t k = i + 1; k <= j; ++k) {
            e[k].X = e[k - 1].X + G;
            e[k].Y = y;
        }
        for (--i; i >= 0 && e[i].Nivel == nivel; --i) {
            TEntrada& t = e[i];
            if (t.EsHoja()) {
                t.X = e[i + 1].X - G;
            } else {
                centrar(t);
                const std::int64_t D = e[i + 1].X - t.X;
                if (D < G) e[i + 1].Empuje += G - D;
            }
            t.Y = y;
        }
        std::int64_t acumulado = 0;
        for (std::int64_t k = i + 1; k <= j; ++k) {
            acumulado += e[k].Empuje;
            e[k].Empuje = 0;
            e[k].X += acumulado;
            e[k].Arrastre += acumulado;
        }
    }
    // Owed shifts down the tree; parents come before children in the list.
    for (TEntrada& t : e) {
        for (std::int32_t h : {t.HijoIzq, t.HijoDer}) {
            if (h < 0) continue;
            e[h].X += t.Arrastre;
            e[h].Arrastre += t.Arrastre;
        }
    }
    std::int64_t minX = e[0].X, maxX = e[0].X, minY = e[0].Y, maxY = e[0].Y;
    for (const TEntrada& t : e) {
        minX = std::min(minX, t.X);
        maxX = std::max(maxX, t.X);
        minY = std::min(minY, t.Y);
        maxY = std::max(maxY, t.Y);
    }
    const std::int64_t ancho = maxX - minX + 2 * r, alto = maxY - minY + 2 * r;
    const std::int64_t dx = r - minX, dy = r - minY;
    if (!Cabe32(ancho) || !Cabe32(alto) || !Cabe32(minX + dx) || !Cabe32(maxX + dx) || !Cabe32(minY + dy) ||
        !Cabe32(maxY + dy))
        Desbordamiento();
    for (const TEntrada& t : e) {
        t.Nodo->X = static_cast<std::int32_t>(t.X + dx);
        t.Nodo->Y = static_cast<std::int32_t>(t.Y + dy);
    }
    return {static_cast<std::int32_t>(ancho), static_cast<std::int32_t>(alto), Raiz->X};
}

TDistribucion TArbolBin::DistribuirCompleta(std::int32_t R, std::int32_t Sx, std::int32_t Sy) {
    Radio = R;
    SepX = Sx;
    SepY = Sy;
    if (Raiz == nullptr) return {};
    std::vector<TPre> e = ListaPreorden(Raiz, NumNodos);
    std::int32_t h = 0;
    for (const TPre& t : e) h = std::max(h, t.Prof);
    const std::int64_t r = R, paso = std::int64_t{R} + Sx, bajada = 2 * r + Sy;
    // The area must fit in 32 bits; then so does every slot, which lies
    // between x R and x Ancho - R. Otherwise, and for negative sizes (never
    // given by the option dialog), the separated layout is used.
    // (h <= 31 whenever it fits with paso >= 1; paso is 0 only for R = Sx = 0.)
    if (R < 0 || Sx < 0 || Sy < 0 || h > 62 || (paso > 0 && h > 31)) return Separada(e, R, Sx, Sy);
    const std::int64_t xRaiz = ((std::int64_t{1} << h) - 1) * paso + r;
    const std::int64_t ancho = 2 * xRaiz, alto = 2 * r + bajada * h;
    if (!Cabe32(ancho) || !Cabe32(alto)) return Separada(e, R, Sx, Sy);
    // A child sits half its parent's slot span to the left or to the right;
    // in pre-order the parent is the last node met one level up.
    std::vector<std::int64_t> xNivel(static_cast<std::size_t>(h) + 1);
    for (const TPre& t : e) {
        std::int64_t x = xRaiz;
        if (t.Prof > 0) {
            const std::int64_t medio = paso * (std::int64_t{1} << (h - t.Prof));
            x = xNivel[t.Prof - 1] + (t.Nodo->Padre->Izq == t.Nodo ? -medio : medio);
        }
        xNivel[t.Prof] = x;
        t.Nodo->X = static_cast<std::int32_t>(x);
        t.Nodo->Y = static_cast<std::int32_t>(bajada * t.Prof + r);
    }
    return {static_cast<std::int32_t>(ancho), static_cast<std::int32_t>(alto), static_cast<std::int32_t>(xRaiz)};
}

// ---------------------------------------------------------------- hit test and motion

bool TArbolBin::SeleccionarPunto(std::int32_t X, std::int32_t Y, std::int32_t R) {
    NodoSel = nullptr;
    if (Raiz == nullptr || R <= 0) return false;
    const std::int64_t r = R;
    // Pre-order; the first node hit is taken.
    NodoSel = RecorrerPreorden(Raiz, [&](TNodoBin* n, std::int32_t) {
        const std::int64_t dx = std::int64_t{n->X} - X, dy = std::int64_t{n->Y} - Y;
        return dx > -r && dx < r && dy > -r && dy < r && dx * dx + dy * dy < r * r;
    });
    return NodoSel != nullptr;
}

void TArbolBin::GuardarInicio() {
    RecorrerPreorden(Raiz, [](TNodoBin* n, std::int32_t) {
        n->XIni = n->X;
        n->YIni = n->Y;
    });
}

void TArbolBin::GuardarDestino() {
    RecorrerPreorden(Raiz, [](TNodoBin* n, std::int32_t) {
        n->XFin = n->X;
        n->YFin = n->Y;
    });
}

void TArbolBin::Interpolar(double t) {
    // Halves round to the even neighbour (the default rounding mode).
    if (!(t >= 0.0)) t = 0.0;
    if (t > 1.0) t = 1.0;
    auto paso = [t](std::int32_t a, std::int32_t b) {
        const double d = static_cast<double>(static_cast<std::int64_t>(b) - a) * t;
        return static_cast<std::int32_t>(static_cast<std::int64_t>(a) + static_cast<std::int64_t>(std::nearbyint(d)));
    };
    RecorrerPreorden(Raiz, [&](TNodoBin* n, std::int32_t) {
        n->X = paso(n->XIni, n->XFin);
        n->Y = paso(n->YIni, n->YFin);
    });
}

// ---------------------------------------------------------------- clone

void TNodoBin::CopiarCampos(const TNodoBin& Origen) {
    X = Origen.X;
    Y = Origen.Y;
    Valor = Origen.Valor;
    Marcado = Origen.Marcado;
    XIni = Origen.XIni;
    YIni = Origen.YIni;
    XFin = Origen.XFin;
    YFin = Origen.YFin;
}

std::size_t TPoolNodos::BytesReservados() const {
    std::size_t b = 0;
    for (std::size_t k = 0; k < Bloques_.size(); ++k) b += SlotsDelBloque(k) * TamSlot_;
    return b;
}

std::unique_ptr<TArbolBin> TArbolBin::Clonar() const {
    std::unique_ptr<TArbolBin> c = Clase()();
    auto copia = [&](const TNodoBin* o, TNodoBin* padre) {
        TNodoBin* n = c->CrearNodo(o->Valor, padre, nullptr, nullptr);
        n->CopiarCampos(*o);
        if (o == NodoSel) c->NodoSel = n;
        return n;
    };
    if (Raiz != nullptr) {
        // Pre-order with an explicit stack: each entry is an original node
        // whose copy is still owed, and the copy of its parent.
        struct TPendiente {
            const TNodoBin* Origen;
            TNodoBin* PadreCopia;
        };
        std::vector<TPendiente> pila;
        pila.reserve(64);
        c->Raiz = copia(Raiz, nullptr);
        const TNodoBin* o = Raiz;
        TNodoBin* n = c->Raiz;
        for (;;) {
            if (o->Der != nullptr) pila.push_back({o->Der, n});
            if (o->Izq != nullptr) {
                n->Izq = copia(o->Izq, n);
                n = n->Izq;
                o = o->Izq;
            } else if (pila.empty()) {
                break;
            } else {
                const TPendiente p = pila.back();
                pila.pop_back();
                p.PadreCopia->Der = copia(p.Origen, p.PadreCopia);
                n = p.PadreCopia->Der;
                o = p.Origen;
            }
        }
    }
    if (NodoBorrado != nullptr) c->NodoBorrado = copia(NodoBorrado, nullptr);  // detached: no links
    c->NumNodos = NumNodos;
    c->Radio = Radio;
    c->SepX = SepX;
    c->SepY = SepY;
    c->Variante = Variante;
    c->CopiarEstadoDeTipo(*this);
    return c;
}

// Node and tree base of every structure: links, selection, statistics, drawing
// traversal, replay of an operation list, the byte stream, the three layouts
// and the node-motion operations.
//
// Every walk over the nodes is iterative (parent links or an explicit stack):
// a degenerate chain of a million nodes is an ordinary input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <type_traits>
#include <vector>

#include "uListaOper.h"

// An internal inconsistency found inside an operation ("Numero de elementos
// erroneo!", ...). It carries the Spanish text the user is shown.
class EArbol : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A byte stream that cannot be read as a structure. The structure that was
// being loaded into keeps its previous content.
class EFlujoInvalido : public EArbol {
public:
    using EArbol::EArbol;
};

// A long routine abandoned at the request of its progress hook (TArbolBin::
// Avance). Not an EArbol, nor any std::exception: it reports no fault, and no
// handler of faults may take it for one.
class ECancelado {};

// Reads little-endian fields from a byte span; never reads past its end.
class TLectorFlujo {
public:
    explicit TLectorFlujo(std::span<const std::uint8_t> Datos) : Datos_(Datos) {}

    std::int32_t LeerEntero();  // 4 bytes, little-endian, signed
    std::uint8_t LeerByte();
    std::size_t Posicion() const { return Pos_; }
    std::size_t Restante() const { return Datos_.size() - Pos_; }

private:
    [[noreturn]] static void Truncado();
    std::span<const std::uint8_t> Datos_;
    std::size_t Pos_ = 0;
};

// Appends little-endian fields to a growable byte buffer.
class TEscritorFlujo {
public:
    explicit TEscritorFlujo(std::vector<std::uint8_t>& Destino) : Destino_(Destino) {}
    void EscribirEntero(std::int32_t V);
    void EscribirByte(std::uint8_t B) { Destino_.push_back(B); }

private:
    std::vector<std::uint8_t>& Destino_;
};

// Node classes whose destructor does nothing, so that a whole structure of
// them is released by forgetting its slots. Each kind's unit opts its node
// class in; any other class (a test's counting node, say) is destroyed one
// node at a time.
template <class N>
inline constexpr bool NodoSinDestructor = false;

class TArbolBin;

class TNodoBin {
public:
    TNodoBin(std::int32_t V, TNodoBin* P, TNodoBin* I, TNodoBin* D) : Valor(V), Izq(I), Der(D), Padre(P) {}
    virtual ~TNodoBin() = default;
    TNodoBin(const TNodoBin&) = delete;
    TNodoBin& operator=(const TNodoBin&) = delete;

    // A plain node is one 64-byte cache line. Valor sits between the drawn
    // centre and the child links: a search reads Valor, Izq and Der, the
    // heap moves Valor, X and Y along its paths, and in the larger nodes of
    // the other kinds (whose slots do not start on a line) each of those
    // groups seldom straddles two lines.
    std::int32_t X = 0, Y = 0;  // centre in layout pixels
    std::int32_t Valor;
    bool Marcado = false;  // highlighted during the step being reported
    TNodoBin* Izq;
    TNodoBin* Der;
    TNodoBin* Padre;  // nil at the root
    std::int32_t XIni = 0, YIni = 0;  // start of the running animation
    std::int32_t XFin = 0, YFin = 0;  // end of the running animation

    // Writes this node's record and then its subtrees, in pre-order.
    void Guardar(TEscritorFlujo& Flujo) const;
    // Reads this node's record and then its subtrees; every child is made by
    // Arbol.CrearNodo, so it has the node class of the structure's kind.
    // Throws EFlujoInvalido when the data ends inside a record.
    void Cargar(TLectorFlujo& Flujo, TArbolBin& Arbol);

    // This node's own record (without the subtrees).
    virtual void GuardarRegistro(TEscritorFlujo& Flujo) const;
    virtual void CargarRegistro(TLectorFlujo& Flujo, bool& HayIzq, bool& HayDer);
    // Copies every field but the links from Origen, a node of the same class
    // (kinds add their own fields).
    virtual void CopiarCampos(const TNodoBin& Origen);
};

template <>
inline constexpr bool NodoSinDestructor<TNodoBin> = true;

// Hijo, when there is one, takes Padre as its parent.
inline void Colgar(TNodoBin* Hijo, TNodoBin* Padre) {
    if (Hijo != nullptr) Hijo->Padre = Padre;
}

// Walks over a subtree in pre-order with an explicit stack (never recursion;
// the stack holds at most one entry per level). F receives the node and its
// depth below Raiz (Raiz: 0). When F returns bool, true stops the walk and
// that node is returned.
template <class F>
TNodoBin* RecorrerPreorden(TNodoBin* Raiz, F&& f) {
    if (Raiz == nullptr) return nullptr;
    struct TPendiente {
        TNodoBin* Nodo;
        std::int32_t Prof;
    };
    std::vector<TPendiente> pila;
    pila.reserve(64);
    TNodoBin* n = Raiz;
    std::int32_t prof = 0;
    for (;;) {
        if constexpr (std::is_same_v<decltype(f(n, prof)), bool>) {
            if (f(n, prof)) return n;
        } else {
            f(n, prof);
        }
        if (n->Der != nullptr) pila.push_back({n->Der, prof + 1});
        if (n->Izq != nullptr) {
            n = n->Izq;
            ++prof;
        } else if (pila.empty()) {
            return nullptr;
        } else {
            n = pila.back().Nodo;
            prof = pila.back().Prof;
            pila.pop_back();
        }
    }
}

// Children before parents, by parent links: no allocation, so it serves
// destructors. F may destroy the node it receives.
template <class F>
void RecorrerPostorden(TNodoBin* Raiz, F&& f) {
    if (Raiz == nullptr) return;
    auto hojaMasIzq = [](TNodoBin* n) {
        for (;;) {
            if (n->Izq != nullptr)
                n = n->Izq;
            else if (n->Der != nullptr)
                n = n->Der;
            else
                return n;
        }
    };
    TNodoBin* n = hojaMasIzq(Raiz);
    for (;;) {
        TNodoBin* siguiente = nullptr;
        if (n != Raiz) {
            TNodoBin* p = n->Padre;
            siguiente = (p->Izq == n && p->Der != nullptr) ? hojaMasIzq(p->Der) : p;
        }
        f(n);
        if (siguiente == nullptr) return;
        n = siguiente;
    }
}

// Which algorithms the engines run where courses differ: the program's own
// (a red-black deletion that restores nothing, a root that may stay red, a
// splay search that does not splay on a miss) or the textbooks' (the
// deletion's double-black repair, the root painted black after an
// insertion's check, the last node visited splayed on a miss).
enum class TVariante : std::uint8_t { Original, Libro };

// Step-report hook: (Titulo, Descripcion, TipoEtapa). TipoEtapa 0: redraw
// only; 1: lay out again; 2: wait for the go-ahead, then lay out again.
using TEventoEtapa = std::function<void(const std::string&, const std::string&, int)>;

// The area a layout occupies and the x of the root's centre.
struct TDistribucion {
    std::int32_t Ancho = 0;
    std::int32_t Alto = 0;
    std::int32_t XRaiz = 0;
    bool operator==(const TDistribucion&) const = default;
};

// Slots of one fixed size for the nodes of one structure. Freed slots are
// reused; the memory goes back when the structure is destroyed.
class TPoolNodos {
public:
    explicit TPoolNodos(std::size_t TamSlot);
    TPoolNodos(const TPoolNodos&) = delete;
    TPoolNodos& operator=(const TPoolNodos&) = delete;
    std::size_t TamSlot() const { return TamSlot_; }
    void* Reservar();
    void Devolver(void* p) noexcept;
    // Every slot becomes free at once, without visiting them; the blocks are
    // kept and handed out again from the first.
    void Reiniciar() noexcept;
    // Memory of the blocks held, handed out or not.
    std::size_t BytesReservados() const;

private:
    struct TLibre {
        TLibre* Sig;
    };
    struct TBloqueDel {
        void operator()(std::byte* p) const noexcept;
    };
    // Blocks grow geometrically up to 64 Ki slots: block K has this many.
    static std::size_t SlotsDelBloque(std::size_t K) {
        return K >= 10 ? std::size_t{65536} : std::size_t{64} << K;
    }
    std::size_t TamSlot_;
    TLibre* Libres_ = nullptr;
    std::vector<std::unique_ptr<std::byte, TBloqueDel>> Bloques_;
    std::size_t Bloque_ = 0;  // blocks before this one are handed out
    std::byte* Actual_ = nullptr;
    std::size_t Quedan_ = 0;
};

class TArbolBin;
// Class reference for virtual construction: makes a fresh, empty structure.
using TClaseArbol = std::unique_ptr<TArbolBin> (*)();

template <class T>
std::unique_ptr<TArbolBin> CrearArbol() {
    return std::make_unique<T>();
}

class TArbolBin {
public:
    // TamNodo: size of the kind's node class (every node of one structure
    // has the same class).
    explicit TArbolBin(std::size_t TamNodo = sizeof(TNodoBin)) : Pool_(TamNodo) {}
    virtual ~TArbolBin();
    TArbolBin(const TArbolBin&) = delete;
    TArbolBin& operator=(const TArbolBin&) = delete;

    std::int32_t NumNodos = 0;
    TNodoBin* Raiz = nullptr;     // owned
    TNodoBin* NodoSel = nullptr;  // not owned
    std::int32_t Radio = 0;
    std::int32_t SepX = 0;
    std::int32_t SepY = 0;
    TEventoEtapa OnEtapa;
    TNodoBin* NodoBorrado = nullptr;  // owned while the report of its removal is shown
    // The algorithms the operations from now on run (Clonar copies it; a
    // stored stream does not hold it).
    TVariante Variante = TVariante::Original;

    // Progress hook of the long routines (Cargar: nodes read; Reconstruir:
    // entries replayed; the kinds' builders: nodes or values made; a
    // recording: stages), called with the count done once every so many
    // units, so that a structure without it pays nothing. It may throw
    // ECancelado to abandon the routine: the structure stays sound (a load
    // leaves it as it was, a builder leaves it empty, a replay keeps the
    // entries applied so far). Clonar does not copy it.
    std::function<void(std::int64_t)> Avance;

    bool MostrarEtapas() const { return static_cast<bool>(OnEtapa); }
    // Where the step being reported stands in the algorithms' listings (see
    // uPseudocodigo.h): the listing of the routine running and the tag its
    // report site gave. Read it from OnEtapa; empty for a site without one.
    struct TSitio {
        std::string_view Listado, Etiqueta;
    };
    const TSitio& Sitio() const { return Sitio_; }
    // Calls Avance when Hecho is a multiple of Cada (a power of two).
    void Avanzar(std::int64_t Hecho, std::int64_t Cada = 256) {
        if ((Hecho & (Cada - 1)) == 0 && Avance) Avance(Hecho);
    }

    // The virtual operations of every kind, in slot order.
    virtual TNodoBin* CrearNodo(std::int32_t Valor, TNodoBin* Padre, TNodoBin* Izq, TNodoBin* Der);
    virtual TNodoBin* BuscarNodo(TNodoBin* Nodo, std::int32_t Valor) const;
    virtual void SuprimirNodo() = 0;
    virtual std::string NombreTipo() const = 0;
    virtual std::string NombreTipos() const = 0;
    virtual TClaseArbol Clase() const = 0;  // the kind's virtual constructor
    virtual void Cargar(TLectorFlujo& Flujo);
    virtual void Guardar(TEscritorFlujo& Flujo) const;
    virtual void Vaciar();
    virtual bool Buscar(std::int32_t Valor) = 0;
    virtual bool Insertar(std::int32_t Valor) = 0;
    virtual void Borrar() = 0;
    virtual bool Seleccionar(std::int32_t Valor, bool Marcar);

    // An identical, independent structure of the same kind: every node with
    // every field (value, positions, motion fields, mark, the kind's own),
    // the same shape, NodoSel and the removed node NodoBorrado mapped to
    // their copies (a NodoSel in neither becomes nil), the count, the layout
    // sizes and the kind's own state; OnEtapa stays unassigned. The copies
    // are made in pre-order, so the k-th node of the clone in pre-order is
    // the copy of the k-th of the original. Iterative: a 10^6 chain clones.
    std::unique_ptr<TArbolBin> Clonar() const;
    // Memory held by this structure's node pool.
    std::size_t BytesNodos() const { return Pool_.BytesReservados(); }

    // Conveniences over the stream operations.
    void Cargar(std::span<const std::uint8_t> Datos);
    std::vector<std::uint8_t> Guardar() const;

    void Deseleccionar() { NodoSel = nullptr; }
    std::int32_t Altura() const;
    double OpPromedio() const;
    void SeleccionarPosicion(std::int32_t K);
    // The deletion of an operation entry: Seleccionar (Clave, true), then
    // Borrar. A kind whose Borrar ignores the selection may skip the search.
    virtual void BorrarEntrada(std::int32_t Clave);
    // Replays the first N entries (key: insertion; negated key: deletion,
    // through BorrarEntrada) without reports, from empty; the selection stays
    // where the last entry left it.
    void Reconstruir(std::span<const std::int32_t> Entradas, std::int32_t N);
    void Reconstruir(std::span<const std::int32_t> Entradas) {
        Reconstruir(Entradas, static_cast<std::int32_t>(Entradas.size()));
    }
    // Replays the operations exactly as they were recorded, whatever their
    // keys, without reports, from empty; leaves nothing selected.
    void Reconstruir(std::span<const TOperacion> Operaciones);

    // Layouts. Each stores R, Sx, Sy in Radio, SepX, SepY and gives every
    // linked node its X, Y. A failed layout writes no coordinate.
    TDistribucion DistribuirSeparada(std::int32_t R, std::int32_t Sx, std::int32_t Sy);
    TDistribucion DistribuirComprimida(std::int32_t R, std::int32_t Sx, std::int32_t Sy);
    // Falls back to the separated layout when the complete tree's area does
    // not fit in 32 bits.
    TDistribucion DistribuirCompleta(std::int32_t R, std::int32_t Sx, std::int32_t Sy);

    bool SeleccionarPunto(std::int32_t X, std::int32_t Y, std::int32_t R);
    void GuardarInicio();
    void GuardarDestino();
    void Interpolar(double t);

    // Destroys a subtree, clearing NodoSel or Raiz when they are in it.
    void LiberarNodos(TNodoBin* Nodo);

    // Allocation of nodes in this structure's pool. CrearNodo overrides use
    // NuevoNodo; every node is destroyed with DestruirNodo.
    template <class N, class... A>
    N* NuevoNodo(A&&... Args) {
        if (sizeof(N) > Pool_.TamSlot() || alignof(N) > alignof(void*))
            throw std::logic_error("node class larger than the structure's slots");
        if constexpr (!NodoSinDestructor<N>) NodosConDestructor_ = true;
        void* p = Pool_.Reservar();
        try {
            return new (p) N(std::forward<A>(Args)...);
        } catch (...) {
            Pool_.Devolver(p);
            throw;
        }
    }
    void DestruirNodo(TNodoBin* Nodo) noexcept;

protected:
    // The kind's own state of a clone (Clonar calls it on the copy once its
    // nodes are made): nothing for the plain kinds.
    virtual void CopiarEstadoDeTipo(const TArbolBin& Origen) { (void)Origen; }

    // Nuevo (possibly nil) takes Viejo's place: as the root, or as the child
    // of Viejo's parent on Viejo's side. Viejo's own links are left alone.
    // Inline: every rotation of every kind makes one.
    void Reemplazar(TNodoBin* Viejo, TNodoBin* Nuevo) {
        TNodoBin* p = Viejo->Padre;
        Colgar(Nuevo, p);
        if (p == nullptr)
            Raiz = Nuevo;
        else if (p->Izq == Viejo)
            p->Izq = Nuevo;
        else
            p->Der = Nuevo;
    }
    // Before a node is added: raises "Numero de elementos erroneo!" when
    // NumNodos cannot count one more.
    void ComprobarCabida() const;
    // Reports a step when the hook is assigned (the texts are copied only
    // then). Etiqueta: the tag of its line in the listing of the routine
    // running (TEnListado).
    void Etapa(std::string_view Titulo, std::string_view Descripcion, int TipoEtapa,
               std::string_view Etiqueta = {});
    // The listing the reports made while it lives belong to (a name of
    // uPseudocodigo.h's); the one before comes back when it ends. An
    // operation sets its own, and a walk it calls (a rebalancing, a splay)
    // its own in turn. SiNoHay: only when no listing is set, for a routine
    // that is an operation of its own and also a part of others (a search
    // inside an insertion reports on the insertion's listing).
    class TEnListado {
    public:
        TEnListado(TArbolBin& Arbol, std::string_view Listado, bool SiNoHay = false)
            : Arbol_(Arbol),
              Antes_(std::exchange(Arbol.Listado_, SiNoHay && !Arbol.Listado_.empty() ? Arbol.Listado_ : Listado)) {}
        ~TEnListado() { Arbol_.Listado_ = Antes_; }
        TEnListado(const TEnListado&) = delete;
        TEnListado& operator=(const TEnListado&) = delete;

    private:
        TArbolBin& Arbol_;
        std::string_view Antes_;
    };

    // Nodes read from a stream, not yet linked to the structure: destroyed
    // unless Adoptar takes them.
    class TCarga {
    public:
        explicit TCarga(TArbolBin& Arbol) : Arbol_(Arbol) {}
        ~TCarga();
        TCarga(const TCarga&) = delete;
        TCarga& operator=(const TCarga&) = delete;
        TNodoBin* Raiz = nullptr;
        std::int32_t NumNodos = 0;

    private:
        TArbolBin& Arbol_;
    };
    // Reads a whole stream into C, leaving the structure untouched.
    void LeerFlujo(TLectorFlujo& Flujo, TCarga& C);
    // Replaces the present nodes by those of C.
    void Adoptar(TCarga& C);

private:
    TPoolNodos Pool_;
    // Some node of this structure was made with a destructor that must run.
    bool NodosConDestructor_ = false;
    std::string_view Listado_;  // of the routine running
    TSitio Sitio_;              // of the report being made
};

// Highlights up to four nodes for the reports made while it lives; the marks
// are cleared however the operation ends. The live sets of a thread form a
// stack (they are scoped objects), so a reader of the reports can list the
// marked nodes without walking the whole structure.
class TMarcas {
public:
    TMarcas() : Anterior_(Vigente_) { Vigente_ = this; }
    TMarcas(std::initializer_list<TNodoBin*> Nodos) : TMarcas() {
        for (TNodoBin* n : Nodos) Marcar(n);
    }
    ~TMarcas() {
        Limpiar();
        Vigente_ = Anterior_;
    }
    TMarcas(const TMarcas&) = delete;
    TMarcas& operator=(const TMarcas&) = delete;

    // F(Nodo) for every node marked by a live set of this thread and still
    // marked (a node marked twice is passed twice), in no particular order.
    // The nodes may belong to any structure, or to none any more.
    template <class F>
    static void ParaCadaMarcado(F&& f) {
        for (const TMarcas* m = Vigente_; m != nullptr; m = m->Anterior_)
            for (std::size_t i = 0; i < m->Cuantos_; ++i)
                if (m->Nodos_[i]->Marcado) f(m->Nodos_[i]);
    }
    void Marcar(TNodoBin* Nodo) {
        if (Cuantos_ == std::size(Nodos_)) throw std::logic_error("too many marked nodes");
        Nodo->Marcado = true;
        Nodos_[Cuantos_++] = Nodo;
    }
    void Limpiar() noexcept {
        for (std::size_t i = 0; i < Cuantos_; ++i) Nodos_[i]->Marcado = false;
        Cuantos_ = 0;
    }

private:
    TNodoBin* Nodos_[4] = {};
    std::size_t Cuantos_ = 0;
    TMarcas* Anterior_;
    static inline thread_local TMarcas* Vigente_ = nullptr;
};

// Decimal text of a key, as written inside step texts.
inline std::string Texto(std::int32_t V) { return std::to_string(V); }

// The negation of a 32-bit value, wrapping for the least one: the entry that
// records the deletion of a key, and the key a negative entry deletes.
inline std::int32_t Negada(std::int32_t V) {
    return static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(V));
}

#include "uGrabacion.h"

#include "uPseudocodigo.h"

#include "uMonticulo.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

// Thrown by a rerun's handler once the stage asked for is pictured.
struct TParada {};

// The handler of A set aside for a run, given back however the run ends.
class THandlerApartado {
public:
    THandlerApartado(TArbolBin& A, TEventoEtapa Nuevo) : A_(A), Guardado_(std::move(A.OnEtapa)) {
        A_.OnEtapa = std::move(Nuevo);
    }
    ~THandlerApartado() { A_.OnEtapa = std::move(Guardado_); }
    THandlerApartado(const THandlerApartado&) = delete;
    THandlerApartado& operator=(const THandlerApartado&) = delete;

private:
    TArbolBin& A_;
    TEventoEtapa Guardado_;
};

using TCamino = std::vector<const TNodoBin*>;

TCamino HastaLaRaiz(const TNodoBin* N) {
    TCamino c;
    for (; N != nullptr; N = N->Padre) c.push_back(N);
    return c;
}

// Given the lowest common ancestor at Ca[I] == Cb[J] of the paths up from A
// (Ca[0]) and B (Cb[0]): whether A comes first in pre-order.
bool PrimeroDesdeAncestro(const TCamino& Ca, std::size_t I, std::size_t J) {
    if (I == 0) return true;   // A is B's ancestor
    if (J == 0) return false;  // B is A's ancestor
    return Ca[I]->Izq == Ca[I - 1];
}

// Whether A comes before B (A != B) in pre-order. Marked nodes lie close
// together, so both climb a few levels at a time until their paths meet;
// only nodes far apart fall back to their whole paths to the root.
bool AntesEnPreorden(const TNodoBin* A, const TNodoBin* B) {
    constexpr std::size_t Cerca = 32;
    TCamino ca{A}, cb{B};
    auto buscar = [](const TCamino& c, const TNodoBin* n) { return std::find(c.begin(), c.end(), n) - c.begin(); };
    while (ca.size() < Cerca) {
        const bool subeA = ca.back()->Padre != nullptr, subeB = cb.back()->Padre != nullptr;
        if (!subeA && !subeB) break;
        if (subeA) {
            ca.push_back(ca.back()->Padre);
            if (const auto j = static_cast<std::size_t>(buscar(cb, ca.back())); j < cb.size())
                return PrimeroDesdeAncestro(ca, ca.size() - 1, j);
        }
        if (subeB) {
            cb.push_back(cb.back()->Padre);
            if (const auto i = static_cast<std::size_t>(buscar(ca, cb.back())); i < ca.size())
                return PrimeroDesdeAncestro(ca, i, cb.size() - 1);
        }
    }
    // Whole paths, root first: the last common entry is the ancestor.
    ca = HastaLaRaiz(A);
    cb = HastaLaRaiz(B);
    std::reverse(ca.begin(), ca.end());
    std::reverse(cb.begin(), cb.end());
    if (ca.front() != cb.front()) return A < B;  // two trees: any fixed order
    std::size_t k = 0;
    while (k + 1 < ca.size() && k + 1 < cb.size() && ca[k + 1] == cb[k + 1]) ++k;
    if (k + 1 == ca.size()) return true;
    if (k + 1 == cb.size()) return false;
    return ca[k]->Izq == ca[k + 1];
}

// Linked into A: the root, or a child of its parent. A removed node (links
// cleared) is not.
bool Enlazado(const TArbolBin& A, const TNodoBin* N) {
    if (N == A.Raiz) return true;
    const TNodoBin* p = N->Padre;
    return p != nullptr && (p->Izq == N || p->Der == N);
}

}  // namespace

std::uint32_t TGrabacion::Internar(const std::string& Texto) {
    auto [it, nuevo] = IndiceTextos_.try_emplace(Texto, static_cast<std::uint32_t>(Textos_.size()));
    if (nuevo) {
        Textos_.push_back(&it->first);
        BytesEtapas_ += Texto.size() + 64;  // the text, its map node and index
    }
    return it->second;
}

void TGrabacion::Anotar(const TArbolBin& A, const std::string& Titulo, const std::string& Descripcion, int Tipo) {
    if (BytesEtapas_ > Presupuesto_ || Registros_.size() + 1 < Distribuye_.size()) return;  // past the budget
    std::vector<const TNodoBin*> marcados;
    TMarcas::ParaCadaMarcado([&](const TNodoBin* n) {
        if (Enlazado(A, n)) marcados.push_back(n);
    });
    std::sort(marcados.begin(), marcados.end());
    marcados.erase(std::unique(marcados.begin(), marcados.end()), marcados.end());
    std::sort(marcados.begin(), marcados.end(), AntesEnPreorden);
    TRegistro r{};
    r.Titulo = Internar(Titulo);
    r.Descripcion = Internar(Descripcion);
    r.PrimerMarcado = static_cast<std::uint32_t>(Marcados_.size());
    r.NumMarcados = static_cast<std::uint8_t>(std::min<std::size_t>(marcados.size(), 255));
    for (std::size_t i = 0; i < r.NumMarcados; ++i) Marcados_.push_back(marcados[i]->Valor);
    r.Tipo = static_cast<std::int8_t>(Tipo);
    r.HaySel = A.NodoSel != nullptr;
    r.Sel = r.HaySel ? A.NodoSel->Valor : 0;
    r.HayBorrado = A.NodoBorrado != nullptr;
    r.Borrado = r.HayBorrado ? A.NodoBorrado->Valor : 0;
    const TListado* listado = BuscarListado(A.Sitio().Listado);
    r.Listado = static_cast<std::int16_t>(listado ? listado - Listados().data() : -1);
    r.Linea = static_cast<std::int16_t>(LineaDe(A.Sitio().Listado, A.Sitio().Etiqueta));
    Registros_.push_back(r);
    BytesEtapas_ += sizeof(TRegistro) + r.NumMarcados * sizeof(std::int32_t);
}

void TGrabacion::Grabar(TArbolBin& Arbol, TOperacionArbol Operacion, TDistribuirArbol Distribuir) {
    Inicial_ = Arbol.Clonar();
    Operacion_ = std::move(Operacion);
    Distribuir_ = std::move(Distribuir);
    Registros_.clear();
    Marcados_.clear();
    IndiceTextos_.clear();
    Textos_.clear();
    Distribuye_.clear();
    Sobrescrita_.clear();
    BytesEtapas_ = 0;

    // First pass, on a copy and without layouts (the engine's course never
    // depends on drawn positions): the stage records, and which layouts the
    // next one overwrites whole.
    {
        std::unique_ptr<TArbolBin> copia = Inicial_->Clonar();
        std::size_t ultima = 0;  // the last layout stage so far
        bool hayUltima = false;
        bool estable = false;  // since it: same count, no removed node shown
        std::int32_t nodos = 0;
        copia->OnEtapa = [&](const std::string& Titulo, const std::string& Descripcion, int Tipo) {
            const TArbolBin& a = *copia;
            const std::size_t k = Distribuye_.size();
            const bool distribuye = Tipo == 1 || Tipo == 2;
            Distribuye_.push_back(distribuye);
            Sobrescrita_.push_back(false);
            estable = estable && a.NumNodos == nodos && a.NodoBorrado == nullptr;
            if (distribuye) {
                if (hayUltima && estable) Sobrescrita_[ultima] = true;
                ultima = k;
                hayUltima = true;
                estable = a.NodoBorrado == nullptr;
                nodos = a.NumNodos;
            }
            Anotar(a, Titulo, Descripcion, Tipo);
            Arbol.Avanzar(static_cast<std::int64_t>(k + 1), 16);
        };
        try {
            Operacion_(*copia);
        } catch (const ECancelado&) {
            throw;  // abandoned: Arbol is untouched
        } catch (...) {
            // The live run below meets the same failure at the same stage
            // and reports it; the stages recorded up to it stand.
        }
    }

    // A layout's positions are read once more after the next layout has
    // overwritten them: that layout's glide starts from them (XIni, YIni).
    // So a layout is skipped only when the next one and the one after that
    // both overwrite everything before them.
    std::size_t anterior = 0;
    bool hayAnterior = false;
    for (std::size_t k = 0; k < Distribuye_.size(); ++k) {
        if (!Distribuye_[k]) continue;
        if (hayAnterior) Sobrescrita_[anterior] = Sobrescrita_[anterior] && Sobrescrita_[k];
        anterior = k;
        hayAnterior = true;
    }
    if (hayAnterior) Sobrescrita_[anterior] = false;

    // Second pass, on the live structure, with the layouts that matter.
    Repetir(Arbol, static_cast<std::size_t>(-1), {});
}

void TGrabacion::Distribuir(TArbolBin& A) const {
    // What the canvas's glide leaves: started where the nodes stand, ended
    // at the new layout.
    A.GuardarInicio();
    Distribuir_(A);
    A.GuardarDestino();
}

void TGrabacion::Repetir(TArbolBin& A, std::size_t Hasta,
                         const std::function<void(TArbolBin&, int)>& Parar) const {
    // The last two layout stages before Hasta: a layout whose two
    // successors overwrite it whole is skipped when both come before Hasta,
    // that is, when it comes before the second last of them.
    std::size_t penultima = 0;
    int halladas = 0;
    for (std::size_t k = std::min(Hasta, Distribuye_.size()); k-- > 0 && halladas < 2;)
        if (Distribuye_[k]) {
            penultima = k;
            ++halladas;
        }
    const std::size_t limite = halladas == 2 ? penultima : 0;
    std::size_t k = 0;
    // A's progress hook counts on from the first pass's stages: a structure
    // being recorded counts every stage twice. It is asked often: a stage
    // may lay out the whole structure.
    const auto primeras = static_cast<std::int64_t>(Distribuye_.size());
    THandlerApartado handler(A, [&](const std::string&, const std::string&, int Tipo) {
        const std::size_t etapa = k++;
        A.Avanzar(primeras + static_cast<std::int64_t>(k), 16);
        if (etapa == Hasta) {
            Parar(A, Tipo);
            throw TParada{};
        }
        if (Tipo != 1 && Tipo != 2) return;
        const bool saltar = etapa < Sobrescrita_.size() && Sobrescrita_[etapa] && etapa < limite;
        if (!saltar) Distribuir(A);
    });
    Operacion_(A);
}

TGrabacion::TEtapa TGrabacion::Etapa(std::size_t K) const {
    const TRegistro& r = Registros_.at(K);
    TEtapa e;
    e.Titulo = *Textos_[r.Titulo];
    e.Descripcion = *Textos_[r.Descripcion];
    e.Tipo = r.Tipo;
    e.Marcados.assign(Marcados_.begin() + r.PrimerMarcado, Marcados_.begin() + r.PrimerMarcado + r.NumMarcados);
    if (r.HaySel) e.Sel = r.Sel;
    if (r.HayBorrado) e.Borrado = r.Borrado;
    if (r.Listado >= 0) e.Listado = Listados()[static_cast<std::size_t>(r.Listado)].Nombre;
    e.Linea = r.Linea;
    return e;
}

TGrabacion::TFoto TGrabacion::Foto(std::size_t K) const {
    if (K >= Registros_.size()) throw std::out_of_range("TGrabacion::Foto: no such stage");
    TFoto f;
    std::unique_ptr<TArbolBin> a = Inicial_->Clonar();
    try {
        Repetir(*a, K, [&](TArbolBin& En, int Tipo) {
            f.Antes = En.Clonar();
            if (Tipo == 1 || Tipo == 2) {
                Distribuir(En);
                f.Despues = En.Clonar();
            }
        });
    } catch (const TParada&) {
        return f;
    }
    // The operation ended before stage K: it did not act as it was recorded.
    throw std::logic_error("TGrabacion::Foto: the operation did not repeat its stages");
}

std::size_t TGrabacion::BytesRetenidos() const {
    std::size_t b = BytesEtapas_ + (Distribuye_.capacity() + Sobrescrita_.capacity()) / 8;
    if (Inicial_) {
        b += Inicial_->BytesNodos();
        if (const auto* m = dynamic_cast<const TMonticulo*>(Inicial_.get()))
            b += m->Vector.capacity() * sizeof(TNodoMon*) + m->VectorValores.capacity() * sizeof(std::int32_t);
    }
    return b;
}

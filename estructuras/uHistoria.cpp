#include "uHistoria.h"

#include "uTipos.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

std::string TPaso::Texto() const {
    switch (Tipo) {
    case Insercion: return "Insertar " + std::to_string(Clave);
    case Borrado: return "Borrar " + std::to_string(Clave);
    case Vaciado: return "Vaciar";
    case Monticulo: return "Crear montículo";
    case Busqueda: return "Buscar " + std::to_string(Clave);
    }
    return {};
}

THistoria::THistoria(std::size_t Presupuesto) : Presupuesto_(Presupuesto) {}

void THistoria::Reiniciar(const TArbolBin& Base) { Reiniciar(Base, {}, 0); }

void THistoria::Reiniciar(const TArbolBin& Base, std::vector<TPaso> Pasos, std::size_t Actual) {
    std::vector<std::uint8_t> base = Base.Guardar();
    Clase_ = Base.Clase();
    Pasos_ = std::move(Pasos);
    Actual_ = std::min(Actual, Pasos_.size());
    Fotos_.clear();
    Fotos_.emplace(0, std::move(base));
    SinCambio_ = 0;
    BytesFotos_ = 0;
    Espacio_ = 1;
}

void THistoria::Anotar(TPaso Paso, const TArbolBin& Arbol) {
    if (Actual_ >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw EArbol("La lista de operaciones está llena!");
    if (Clase_ == nullptr) Reiniciar(*Arbol.Clase()());
    // A new step after undos: the undone ones, and what was seen of them, go.
    Pasos_.resize(Actual_);
    SinCambio_ = std::min(SinCambio_, Actual_);
    for (auto i = Fotos_.upper_bound(Actual_); i != Fotos_.end();) {
        BytesFotos_ -= i->second.size();
        i = Fotos_.erase(i);
    }
    Paso.Variante = Arbol.Variante;
    Pasos_.push_back(Paso);
    Fotografiar(++Actual_, Arbol);
}

void THistoria::Avanzar(const TArbolBin& Arbol) {
    if (Actual_ >= Pasos_.size()) return;
    Fotografiar(++Actual_, Arbol);
}

void THistoria::Aplicar(TArbolBin& Arbol, TPaso Paso) {
    Arbol.Variante = Paso.Variante;
    switch (Paso.Tipo) {
    case TPaso::Insercion:
        Arbol.Deseleccionar();
        Arbol.Insertar(Paso.Clave);
        break;
    case TPaso::Borrado:
        Arbol.BorrarEntrada(Paso.Clave);
        break;
    case TPaso::Busqueda:
        Arbol.Deseleccionar();
        Arbol.Buscar(Paso.Clave);
        break;
    case TPaso::Vaciado:
        Arbol.Vaciar();
        break;
    case TPaso::Monticulo:
        if (const TTipoEstructura* tipo = TipoDe(Arbol); tipo && tipo->Monticulo) {
            Arbol.Deseleccionar();
            tipo->Monticulo(Arbol, 0);
        }
        break;
    }
    Arbol.Deseleccionar();
}

std::unique_ptr<TArbolBin> THistoria::IrA(std::size_t K, const std::function<void(std::int64_t)>& Avance,
                                          std::string* Error) {
    if (Clase_ == nullptr || K > Pasos_.size()) return nullptr;
    const auto foto = std::prev(Fotos_.upper_bound(K));
    const std::size_t desde = foto->first;
    std::unique_ptr<TArbolBin> a = Clase_();
    if (Avance) {
        // The load is counted as no step done: the hook only gets its chance
        // to cancel.
        a->Avance = [&Avance](std::int64_t) { Avance(0); };
    }
    a->Cargar(std::span<const std::uint8_t>(foto->second));
    a->Avance = nullptr;
    a->Deseleccionar();
    // A long replay leaves two snapshots shortly before its end, a sixteenth
    // of it apart, so the undos that follow (after a list was opened) need
    // not replay it all; more would cost more than the replay.
    std::size_t cada = Espacio_;
    while (cada < (K - desde) / 16) cada *= 2;
    std::size_t hecho = desde;
    for (std::size_t i = desde; i < K; ++i) {
        try {
            Aplicar(*a, Pasos_[i]);
        } catch (const EArbol& e) {
            a->Deseleccionar();
            if (Error) {
                *Error = e.what();
                hecho = i + 1;
                break;
            }
        }
        hecho = i + 1;
        if (hecho < K && K - hecho <= 2 * cada && hecho % cada == 0) Fotografiar(hecho, *a);
        if (Avance && ((hecho - desde) & 31) == 0) Avance(static_cast<std::int64_t>(hecho - desde));
    }
    Actual_ = hecho;
    // After a long replay the snapshots just taken serve the target too.
    if (hecho - desde <= 2 * cada) Fotografiar(Actual_, *a);
    return a;
}

void THistoria::Fotografiar(std::size_t K, const TArbolBin& Arbol) {
    if (K == 0 || K % Espacio_ != 0 || Fotos_.count(K) != 0) return;
    // Replaying a few steps costs less than loading a large structure: the
    // snapshots of a large one stand further apart.
    const std::size_t previa = std::prev(Fotos_.upper_bound(K))->first;
    if ((K - previa) * 64 < static_cast<std::size_t>(std::max(Arbol.NumNodos, 0))) return;
    std::vector<std::uint8_t> flujo = Arbol.Guardar();
    BytesFotos_ += flujo.size();
    Fotos_.emplace(K, std::move(flujo));
    // Past the budget, every other one goes, until the rest fits.
    while (BytesFotos_ > Presupuesto_ && Fotos_.size() > 1) {
        Espacio_ *= 2;
        for (auto i = std::next(Fotos_.begin()); i != Fotos_.end();) {
            if (i->first % Espacio_ != 0) {
                BytesFotos_ -= i->second.size();
                i = Fotos_.erase(i);
            } else {
                ++i;
            }
        }
    }
}

std::vector<TOperacion> THistoria::Operaciones() const {
    std::size_t desde = 0;
    for (std::size_t i = 0; i < Actual_; ++i)
        if (Pasos_[i].Tipo == TPaso::Vaciado) desde = i + 1;
    std::vector<TOperacion> r;
    for (std::size_t i = desde; i < Actual_; ++i) {
        if (Pasos_[i].Tipo == TPaso::Insercion) r.push_back({TOperacion::Insercion, Pasos_[i].Clave});
        if (Pasos_[i].Tipo == TPaso::Borrado) r.push_back({TOperacion::Borrado, Pasos_[i].Clave});
    }
    return r;
}

std::vector<std::int32_t> THistoria::Entradas() const {
    std::vector<std::int32_t> r;
    for (const TOperacion& op : Operaciones()) r.push_back(EntradaDe(op));
    return r;
}

std::size_t THistoria::BytesInstantaneas() const {
    return Fotos_.empty() ? 0 : BytesFotos_ + Fotos_.begin()->second.size();
}

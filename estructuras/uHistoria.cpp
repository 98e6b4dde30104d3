#include "uHistoria.h"

#include <limits>
#include <utility>

THistoria::THistoria() {
    Ops_.reserve(100);
    Flujo_.reserve(16000);
}

void THistoria::Anotar(TOperacion Op) {
    if (Ops_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw EArbol("La lista de operaciones está llena!");
    Ops_.push_back(Op);
}

void THistoria::FijarAnterior() {
    if (Clase_ == nullptr || Antes_) return;
    Ops_.resize(NumAntes_);
    Antes_ = std::move(Ops_);
    Ops_ = {};
}

void THistoria::Vaciar() {
    FijarAnterior();
    Ops_.clear();
}

void THistoria::Reemplazar(std::vector<TOperacion> Ops) {
    FijarAnterior();
    Ops_ = std::move(Ops);
}

std::vector<std::int32_t> THistoria::Entradas() const {
    std::vector<std::int32_t> r;
    r.reserve(Ops_.size());
    for (const TOperacion& op : Ops_) r.push_back(EntradaDe(op));
    return r;
}

void THistoria::GuardarDeshacer(const TArbolBin& Arbol) {
    Flujo_.clear();  // keeps its capacity
    TEscritorFlujo flujo(Flujo_);
    Arbol.Guardar(flujo);
    Clase_ = Arbol.Clase();
    NumAntes_ = Ops_.size();
    Antes_.reset();
}

bool THistoria::Deshacer(TArbolBin& Arbol) {
    if (Clase_ == nullptr || Clase_ != Arbol.Clase()) return false;
    Arbol.Cargar(std::span<const std::uint8_t>(Flujo_));
    if (Antes_) {
        Ops_ = *Antes_;
    } else if (NumAntes_ <= Ops_.size()) {
        Ops_.resize(NumAntes_);
    }
    return true;
}

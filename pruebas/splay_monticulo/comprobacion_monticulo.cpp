#include "comprobacion_monticulo.h"

#include <string>

TBytes FlujoVector(const std::vector<std::int32_t>& Valores) {
    const auto n = static_cast<std::int64_t>(Valores.size());
    std::vector<TRegistroMon> registros;
    registros.reserve(Valores.size());
    std::vector<std::int64_t> pila;
    if (n > 0) pila.push_back(0);
    while (!pila.empty()) {
        const std::int64_t i = pila.back();
        pila.pop_back();
        registros.push_back({Valores[i], static_cast<std::int32_t>(i), 2 * i + 1 < n, 2 * i + 2 < n});
        if (2 * i + 2 < n) pila.push_back(2 * i + 2);
        if (2 * i + 1 < n) pila.push_back(2 * i + 1);
    }
    return FlujoMon(static_cast<std::int32_t>(n), registros);
}

void CargarVector(TMonticulo& M, const std::vector<std::int32_t>& Valores) {
    M.Cargar(FlujoVector(Valores));
}

std::vector<std::int32_t> Vivos(const TMonticulo& M) {
    return {M.VectorValores.begin(), M.VectorValores.begin() + M.NumNodos};
}

std::vector<std::int32_t> Grises(const TMonticulo& M) {
    return {M.VectorValores.begin() + M.NumNodos, M.VectorValores.begin() + M.MaxNodos};
}

namespace {

std::string Revisar(const TMonticulo& M, bool EntreOperaciones, bool Orden) {
    const std::int32_t n = M.NumNodos;
    if (M.Vector.size() != M.VectorValores.size()) return "Vector and VectorValores differ in length";
    if (n < 0 || n > M.MaxNodos || M.MaxNodos > M.Capacidad())
        return "NumNodos " + std::to_string(n) + ", MaxNodos " + std::to_string(M.MaxNodos) + ", length " +
               std::to_string(M.Capacidad()) + " out of order";
    if (M.Raiz != (n > 0 ? M.Vector[0] : nullptr)) return "Raiz is not Vector[0]";
    bool selVisto = M.NodoSel == nullptr;
    int marcados = 0;
    auto en = [&](std::int64_t i) -> const TNodoBin* { return i < n ? M.Vector[i] : nullptr; };
    for (std::int32_t i = 0; i < n; ++i) {
        const TNodoMon* v = M.Vector[i];
        auto fallo = [i](const std::string& Que) { return "cell " + std::to_string(i) + ": " + Que; };
        if (v == nullptr) return fallo("nil");
        if (v->Indice != i) return fallo("Indice " + std::to_string(v->Indice));
        if (v->Valor != M.VectorValores[i])
            return fallo("Valor " + std::to_string(v->Valor) + ", VectorValores " + std::to_string(M.VectorValores[i]));
        if (v->Padre != (i > 0 ? M.Vector[(i - 1) / 2] : nullptr)) return fallo("wrong Padre");
        if (v->Izq != en(2 * std::int64_t{i} + 1)) return fallo("wrong Izq");
        if (v->Der != en(2 * std::int64_t{i} + 2)) return fallo("wrong Der");
        if (v == M.NodoBorrado) return fallo("is NodoBorrado");
        if (Orden && i > 0 && v->Valor < v->Padre->Valor)
            return fallo("heap order broken: " + std::to_string(v->Valor) + " below " +
                         std::to_string(v->Padre->Valor));
        if (v->Marcado) ++marcados;
        if (v == M.NodoSel) selVisto = true;
    }
    if (!selVisto) return "NodoSel is not a live node";
    if (marcados > (EntreOperaciones ? 0 : 2)) return std::to_string(marcados) + " nodes marked";
    if (EntreOperaciones && M.NodoBorrado != nullptr) return "NodoBorrado is not nil";
    return {};
}

}  // namespace

std::string ComprobarMonticulo(const TMonticulo& M, bool Orden) {
    return Revisar(M, true, Orden);
}

std::string ComprobarMonticuloEnEtapa(const TMonticulo& M) {
    return Revisar(M, false, false);
}

#include "auxiliares.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

std::int32_t& FE(const TNodoBin* n) {
    return const_cast<TNodoAVL*>(static_cast<const TNodoAVL*>(n))->FactorEquilibrio;
}

// Height of the subtree at N; -1 once a fault has been written.
std::int32_t RevisarAVL(const TNodoBin* n, std::string& fallo) {
    if (n == nullptr) return 0;
    const std::int32_t hi = RevisarAVL(n->Izq, fallo);
    const std::int32_t hd = hi < 0 ? -1 : RevisarAVL(n->Der, fallo);
    if (hd < 0) return -1;
    const std::int32_t f = FE(n);
    if (f == hd - hi && f >= -1 && f <= 1) return std::max(hi, hd) + 1;
    fallo = "node " + std::to_string(n->Valor) + " stores factor " + std::to_string(f) + ", heights differ by " +
            std::to_string(hd - hi);
    return -1;
}

template <class F>
std::string Listar(const TArbolBin& A, F Texto) {
    std::string s;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) { s += Texto(n); });
    return s;
}

}  // namespace

std::string ComprobarAVL(const TArbolAVL& A) {
    std::string fallo = Comprobar(A);
    if (fallo.empty()) RevisarAVL(A.Raiz, fallo);
    return fallo;
}

std::string Factores(const TArbolBin& A) {
    std::string s = Listar(A, [](TNodoBin* n) { return " " + std::to_string(n->Valor) + ":" + std::to_string(FE(n)); });
    return s.empty() ? s : s.substr(1);
}

std::int32_t& Factor(const TArbolBin& A, std::int32_t Valor) {
    TNodoBin* n = Nodo(A, Valor);
    if (n == nullptr) throw std::invalid_argument("no node " + std::to_string(Valor));
    return FE(n);
}

std::string Colores(const TArbolBin& A) {
    return Listar(A, [](TNodoBin* n) -> std::string {
        const std::uint8_t c = static_cast<TNodoRN*>(n)->Color;
        return c == 0 ? "r" : c == 1 ? "n" : "[" + std::to_string(c) + "]";
    });
}

std::vector<std::int32_t> Alturas(const TArbolBin& A) {
    std::vector<std::int32_t> v;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) { v.push_back(static_cast<TNodoRN*>(n)->AlturaNegra); });
    return v;
}

std::string EjecutarOperacion(TArbolBST& A, TOp Op, std::int32_t Valor, bool Resultado) {
    try {
        const std::optional<bool> r = Ejecutar(A, Op, Valor);
        if (Op == OpInsertar) {
            EXPECT_EQ(r, Resultado);
        }
    } catch (const EArbol& e) {
        return e.what();
    }
    return {};
}

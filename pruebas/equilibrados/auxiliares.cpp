#include "auxiliares.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace {

std::int32_t& FE(TNodoBin* n) {
    return static_cast<TNodoAVL*>(n)->FactorEquilibrio;
}

// Height of the subtree at N; -1 once a fault has been written.
std::int32_t RevisarAVL(const TNodoBin* n, std::string& fallo) {
    if (n == nullptr) return 0;
    const std::int32_t hi = RevisarAVL(n->Izq, fallo);
    if (hi < 0) return -1;
    const std::int32_t hd = RevisarAVL(n->Der, fallo);
    if (hd < 0) return -1;
    const std::int32_t f = static_cast<const TNodoAVL*>(n)->FactorEquilibrio;
    if (f == hd - hi && f >= -1 && f <= 1) return std::max(hi, hd) + 1;
    std::ostringstream s;
    if (f != hd - hi)
        s << "node " << n->Valor << " stores factor " << f << " but its heights differ by " << hd - hi;
    else
        s << "node " << n->Valor << " is out of balance: " << f;
    fallo = s.str();
    return -1;
}

}  // namespace

std::string ComprobarAVL(const TArbolAVL& A) {
    std::string fallo = Comprobar(A);
    if (fallo.empty()) RevisarAVL(A.Raiz, fallo);
    return fallo;
}

std::string Factores(const TArbolBin& A) {
    std::string s;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        s += (s.empty() ? "" : " ") + std::to_string(n->Valor) + ":" + std::to_string(FE(n));
    });
    return s;
}

std::int32_t& Factor(const TArbolBin& A, std::int32_t Valor) {
    TNodoBin* n = Nodo(A, Valor);
    if (n == nullptr) throw std::invalid_argument("no node " + std::to_string(Valor));
    return FE(n);
}

std::string Colores(const TArbolBin& A) {
    std::string s;
    RecorrerPreorden(A.Raiz, [&](TNodoBin* n, std::int32_t) {
        const std::uint8_t c = static_cast<TNodoRN*>(n)->Color;
        s += c == 0 ? "r" : c == 1 ? "n" : "[" + std::to_string(c) + "]";
    });
    return s;
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

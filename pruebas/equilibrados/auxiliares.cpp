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

std::vector<std::uint8_t> FlujoRN(const std::string& Texto, const std::vector<std::uint8_t>& Colores) {
    // The 6-byte records of FlujoDe, each with its colour byte after the value.
    const std::vector<std::uint8_t> base = FlujoDe(Texto);
    const std::size_t n = (base.size() - 4) / 6;
    if (n != Colores.size()) throw std::invalid_argument("one colour per node is needed: " + Texto);
    std::vector<std::uint8_t> datos(base.begin(), base.begin() + 4);
    for (std::size_t i = 0; i < n; ++i) {
        const auto r = base.begin() + 4 + static_cast<std::ptrdiff_t>(6 * i);
        datos.insert(datos.end(), r, r + 4);
        datos.push_back(Colores[i]);
        datos.insert(datos.end(), r + 4, r + 6);
    }
    return datos;
}

std::vector<std::uint8_t> FlujoRN(const std::string& Texto, const std::string& Colores) {
    std::vector<std::uint8_t> c;
    for (std::size_t i = 0; i < Colores.size(); ++i) {
        if (Colores[i] == '[') {
            const std::size_t fin = Colores.find(']', i);
            c.push_back(static_cast<std::uint8_t>(std::stoi(Colores.substr(i + 1, fin - i - 1))));
            i = fin;
        } else {
            c.push_back(Colores[i] == 'n' ? 1 : 0);
        }
    }
    return FlujoRN(Texto, c);
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

std::vector<std::uint8_t> FlujoCadenaRN(std::int32_t N, bool Derecha, std::uint8_t Color) {
    return FlujoCadena(N, Derecha, Color);
}

TEtapas Unir(std::initializer_list<TEtapas> Partes) {
    TEtapas v;
    for (const TEtapas& p : Partes) v.insert(v.end(), p.begin(), p.end());
    return v;
}

TEtapas InsercionBST(std::int32_t V, std::initializer_list<std::int32_t> Camino) {
    TEtapas v;
    for (std::int32_t c : Camino) v.push_back(EtapasBST::Comparacion(V, c));
    const Opt ultimo = Camino.size() == 0 ? nil : Opt(*(Camino.end() - 1));
    v.push_back(EtapasBST::NoEncontrado(ultimo));
    v.push_back(Camino.size() == 0 ? EtapasBST::InsercionEnVacio(V) : EtapasBST::InsercionHoja(V));
    return v;
}

TEtapas InsercionFallida(std::int32_t V, std::initializer_list<std::int32_t> Camino) {
    TEtapas v;
    for (std::int32_t c : Camino) v.push_back(EtapasBST::Comparacion(V, c));
    v.push_back(EtapasBST::Encontrado(V));
    v.push_back(EtapasBST::InsercionFallida(V));
    return v;
}

std::string EjecutarOperacion(TArbolBST& A, bool Insertar, std::int32_t Valor, std::optional<bool> Resultado) {
    A.Deseleccionar();
    try {
        if (Insertar) {
            EXPECT_EQ(A.Insertar(Valor), Resultado);
        } else {
            EXPECT_TRUE(A.Seleccionar(Valor, true));
            A.Borrar();
        }
    } catch (const EArbol& e) {
        return e.what();
    }
    return {};
}
